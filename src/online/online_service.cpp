#include "online/online_service.h"

#include "online/catalogue_dialog.h"
#include "online/communication_dialog.h"
#include "online/online_service_dialog.h"
#include "online/online_store.h"
#include "ui/program.h"
#include "ui/window_requests.h"

namespace lexivo {
namespace {

// Asked as the store's transfer window closes: the words are copied, the store may go.
void offerStoreClearing(Program& program, const OnlineSession& session, QWidget* transferWindow, const Login& login)
{
    if (!program.dialogs.askYesNo(transferWindow, clearStoreQuestion())) {
        return;
    }
    const ServerRequest request = storeClearRequest(session.address, login.name, login.password);
    if (const auto body = runServerRequest(program, session, transferWindow, request)) {
        program.dialogs.showMessage(transferWindow, storeClearedMessage(*body));
    }
}

}  // namespace

void openOnlineService(Program& program, OnlineSession& session, WindowRequests& requests, QWidget* mainWindow,
                       const SaveDownloadedDialog::FollowFiling& follow)
{
    session.address = serverAddress(program, mainWindow);
    OnlineServiceDialog choice(program, mainWindow);
    if (choice.exec() != QDialog::Accepted) {
        return;
    }
    if (choice.choice() == OnlineServiceChoice::Store) {
        downloadStore(program, session, requests, mainWindow, choice.login());
        return;
    }
    CatalogueDialog catalogue(program, session, requests, choice.catalogue(), mainWindow);
    if (!catalogue.fetch() || catalogue.exec() != QDialog::Accepted) {
        return;
    }
    SaveDownloadedDialog(program, requests, mainWindow, follow).exec();
}

void downloadStore(Program& program, const OnlineSession& session, WindowRequests& requests, QWidget* mainWindow,
                   const Login& login)
{
    const ServerRequest request = storeDownloadRequest(session.address, login.name, login.password);
    const auto body = runServerRequest(program, session, mainWindow, request);
    if (!body) {
        return;
    }
    if (Status saved = saveStoreDownload(program.tree, program.collection.currentGroup(), *body); !saved) {
        program.dialogs.showMessage(mainWindow, saved.message());
        return;
    }
    // The words are safe in `zastemp` even when the list of names cannot be written.
    if (Status remembered = rememberUserName(program.tree, login.name); !remembered) {
        program.dialogs.showMessage(mainWindow, remembered.message());
    }
    requests.openWordTransferForStore([&program, &session, login](QWidget* transferWindow) {
        offerStoreClearing(program, session, transferWindow, login);
    });
}

}  // namespace lexivo
