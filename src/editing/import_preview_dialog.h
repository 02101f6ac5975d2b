#pragma once
// The import preview: the first words of a file as they will be read, the lines that are left
// out or cut and why, the encoding, separator, header and columns to change, and the package
// that receives the words. Nothing is written before "OK"; the import's state and decisions
// are the core's (ImportPreview).

#include <string>

#include "editing/import_preview.h"
#include "ui/dialog_frame.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableView;
class QTableWidget;

namespace lexivo {

class ControlMaker;
class DialogUnits;
class ImportProblemModel;

class ImportPreviewDialog : public FramedDialog {
    Q_OBJECT
public:
    // `fileName` is shown; `mainWindow` places the window over its centre.
    ImportPreviewDialog(Program& program, QWidget* mainWindow, ImportPreview preview, const QString& fileName);
    ~ImportPreviewDialog() override;

    const ImportPreview& preview() const { return preview_; }
    // The package the words went to, once "OK" has written them.
    const std::string& writtenPackage() const { return writtenPackage_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls(const QString& fileName);
    void createSettings(const ControlMaker& make, const DialogUnits& units, const QString& fileName);
    void createLists(const ControlMaker& make, const DialogUnits& units);
    void connectControls();
    // Shows the state after any change: the column boxes, the rows, the problems and the summary.
    void showPreview();
    void fillColumnBoxes();
    void fillRows();
    void columnsChosen();
    void choicesChanged();
    void confirm();

    ImportPreview preview_;
    std::string writtenPackage_;
    QLineEdit* packageName_ = nullptr;
    QLabel* targetNote_ = nullptr;
    QComboBox* encoding_ = nullptr;
    QComboBox* separator_ = nullptr;
    QCheckBox* header_ = nullptr;
    QComboBox* english_ = nullptr;
    QComboBox* czech_ = nullptr;
    QComboBox* example_ = nullptr;
    QComboBox* level_ = nullptr;
    QTableWidget* rows_ = nullptr;
    QTableView* problems_ = nullptr;
    ImportProblemModel* problemModel_ = nullptr;
    QCheckBox* cutLongFields_ = nullptr;
    QCheckBox* keepDuplicates_ = nullptr;
    QLabel* summary_ = nullptr;
};

}  // namespace lexivo
