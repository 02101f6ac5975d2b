#include "catalogue_folder.h"

#include <algorithm>
#include <system_error>

#include "store/cp1250.h"
#include "store/file_io.h"
#include "store/name_rules.h"

namespace lexivo::server {
namespace fs = std::filesystem;
namespace {

// A package of 1000 words of the longest fields stays well below this.
constexpr std::uintmax_t kMaxPackageFileBytes = 1 << 20;
constexpr std::string_view kNoGroupMarker = "--- žádná skupina není zavedena ---";
// Characters that separate items on the wire, and characters a file name in the program may not hold.
constexpr std::string_view kMarkerCharacters = "*#|@;~";
constexpr std::string_view kFileNameForbidden = "/\\:*?\"<>|";

bool hasControlCharacter(std::string_view text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

std::string lineProblem(int line, std::string_view what)
{
    return "Řádek " + std::to_string(line) + ": " + std::string(what);
}

// Checks a record's raw line (its bytes as in the file) and its decoded fields.
std::optional<std::string> recordProblem(const StoredRecord& stored, int line)
{
    std::string_view raw = stored.raw;
    if (std::count(raw.begin(), raw.end(), '|') > 3) {
        return lineProblem(line, "má víc než čtyři pole oddělená znakem |.");
    }
    while (!raw.empty() && (raw.back() == '\n' || raw.back() == '\r')) {
        raw.remove_suffix(1);
    }
    for (std::size_t start = 0; start <= raw.size();) {
        const std::size_t end = std::min(raw.find('|', start), raw.size());
        if (end - start > kMaxFieldBytes) {
            return lineProblem(line, "pole je delší než 249 znaků.");
        }
        start = end + 1;
    }
    const WordRecord& word = stored.record;
    if (word.english.empty() || word.czech.empty()) {
        return lineProblem(line, "chybí anglický nebo český výraz.");
    }
    const std::string joined = word.english + "|" + word.czech + "|" + word.example + "|";
    if (hasControlCharacter(joined) || joined.find_first_of("~#") != std::string::npos ||
        joined.find("<|>") != std::string::npos) {
        return lineProblem(line, "obsahuje řídicí znak, znak ~ nebo #, nebo sled <|>.");
    }
    return std::nullopt;
}

std::optional<std::string> nameCharacterProblem(std::string_view name)
{
    if (name.empty()) {
        return "Jméno nesmí být prázdné.";
    }
    if (hasControlCharacter(name) || name.find_first_of(kMarkerCharacters) != std::string_view::npos ||
        name.find_first_of(kFileNameForbidden) != std::string_view::npos) {
        return "Jméno „" + std::string(name) +
               "“ obsahuje řídicí znak nebo některý ze znaků * # | @ ; ~ / \\ : ? \" < >.";
    }
    if (const std::string character = firstUnstorableCharacter(name); !character.empty()) {
        return "Jméno „" + std::string(name) + "“ obsahuje znak „" + character +
               "“, který kódování Windows-1250 nezná.";
    }
    return std::nullopt;
}

bool isHidden(const fs::path& entry)
{
    return entry.filename().string().starts_with('.');
}

// The entries of a directory sorted by name, hidden ones left out.
std::vector<fs::path> sortedEntries(const fs::path& directory, std::error_code& error)
{
    std::vector<fs::path> entries;
    for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
        if (!isHidden(it->path())) {
            entries.push_back(it->path());
        }
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

Message folderMessage(const fs::path& path, std::string_view problem)
{
    return errorMessage(path.string() + ": " + std::string(problem));
}

Result<CataloguePackage> readPackageFile(const fs::path& file, CatalogueEntry entry)
{
    if (const auto problem = catalogueNameProblem(entry)) {
        return folderMessage(file, *problem);
    }
    std::error_code error;
    const std::uintmax_t size = fs::file_size(file, error);
    if (error || size > kMaxPackageFileBytes) {
        return folderMessage(file, error ? error.message() : "soubor je větší než 1 MB.");
    }
    const Result<std::string> bytes = readFileBytes(file);
    if (!bytes) {
        return folderMessage(file, "soubor nelze přečíst.");
    }
    Result<std::vector<WordRecord>> words = parseWordFile(*bytes);
    if (!words) {
        return folderMessage(file, words.message().text);
    }
    return CataloguePackage{std::move(entry), std::move(words).value()};
}

}  // namespace

Result<std::vector<WordRecord>> parseWordFile(std::string_view bytes)
{
    std::vector<WordRecord> words;
    RecordReader reader(bytes);
    int line = 0;
    while (std::optional<StoredRecord> stored = reader.next()) {
        ++line;
        if (stored->record.isEmpty() && stored->record.knowledge.empty()) {
            continue;
        }
        if (const auto problem = recordProblem(*stored, line)) {
            return errorMessage(*problem);
        }
        if (words.size() == static_cast<std::size_t>(kMaxWordsPerPackage)) {
            return errorMessage("Balíček má víc než 1000 slov.");
        }
        words.push_back(WordRecord{stored->record.english, stored->record.czech, stored->record.example, ""});
    }
    if (words.empty()) {
        return errorMessage("Balíček neobsahuje žádné slovo.");
    }
    return words;
}

std::optional<std::string> catalogueNameProblem(const CatalogueEntry& entry)
{
    for (const std::string* name : {&entry.area, &entry.subgroup, &entry.title}) {
        if (auto problem = nameCharacterProblem(*name)) {
            return problem;
        }
    }
    if (characterCount(entry.area) > kMaxGroupNameCharacters || entry.area == kNoGroupMarker) {
        return "Tematický celek „" + entry.area + "“ nemůže být jménem skupiny (nejvýš 45 znaků).";
    }
    // The program files the package as "subgroup - title", and no package name begins with a digit.
    if (characterCount(entry.subgroup) + 3 + characterCount(entry.title) > kMaxPackageNameCharacters) {
        return "Podskupina a název balíčku mají dohromady víc než 247 znaků.";
    }
    if (entry.subgroup.front() >= '0' && entry.subgroup.front() <= '9') {
        return "Podskupina „" + entry.subgroup + "“ nesmí začínat číslicí.";
    }
    return std::nullopt;
}

Result<std::vector<CataloguePackage>> readCatalogueFolder(const fs::path& folder)
{
    std::vector<CataloguePackage> packages;
    std::error_code error;
    const auto listOrFail = [&error](const fs::path& directory) -> Result<std::vector<fs::path>> {
        std::vector<fs::path> entries = sortedEntries(directory, error);
        if (error) {
            return folderMessage(directory, "složku nelze přečíst (" + error.message() + ").");
        }
        return entries;
    };
    const auto unexpected = [](const fs::path& path) {
        return folderMessage(path, "tady čekám složku tematického celku, v ní složky podskupin a v nich "
                                   "soubory balíčků.");
    };

    Result<std::vector<fs::path>> areas = listOrFail(folder);
    if (!areas) {
        return areas.message();
    }
    for (const fs::path& area : *areas) {
        if (!fs::is_directory(area, error)) {
            return unexpected(area);
        }
        Result<std::vector<fs::path>> subgroups = listOrFail(area);
        if (!subgroups) {
            return subgroups.message();
        }
        for (const fs::path& subgroup : *subgroups) {
            if (!fs::is_directory(subgroup, error)) {
                return unexpected(subgroup);
            }
            Result<std::vector<fs::path>> files = listOrFail(subgroup);
            if (!files) {
                return files.message();
            }
            for (const fs::path& file : *files) {
                if (!fs::is_regular_file(file, error)) {
                    return unexpected(file);
                }
                Result<CataloguePackage> package = readPackageFile(
                    file, {0, area.filename().string(), subgroup.filename().string(), file.filename().string()});
                if (!package) {
                    return package.message();
                }
                packages.push_back(std::move(package).value());
            }
        }
    }
    if (packages.empty()) {
        return folderMessage(folder, "složka neobsahuje žádný balíček.");
    }
    return packages;
}

}  // namespace lexivo::server
