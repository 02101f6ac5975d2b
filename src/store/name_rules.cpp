#include "store/name_rules.h"

#include <algorithm>
#include <system_error>

#include "store/cp1250.h"
#include "store/data_tree.h"
#include "store/file_io.h"

namespace lexivo {
namespace {

constexpr std::string_view kForbiddenCharacters = "/\\:*?\"<>|";
// The longest file name the file system takes, in bytes of UTF-8.
constexpr std::size_t kMaxFileNameBytes = 255;

Message forbiddenCharacterMessage(std::string_view subject)
{
    return errorMessage(std::string(subject) + " nesmí obsahovat žádný z těchto znaků: / \\ : " + "\"" +
                        " * ? < > |");
}

// C0 controls, DEL, and the C1 controls (U+0080 to U+009F, two bytes in UTF-8).
bool hasControlCharacter(std::string_view name)
{
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto byte = static_cast<unsigned char>(name[i]);
        const bool c1 = byte == 0xC2 && i + 1 < name.size() && static_cast<unsigned char>(name[i + 1]) <= 0x9F;
        if (byte < 0x20 || byte == 0x7F || c1) {
            return true;
        }
    }
    return false;
}

// A character that cannot be part of a name: a control character, or one the code page
// cannot store (names are written into the configuration and the test files).
std::optional<Message> unstorableCharacter(std::string_view name)
{
    if (hasControlCharacter(name)) {
        return errorMessage("Jméno nesmí obsahovat řídicí znaky.");
    }
    if (const std::string character = firstUnstorableCharacter(name); !character.empty()) {
        return unstorableCharacterMessage(character);
    }
    return std::nullopt;
}

bool tooLong(std::string_view name, std::size_t maxCharacters)
{
    return characterCount(name) > maxCharacters || name.size() > kMaxFileNameBytes;
}

// "." and ".." would name the data root or the program directory.
bool isReservedGroupName(std::string_view name)
{
    return name == kNoGroupMarker || name == "." || name == "..";
}

}  // namespace

bool hasForbiddenCharacter(std::string_view name)
{
    return name.find_first_of(kForbiddenCharacters) != std::string_view::npos;
}

Message packageForbiddenCharacterMessage() { return forbiddenCharacterMessage("Jméno balíčku"); }

bool isUsableListedName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/|") == std::string_view::npos &&
           !hasControlCharacter(name) && firstUnstorableCharacter(name).empty();
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::optional<Message> checkPackageNameForm(std::string_view name, PackageNameUse use)
{
    const bool creating = use == PackageNameUse::Create;
    if (tooLong(name, kMaxPackageNameCharacters)) {
        return errorMessage(creating ? "Jméno je moc dlouhé." : "Nové jméno je moc dlouhé.");
    }
    if (name.empty()) {
        return errorMessage(creating ? "Musíte napsat jméno nového balíčku." : "Musíte napsat nové jméno balíčku.");
    }
    if (equalsIgnoringAsciiCase(name, kTemporaryName) || equalsIgnoringAsciiCase(name, kPackageScratchName)) {
        return errorMessage("Toto jméno není přípustné.");
    }
    if (name.front() >= '0' && name.front() <= '9') {
        return errorMessage(creating ? "První znak jména nesmí být číslo." : "První znak jména balíčku nesmí být číslo.");
    }
    if (hasForbiddenCharacter(name)) {
        return packageForbiddenCharacterMessage();
    }
    if (auto unstorable = unstorableCharacter(name)) {
        return unstorable;
    }
    return std::nullopt;
}

std::optional<Message> checkPackageName(std::string_view name, PackageNameUse use,
                                        const std::filesystem::path& groupDirectory)
{
    if (auto refused = checkPackageNameForm(name, use)) {
        return refused;
    }
    // "." and ".." exist in every directory, so they are refused here too.
    if (entryExists(groupDirectory / name)) {
        return errorMessage(use == PackageNameUse::Create ? "Balíček s tímto jménem již máte."
                                                          : "Balíček s tímto jménem už máte.");
    }
    return std::nullopt;
}

std::optional<Message> checkGroupName(std::string_view name, GroupNameUse use,
                                      const std::vector<std::string>& groupTable,
                                      const std::filesystem::path& dataRoot)
{
    if (use == GroupNameUse::Create) {
        if (isReservedGroupName(name)) {
            return errorMessage("Toto jméno skupiny není přípustné.");
        }
        if (tooLong(name, kMaxGroupNameCharacters)) {
            return errorMessage("Jméno skupiny je příliš dlouhé. Zadejte kratší.");
        }
        if (name.empty()) {
            return errorMessage("Musíte zadat jméno nové skupiny.", MessageIcon::Exclamation);
        }
        if (hasForbiddenCharacter(name)) {
            return forbiddenCharacterMessage("Jméno skupiny");
        }
        if (auto unstorable = unstorableCharacter(name)) {
            return unstorable;
        }
        // One scan: a duplicate is reported before the count is looked at.
        const bool duplicate = std::any_of(groupTable.begin(), groupTable.end(), [&](const std::string& group) {
            return equalsIgnoringAsciiCase(group, name);
        });
        if (duplicate) {
            return errorMessage("Skupina s tímto jménem již existuje.");
        }
        if (groupTable.size() >= kMaxGroups) {
            return tooManyGroupsMessage();
        }
        return std::nullopt;
    }

    if (name.empty()) {
        return errorMessage("Musíte napsat nové jméno skupiny.");
    }
    if (tooLong(name, kMaxGroupNameCharacters)) {
        return errorMessage("Nové jméno je příliš dlouhé. Zadejte kratší.");
    }
    if (isReservedGroupName(name)) {
        return errorMessage("Toto jméno není přípustné. Zadejte jiné.");
    }
    if (hasForbiddenCharacter(name)) {
        return forbiddenCharacterMessage("Jméno skupiny");
    }
    if (auto unstorable = unstorableCharacter(name)) {
        return unstorable;
    }
    if (entryExists(dataRoot / name)) {
        return errorMessage("Skupina s tímto názvem již existuje.");
    }
    return std::nullopt;
}

Message tooManyGroupsMessage()
{
    return errorMessage(
        "Je zavedeno příliš mnoho skupin. Budete muset některé z nich smazat, pokud chcete vytvořit novou.");
}

std::optional<Message> checkPackageCapacity(std::size_t packageCount)
{
    if (packageCount > kMaxPackagesBeforeAdding) {
        return errorMessage("Další balíček nelze přidat. Máte jich už prostě moc. Budete muset některý z "
                            "existujících smazat, pokud chcete vytvořit nový");
    }
    return std::nullopt;
}

}  // namespace lexivo
