#include "app/group_dialog.h"

#include <QComboBox>
#include <QLineEdit>

#include "app/collection_decisions.h"
#include "app/main_window.h"
#include "app/rename_dialog.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/group_dialog.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"

namespace lexivo {
namespace {

namespace control = group_dialog_control;

constexpr int kWidth = 350;
constexpr int kHeight = 400;
// A group name is typed into a field that yields at most 49 characters.
constexpr int kNameFieldLength = 49;

QString qt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

GroupDialog::GroupDialog(Program& program, MainWindow& mainWindow)
    : FramedDialog(program, &mainWindow, centredCorner(program, kWidth, kHeight / 2), QSize(kWidth, kHeight)),
      mainWindow_(mainWindow)
{
    createControls();
    program_.collection.listGroups();
    refresh(MainWindowRefresh::Refresh);
    attachControlBehaviour(this, WindowKind::Group);
    // Enter in the list closes the dialog; without a group only a new name can be typed.
    if (program_.collection.groupsPresent()) {
        groups_->setFocus();
    } else {
        newName_->setFocus();
    }
}

void GroupDialog::createControls()
{
    auto* heading = addStatic(this, control::Heading, "Skupiny balíčků", QRect(0, 0, kWidth, 50), cellFont(kArial, 40));
    heading->setAlignment(Qt::AlignCenter);
    const QFont labelFont = cellFont(kTahoma, 20);
    // Each label keeps a few pixels free before whatever stands to its right.
    auto label = [&](int id, const QString& text, QRect place) {
        addStatic(this, id, text, place, fittedFont(labelFont, text, place.width() - 10));
    };
    label(control::ChosenGroupLabel, "Vybraná skupina:", QRect(10, 75, 125, 20));
    label(control::NoGroup, "--- žádná není zavedena ---", QRect(130, 75, 200, 20));
    label(control::NewGroupLabel, "Nová skupina:", QRect(10, 200, 110, 20));

    const ColourScheme& scheme = program_.scheme();
    const QColor field = toQColor(scheme.editColour);
    const QColor text = toQColor(fixed_colour::kControlText);
    groups_ = new QComboBox(this);
    setControlId(groups_, control::GroupList);
    groups_->setGeometry(135, 75, 195, 22);
    groups_->setFont(templateFont());
    setFieldColours(groups_, field, text, field, text);
    connect(groups_, &QComboBox::activated, this, &GroupDialog::chooseGroup);

    newName_ = new QLineEdit(this);
    setControlId(newName_, control::NewGroupName);
    newName_->setGeometry(130, 200, 200, 22);
    newName_->setFont(templateFont());
    newName_->setMaxLength(kNameFieldLength);
    setFieldColours(newName_, field, text, field, text);

    auto button = [&](int id, const QString& caption, QRect place, void (GroupDialog::*action)()) {
        auto* made = new OwnerDrawnButton(program_, WindowKind::Group, id, caption, this);
        made->setGeometry(place);
        connect(made, &QPushButton::clicked, this, action);
    };
    button(control::RenameGroup, "Přejmenovat", QRect(60, 115, 115, 30), &GroupDialog::renameGroup);
    button(control::DeleteGroup, "Smazat", QRect(190, 115, 115, 30), &GroupDialog::deleteGroup);
    button(control::AddGroup, "Přidat skupinu", QRect(100, 240, 150, 30), &GroupDialog::addGroup);
    button(control::Ok, "OK", QRect(115, 330, 120, 50), &QDialog::accept);
}

void GroupDialog::refresh(MainWindowRefresh mainWindow)
{
    const Collection& collection = program_.collection;
    {
        const QSignalBlocker quiet(groups_);
        groups_->clear();
        for (const std::string& group : collection.groupTable()) {
            groups_->addItem(qt(group));
        }
        if (!collection.hasCurrentGroup()) {
            groups_->addItem(qt(kNoGroupMarker));
        }
        groups_->setCurrentIndex(groups_->findText(qt(collection.currentGroup()), Qt::MatchExactly));
    }
    widenListToEntries(groups_);
    const bool groupsPresent = collection.groupsPresent();
    for (int id : {control::GroupList, control::RenameGroup, control::DeleteGroup}) {
        findControl(this, id)->setVisible(groupsPresent);
    }
    findControl(this, control::NoGroup)->setVisible(!groupsPresent);
    // The title, and the prohibition signs of the group-dependent buttons.
    mainWindow_.update();
    if (mainWindow == MainWindowRefresh::Refresh) {
        mainWindow_.refreshMainWindow();
    }
}

void GroupDialog::chooseGroup(int index)
{
    const std::string chosen = groups_->itemText(index).toStdString();
    if (chosen == program_.collection.currentGroup()) {
        return;
    }
    if (Status chose = program_.collection.chooseGroup(chosen); !chose) {
        program_.dialogs.showMessage(this, chose.message());
        program_.collection.listGroups();
    }
    refresh(MainWindowRefresh::Refresh);
}

void GroupDialog::addGroup()
{
    const GroupAddOutcome outcome = lexivo::addGroup(program_.collection, newName_->text().toStdString());
    if (!outcome.added()) {
        program_.dialogs.showMessage(this, *outcome.message);
        if (outcome.focus == GroupDialogFocus::GroupList) {
            groups_->setFocus();
        } else {
            newName_->selectAll();
            newName_->setFocus();
        }
        return;
    }
    newName_->clear();
    refresh(MainWindowRefresh::Refresh);
}

void GroupDialog::deleteGroup()
{
    const Message question{"Určitě chcete tuto skupinu odstranit? Bude smazáno všechno včetně jejího nastavení a "
                           "balíčků, které obsahuje.",
                           MessageIcon::Exclamation, "Potvrzení"};
    if (!program_.dialogs.askYesNo(this, question)) {
        return;
    }
    if (Status deleted = program_.collection.deleteGroup(groups_->currentText().toStdString()); !deleted) {
        program_.dialogs.showMessage(this, deleted.message());
    }
    refresh(MainWindowRefresh::Refresh);
}

void GroupDialog::renameGroup()
{
    RenameDialog rename(program_, mainWindow_, RenameDialog::Mode::Group, this);
    if (rename.exec() == QDialog::Accepted) {
        refresh(MainWindowRefresh::Refresh);
    }
}

}  // namespace lexivo
