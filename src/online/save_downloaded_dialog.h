#pragma once
// Files the downloaded packages of `downbal` into the user's groups: all at once where the
// server's areas say, or one at a time under a name and in a group the user chooses. A check
// that refuses a name stops the filing; the user corrects it and goes on. `downbal` is deleted
// when the dialog closes.

#include <functional>
#include <string>

#include "online/filing.h"
#include "ui/dialog_frame.h"

class QLineEdit;
class QRadioButton;

namespace lexivo {

class WindowRequests;

class SaveDownloadedDialog : public FramedDialog {
    Q_OBJECT
public:
    // Told after every step: the main window shows the current group and selects the package
    // just filed (empty when none was filed into the current group).
    using FollowFiling = std::function<void(const std::string& filedPackage)>;

    SaveDownloadedDialog(Program& program, WindowRequests& requests, QWidget* mainWindow, FollowFiling follow);

public slots:
    // "Storno", Esc: asks before the packages not yet filed are given up.
    void reject() override;
    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    enum class Step { ChooseLocation, FilePackages };

    void createControls();
    void proceed();
    void startFiling();
    void showOutcome(const FilingOutcome& outcome);
    void showGroup();
    void changeGroup();
    void paintChoice(QPainter& painter);
    void paintPackage(QPainter& painter);

    WindowRequests& requests_;
    FollowFiling follow_;
    FilingSession filing_;
    Step step_ = Step::ChooseLocation;
    QRadioButton* recommended_ = nullptr;
    QRadioButton* manual_ = nullptr;
    QLineEdit* group_ = nullptr;
    QLineEdit* packageName_ = nullptr;
    QString header_;  // the package being filed, as shown
};

}  // namespace lexivo
