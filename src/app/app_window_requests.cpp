#include "app/app_window_requests.h"

#include <QLineEdit>

#include "app/add_package_dialog.h"
#include "app/group_dialog.h"
#include "app/main_window.h"
#include "app/rename_dialog.h"
#include "editing/word_transfer_window.h"
#include "test/test_run_window.h"

namespace lexivo {

AppWindowRequests::AppWindowRequests(Program& program, MainWindow& mainWindow)
    : program_(program), mainWindow_(mainWindow)
{
}

void AppWindowRequests::openAddPackageForRemainingWords() { addPackage(AddPackageMode::SaveRemainingWords); }

void AppWindowRequests::openAddPackage() { addPackage(AddPackageMode::AddPackage); }

void AppWindowRequests::addPackage(AddPackageMode mode)
{
    AddPackageDialog dialog(program_, mainWindow_, mode);
    dialog.exec();
    if (!dialog.transferTarget().empty()) {
        WordTransferWindow transfer(program_, &mainWindow_, TransferMode::RemainingWords, {dialog.transferTarget(), {}});
        transfer.exec();
        mainWindow_.fillPackageListSelecting(QString::fromStdString(dialog.transferTarget()));
    }
    focusRunningTest();
}

void AppWindowRequests::openRenamePackage()
{
    if (mainWindow_.packageList()->currentItem() == nullptr) {
        return;  // nothing to rename
    }
    RenameDialog dialog(program_, mainWindow_, RenameDialog::Mode::Package);
    dialog.exec();
}

void AppWindowRequests::openGroupDialog()
{
    GroupDialog dialog(program_, mainWindow_);
    dialog.exec();
}

void AppWindowRequests::openWordTransfer()
{
    const QListWidgetItem* selected = mainWindow_.packageList()->currentItem();
    WordTransferWindow transfer(program_, &mainWindow_, TransferMode::Transfer,
                                {selected ? selected->text().toStdString() : std::string(), {}});
    transfer.exec();
    mainWindow_.updateWordCount();
}

void AppWindowRequests::openWordTransferForStore(std::function<void(QWidget* transferWindow)> beforeClosing)
{
    WordTransferWindow transfer(program_, &mainWindow_, TransferMode::OnlineStore, {{}, std::move(beforeClosing)});
    transfer.exec();
    mainWindow_.updateWordCount();
}

void AppWindowRequests::openOnlinePackagePreview()
{
    WordTransferWindow preview(program_, &mainWindow_, TransferMode::OnlinePreview);
    preview.exec();
}

void AppWindowRequests::focusRunningTest()
{
    if (TestRunWindow* test = mainWindow_.testWindow()) {
        test->answerField()->setFocus();
    }
}

}  // namespace lexivo
