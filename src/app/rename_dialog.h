#pragma once
// The rename dialog: a new name for the package selected in the main window, or for the
// current group (opened by the group dialog). It ends accepted when the name has changed.

#include "ui/dialog_frame.h"

class QLineEdit;

namespace lexivo {

class MainWindow;

class RenameDialog : public FramedDialog {
    Q_OBJECT
public:
    enum class Mode { Package, Group };

    // `owner` is the window it opens over: the main window, or the group dialog.
    RenameDialog(Program& program, MainWindow& mainWindow, Mode mode, QWidget* owner = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void confirm();

    MainWindow& mainWindow_;
    Mode mode_;
    QString oldName_;
    QLineEdit* newName_ = nullptr;
};

}  // namespace lexivo
