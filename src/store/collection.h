#pragma once
// Groups (directories of the data root) and packages (files of a group directory): listing
// them, fixing the current group, and creating, renaming, copying and deleting them.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/data_tree.h"
#include "store/name_rules.h"
#include "store/result.h"

namespace lexivo {

// Strict "comes before" on names: the order of every package list. The windows hand in the
// user's locale collation; the core's own default compares ignoring the case of ASCII letters.
using NameOrder = std::function<bool(std::string_view, std::string_view)>;
bool caseInsensitiveOrder(std::string_view a, std::string_view b);

class Collection {
public:
    explicit Collection(DataTree tree, NameOrder order = caseInsensitiveOrder);

    const DataTree& tree() const { return tree_; }

    // The group in use, or the no-group marker.
    const std::string& currentGroup() const { return currentGroup_; }
    bool hasCurrentGroup() const { return currentGroup_ != kNoGroupMarker; }
    // Takes the group named by the configuration at start-up; the next listing checks it.
    void setCurrentGroup(std::string group) { currentGroup_ = std::move(group); }
    // The groups found by the last listing, at most 49.
    const std::vector<std::string>& groupTable() const { return groupTable_; }
    bool groupsPresent() const { return !groupTable_.empty(); }

    // Rebuilds the group table (creating the data root when missing) and fixes the current
    // group: the first group when the current one is not listed, the no-group marker when
    // there is no group. Returns the number of groups.
    int listGroups();
    // The packages of the current group in list order. Makes every package file writable.
    std::vector<std::string> listPackages() const;

    Status createGroup(std::string_view name);
    Status chooseGroup(std::string_view name);
    Status renameCurrentGroup(std::string_view name);
    // Deletes the group's packages and working files, then the group; the first remaining
    // group becomes current.
    Status deleteGroup(std::string_view name);

    Status createPackage(std::string_view name);
    Status copyPackageFromGroup(std::string_view sourceGroup, std::string_view sourcePackage,
                                std::string_view newName);
    Status renamePackage(std::string_view oldName, std::string_view newName);
    Status deletePackage(std::string_view name);

    std::optional<Message> checkPackageName(std::string_view name, PackageNameUse use) const;
    std::optional<Message> checkGroupName(std::string_view name, GroupNameUse use) const;

    // Forgets the packages chosen for the last test in the current group.
    Status forgetTestSelection() const;

private:
    DataTree tree_;
    NameOrder order_;
    std::string currentGroup_{kNoGroupMarker};
    std::vector<std::string> groupTable_;
};

}  // namespace lexivo
