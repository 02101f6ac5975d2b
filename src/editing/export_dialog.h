#pragma once
// The export window ("Tisk"): the options of the printable page or text file, a live sample,
// the desktop's font and colour choosers, and the file written through the core. It works
// through the package editor: its package and order are the editor's.

#include <QString>

#include "editing/export_document.h"
#include "ui/dialog_frame.h"

class QCheckBox;
class QComboBox;
class QRadioButton;

namespace lexivo {

struct EditingSession;
class PackageEditor;

class ExportDialog : public FramedDialog {
    Q_OBJECT
public:
    ExportDialog(Program& program, EditingSession& session, PackageEditor& editor);

    // The sample as the preview draws it.
    const QString& previewText() const { return preview_; }
    ExportOptions options() const;
    // The width of one line of the page in the document font.
    TextWidth lineWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void chooseDirection(ExportDirection direction);
    void chooseFormat();
    void chooseFont();
    void chooseBackground();
    void refreshPreview();
    void exportPackage();
    // The document font; the preview of a text file uses a fixed-width face.
    QFont previewFont() const;

    EditingSession& session_;
    PackageEditor& editor_;
    ExportStyle& style_;
    QComboBox* package_ = nullptr;
    QComboBox* format_ = nullptr;
    QRadioButton* czechFirst_ = nullptr;
    QCheckBox* showExamples_ = nullptr;
    QCheckBox* separateWords_ = nullptr;
    QCheckBox* numberWords_ = nullptr;
    QCheckBox* hideLanguage_ = nullptr;
    QString preview_;
};

}  // namespace lexivo
