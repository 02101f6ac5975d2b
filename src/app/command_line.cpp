#include "app/command_line.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QCoreApplication>
#include <QGuiApplication>

#include "app/single_instance.h"
#include "editing/export_document.h"
#include "editing/export_font.h"
#include "editing/import_table.h"
#include "editing/package_editing.h"
#include "editing/word_import.h"
#include "editing/word_list.h"
#include "store/collection.h"
#include "store/data_tree.h"
#include "store/result.h"
#include "ui/controls.h"
#include "ui/seams.h"

namespace lexivo {
namespace {

enum class ExitStatus { Done = 0, Refused = 1, WrongUsage = 2 };
enum class Command { Help, Version, List, Export, Import };

struct OptionRule {
    std::string_view name;  // the long spelling
    bool takesValue = true;
    bool required = false;
};

struct CommandRule {
    std::string_view name;
    Command command;
    std::size_t files;  // how many file arguments it takes
    std::vector<OptionRule> options;
};

const std::vector<CommandRule>& commandRules()
{
    static const std::vector<CommandRule> rules = {
        {"list", Command::List, 0, {{"--group"}}},
        {"export",
         Command::Export,
         0,
         {{"--group", true, true}, {"--package", true, true}, {"--format", true, true}, {"--output"}}},
        {"import",
         Command::Import,
         1,
         {{"--group", true, true},
          {"--package", true, true},
          {"--encoding"},
          {"--separator"},
          {"--header", false},
          {"--no-header", false},
          {"--cut", false},
          {"--keep-duplicates", false}}},
    };
    return rules;
}

// Short spellings of long options.
constexpr std::array<std::pair<std::string_view, std::string_view>, 1> kShortOptions{{{"-o", "--output"}}};

constexpr std::string_view kUsage =
    "Použití:\n"
    "  lexivo list [--group SKUPINA]\n"
    "  lexivo export --group SKUPINA --package BALÍČEK --format html|txt|csv [-o SOUBOR]\n"
    "  lexivo import SOUBOR --group SKUPINA --package BALÍČEK [--encoding utf-8|windows-1250]\n"
    "                [--separator comma|semicolon|tab] [--header|--no-header] [--cut] [--keep-duplicates]\n"
    "Nápověda (anglicky): lexivo --help\n";

constexpr std::string_view kHelp =
    "Usage:\n"
    "  lexivo                      start Lexivo with its windows\n"
    "  lexivo list [--group G]\n"
    "  lexivo export --group G --package P --format html|txt|csv [-o FILE]\n"
    "  lexivo import FILE --group G --package P [OPTIONS]\n"
    "  lexivo --help | -h          show this help\n"
    "  lexivo --version            show the version\n"
    "\n"
    "Commands (they need no display):\n"
    "  list      Without --group: the groups, one per line, in the order the program lists them.\n"
    "            With --group G: the packages of G, one per line as NAME<TAB>NUMBER OF WORDS;\n"
    "            a package that cannot be read is named on standard error instead (exit 1).\n"
    "  export    Writes package P of group G to standard output, or to FILE with -o/--output.\n"
    "            html: the printable page the export window saves with its first choices\n"
    "                  (English first, default font), Windows-1250;\n"
    "            txt:  the plain text file of the export window, Windows-1250, CR LF;\n"
    "            csv:  English, Czech, example and knowledge level per word, UTF-8, CR LF;\n"
    "                  importing it into a new package gives back the same package.\n"
    "            An existing FILE is replaced: either the whole new file is there, or the old\n"
    "            one stays as it was.\n"
    "  import    Adds the words of FILE to package P of group G, creating the package when it\n"
    "            is missing. FILE is delimited text (CSV, TSV, the tab-separated export of\n"
    "            flash-card programs) or a KDE vocabulary document (.kvtml). The group must exist.\n"
    "            The encoding, separator and header row are detected; for delimited text\n"
    "            these options override the detection:\n"
    "              --encoding utf-8|windows-1250\n"
    "              --separator comma|semicolon|tab\n"
    "              --header, --no-header    whether the first row names the columns\n"
    "            and these decide about lines that break a rule:\n"
    "              --cut                    cut fields longer than 249 characters instead of\n"
    "                                       skipping their lines\n"
    "              --keep-duplicates        import words the package already holds\n"
    "            Each skipped or cut line is reported on standard error as \"řádek N: reason\";\n"
    "            the words are written all at once or not at all. Import refuses to run while\n"
    "            Lexivo runs on the same data: close the program first.\n"
    "\n"
    "Exit status:\n"
    "  0  done\n"
    "  1  refused or failed: no such group or package, an empty package to export, a name or\n"
    "     file that cannot be used, nothing to import, a write that failed, Lexivo running;\n"
    "     the reason, in Czech, is on standard error and nothing is changed\n"
    "  2  wrong usage: an unknown command or option, a missing or unknown value\n"
    "\n"
    "Where the data lives:\n"
    "  When the directory of the lexivo executable holds \"config\" or \"Data\" (a portable copy),\n"
    "  the data lives there. Otherwise it lives in $XDG_DATA_HOME/Lexivo (by default\n"
    "  ~/.local/share/Lexivo): Data/GROUP/PACKAGE, one file per package.\n";

// The program's own name for an option: "-o" is "--output".
std::string_view longOptionName(std::string_view name)
{
    for (const auto& [shortName, longName] : kShortOptions) {
        if (name == shortName) {
            return longName;
        }
    }
    return name;
}

std::string inQuotes(std::string_view text) { return "„" + std::string(text) + "“"; }

// What the arguments ask for.
struct Invocation {
    Command command = Command::Help;
    std::map<std::string_view, std::string> options;  // by long name; a flag has an empty value
    std::vector<std::string> files;

