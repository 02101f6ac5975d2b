#pragma once
// What the group dialog and the add-package dialog decide: which groups and packages they
// offer, what a confirmed name does to the collection, which message follows, and where the
// focus goes after a refusal. Qt-free: the dialogs ask and show.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/collection.h"
#include "store/result.h"

namespace lexivo {

// The group dialog's field that gets the focus after a refused new group.
enum class GroupDialogFocus { NewGroupName, GroupList };

struct [[nodiscard]] GroupAddOutcome {
    std::optional<Message> message;  // the refusal, or a failure to create the group
    GroupDialogFocus focus = GroupDialogFocus::NewGroupName;
    bool added() const { return !message.has_value(); }
};

// Creates the group named in the group dialog; it becomes the current group.
GroupAddOutcome addGroup(Collection& collection, std::string_view name);

// The add-package dialog adds a package to the current group, or, opened from a running test,
// chooses the package that receives the test's remaining words.
enum class AddPackageMode { AddPackage, SaveRemainingWords };
enum class AddPackageOption { CreateNew, TakeOver, ImportFromFile };
enum class AddPackageField { NewName, CopyName };

struct AddPackageForm {
    AddPackageMode mode = AddPackageMode::AddPackage;
    AddPackageOption option = AddPackageOption::CreateNew;
    std::string newName;        // option 1
    std::string sourceGroup;    // option 2
    std::string sourcePackage;  // option 2; empty when the source group has none
    std::string copyName;       // option 2, outside the save-remaining mode
};

// ChooseImportFile: the desktop's file chooser, then the import preview, decide the rest.
enum class AfterAddPackage { StayOpen, Close, OpenTransfer, ChooseImportFile };

struct [[nodiscard]] AddPackageOutcome {
    std::optional<Message> message;
    AfterAddPackage next = AfterAddPackage::StayOpen;
    std::optional<AddPackageField> focus;  // its text is selected and it gets the focus
    std::string package;                   // the package made or chosen; selected in the main window
};

// The groups the source group box offers: every other group, or in the save-remaining mode the
// current group alone.
std::vector<std::string> sourceGroups(const Collection& collection, AddPackageMode mode);
// The packages of a group, in list order.
std::vector<std::string> groupPackages(const Collection& collection, std::string_view group);
// Option 2 needs another group to take a package from.
std::optional<Message> takeOverRefusal(AddPackageMode mode, std::size_t sourceGroupCount);

AddPackageOutcome confirmAddPackage(Collection& collection, const AddPackageForm& form);

}  // namespace lexivo
