#pragma once
// The program's answers to what windows ask of other subsystems' windows, and the main
// window's own doors to the collection windows. The main window owns one and hands it to the
// windows it opens.

#include "app/collection_decisions.h"
#include "ui/window_requests.h"

namespace lexivo {

struct Program;
class MainWindow;

class AppWindowRequests final : public WindowRequests {
public:
    AppWindowRequests(Program& program, MainWindow& mainWindow);

    void openAddPackageForRemainingWords() override;
    void openGroupDialog() override;
    void openWordTransferForStore(std::function<void(QWidget* transferWindow)> beforeClosing) override;
    void openOnlinePackagePreview() override;

    // The main window's "Přidat balíček", "Přejmenovat" and "Přenos slovíček mezi balíčky".
    void openAddPackage();
    void openRenamePackage();
    void openWordTransfer();

private:
    void addPackage(AddPackageMode mode);
    // A running test takes the keyboard back when a window over it closes.
    void focusRunningTest();

    Program& program_;
    MainWindow& mainWindow_;
};

}  // namespace lexivo