    bool has(std::string_view option) const { return options.contains(option); }
    std::optional<std::string> value(std::string_view option) const
    {
        const auto found = options.find(option);
        return found == options.end() ? std::nullopt : std::optional(found->second);
    }
};

Message usageError(std::string text) { return errorMessage(std::move(text)); }

std::optional<ExportFormat> exportFormatNamed(std::string_view name)
{
    if (name == "html") {
        return ExportFormat::Html;
    }
    if (name == "txt") {
        return ExportFormat::Text;
    }
    return std::nullopt;
}

// The values that must name something known.
std::optional<Message> checkValues(const Invocation& invocation)
{
    if (const auto format = invocation.value("--format"); format && *format != "csv" && !exportFormatNamed(*format)) {
        return usageError("Neznámý formát " + inQuotes(*format) + ", lze html, txt nebo csv.");
    }
    if (const auto encoding = invocation.value("--encoding"); encoding && !encodingNamed(*encoding)) {
        return usageError("Neznámé kódování " + inQuotes(*encoding) + ", lze utf-8 nebo windows-1250.");
    }
    if (const auto separator = invocation.value("--separator"); separator && !separatorNamed(*separator)) {
        return usageError("Neznámý oddělovač " + inQuotes(*separator) + ", lze comma, semicolon nebo tab.");
    }
    if (invocation.has("--header") && invocation.has("--no-header")) {
        return usageError("Volby „--header“ a „--no-header“ nelze použít zároveň.");
    }
    return std::nullopt;
}

bool isHelpOption(std::string_view argument) { return argument == "--help" || argument == "-h"; }

// Reads the arguments after the program's name; a failure is wrong usage.
Result<Invocation> parseArguments(const std::vector<std::string>& arguments)
{
    Invocation invocation;
    const std::string& first = arguments.front();
    if (isHelpOption(first)) {
        return invocation;
    }
    if (first == "--version") {
        invocation.command = Command::Version;
        return invocation;
    }
    const auto& rules = commandRules();
    const auto rule = std::find_if(rules.begin(), rules.end(), [&](const CommandRule& r) { return r.name == first; });
    if (rule == rules.end()) {
        return usageError((first.starts_with('-') ? "Neznámá volba " : "Neznámý příkaz ") + inQuotes(first) + ".");
    }
    invocation.command = rule->command;

    bool optionsEnded = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || !argument.starts_with('-') || argument == "-") {
            if (invocation.files.size() == rule->files) {
                return usageError("Nadbytečný argument " + inQuotes(argument) + ".");
            }
            invocation.files.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (isHelpOption(argument)) {
            invocation.command = Command::Help;
            return invocation;
        }
        // "--group=G" and "--group G" are the same.
        const std::size_t equals = argument.starts_with("--") ? argument.find('=') : std::string::npos;
        const std::string_view name = longOptionName(std::string_view(argument).substr(0, equals));
        const auto option = std::find_if(rule->options.begin(), rule->options.end(),
                                         [&](const OptionRule& o) { return o.name == name; });
        if (option == rule->options.end()) {
            return usageError("Příkaz " + inQuotes(rule->name) + " nezná volbu " + inQuotes(name) + ".");
        }
        if (invocation.has(option->name)) {
            return usageError("Volba " + inQuotes(option->name) + " je uvedena vícekrát.");
        }
        std::string value;
        if (equals != std::string::npos) {
            if (!option->takesValue) {
                return usageError("Volba " + inQuotes(option->name) + " nemá hodnotu.");
            }
            value = argument.substr(equals + 1);
        } else if (option->takesValue) {
            if (i + 1 == arguments.size()) {
                return usageError("Volba " + inQuotes(option->name) + " potřebuje hodnotu.");
            }
            value = arguments[++i];
        }
        invocation.options.emplace(option->name, std::move(value));
    }

