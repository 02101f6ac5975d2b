#pragma once
// The rules a new group or package name must pass, in their order, each with its message.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/result.h"

namespace lexivo {

inline constexpr std::size_t kMaxGroupNameCharacters = 45;
inline constexpr std::size_t kMaxPackageNameCharacters = 250;
// The group table holds at most 49 names of at most 49 characters.
inline constexpr std::size_t kMaxGroups = 49;
inline constexpr std::size_t kMaxListedGroupNameCharacters = 49;
// A package is added only while the group holds at most 480, so a group holds at most 481.
inline constexpr std::size_t kMaxPackagesBeforeAdding = 480;

// Copying a package from another group is worded like creating one.
enum class PackageNameUse { Create, Rename };
enum class GroupNameUse { Create, Rename };

// The first failing rule's message for a new package name, or nothing when it may be used.
// `groupDirectory` is where the package would live (an existing entry there is a duplicate).
// The rules of a new package name that do not depend on what the group holds, in their order.
std::optional<Message> checkPackageNameForm(std::string_view name, PackageNameUse use);

std::optional<Message> checkPackageName(std::string_view name, PackageNameUse use,
                                        const std::filesystem::path& groupDirectory);

// The first failing rule's message for a new group name, or nothing when it may be used.
std::optional<Message> checkGroupName(std::string_view name, GroupNameUse use,
                                      const std::vector<std::string>& groupTable,
                                      const std::filesystem::path& dataRoot);

// Whether a name holds one of / \ : * ? " < > |, which no file name may hold.
bool hasForbiddenCharacter(std::string_view name);
// The refusal of such a package name; filing words a group name from the server the same way.
Message packageForbiddenCharacterMessage();

// The refusal of a new group while the group table is full.
Message tooManyGroupsMessage();

// Refuses another package when the group holds more than 480 already.
std::optional<Message> checkPackageCapacity(std::size_t packageCount);

// Whether a group or package name found on disk can be used: one plain path component with no
// control character, no "|" (the test pool's headings would split) and only characters the
// code page can store. Other names are skipped when listing, as the program could not store them.
bool isUsableListedName(std::string_view name);

// Compares letters A–Z and a–z alike and every other byte exactly.
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace lexivo
