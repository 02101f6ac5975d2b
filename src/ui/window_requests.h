#pragma once
// What a window asks of another subsystem's windows. A window never opens another subsystem's
// window itself: it asks through this interface, which app/ implements, so each subsystem knows
// only itself, store/ and ui/. Tests record the requests instead of opening windows.
// A new request is one more method here, named after what opens: openWordTransfer…, openExport….

namespace lexivo {

class WindowRequests {
public:
    virtual ~WindowRequests() = default;

    // The test window's "Ze zbývajících vytvořit balíček": the words that remain in the running
    // test are to be saved as a package.
    virtual void openAddPackageForRemainingWords() = 0;
};

}  // namespace lexivo