    for (const OptionRule& option : rule->options) {
        if (option.required && !invocation.has(option.name)) {
            return usageError("Chybí volba " + inQuotes(option.name) + ".");
        }
    }
    if (invocation.files.size() < rule->files) {
        return usageError("Chybí soubor, ze kterého se má importovat.");
    }
    if (auto wrong = checkValues(invocation)) {
        return *wrong;
    }
    return invocation;
}

ExitStatus refuse(const Message& message)
{
    std::cerr << message.text << '\n';
    return ExitStatus::Refused;
}

// Writes the bytes to standard output; a full disk or a closed pipe is a failure too.
ExitStatus writeOutput(std::string_view bytes)
{
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    std::cout.flush();
    if (!std::cout) {
        return refuse(errorMessage("Výstup nelze zapsat."));
    }
    return ExitStatus::Done;
}

// Makes `group` the collection's current group, or says that there is no such group.
std::optional<Message> openGroup(Collection& collection, std::string_view group)
{
    collection.setCurrentGroup(std::string(group));
    collection.listGroups();
    const auto& groups = collection.groupTable();
    if (std::find(groups.begin(), groups.end(), group) == groups.end()) {
        return errorMessage("Skupina " + inQuotes(group) + " neexistuje.");
    }
    return std::nullopt;
}

bool holdsPackage(const Collection& collection, std::string_view package)
{
    const std::vector<std::string> packages = collection.listPackages();
    return std::find(packages.begin(), packages.end(), package) != packages.end();
}

Message noSuchPackage(std::string_view group, std::string_view package)
{
    return errorMessage("Balíček " + inQuotes(package) + " ve skupině " + inQuotes(group) + " neexistuje.");
}

ExitStatus listCollection(Collection& collection, const Invocation& invocation)
{
    std::string listing;
    const std::optional<std::string> group = invocation.value("--group");
    if (!group) {
        collection.listGroups();
        for (const std::string& name : collection.groupTable()) {
            listing += name + '\n';
        }
        return writeOutput(listing);
    }
    if (auto missing = openGroup(collection, *group)) {
        return refuse(*missing);
    }
    // A package that cannot be read is not listed as empty: it is reported and the listing
    // ends with a failure, after the packages that could be read.
    std::vector<Message> unreadable;
    for (const std::string& package : collection.listPackages()) {
        ListedRecords listed = readListedRecords(collection.tree().packageFile(*group, package));
        if (listed.readFailure) {
            unreadable.push_back(*listed.readFailure);
            continue;
        }
        listing += package + '\t' + std::to_string(listed.records.size()) + '\n';
    }
    const ExitStatus written = writeOutput(listing);
    for (const Message& failure : unreadable) {
        refuse(failure);
    }
    return unreadable.empty() ? written : ExitStatus::Refused;
}

// Qt sees only the program's name: the command's own options are not its business.
struct QtArguments {
    int count = 1;
    std::array<char*, 2> values{};
};
QtArguments& qtArguments()
{
    static QtArguments arguments;
    return arguments;
}

// Fonts are measured on the offscreen platform, so no display is needed and the metrics are
// those of the fonts the windows use.
std::unique_ptr<QGuiApplication> offscreenApplication()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    auto application = std::make_unique<QGuiApplication>(qtArguments().count, qtArguments().values.data());
    installFontSubstitutes();
    return application;
}

