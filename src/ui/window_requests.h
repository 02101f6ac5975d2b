#pragma once
// What a window asks of another subsystem's windows. A window never opens another subsystem's
// window itself: it asks through this interface, which app/ implements, so each subsystem knows
// only itself, store/ and ui/. Tests record the requests instead of opening windows.
// A new request is one more method here, named after what opens: openWordTransfer…, openExport….

#include <functional>

class QWidget;

namespace lexivo {

class WindowRequests {
public:
    virtual ~WindowRequests() = default;

    // The test window's "Ze zbývajících vytvořit balíček": the words that remain in the running
    // test are to be saved as a package.
    virtual void openAddPackageForRemainingWords() = 0;

    // The filing of downloaded packages' "Změnit": the group dialog over the main window.
    virtual void openGroupDialog() = 0;

    // The online store's words (`zastemp` in the current group's Temporary): the word transfer
    // window in its store mode. Its "OK" runs `beforeClosing` with the transfer window as the
    // owner of what it shows (the question whether to empty the store on the server), then closes.
    virtual void openWordTransferForStore(std::function<void(QWidget* transferWindow)> beforeClosing) = 0;

    // The preview of an online package (`balprevtemp` in the current group's Temporary): the word
    // transfer window in its preview mode.
    virtual void openOnlinePackagePreview() = 0;
};

}  // namespace lexivo
