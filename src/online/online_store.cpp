#include "online/online_store.h"

#include <algorithm>
#include <system_error>

#include "online/download_files.h"
#include "store/cp1250.h"
#include "store/file_io.h"

namespace lexivo {
namespace fs = std::filesystem;

namespace {

bool hasControlCharacter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

// The code points of UTF-8 text; a malformed byte stands for itself.
std::u32string codePoints(std::string_view utf8)
{
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 1;
        char32_t value = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length && i + static_cast<std::size_t>(k) < utf8.size(); ++k) {
            value = (value << 6) | (static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]) & 0x3F);
        }
        out += value;
        i += static_cast<std::size_t>(length);
    }
    return out;
}

// Lower case for the letters of Latin-1 and Latin Extended-A, which hold every Czech letter.
char32_t lowerCase(char32_t c)
{
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) {
        return c + 0x20;
    }
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) {
        return c | 1;  // upper case even, lower case odd
    }
    if (((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) && c % 2 == 1) {
        return c + 1;  // upper case odd, lower case even
    }
    return c;
}

// The lines of a file without their line ends; empty lines are left out.
std::vector<std::string_view> nonEmptyLines(std::string_view bytes)
{
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        std::string_view line = bytes.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            lines.push_back(line);
        }
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
    }
    return lines;
}

ServerRequest storeRequest(const ServerAddress& address, int typ, std::string name, std::string password)
{
    return ServerRequest{scriptUrl(address, kStoreScript), typ, {}, std::move(name), std::move(password)};
}

}  // namespace

std::optional<Message> checkStoreGroup(const Collection& collection)
{
    if (!collection.hasCurrentGroup()) {
        return errorMessage("Nejprve prosím vytvořte skupinu balíčků.");
    }
    if (collection.listPackages().empty()) {
        return errorMessage("Nejprve prosím vytvořte alespoň jeden balíček.");
    }
    return std::nullopt;
}

std::optional<LoginRefusal> checkLogin(std::string_view name, std::string_view password)
{
    const bool nameTooLong = characterCount(name) > kMaxLoginCharacters;
    if (nameTooLong || characterCount(password) > kMaxLoginCharacters) {
        return LoginRefusal{errorMessage("Jeden z řetězců je příliš dlouhý."),
                            nameTooLong ? LoginField::Name : LoginField::Password};
    }
    if (name.empty() || password.empty()) {
        return LoginRefusal{errorMessage("Musíte zadat své uživatelské jméno a heslo."),
                            name.empty() ? LoginField::Name : LoginField::Password};
    }
    const auto markerIn = [](std::string_view text) { return text.find_first_of("#|") != std::string_view::npos; };
    if (markerIn(name) || markerIn(password)) {
        return LoginRefusal{errorMessage("Ani jeden z řetězců nesmí obsahovat znaky # a |."),
                            markerIn(name) ? LoginField::Name : LoginField::Password};
    }
    // A control character would break the line of `users`; a character the code page cannot
    // hold cannot be sent.
    for (const auto& [text, field] : {std::pair{name, LoginField::Name}, std::pair{password, LoginField::Password}}) {
        if (hasControlCharacter(text)) {
            return LoginRefusal{errorMessage("Ani jeden z řetězců nesmí obsahovat řídicí znaky."), field};
        }
        if (const std::string character = firstUnstorableCharacter(text); !character.empty()) {
            return LoginRefusal{unstorableCharacterMessage(character), field};
        }
    }
    return std::nullopt;
}

ServerRequest storeDownloadRequest(const ServerAddress& address, std::string name, std::string password)
{
    return storeRequest(address, 1, std::move(name), std::move(password));
}

ServerRequest storeClearRequest(const ServerAddress& address, std::string name, std::string password)
{
    return storeRequest(address, 2, std::move(name), std::move(password));
}

std::string storeReplyLines(std::string_view body)
{
    std::string lines(body.substr(std::min<std::size_t>(1, body.size())));
    std::replace(lines.begin(), lines.end(), '~', '\n');
    return withCrLf(lines);
}

Status saveStoreDownload(const DataTree& tree, std::string_view group, std::string_view body)
{
    const Message failed = errorMessage("Došlo k chybě při ukládání Zásobníku.");
    if (group == kNoGroupMarker) {
        return failed;
    }
    std::error_code ignored;
    fs::create_directory(tree.temporaryDirectory(group), ignored);
    const fs::path file = tree.temporaryFile(group, kStoreFileName);
    fs::path scratch = file;
    scratch += ".part";
    if (!writeThroughScratch(file, scratch, storeReplyLines(body))) {
        return failed;
    }
    return Status::success();
}

// The names in `users`; none when it is missing, a refusal when it is there but cannot be read.
static Result<std::vector<std::string>> userNames(const DataTree& tree)
{
    const fs::path file = tree.programFile(kUsersFileName);
    const auto bytes = readFileBytes(file);
    if (!bytes) {
        return entryExists(file) ? Result<std::vector<std::string>>(bytes.message()) : std::vector<std::string>{};
    }
    std::vector<std::string> names;
    for (std::string_view line : nonEmptyLines(*bytes)) {
        names.push_back(decodeCp1250(line));
    }
    return names;
}

std::vector<std::string> readUserNames(const DataTree& tree)
{
    const auto names = userNames(tree);
    return names ? names.value() : std::vector<std::string>{};
}

Status rememberUserName(const DataTree& tree, std::string_view name)
{
    const Result<std::string> encodedName = encodeCp1250(name);
    if (!encodedName) {
        return encodedName.message();
    }
    // Names that cannot be read are not overwritten: the list stays as it is.
    const auto listed = userNames(tree);
    if (!listed) {
        return listed.message();
    }
    std::string bytes;
    for (const std::string& known : listed.value()) {
        if (!equalsIgnoringCase(known, name)) {
            bytes += encodeCp1250(known).value();  // read from Windows-1250, so it goes back
            bytes += "\r\n";
        }
    }
    bytes += encodedName.value() + "\r\n";
    return writeThroughScratch(tree.programFile(kUsersFileName), tree.programFile(kUsersScratchName), bytes);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    const std::u32string left = codePoints(a);
    const std::u32string right = codePoints(b);
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](char32_t x, char32_t y) { return lowerCase(x) == lowerCase(y); });
}

Message storeQuestion()
{
    return Message{"Program se nyní připojí k webu Brindle a stáhne Váš online Zásobník.\nPřejete si pokračovat?",
                   MessageIcon::Exclamation, "Dotaz"};
}

Message clearStoreQuestion()
{
    return Message{"Chcete nyní vymazat obsah Vašeho Zásobníku na webu Brindle?", MessageIcon::Exclamation, "Dotaz"};
}

Message storeClearedMessage(std::string_view body)
{
    return Message{replyText(body), MessageIcon::Information, "Zásobník vyprázdněn"};
}

}  // namespace lexivo
