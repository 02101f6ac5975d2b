#pragma once
// The add-package dialog: a new empty package in the current group, a copy of a package
// from another group, or the words of another program's file. Opened from a running test it instead chooses the package that receives
// the test's remaining words: a new one or one of the current group.

#include <string>

#include "app/collection_decisions.h"
#include "ui/dialog_frame.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace lexivo {

class MainWindow;

class AddPackageDialog : public FramedDialog {
    Q_OBJECT
public:
    AddPackageDialog(Program& program, MainWindow& mainWindow, AddPackageMode mode);

    // In the save-remaining mode, the package that is to receive the remaining words once the
    // dialog has ended; empty when it was cancelled.
    const std::string& transferTarget() const { return transferTarget_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    AddPackageOption option() const;
    void optionChosen();
    void fillSourcePackages();
    void copySourcePackageName();
    void confirm();
    // The chosen option's fields take input; the other option's are shown inactive.
    void enableOptionFields();
    // The file chooser and the import preview; true when the words were written.
    bool importFromFile();

    MainWindow& mainWindow_;
    AddPackageMode mode_;
    bool sourceHasPackages_ = false;
    std::string transferTarget_;
    QRadioButton* createNew_ = nullptr;
    QRadioButton* takeOver_ = nullptr;
    QRadioButton* importFromFile_ = nullptr;
    QLineEdit* newName_ = nullptr;
    QComboBox* sourceGroup_ = nullptr;
    QComboBox* sourcePackage_ = nullptr;
    QLineEdit* copyName_ = nullptr;
};

}  // namespace lexivo
