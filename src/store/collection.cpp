#include "store/collection.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

#include "store/cp1250.h"
#include "store/file_io.h"
#include "store/package_selection.h"

namespace lexivo {
namespace fs = std::filesystem;

namespace {

// A name as the listings yield it: one path component that names no directory above it.
bool isPlainName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos;
}

Message noSuchNameMessage(std::string_view name)
{
    return errorMessage("„" + std::string(name) + "“ nelze najít.");
}

Message noGroupMessage() { return errorMessage("Není zavedena žádná skupina."); }

// Removes a directory, which must be empty, or a link in its place (as a link).
void removeDirectory(const fs::path& directory)
{
    makeDirectoryWritable(directory);
    std::error_code ignored;
    fs::remove(directory, ignored);
}

// Deletes every entry of a directory that is not itself a directory: files, and links of any
// kind as links, so nothing outside the directory is touched.
void removeFilesOf(const fs::path& directory)
{
    for (const DirectoryEntry& entry : listDirectory(directory)) {
        if (entry.isLink || entry.kind != EntryKind::Directory) {
            (void)removeFileIfPresent(directory / entry.name);
        }
    }
}

bool isLink(const fs::path& entry)
{
    std::error_code error;
    return fs::is_symlink(fs::symlink_status(entry, error));
}

// A group's working files are written and deleted in its Temporary directory. A link there
// would lead them outside the data root, so the link goes (its target stays as it is) and a
// directory of the group's own takes its place.
void replaceLinkedTemporary(const fs::path& temporary)
{
    if (isLink(temporary) && removeFileIfPresent(temporary).ok()) {
        std::error_code ignored;
        fs::create_directory(temporary, ignored);
    }
}

// What the operation did, followed by the stale selection's failure when `packs` stayed.
Status withSelectionForgotten(Status done, Status forgotten)
{
    if (!done.ok() || forgotten.ok()) {
        return done;
    }
    return errorMessage("Výběr balíčků pro příští test nebylo možno zapomenout: " + forgotten.message().text);
}

}  // namespace

