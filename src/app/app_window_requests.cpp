#include "app/app_window_requests.h"

namespace lexivo {

void AppWindowRequests::openAddPackageForRemainingWords()
{
    // The add-package dialog opens here over the main window in its save-remaining mode, once it
    // is built; together with the word transfer window it files the words left in the test pool.
}

}  // namespace lexivo
