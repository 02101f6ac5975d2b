#pragma once
// The group dialog: which group is in use, switching to another, and creating, renaming and
// deleting groups. Every change shows in the main window at once; there is no cancel.

#include "ui/dialog_frame.h"

class QComboBox;
class QLineEdit;

namespace lexivo {

class MainWindow;

class GroupDialog : public FramedDialog {
    Q_OBJECT
public:
    GroupDialog(Program& program, MainWindow& mainWindow);

    enum class MainWindowRefresh { Skip, Refresh };
    // Lists the groups with the current one chosen, and shows the look for having groups or none.
    void refresh(MainWindowRefresh mainWindow);

private:
    void createControls();
    void chooseGroup(int index);
    void addGroup();
    void deleteGroup();
    void renameGroup();

    MainWindow& mainWindow_;
    QComboBox* groups_ = nullptr;
    QLineEdit* newName_ = nullptr;
};

}  // namespace lexivo
