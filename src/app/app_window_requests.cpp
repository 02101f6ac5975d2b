#include "app/app_window_requests.h"

namespace lexivo {

void AppWindowRequests::openAddPackageForRemainingWords()
{
    // The add-package dialog opens here over the main window in its save-remaining mode, once it
    // is built; together with the word transfer window it files the words left in the test pool.
}

void AppWindowRequests::openGroupDialog()
{
    // The group dialog opens here over the main window once it is built.
}

void AppWindowRequests::openWordTransferForStore(std::function<void(QWidget* transferWindow)> beforeClosing)
{
    // The word transfer window opens here in its store mode once it is built; its "OK" runs
    // `beforeClosing`.
    (void)beforeClosing;
}

void AppWindowRequests::openOnlinePackagePreview()
{
    // The word transfer window opens here in its preview mode once it is built.
}

}  // namespace lexivo
