#pragma once
// The package editor: the words of one package of the current group, added, changed and
// deleted one at a time or many at once, their knowledge set by hand, sorted four ways; and
// the door to the export. Every decision is the core's (PackageEditing); the window shows it.

#include <vector>

#include <QStringList>

#include "editing/package_editing.h"
#include "ui/dialog_frame.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListView;

namespace lexivo {

struct EditingSession;
class OwnerDrawnButton;
class WordLineModel;

// How the editor opens: to edit, or hidden and straight into the export ("Tisk").
enum class EditorStart { Edit, Print };

class PackageEditor : public FramedDialog {
    Q_OBJECT
public:
    // `packages` are the main window's package list in its order; `currentPackage` its selection.
    PackageEditor(Program& program, EditingSession& session, QWidget* mainWindow, const QStringList& packages,
                  int currentPackage, EditorStart start);
    ~PackageEditor() override;

    // Runs the editor until "OK"; in print mode only the export window shows.
    void run();
    // The package shown last: the main window selects it afterwards.
    int chosenPackage() const;

    // What the export window follows and changes.
    const PackageEditing& editing() const { return editing_; }
    const QStringList& packageNames() const { return packages_; }
    void choosePackage(int index);
    void chooseOrder(WordOrder order);

    QListView* wordList() const { return wordList_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void reportUnreadablePackage();
    void createControls();
    QLabel* addLabel(int id, const QString& text, QRect place, int fontHeight, int roomUpTo = 0);
    QLineEdit* addEdit(int id, QRect place);
    QComboBox* addDropDown(int id, QRect place, const QStringList& entries, int roomUpTo);
    OwnerDrawnButton* addButton(int id, const QString& text, QRect place);

    // The list as the core holds it now; the panel shows no word.
    void showLines();
    void selectLine(std::size_t line);
    std::vector<std::size_t> selectedLines() const;
    void selectionChanged();
    void showPanel(SelectionPanel panel);
    void showSelectedWord(const SelectedWord& word);
    void restoreSelectedTexts();
    WordFields newFields() const;
    WordFields shownFields() const;
    void focusField(EditorField field);

    void add();
    void change();
    void deleteWord();
    void deleteSelectedWords();
    void print();
    // A message, the list refilled when the core refilled it, the line it selects, the focus.
    void showOutcome(const EditOutcome& outcome, std::size_t fillsBefore);

    EditingSession& session_;
    EditorStart start_;
    PackageEditing editing_;
    QStringList packages_;
    WordLineModel* model_ = nullptr;
    QListView* wordList_ = nullptr;
    QComboBox* package_ = nullptr;
    QComboBox* sortOrder_ = nullptr;
    QComboBox* knowledge_ = nullptr;
    QLineEdit* newEnglish_ = nullptr;
    QLineEdit* newCzech_ = nullptr;
    QLineEdit* newExample_ = nullptr;
    QLineEdit* changedEnglish_ = nullptr;
    QLineEdit* changedCzech_ = nullptr;
    QLineEdit* changedExample_ = nullptr;
    QLabel* selectedCount_ = nullptr;
    OwnerDrawnButton* change_ = nullptr;
    OwnerDrawnButton* print_ = nullptr;
    bool filling_ = false;  // the window itself changes the list or the fields
};

}  // namespace lexivo