// The bytes of an export, as the export window writes them with its first choices.
Result<std::string> exportBytes(const PackageEditing& editing, std::string_view formatName)
{
    if (formatName == "csv") {
        return exportCsv(editing.records());
    }
    ExportOptions options;
    options.format = *exportFormatNamed(formatName);
    const ExportSource source = exportSource(editing);
    const auto lines = exportLines(source, options);
    if (!lines) {
        return lines.message();
    }
    ExportStyle style;
    style.resetForOpening();
    // A text file has no page width: only the styled page measures its lines.
    int pageWidth = 0;
    if (isStyledFormat(options.format)) {
        const auto fonts = offscreenApplication();
        pageWidth = exportPageWidth(source, options, exportLineWidth(style));
    }
    return exportDocument(lines.value(), options, style, pageWidth);
}

ExitStatus exportPackage(Collection& collection, const Invocation& invocation)
{
    const std::string group = *invocation.value("--group");
    const std::string package = *invocation.value("--package");
    if (auto missing = openGroup(collection, group)) {
        return refuse(*missing);
    }
    if (!holdsPackage(collection, package)) {
        return refuse(noSuchPackage(group, package));
    }
    PackageEditing editing(collection.tree(), group, localeNameOrder());
    // The order first: the package is then read once.
    editing.showOrder(wordOrderFor(ExportOptions{}.direction));
    editing.showPackage(package);
    if (editing.readFailure()) {
        return refuse(*editing.readFailure());
    }
    if (editing.records().empty()) {
        return refuse(errorMessage("Balíček " + inQuotes(package) + " neobsahuje žádné slovíčko, není co exportovat."));
    }
    const Result<std::string> bytes = exportBytes(editing, *invocation.value("--format"));
    if (!bytes) {
        return refuse(bytes.message());
    }
    if (const auto file = invocation.value("--output")) {
        if (Status written = writeExportFile(std::filesystem::path(*file), bytes.value()); !written) {
            return refuse(written.message());
        }
        return ExitStatus::Done;
    }
    return writeOutput(bytes.value());
}

// The detected settings with the user's choices over them: the header and columns are found
// for the encoding and separator chosen. A KDE document has fixed columns and no encoding,
// separator or header row to choose.
ImportSettings chosenSettings(const ImportFile& file, const Invocation& invocation)
{
    if (file.format != ImportFormat::Delimited) {
        return detectImportSettings(file);
    }
    const auto encoding = invocation.value("--encoding");
    const auto separator = invocation.value("--separator");
    ImportSettings settings = detectDelimitedSettings(file.bytes, encoding ? encodingNamed(*encoding) : std::nullopt,
                                                      separator ? separatorNamed(*separator) : std::nullopt);
    if (invocation.has("--header") || invocation.has("--no-header")) {
        settings.firstRowIsHeader = invocation.has("--header");
    }
    return settings;
}

// "Přidáno 1 slovíčko", "Přidána 3 slovíčka", "Přidáno 12 slovíček".
std::string addedWordsText(std::size_t count)
{
    const bool few = count >= 2 && count <= 4;
    const std::string_view noun = count == 1 ? "slovíčko" : few ? "slovíčka" : "slovíček";
    return std::string(few ? "Přidána " : "Přidáno ") + std::to_string(count) + " " + std::string(noun);
}

// The records the package holds now; for a package still to be created, none, once the group
// has room for it and its name has passed the rules of a new package.
Result<std::vector<WordRecord>> existingRecords(const Collection& collection, std::string_view group,
                                                std::string_view package)
{
    ImportTarget target = checkImportTarget(collection, package);
    if (target.exists) {
        return readRecordFile(collection.tree().packageFile(group, package));
    }
    if (target.refusal) {
        return std::move(*target.refusal);
    }
    return std::vector<WordRecord>{};
}

