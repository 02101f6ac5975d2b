#pragma once
// The program's answers to what windows ask of other subsystems' windows. The main window owns
// one and hands it to the windows it opens.

#include "ui/window_requests.h"

namespace lexivo {

class AppWindowRequests final : public WindowRequests {
public:
    void openAddPackageForRemainingWords() override;
    void openGroupDialog() override;
    void openWordTransferForStore(std::function<void(QWidget* transferWindow)> beforeClosing) override;
    void openOnlinePackagePreview() override;
};

}  // namespace lexivo
