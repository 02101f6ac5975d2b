#include "app/collection_decisions.h"

#include <algorithm>

#include "store/file_io.h"
#include "store/name_rules.h"

namespace lexivo {

GroupAddOutcome addGroup(Collection& collection, std::string_view name)
{
    Status created = collection.createGroup(name);
    if (created) {
        return {};
    }
    // With the table full the user has to delete a group first: the focus goes to the list.
    const bool full = created.message() == tooManyGroupsMessage();
    return {created.message(), full ? GroupDialogFocus::GroupList : GroupDialogFocus::NewGroupName};
}

std::vector<std::string> sourceGroups(const Collection& collection, AddPackageMode mode)
{
    if (mode == AddPackageMode::SaveRemainingWords) {
        return {collection.currentGroup()};
    }
    std::vector<std::string> groups;
    for (const std::string& group : collection.groupTable()) {
        if (group != collection.currentGroup()) {
            groups.push_back(group);
        }
    }
    return groups;
}

std::vector<std::string> groupPackages(const Collection& collection, std::string_view group)
{
    const auto& table = collection.groupTable();
    // Only a listed group: no other name may reach the file system.
    if (std::find(table.begin(), table.end(), group) == table.end()) {
        return {};
    }
    Collection other = collection;
    other.setCurrentGroup(std::string(group));
    return other.listPackages();
}

std::optional<Message> takeOverRefusal(AddPackageMode mode, std::size_t sourceGroupCount)
{
    if (mode == AddPackageMode::AddPackage && sourceGroupCount == 0) {
        return errorMessage("Žádná další skupina neexistuje, není tedy odkud přejímat.");
    }
    return std::nullopt;
}

namespace {

AddPackageOutcome refused(Message message, std::optional<AddPackageField> focus)
{
    return {std::move(message), AfterAddPackage::StayOpen, focus, {}};
}

// The words go into a package of the current group that already exists.
AddPackageOutcome chooseExistingTarget(Collection& collection, const AddPackageForm& form)
{
    const std::vector<std::string> packages = collection.listPackages();
    if (std::find(packages.begin(), packages.end(), form.sourcePackage) == packages.end()) {
        return refused(errorMessage("Ve skupině není žádný balíček, do kterého by bylo možno slovíčka přidat. "
                                    "Vytvořte nový balíček."),
                       std::nullopt);
    }
    AddPackageOutcome outcome{std::nullopt, AfterAddPackage::OpenTransfer, std::nullopt, form.sourcePackage};
    if (Status forgotten = collection.forgetTestSelection(); !forgotten) {
        outcome.message = forgotten.message();
    }
    return outcome;
}

}  // namespace

AddPackageOutcome confirmAddPackage(Collection& collection, const AddPackageForm& form)
{
    // An import may go into a package that exists: its preview checks the name.
    if (form.option == AddPackageOption::ImportFromFile && form.mode == AddPackageMode::AddPackage) {
        return {std::nullopt, AfterAddPackage::ChooseImportFile, std::nullopt, {}};
    }
    const bool copying = form.option == AddPackageOption::TakeOver;
    if (copying && form.mode == AddPackageMode::SaveRemainingWords) {
        return chooseExistingTarget(collection, form);
    }
    if (copying && form.sourcePackage.empty()) {
        return refused(errorMessage("Tato skupina neobsahuje žádné balíčky, nelze z ní tedy žádné přejmout."), std::nullopt);
    }
    const AddPackageField field = copying ? AddPackageField::CopyName : AddPackageField::NewName;
    const std::string& name = copying ? form.copyName : form.newName;
    // A full group ends the dialog: no other name would help.
    if (auto full = checkPackageCapacity(collection.listPackages().size())) {
        return {*full, AfterAddPackage::Close, std::nullopt, {}};
    }
    if (auto wrongName = collection.checkPackageName(name, PackageNameUse::Create)) {
        return refused(*wrongName, field);
    }
    Status made = copying ? collection.copyPackageFromGroup(form.sourceGroup, form.sourcePackage, name)
                          : collection.createPackage(name);
    const bool exists = entryExists(collection.tree().packageFile(collection.currentGroup(), name));
    if (!made && !exists) {
        return refused(made.message(), field);
    }
    // Made, though the stale test selection may have stayed: that is said, and the package stands.
    const AfterAddPackage next =
        form.mode == AddPackageMode::SaveRemainingWords ? AfterAddPackage::OpenTransfer : AfterAddPackage::Close;
    return {made ? std::nullopt : std::optional<Message>(made.message()), next, std::nullopt, name};
}

}  // namespace lexivo
