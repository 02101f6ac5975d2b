#pragma once
// "Online zázemí" from start to end: the online choice, then either a catalogue with the
// download and the filing of its packages, or the personal store brought into the word
// transfer window and, when that closes, the offer to empty it on the server.

#include "online/online_session.h"
#include "online/save_downloaded_dialog.h"

class QWidget;

namespace lexivo {

struct Program;
class WindowRequests;

// Reads the service's address afresh; a `server` file it cannot use is reported here, once.
void openOnlineService(Program& program, OnlineSession& session, WindowRequests& requests, QWidget* mainWindow,
                       const SaveDownloadedDialog::FollowFiling& follow);

// Downloads the store into the current group's `zastemp`, remembers the login name and opens
// the word transfer window on it.
void downloadStore(Program& program, const OnlineSession& session, WindowRequests& requests, QWidget* mainWindow,
                   const Login& login);

}  // namespace lexivo
