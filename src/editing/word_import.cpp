#include "editing/word_import.h"

#include <algorithm>
#include <array>
#include <system_error>
#include <unordered_set>

#include "editing/word_list.h"
#include "store/cp1250.h"
#include "store/file_io.h"
#include "store/name_rules.h"
#include "store/package_file.h"
#include "store/package_selection.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// What the editor forbids in a word: the package's field separator, and the test pool's mark.
constexpr std::string_view kForbiddenCharacters = "|#";
// Separators are guessed from this many lines at the start of a file, and from no more bytes
// than these: a first line may be the whole file.
constexpr int kLinesToDetectFrom = 20;
constexpr std::size_t kBytesToDetectFrom = 64 * 1024;

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

std::string_view withoutByteOrderMark(std::string_view bytes)
{
    return startsWith(bytes, kByteOrderMark) ? bytes.substr(kByteOrderMark.size()) : bytes;
}

std::string asciiLower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The length of the UTF-8 sequence that starts at `at`, or 0 when it is not a valid one
// (overlong forms, surrogates and code points beyond U+10FFFF are not).
std::size_t utf8SequenceLength(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

bool isValidUtf8(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8SequenceLength(text, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

// The text with every invalid sequence replaced by U+FFFD, which no package can store: a file
// read in the wrong encoding shows its lines as faulty instead of passing on broken text.
std::string repairedUtf8(std::string_view text)
{
    std::string repaired;
    repaired.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8SequenceLength(text, at);
        if (length == 0) {
            repaired += "\xEF\xBF\xBD";
            ++at;
        } else {
            repaired.append(text, at, length);
            at += length;
        }
    }
    return repaired;
}

std::string displayName(const fs::path& file)
{
    const std::string name = file.filename().string();
    return isValidUtf8(name) ? name : decodeCp1250(name);
}

Message fileRefusal(const fs::path& file, std::string_view why)
{
    return errorMessage("Soubor „" + displayName(file) + "“ nelze importovat: " + std::string(why));
}

bool looksLikeKvtml(const fs::path& file, std::string_view bytes)
{
    if (asciiLower(file.extension().string()) == ".kvtml") {
        return true;
    }
    const std::string_view start = trimmed(withoutByteOrderMark(bytes).substr(0, 512));
    return startsWith(start, "<?xml") && start.find("<kvtml") != std::string_view::npos;
}

constexpr std::array kSeparatorCharacters{',', ';', '\t'};

char separatorCharacter(ImportSeparator separator) { return kSeparatorCharacters[static_cast<int>(separator)]; }

// Flash-card programs begin their exports with lines such as "#separator:tab" and "#html:true".
struct FileDirectives {
    std::optional<ImportSeparator> separator;
    bool html = false;
    std::size_t bodyStart = 0;  // the first byte after them
    int linesTaken = 0;
};

FileDirectives readDirectives(std::string_view text)
{
    FileDirectives directives;
    while (directives.bodyStart < text.size() && text[directives.bodyStart] == '#') {
        const std::size_t end = text.find('\n', directives.bodyStart);
        std::string_view line = text.substr(directives.bodyStart, end == std::string_view::npos ? text.size() : end - directives.bodyStart);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || line.find_first_of(",;\t") < colon) {
            break;  // a row whose first cell starts with "#", not a directive
        }
        const std::string key = asciiLower(line.substr(1, colon - 1));
        const std::string value = asciiLower(trimmed(line.substr(colon + 1)));
        if (key == "separator") {
            directives.separator = separatorNamed(value);
        } else if (key == "html") {
            directives.html = value == "true";
        }
        directives.bodyStart = end == std::string_view::npos ? text.size() : end + 1;
        ++directives.linesTaken;
    }
    return directives;
}

// A cell of a flash-card export that holds HTML: the tags go, the common entities are decoded.
std::string plainTextOfHtml(std::string_view html)
{
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kEntities{{
        {"&amp;", "&"}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&nbsp;", " "}}};
    std::string text;
    for (std::size_t at = 0; at < html.size();) {
        if (html[at] == '<') {
            const std::size_t end = html.find('>', at);
            if (end == std::string_view::npos) {
                text.append(html.substr(at));
                break;
            }
            text += ' ';
            at = end + 1;
            continue;
        }
        if (html[at] == '&') {
            const auto entity = std::find_if(kEntities.begin(), kEntities.end(),
                                             [&](const auto& pair) { return startsWith(html.substr(at), pair.first); });
            if (entity != kEntities.end()) {
                text.append(entity->second);
                at += entity->first.size();
                continue;
            }
        }
        text += html[at++];
    }
    // Tags between words leave runs of blanks.
    std::string collapsed;
    for (char c : trimmed(text)) {
        if (!(c == ' ' && !collapsed.empty() && collapsed.back() == ' ')) {
            collapsed += c;
        }
    }
    return collapsed;
}

// Reads rows of delimited text: quoted fields may hold separators, doubled quotes and line
// breaks; a line ends with LF, CR LF or a lone CR. Unquoted cells lose surrounding blanks.
class DelimitedReader {
public:
    DelimitedReader(std::string_view text, char separator, int firstLine, ImportEncoding encoding)
        : text_(text), separator_(separator), line_(firstLine), encoding_(encoding)
    {
    }

    std::optional<ImportRow> next()
    {
        // Empty lines are no rows; a file of nothing else is passed over quickly.
        while (at_ < text_.size() && takeLineEnd()) {
        }
        if (at_ >= text_.size()) {
            return std::nullopt;
        }
        ImportRow row;
        row.line = line_;
        while (true) {
            bool rowEnds = false;
            std::string cell = readCell(rowEnds);
            // A row of a million separators must not become a million cells.
            if (row.cells.size() < kMaxImportColumns) {
                row.cells.push_back(std::move(cell));
            }
            if (rowEnds) {
                return row;
            }
        }
    }

private:
    // Consumes a line end at the current position, if there is one.
    bool takeLineEnd()
    {
        if (text_[at_] == '\r') {
            at_ += (at_ + 1 < text_.size() && text_[at_ + 1] == '\n') ? 2 : 1;
        } else if (text_[at_] == '\n') {
            ++at_;
        } else {
            return false;
        }
        ++line_;
        return true;
    }

    std::string readCell(bool& rowEnds)
    {
        const std::size_t start = at_;
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t') && text_[at_] != separator_) {
            ++at_;
        }
        if (at_ < text_.size() && text_[at_] == '"') {
            return readQuotedCell(rowEnds);
        }
        at_ = start;
        while (at_ < text_.size() && text_[at_] != separator_ && text_[at_] != '\n' && text_[at_] != '\r') {
            ++at_;
        }
        std::string cell = decoded(trimmed(text_.substr(start, at_ - start)));
        endCell(rowEnds);
        return cell;
    }

    // Separators, quotes and line ends are ASCII bytes in both encodings, and never part of a
    // UTF-8 sequence: each cell is decoded on its own.
    std::string decoded(std::string_view cell) const
    {
        if (encoding_ == ImportEncoding::Windows1250) {
            return decodeCp1250(cell);
        }
        return isValidUtf8(cell) ? std::string(cell) : repairedUtf8(cell);
    }

    std::string readQuotedCell(bool& rowEnds)
    {
        ++at_;  // the opening quote
        std::string cell;
        while (at_ < text_.size()) {
            const char c = text_[at_];
            if (c == '"') {
                if (at_ + 1 < text_.size() && text_[at_ + 1] == '"') {
                    cell += '"';
                    at_ += 2;
                    continue;
                }
                ++at_;
                break;
            }
            if (c == '\n' || (c == '\r' && !(at_ + 1 < text_.size() && text_[at_ + 1] == '\n'))) {
                ++line_;
            }
            cell += c;
            ++at_;
        }
        // Whatever stands between the closing quote and the separator belongs to the cell.
        const std::size_t rest = at_;
        while (at_ < text_.size() && text_[at_] != separator_ && text_[at_] != '\n' && text_[at_] != '\r') {
            ++at_;
        }
        cell.append(trimmed(text_.substr(rest, at_ - rest)));
        endCell(rowEnds);
        return decoded(cell);
    }

    void endCell(bool& rowEnds)
    {
        if (at_ >= text_.size()) {
            rowEnds = true;
        } else if (text_[at_] == separator_) {
            ++at_;
        } else {
            rowEnds = takeLineEnd();
        }
    }

    std::string_view text_;
    char separator_;
    std::size_t at_ = 0;
    int line_;
    ImportEncoding encoding_;
};

bool isBlankRow(const ImportRow& row)
{
    return std::all_of(row.cells.begin(), row.cells.end(), [](const std::string& cell) { return trimmed(cell).empty(); });
}

enum class Role { English, Czech, Example, Level };

std::optional<Role> headerRole(std::string_view cell)
{
    constexpr std::size_t kLongestName = 16;
    if (cell.size() > kLongestName + 8) {
        return std::nullopt;  // no column name, and not worth copying
    }
    static const std::pair<std::string_view, Role> kNames[] = {
        {"english", Role::English},     {"anglicky", Role::English},    {"angličtina", Role::English},
        {"anglictina", Role::English},  {"anglické", Role::English},    {"en", Role::English},
        {"front", Role::English},       {"question", Role::English},    {"otázka", Role::English},
        {"czech", Role::Czech},         {"česky", Role::Czech},         {"Česky", Role::Czech},
        {"cesky", Role::Czech},         {"čeština", Role::Czech},       {"Čeština", Role::Czech},
        {"cestina", Role::Czech},       {"české", Role::Czech},         {"České", Role::Czech},
        {"cs", Role::Czech},            {"cz", Role::Czech},            {"back", Role::Czech},
        {"answer", Role::Czech},        {"odpověď", Role::Czech},       {"překlad", Role::Czech},
        {"preklad", Role::Czech},       {"translation", Role::Czech},   {"example", Role::Example},
        {"příklad", Role::Example},     {"priklad", Role::Example},     {"věta", Role::Example},
        {"sentence", Role::Example},    {"level", Role::Level},         {"úroveň", Role::Level},
        {"uroven", Role::Level},        {"znalost", Role::Level},       {"knowledge", Role::Level},
        {"koeficient", Role::Level},    {"grade", Role::Level},
    };
    const std::string name = asciiLower(trimmed(cell));
    for (const auto& [known, role] : kNames) {
        if (name == known) {
            return role;
        }
    }
    return std::nullopt;
}

bool isLevelText(std::string_view cell)
{
    const std::string_view level = trimmed(cell);
    return level.size() == 1 && level[0] >= '0' && level[0] <= '4';
}

std::string_view cellAt(const ImportRow& row, std::optional<int> column)
{
    if (!column || *column < 0 || static_cast<std::size_t>(*column) >= row.cells.size()) {
        return {};
    }
    return row.cells[static_cast<std::size_t>(*column)];
}

std::string duplicateKey(std::string_view english, std::string_view czech)
{
    std::string key(english);
    key += '\n';
    key.append(czech);
    return key;
}

// The first rule a field breaks, whatever its length.
std::optional<std::string> fieldFault(std::string_view field)
{
    if (field.find_first_of("\r\n") != std::string_view::npos) {
        return "pole obsahuje konec řádku";
    }
    if (field.find('\0') != std::string_view::npos) {
        return "pole obsahuje nulový znak";  // a package's reader would drop it
    }
    if (field.find_first_of(kForbiddenCharacters) != std::string_view::npos) {
        return "pole obsahuje znak \"|\" nebo \"#\"";
    }
    if (const std::string character = firstUnstorableCharacter(field); !character.empty()) {
        return "znak „" + character + "“ nelze v balíčku uložit";
    }
    return std::nullopt;
}

}  // namespace

std::string_view encodingLabel(ImportEncoding encoding)
{
    return encoding == ImportEncoding::Utf8 ? "UTF-8" : "Windows-1250";
}

std::string_view separatorLabel(ImportSeparator separator)
{
    static constexpr std::array<std::string_view, 3> kLabels{"čárka", "středník", "tabulátor"};
    return kLabels[static_cast<int>(separator)];
}

std::optional<ImportEncoding> encodingNamed(std::string_view name)
{
    const std::string lower = asciiLower(name);
    if (lower == "utf-8" || lower == "utf8") {
        return ImportEncoding::Utf8;
    }
    if (lower == "windows-1250" || lower == "cp1250" || lower == "windows1250" || lower == "cp-1250") {
        return ImportEncoding::Windows1250;
    }
    return std::nullopt;
}

std::optional<ImportSeparator> separatorNamed(std::string_view name)
{
    const std::string lower = asciiLower(name);
    if (lower == "comma" || lower == "," || lower == "čárka") {
        return ImportSeparator::Comma;
    }
    if (lower == "semicolon" || lower == ";" || lower == "středník") {
        return ImportSeparator::Semicolon;
    }
    if (lower == "tab" || lower == "\t" || lower == "tabulátor") {
        return ImportSeparator::Tab;
    }
    return std::nullopt;
}

Result<ImportFile> readImportFile(const fs::path& file)
{
    std::error_code error;
    const fs::file_status status = fs::status(file, error);
    if (error || !fs::exists(status)) {
        return fileRefusal(file, "soubor neexistuje nebo k němu nemáte přístup.");
    }
    if (!fs::is_regular_file(status)) {
        return fileRefusal(file, "není to obyčejný soubor.");
    }
    // A file too large is refused before a byte of it is read.
    const std::uintmax_t size = fs::file_size(file, error);
    if (!error && size > kMaxImportFileBytes) {
        return fileRefusal(file, "je větší než 50 MB.");
    }
    auto bytes = readFileBytes(file);
    if (!bytes) {
        return bytes.message();
    }
    if (bytes->size() > kMaxImportFileBytes) {
        return fileRefusal(file, "je větší než 50 MB.");
    }
    if (startsWith(*bytes, "\xFF\xFE") || startsWith(*bytes, "\xFE\xFF")) {
        return fileRefusal(file, "je v kódování UTF-16. Uložte jej v kódování UTF-8 a zkuste to znovu.");
    }
    if (bytes->find('\0') != std::string::npos) {
        return fileRefusal(file, "není to textový soubor.");
    }
    ImportFile imported;
    imported.format = looksLikeKvtml(file, *bytes) ? ImportFormat::Kvtml : ImportFormat::Delimited;
    imported.bytes = std::move(bytes).value();
    const std::string stem = file.stem().string();
    imported.baseName = isValidUtf8(stem) ? stem : decodeCp1250(stem);
    return imported;
}

ImportEncoding detectEncoding(std::string_view bytes)
{
    return isValidUtf8(withoutByteOrderMark(bytes)) ? ImportEncoding::Utf8 : ImportEncoding::Windows1250;
}

ImportSeparator detectSeparator(std::string_view bytes)
{
    const std::string_view text = withoutByteOrderMark(bytes);
    const FileDirectives directives = readDirectives(text);
    if (directives.separator) {
        return *directives.separator;
    }
    const std::string_view body = text.substr(directives.bodyStart, kBytesToDetectFrom);
    // The candidate whose count of cells is the same on the most lines wins; ties go to the
    // earlier of tab, semicolon, comma (a comma often stands inside an example sentence).
    ImportSeparator best = ImportSeparator::Tab;
    int bestScore = 0;
    for (ImportSeparator candidate : {ImportSeparator::Tab, ImportSeparator::Semicolon, ImportSeparator::Comma}) {
        DelimitedReader reader(body, separatorCharacter(candidate), 1, ImportEncoding::Windows1250);
        std::vector<std::size_t> widths;
        while (widths.size() < static_cast<std::size_t>(kLinesToDetectFrom)) {
            const auto row = reader.next();
            if (!row) {
                break;
            }
            if (!isBlankRow(*row)) {
                widths.push_back(row->cells.size());
            }
        }
        int score = 0;
        for (std::size_t width : widths) {
            if (width > 1) {
                score = std::max(score, static_cast<int>(std::count(widths.begin(), widths.end(), width)));
            }
        }
        if (score > bestScore) {
            best = candidate;
            bestScore = score;
        }
    }
    return best;
}

ImportTable splitDelimitedText(std::string_view bytes, ImportEncoding encoding, ImportSeparator separator,
                               std::size_t maxRows)
{
    const std::string_view text = withoutByteOrderMark(bytes);
    const FileDirectives directives = readDirectives(text);
    ImportTable table;
    DelimitedReader reader(text.substr(directives.bodyStart), separatorCharacter(separator), directives.linesTaken + 1,
                           encoding);
    while (auto row = reader.next()) {
        if (isBlankRow(*row)) {
            continue;
        }
        if (table.rows.size() == maxRows) {
            table.cut = true;
            break;
        }
        if (directives.html) {
            for (std::string& cell : row->cells) {
                cell = plainTextOfHtml(cell);
            }
        }
        table.columnCount = std::max(table.columnCount, static_cast<int>(row->cells.size()));
        table.rows.push_back(std::move(*row));
    }
    return table;
}

HeaderReading readHeaderRow(const ImportRow& row)
{
    HeaderReading reading;
    std::optional<int> english;
    std::optional<int> czech;
    for (std::size_t column = 0; column < row.cells.size(); ++column) {
        const auto role = headerRole(row.cells[column]);
        const int index = static_cast<int>(column);
        if (role == Role::English && !english) {
            english = index;
        } else if (role == Role::Czech && !czech) {
            czech = index;
        } else if (role == Role::Example && !reading.columns.example) {
            reading.columns.example = index;
        } else if (role == Role::Level && !reading.columns.level) {
            reading.columns.level = index;
        }
    }
    // Both languages must be named: a word pair such as "front;přední" is not a header.
    reading.isHeader = english && czech;
    if (!reading.isHeader) {
        return {};
    }
    reading.columns.english = *english;
    reading.columns.czech = *czech;
    return reading;
}

ImportSettings detectDelimitedSettings(std::string_view bytes, std::optional<ImportEncoding> chosenEncoding,
                                       std::optional<ImportSeparator> chosenSeparator)
{
    ImportSettings settings;
    settings.encoding = chosenEncoding ? *chosenEncoding : detectEncoding(bytes);
    settings.separator = chosenSeparator ? *chosenSeparator : detectSeparator(bytes);
    const ImportTable table = splitDelimitedText(bytes, settings.encoding, settings.separator);
    if (table.rows.empty()) {
        return settings;
    }
    const HeaderReading header = readHeaderRow(table.rows.front());
    if (header.isHeader) {
        settings.firstRowIsHeader = true;
        settings.columns = header.columns;
        return settings;
    }
    // Without a header: English, Czech, then an example, then a level when the fourth column
    // holds nothing but levels.
    if (table.columnCount >= 3) {
        settings.columns.example = 2;
    }
    if (table.columnCount >= 4) {
        const bool levels = std::all_of(table.rows.begin(), table.rows.end(), [](const ImportRow& row) {
            return row.cells.size() < 4 || trimmed(row.cells[3]).empty() || isLevelText(row.cells[3]);
        });
        if (levels) {
            settings.columns.level = 3;
        }
    }
    return settings;
}

std::vector<ImportRow> wordRows(const ImportTable& table, const ImportSettings& settings)
{
    const std::size_t skip = settings.firstRowIsHeader && !table.rows.empty() ? 1 : 0;
    return {table.rows.begin() + static_cast<std::ptrdiff_t>(skip), table.rows.end()};
}

ImportPlan planImport(const std::vector<ImportRow>& rows, const ImportColumns& columns,
                      const std::vector<WordRecord>& existing, const ImportChoices& choices)
{
    ImportPlan plan;
    std::unordered_set<std::string> inPackage;
    std::unordered_set<std::string> inFile;
    for (const WordRecord& record : existing) {
        inPackage.insert(duplicateKey(record.english, record.czech));
    }
    const auto room = static_cast<std::size_t>(std::max(0, kMaxWordsPerPackage - static_cast<int>(existing.size())));
    for (const ImportRow& row : rows) {
        if (plan.problems.size() == kMaxListedProblems) {
            plan.problems.push_back(
                {row.line, "vypsáno už 1000 chybných řádků: tento a všechny další řádky se vynechávají", true});
            break;
        }
        auto skip = [&](std::string reason) { plan.problems.push_back({row.line, std::move(reason), true}); };
        std::array<std::string, 3> fields{std::string(cellAt(row, columns.english)), std::string(cellAt(row, columns.czech)),
                                          std::string(cellAt(row, columns.example))};
        const std::string_view level = trimmed(cellAt(row, columns.level));
        if (fields[0].empty()) {
            skip("chybí anglický výraz");
            continue;
        }
        if (fields[1].empty()) {
            skip("chybí český výraz");
            continue;
        }
        std::optional<std::string> fault;
        for (const std::string& field : fields) {
            if (!fault) {
                fault = fieldFault(field);
            }
        }
        if (fault) {
            skip(std::move(*fault));
            continue;
        }
        if (!level.empty() && !isLevelText(level)) {
            skip("úroveň znalosti musí být číslo 0 až 4");
            continue;
        }
        const bool tooLong = std::any_of(fields.begin(), fields.end(),
                                         [](const std::string& field) { return characterCount(field) > kMaxFieldBytes; });
        if (tooLong && !choices.cutLongFields) {
            skip("pole je delší než 249 znaků");
            continue;
        }
        if (tooLong) {
            for (std::string& field : fields) {
                field = std::string(firstCharacters(field, kMaxFieldBytes));
            }
        }
        const std::string key = duplicateKey(fields[0], fields[1]);
        if (!choices.keepDuplicates && inPackage.count(key) != 0) {
            skip("slovíčko už balíček obsahuje");
            continue;
        }
        if (!choices.keepDuplicates && inFile.count(key) != 0) {
            skip("slovíčko se v souboru opakuje");
            continue;
        }
        if (plan.words.size() >= room) {
            // One entry for the rest of the file: a list of a million lines helps nobody.
            skip("balíček by měl více než 1000 slovíček: tento a všechny další řádky se vynechávají");
            break;
        }
        if (tooLong) {
            plan.problems.push_back({row.line, "pole bylo zkráceno na 249 znaků", false});
        }
        inFile.insert(key);
        // Without a level column a word is new to the learner.
        std::string knowledge = columns.level ? std::string(level) : std::string(kUnknownKnowledge);
        plan.words.push_back({std::move(fields[0]), std::move(fields[1]), std::move(fields[2]), std::move(knowledge)});
    }
    return plan;
}

ImportTarget checkImportTarget(const Collection& collection, std::string_view package)
{
    const std::vector<std::string> packages = collection.listPackages();
    if (std::find(packages.begin(), packages.end(), package) != packages.end()) {
        return {true, std::nullopt};
    }
    if (auto full = checkPackageCapacity(packages.size())) {
        return {false, std::move(full)};
    }
    return {false, collection.checkPackageName(package, PackageNameUse::Create)};
}

Status writeImport(const DataTree& tree, std::string_view group, std::string_view package, const ImportPlan& plan)
{
    if (!isPlainName(group) || !isPlainName(package)) {
        return errorMessage("Neplatné jméno skupiny nebo balíčku.");
    }
    if (plan.words.empty()) {
        return errorMessage("V souboru není žádné slovíčko, které by bylo možné přidat.");
    }
    // The package may have grown since the plan was made.
    const fs::path file = tree.packageFile(group, package);
    const bool creating = !entryExists(file);
    if (!creating) {
        const auto records = readRecordFile(file);
        if (!records) {
            return records.message();
        }
        if (records->size() + plan.words.size() > static_cast<std::size_t>(kMaxWordsPerPackage)) {
            return errorMessage("Slovíčka nelze přidat: v balíčku by bylo více než 1000 slovíček.");
        }
    }
    // A new package shifts the positions the saved test selection keeps. It is forgotten first:
    // should that fail, nothing has been written, and trying again cannot add the words twice.
    if (creating) {
        if (Status forgotten = forgetTestSelection(tree, group); !forgotten) {
            return errorMessage("Slovíčka nebyla přidána: výběr balíčků pro příští test nebylo možno zapomenout (" +
                                forgotten.message().text + ")");
        }
    }
    return appendWordRecords(tree, group, package, plan.words);
}

std::string exportCsv(const std::vector<WordRecord>& records)
{
    auto add = [](std::string& out, std::string_view cell) {
        // Quoted also where another separator stands, so that no other one seems to split the rows.
        const bool quote = cell.find_first_of(",;\t\"\r\n") != std::string_view::npos || trimmed(cell) != cell;
        if (!quote) {
            out.append(cell);
            return;
        }
        out += '"';
        for (char c : cell) {
            out += c;
            if (c == '"') {
                out += '"';
            }
        }
        out += '"';
    };
    std::string csv(kByteOrderMark);
    csv += "English,Czech,Example,Level\r\n";
    for (const WordRecord& record : records) {
        if (record.isEmpty()) {
            continue;
        }
        for (const std::string* cell : {&record.english, &record.czech, &record.example}) {
            add(csv, *cell);
            csv += ',';
        }
        add(csv, record.knowledge);
        csv += "\r\n";
    }
    return csv;
}

}  // namespace lexivo