bool caseInsensitiveOrder(std::string_view a, std::string_view b)
{
    auto lower = [](char c) { return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (lower(a[i]) != lower(b[i])) {
            return lower(a[i]) < lower(b[i]);
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    return a < b;  // names that differ only in case still have a fixed order
}

Collection::Collection(DataTree tree, NameOrder order) : tree_(std::move(tree)), order_(std::move(order)) {}

int Collection::listGroups()
{
    std::error_code error;
    fs::create_directories(tree_.dataRoot(), error);

    std::vector<std::string> names;
    for (DirectoryEntry& entry : listDirectory(tree_.dataRoot())) {
        // Only names that the configuration and the test files can store are groups; a
        // directory named like the no-group marker is not one, nor is a link, whose words would
        // be written outside the data root.
        if (entry.kind == EntryKind::Directory && !entry.isLink && characterCount(entry.name) <= kMaxListedGroupNameCharacters &&
            isUsableListedName(entry.name) && entry.name != kNoGroupMarker) {
            names.push_back(std::move(entry.name));
        }
    }
    std::sort(names.begin(), names.end(), order_);
    if (names.size() > kMaxGroups) {
        names.resize(kMaxGroups);
    }
    groupTable_ = std::move(names);
    for (const std::string& group : groupTable_) {
        replaceLinkedTemporary(tree_.temporaryDirectory(group));
    }

    if (groupTable_.empty()) {
        currentGroup_ = std::string(kNoGroupMarker);
    } else if (std::find(groupTable_.begin(), groupTable_.end(), currentGroup_) == groupTable_.end()) {
        currentGroup_ = groupTable_.front();
    }
    return static_cast<int>(groupTable_.size());
}

std::vector<std::string> Collection::listPackages() const
{
    std::vector<std::string> packages;
    if (!hasCurrentGroup()) {
        return packages;
    }
    for (DirectoryEntry& entry : listDirectory(tree_.groupDirectory(currentGroup_), MakeFilesWritable::Yes)) {
        // Only regular files (or links to them) are packages: a FIFO would block every read.
        if (entry.kind == EntryKind::RegularFile && entry.name != kPackageScratchName &&
            isUsableListedName(entry.name)) {
            packages.push_back(std::move(entry.name));
        }
    }
    std::sort(packages.begin(), packages.end(), order_);
    return packages;
}

std::optional<Message> Collection::checkPackageName(std::string_view name, PackageNameUse use) const
{
    if (!hasCurrentGroup()) {
        return noGroupMessage();
    }
    return lexivo::checkPackageName(name, use, tree_.groupDirectory(currentGroup_));
}

std::optional<Message> Collection::checkGroupName(std::string_view name, GroupNameUse use) const
{
    return lexivo::checkGroupName(name, use, groupTable_, tree_.dataRoot());
}

Status Collection::createGroup(std::string_view name)
{
    if (auto refused = checkGroupName(name, GroupNameUse::Create)) {
        return *refused;
    }
    std::error_code error;
    fs::create_directories(tree_.dataRoot(), error);
    if (!fs::create_directory(tree_.groupDirectory(name), error) || error) {
        return errorMessage("Skupinu „" + std::string(name) + "“ nebylo možno vytvořit (" +
                            systemErrorText(error ? error.value() : EEXIST) + ").");
    }
    fs::create_directory(tree_.temporaryDirectory(name), error);
    currentGroup_ = std::string(name);
    listGroups();
    return Status::success();
}

Status Collection::chooseGroup(std::string_view name)
{
    if (!isPlainName(name) || std::find(groupTable_.begin(), groupTable_.end(), name) == groupTable_.end()) {
        return noSuchNameMessage(name);
    }
    currentGroup_ = std::string(name);
    replaceLinkedTemporary(tree_.temporaryDirectory(name));
    std::error_code ignored;
    fs::create_directory(tree_.temporaryDirectory(name), ignored);
    return Status::success();
}

Status Collection::renameCurrentGroup(std::string_view name)
{
    if (!hasCurrentGroup()) {
        return noGroupMessage();
    }
    if (auto refused = checkGroupName(name, GroupNameUse::Rename)) {
        return *refused;
    }
    if (!renameWithoutReplacing(tree_.groupDirectory(currentGroup_), tree_.groupDirectory(name))) {
        return errorMessage("Chyba číslo -1.");
    }
    currentGroup_ = std::string(name);
    listGroups();
    return Status::success();
}

Status Collection::deleteGroup(std::string_view name)
{
    if (!isPlainName(name)) {
        return noSuchNameMessage(name);
    }
    const fs::path group = tree_.groupDirectory(name);
    // A group that is a link goes as a link: the directory it points to is not the group's.
    if (!isLink(group)) {
        removeFilesOf(group);
        const fs::path temporary = tree_.temporaryDirectory(name);
        if (!isLink(temporary)) {
            makeDirectoryWritable(temporary);
            removeFilesOf(temporary);
        }
        removeDirectory(temporary);
    }
    removeDirectory(group);

    std::error_code error;
    Status result = Status::success();
    if (fs::exists(fs::symlink_status(group, error))) {
        result = errorMessage(
            "Při mazání došlo k chybě, zavřete všechny ostatní programy a akci zopakujte, pokud toto problém "
            "nevyřeší, zkuste skupinu smazat po příštím startu systému.");
    }
    currentGroup_ = std::string(kNoGroupMarker);
    listGroups();
    return result;
}

Status Collection::createPackage(std::string_view name)
{
    if (!hasCurrentGroup()) {
        return noGroupMessage();
    }
    if (auto full = checkPackageCapacity(listPackages().size())) {
        return *full;
    }
    if (auto refused = checkPackageName(name, PackageNameUse::Create)) {
        return *refused;
    }
    Status created = createEmptyFile(tree_.packageFile(currentGroup_, name));
    return withSelectionForgotten(std::move(created), forgetTestSelection());
}

Status Collection::copyPackageFromGroup(std::string_view sourceGroup, std::string_view sourcePackage,
                                        std::string_view newName)
{
    if (!hasCurrentGroup()) {
        return noGroupMessage();
    }
    if (!isPlainName(sourceGroup) || !isPlainName(sourcePackage)) {
        return noSuchNameMessage(sourcePackage);
    }
    if (auto full = checkPackageCapacity(listPackages().size())) {
        return *full;
    }
    if (auto refused = checkPackageName(newName, PackageNameUse::Create)) {
        return *refused;
    }
    const auto bytes = readFileBytes(tree_.packageFile(sourceGroup, sourcePackage));
    if (!bytes) {
        return bytes.message();
    }
    Status copied = writeFileAtomically(tree_.packageFile(currentGroup_, newName),
                                        tree_.packageFile(currentGroup_, kPackageScratchName), *bytes);
    return withSelectionForgotten(std::move(copied), forgetTestSelection());
}

Status Collection::renamePackage(std::string_view oldName, std::string_view newName)
{
    if (!hasCurrentGroup()) {
        return noGroupMessage();
    }
    if (!isPlainName(oldName)) {
        return noSuchNameMessage(oldName);
    }
    if (auto refused = checkPackageName(newName, PackageNameUse::Rename)) {
        return *refused;
    }
    Status renamed = renameWithoutReplacing(tree_.packageFile(currentGroup_, oldName),
                                            tree_.packageFile(currentGroup_, newName));
    return withSelectionForgotten(std::move(renamed), forgetTestSelection());
}

Status Collection::deletePackage(std::string_view name)
{
    if (!hasCurrentGroup()) {
        return noGroupMessage();
    }
    if (!isPlainName(name)) {
        return noSuchNameMessage(name);
    }
    const fs::path file = tree_.packageFile(currentGroup_, name);
    (void)removeFileIfPresent(file);
    Status result = Status::success();
    if (entryExists(file)) {
        result = errorMessage("Soubor z nějakého důvodu nebylo možno smazat.");
    }
    // Whether or not the file went, the positions of the selection may have changed.
    return withSelectionForgotten(std::move(result), forgetTestSelection());
}

Status Collection::forgetTestSelection() const
{
    return hasCurrentGroup() ? lexivo::forgetTestSelection(tree_, currentGroup_) : Status::success();
}

}  // namespace lexivo
