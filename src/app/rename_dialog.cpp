#include "app/rename_dialog.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include "app/main_window.h"
#include "store/file_io.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/rename_dialog.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"

namespace lexivo {
namespace {

namespace control = rename_dialog_control;

constexpr int kWidth = 400;
constexpr int kHeight = 150;
// The longest names the fields yield: package names are cut at 255 characters, group names at 49.
constexpr int kPackageFieldLength = 255;
constexpr int kGroupFieldLength = 49;

}  // namespace

RenameDialog::RenameDialog(Program& program, MainWindow& mainWindow, Mode mode, QWidget* owner)
    : FramedDialog(program, &mainWindow, centredCorner(program, kWidth, kHeight / 2), QSize(kWidth, kHeight)),
      mainWindow_(mainWindow),
      mode_(mode)
{
    if (owner != nullptr && owner != &mainWindow) {
        setParent(owner, windowFlags());  // stays above the group dialog
        moveOverMainWindow(centredCorner(program, kWidth, kHeight / 2));
    }
    const bool package = mode == Mode::Package;
    if (package) {
        const QListWidgetItem* selected = mainWindow.packageList()->currentItem();
        oldName_ = selected ? selected->text() : QString();
    } else {
        oldName_ = QString::fromStdString(program.collection.currentGroup());
    }
    const QString caption = package ? "Nové jméno balíčku:" : "Nové jméno skupiny:";
    addStatic(this, control::Label, caption, QRect(20, 30, 170, 20), fittedFont(cellFont(kTahoma, 20), caption, 170));

    newName_ = new QLineEdit(oldName_, this);
    setControlId(newName_, control::NewName);
    newName_->setGeometry(200, 30, 170, 22);
    newName_->setFont(templateFont());
    newName_->setMaxLength(package ? kPackageFieldLength : kGroupFieldLength);
    const QColor field = toQColor(program.scheme().editColour);
    const QColor text = toQColor(fixed_colour::kControlText);
    setFieldColours(newName_, field, text, field, text);

    auto* ok = new OwnerDrawnButton(program, WindowKind::Rename, control::Ok, "OK", this);
    ok->setGeometry(150, 80, 100, 40);
    connect(ok, &QPushButton::clicked, this, &RenameDialog::confirm);
    auto* cancel = new OwnerDrawnButton(program, WindowKind::Rename, control::Cancel, "Storno", this);
    cancel->setGeometry(295, 87, 60, 25);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    newName_->selectAll();
    newName_->setFocus();
    attachControlBehaviour(this, WindowKind::Rename, [this] {
        QuickHelpState state;
        state.renameTarget = mode_ == Mode::Package ? RenameTarget::Package : RenameTarget::Group;
        return state;
    });
}

void RenameDialog::confirm()
{
    const std::string newName = newName_->text().toStdString();
    Collection& collection = program_.collection;
    Status renamed = mode_ == Mode::Package ? collection.renamePackage(oldName_.toStdString(), newName)
                                            : collection.renameCurrentGroup(newName);
    if (!renamed) {
        program_.dialogs.showMessage(this, renamed.message());
        // A package renamed whose stale test selection stayed: said, and renamed all the same.
        const auto file = [&](const std::string& name) { return program_.tree.packageFile(collection.currentGroup(), name); };
        const bool renamedAnyway = mode_ == Mode::Package && !newName.empty() && entryExists(file(newName)) &&
                                   !entryExists(file(oldName_.toStdString()));
        if (!renamedAnyway) {
            newName_->selectAll();
            newName_->setFocus();
            return;
        }
    }
    if (mode_ == Mode::Package) {
        mainWindow_.fillPackageListSelecting(newName_->text());
    }
    accept();
}

void RenameDialog::keyPressEvent(QKeyEvent* event)
{
    // Enter confirms the new name and Esc leaves the old one, wherever the focus is.
    if (event->key() == Qt::Key_Escape) {
        reject();
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        confirm();
    } else {
        FramedDialog::keyPressEvent(event);
    }
}

}  // namespace lexivo