ExitStatus importWords(Collection& collection, const Invocation& invocation)
{
    const std::string group = *invocation.value("--group");
    const std::string package = *invocation.value("--package");
    const SingleInstance instance(collection.tree().programDirectory());
    if (instance.heldByAnother()) {
        return refuse(errorMessage("Lexivo je spuštěno a pracuje se stejnými daty. Zavřete program a import spusťte znovu."));
    }
    if (!instance.acquired()) {
        return refuse(errorMessage("V adresáři " + inQuotes(collection.tree().programDirectory().string()) +
                                   " nelze vytvořit zámek lexivo.lock, import by tam nemohl nic zapsat."));
    }
    if (auto missing = openGroup(collection, group)) {
        return refuse(*missing);
    }
    const Result<ImportFile> file = readImportFile(std::filesystem::path(invocation.files.front()));
    if (!file) {
        return refuse(file.message());
    }
    const ImportSettings settings = chosenSettings(file.value(), invocation);
    const Result<ImportTable> table = readImportTable(file.value(), settings);
    if (!table) {
        return refuse(table.message());
    }
    const Result<std::vector<WordRecord>> existing = existingRecords(collection, group, package);
    if (!existing) {
        return refuse(existing.message());
    }
    const ImportChoices choices{invocation.has("--cut"), invocation.has("--keep-duplicates")};
    const ImportPlan plan = planImport(wordRows(table.value(), settings), settings.columns, existing.value(), choices);
    for (const ImportProblem& problem : plan.problems) {
        std::cerr << "řádek " << problem.line << ": " << problem.reason << '\n';
    }
    if (plan.words.empty()) {
        return refuse(errorMessage("Žádné slovíčko nelze importovat, balíček " + inQuotes(package) + " zůstal, jak byl."));
    }
    if (Status written = writeImport(collection.tree(), group, package, plan); !written) {
        return refuse(written.message());
    }
    return writeOutput(addedWordsText(plan.words.size()) + " do balíčku " + inQuotes(package) + " ve skupině " +
                       inQuotes(group) + ".\n");
}

}  // namespace

bool isCommandLine(int argc, char** argv)
{
    if (argc < 2) {
        return false;
    }
    // Qt's windowing options, also spelt with two dashes; "-style=fusion" as "-style fusion".
    static constexpr std::array<std::string_view, 21> kWindowOptions = {
        "-platform",  "-platformpluginpath", "-platformtheme", "-plugin",        "-qwindowgeometry", "-qwindowicon",
        "-qwindowtitle", "-reverse",         "-session",       "-display",       "-geometry",        "-style",
        "-stylesheet", "-widgetcount",       "-name",          "-title",         "-visual",          "-nograb",
        "-dograb",    "-sync",               "-qmljsdebugger"};
    std::string_view first = argv[1];
    if (first.starts_with("--")) {
        first.remove_prefix(1);
    }
    first = first.substr(0, first.find('='));
    return std::find(kWindowOptions.begin(), kWindowOptions.end(), first) == kWindowOptions.end();
}

int runCommandLine(int argc, char** argv)
{
    const Result<Invocation> parsed = parseArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (!parsed) {
        std::cerr << parsed.message().text << '\n' << kUsage;
        return static_cast<int>(ExitStatus::WrongUsage);
    }
    const Invocation& invocation = parsed.value();
    if (invocation.command == Command::Help) {
        return static_cast<int>(writeOutput(kHelp));
    }
    if (invocation.command == Command::Version) {
        return static_cast<int>(writeOutput("Lexivo " LEXIVO_VERSION "\n"));
    }

    // Qt's own notes (no runtime directory, a font fallback) are not the command's output.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) {
            std::cerr << text.toStdString() << '\n';
        }
    });
    qtArguments().values[0] = argv[0];
    // The single-instance lock names the application, so a command that reads or writes the
    // data has one; an export makes its own to measure fonts.
    std::unique_ptr<QCoreApplication> application;
    if (invocation.command != Command::Export) {
        application = std::make_unique<QCoreApplication>(qtArguments().count, qtArguments().values.data());
    }
    Collection collection(DataTree(resolveProgramDirectory(executableDirectory())), localeNameOrder());
    ExitStatus status = ExitStatus::Done;
    switch (invocation.command) {
    case Command::List: status = listCollection(collection, invocation); break;
    case Command::Export: status = exportPackage(collection, invocation); break;
    case Command::Import: status = importWords(collection, invocation); break;
    case Command::Help:
    case Command::Version: break;
    }
    return static_cast<int>(status);
}

}  // namespace lexivo
