// The command line as a user runs it: the real lexivo executable in a child process, with no
// display and its data in a temporary $XDG_DATA_HOME; exit codes, messages and files.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <QGuiApplication>
#include <gtest/gtest.h>

#include "app/single_instance.h"
#include "editing/export_document.h"
#include "editing/export_font.h"
#include "editing/package_editing.h"
#include "store/data_tree.h"
#include "support/temp_tree.h"
#include "ui/controls.h"
#include "ui/seams.h"

extern char** environ;

namespace lexivo {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::writeBytes;

struct Outcome {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// The environment of the child: no display of any kind, the data in `dataHome`.
std::vector<std::string> childEnvironment(const fs::path& dataHome)
{
    std::vector<std::string> variables;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string_view entry = *variable;
        const std::string_view name = entry.substr(0, entry.find('='));
        if (name != "DISPLAY" && name != "WAYLAND_DISPLAY" && name != "QT_QPA_PLATFORM" && name != "XDG_DATA_HOME") {
            variables.emplace_back(entry);
        }
    }
    variables.push_back("XDG_DATA_HOME=" + dataHome.string());
    return variables;
}

std::vector<char*> pointers(std::vector<std::string>& texts)
{
    std::vector<char*> result;
    for (std::string& text : texts) {
        result.push_back(text.data());
    }
    result.push_back(nullptr);
    return result;
}

class CommandLine : public ::testing::Test {
protected:
    fs::path dataHome() const { return temp_.root() / "data-home"; }
    fs::path programDirectory() const { return dataHome() / "Lexivo"; }
    DataTree tree() const { return DataTree(programDirectory()); }
    fs::path workFile(std::string_view name) const { return temp_.root() / name; }

    void writePackage(std::string_view group, std::string_view package, std::string_view bytes) const
    {
        fs::create_directories(tree().temporaryDirectory(group));
        writeBytes(tree().packageFile(group, package), bytes);
    }
    std::string package(std::string_view group, std::string_view name) const
    {
        return readBytes(tree().packageFile(group, name));
    }

    // Every file under Data with its bytes.
    std::map<fs::path, std::string> dataFiles() const
    {
        std::map<fs::path, std::string> files;
        if (fs::exists(tree().dataRoot())) {
            for (const auto& entry : fs::recursive_directory_iterator(tree().dataRoot())) {
                if (entry.is_regular_file()) {
                    files[entry.path()] = readBytes(entry.path());
                }
            }
        }
        return files;
    }

    // Runs lexivo with the arguments in the temporary directory and waits for it.
    Outcome lexivo(std::vector<std::string> arguments) const
    {
        arguments.insert(arguments.begin(), LEXIVO_PATH);
        std::vector<char*> argv = pointers(arguments);
        std::vector<std::string> environment = childEnvironment(dataHome());
        std::vector<char*> envp = pointers(environment);
        const fs::path outFile = workFile("stdout"), errFile = workFile("stderr");
        const int out = ::open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        const std::string directory = temp_.root().string();
        const pid_t child = ::fork();
        if (child == 0) {
            if (::chdir(directory.c_str()) != 0 || ::dup2(out, STDOUT_FILENO) < 0 || ::dup2(err, STDERR_FILENO) < 0) {
                ::_exit(127);
            }
            ::execve(argv[0], argv.data(), envp.data());
            ::_exit(127);
        }
        ::close(out);
        ::close(err);
        Outcome run;
        int status = 0;
        if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
            run.exitCode = WEXITSTATUS(status);
        }
        run.out = readBytes(outFile);
        run.err = readBytes(errFile);
        return run;
    }

    testing::TempTree temp_;
};

// English first, knowledge digits, an example, Czech letters in Windows-1250 ("č" is E8, "ř"
// F8, "ž" 9E), and lines whose sorted order is neither the file's nor the bytes'.
const std::string kAnimals = "zebra|zebra|The zebra runs.|1\r\n"
                             "cat|ko\xE8ka||4\r\n"
                             "Badger|jezevec|A badger, \"old\"; digs.|0\r\n"
                             "dog|pes||2\r\n"
                             "\xE8\x61j|tea||3\r\n";

TEST_F(CommandLine, HelpIsEnglishAndComplete)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--help"}, {"-h"}, {"export", "--help"}, {"import", "x.csv", "-h"}}) {
        SCOPED_TRACE(arguments.front() + " " + arguments.back());
        const Outcome run = lexivo(arguments);
        EXPECT_EQ(run.exitCode, 0);
        EXPECT_EQ(run.err, "");
        for (std::string_view part : {"Usage:", "list", "export", "import", "--group", "--package", "--format",
                                      "--output", "--encoding", "--separator", "--no-header", "--cut",
                                      "--keep-duplicates", "Exit status", "XDG_DATA_HOME", "replaced"}) {
            EXPECT_NE(run.out.find(part), std::string::npos) << part;
        }
    }
    const Outcome version = lexivo({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.starts_with("Lexivo ")) << version.out;
}

TEST_F(CommandLine, WrongUsageExitsWithTwoAndTheUsage)
{
    writePackage("G", "P", kAnimals);
    writeBytes(workFile("words.csv"), "dog,pes\n");
    const std::vector<std::string> importBase = {"import", "words.csv", "--group", "G", "--package", "N"};
    auto withImport = [&](std::vector<std::string> extra) {
        std::vector<std::string> arguments = importBase;
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return arguments;
    };
    const struct {
        std::vector<std::string> arguments;
        std::string_view message;
    } cases[] = {
        {{"frobnicate"}, "Neznámý příkaz „frobnicate“."},
        {{"--frobnicate"}, "Neznámá volba „--frobnicate“."},
        {{"list", "--cut"}, "Příkaz „list“ nezná volbu „--cut“."},
        {{"list", "--group"}, "Volba „--group“ potřebuje hodnotu."},
        {{"list", "--group=G", "--group", "G"}, "Volba „--group“ je uvedena vícekrát."},
        {{"list", "G"}, "Nadbytečný argument „G“."},
        {{"export", "--group", "G", "--package", "P"}, "Chybí volba „--format“."},
        {{"export", "--group", "G", "--package", "P", "--format", "pdf"}, "Neznámý formát „pdf“"},
        {{"export", "--group", "G", "--format", "txt", "-o"}, "Volba „--output“ potřebuje hodnotu."},
        {{"import", "--group", "G", "--package", "N"}, "Chybí soubor"},
        {withImport({"other.csv"}), "Nadbytečný argument „other.csv“."},
        {withImport({"--encoding", "latin1"}), "Neznámé kódování „latin1“"},
        {withImport({"--separator=pipe"}), "Neznámý oddělovač „pipe“"},
        {withImport({"--header", "--no-header"}), "Volby „--header“ a „--no-header“ nelze použít zároveň."},
        {withImport({"--cut=yes"}), "Volba „--cut“ nemá hodnotu."},
    };
    const auto before = dataFiles();
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(message);
        const Outcome run = lexivo(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with(message)) << run.err;
        EXPECT_NE(run.err.find("lexivo --help"), std::string::npos);
    }
    EXPECT_EQ(dataFiles(), before);
}

TEST_F(CommandLine, ListsGroupsInTheProgramsOrderAndPackagesWithTheirWordCounts)
{
    writePackage("Zeměpis", "Hory", "Alps|Alpy||4\r\n");
    writePackage("Čeština", "Slovesa", "");
    writePackage("angličtina", "Zvířata", kAnimals);
    writePackage("angličtina", "barvy", "red|červená||4\r\nblue|modrá||4\r\n");
    writePackage("angličtina", "Čísla", "");

    const Outcome groups = lexivo({"list"});
    EXPECT_EQ(groups.exitCode, 0);
    EXPECT_EQ(groups.out, "angličtina\nČeština\nZeměpis\n");
    EXPECT_EQ(groups.err, "");

    const Outcome packages = lexivo({"list", "--group", "angličtina"});
    EXPECT_EQ(packages.exitCode, 0);
    EXPECT_EQ(packages.out, "barvy\t2\nČísla\t0\nZvířata\t5\n");
    EXPECT_EQ(packages.err, "");
}

TEST_F(CommandLine, ExportsThePageAndTextTheExportWindowWrites)
{
    writePackage("G", "Zvířata", kAnimals);
    PackageEditing editing(tree(), "G", localeNameOrder());
    editing.showOrder(wordOrderFor(ExportDirection::ForeignFirst));
    editing.showPackage("Zvířata");
    const ExportSource source = exportSource(editing);
    ExportStyle style;
    style.resetForOpening();
    auto expected = [&](ExportFormat format) {
        ExportOptions options;
        options.format = format;
        const int width = exportPageWidth(source, options, exportLineWidth(style));
        return exportDocument(exportLines(source, options).value(), options, style, width).value();
    };

    const struct {
        std::string name;
        ExportFormat format;
    } formats[] = {{"html", ExportFormat::Html}, {"txt", ExportFormat::Text}};
    for (const auto& [name, format] : formats) {
        SCOPED_TRACE(name);
        const std::string bytes = expected(format);
        const Outcome toOutput = lexivo({"export", "--group", "G", "--package", "Zvířata", "--format", name});
        EXPECT_EQ(toOutput.exitCode, 0) << toOutput.err;
        EXPECT_EQ(toOutput.out, bytes);

        // An existing file is replaced as a whole.
        writeBytes(workFile("page"), std::string(100000, 'x'));
        const Outcome toFile = lexivo({"export", "--group", "G", "--package", "Zvířata", "--format", name, "-o", "page"});
        EXPECT_EQ(toFile.exitCode, 0) << toFile.err;
        EXPECT_EQ(toFile.out, "");
        EXPECT_EQ(readBytes(workFile("page")), bytes);
    }
    // The page is sorted in the Czech way, with the widest line measured in the real font.
    const std::string page = expected(ExportFormat::Html);
    EXPECT_LT(page.find("Badger"), page.find("cat"));
    EXPECT_LT(page.find("cat"), page.find("\xE8\x61j"));
    EXPECT_EQ(page.find("width:0px"), std::string::npos);
}

TEST_F(CommandLine, CsvExportImportedIntoANewPackageGivesTheSamePackage)
{
    writePackage("G", "Zvířata", kAnimals);
    const Outcome exported = lexivo({"export", "--group", "G", "--package", "Zvířata", "--format", "csv", "-o", "z.csv"});
    ASSERT_EQ(exported.exitCode, 0) << exported.err;

    const Outcome imported = lexivo({"import", "z.csv", "--group", "G", "--package", "Kopie"});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(imported.out, "Přidáno 5 slovíček do balíčku „Kopie“ ve skupině „G“.\n");
    EXPECT_EQ(imported.err, "");
    EXPECT_EQ(package("G", "Kopie"), kAnimals);

    const Outcome toOutput = lexivo({"export", "--group", "G", "--package", "Kopie", "--format", "csv"});
    EXPECT_EQ(toOutput.out, readBytes(workFile("z.csv")));
}

TEST_F(CommandLine, ImportAppendsReportsEachLineLeftOutAndHonoursTheChoices)
{
    writePackage("G", "Barvy", "red|\xE8\x65rven\xE1||4\r\n");
    // Semicolons, a header, a duplicate of what the package holds, a line without Czech.
    writeBytes(workFile("barvy.txt"), "english;czech;example;level\n"
                                      "green;zelená;Grass is green.;2\n"
                                      "red;červená;;4\n"
                                      "blue;;;\n"
                                      "white;bílá;;0\n");
    const Outcome run = lexivo({"import", "barvy.txt", "--group", "G", "--package", "Barvy"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Přidána 2 slovíčka do balíčku „Barvy“ ve skupině „G“.\n");
    EXPECT_TRUE(run.err.starts_with("řádek 3: ")) << run.err;
    EXPECT_NE(run.err.find("\nřádek 4: "), std::string::npos) << run.err;
    EXPECT_EQ(package("G", "Barvy"), "red|\xE8\x65rven\xE1||4\r\n"
                                     "green|zelen\xE1|Grass is green.|2\r\n"
                                     "white|b\xEDl\xE1||0\r\n");

    // The choices: a tab-separated file without a header, duplicates kept.
    writeBytes(workFile("more.tsv"), "red\tčervená\n");
    const Outcome kept = lexivo({"import", "more.tsv", "--group", "G", "--package", "Nové", "--separator", "tab",
                             "--no-header", "--keep-duplicates", "--encoding", "utf-8"});
    EXPECT_EQ(kept.exitCode, 0) << kept.err;
    EXPECT_EQ(kept.out, "Přidáno 1 slovíčko do balíčku „Nové“ ve skupině „G“.\n");
    EXPECT_EQ(package("G", "Nové"), "red|\xE8\x65rven\xE1||4\r\n");
}

TEST_F(CommandLine, RefusalsExitWithOneSayWhyInCzechAndChangeNothing)
{
    writePackage("G", "P", kAnimals);
    writePackage("G", "Prázdný", "");
    writeBytes(workFile("words.csv"), "dog,pes\n");
    writeBytes(workFile("bad.csv"), "dog,\n,kočka\n");
    for (int i = 0; i <= 480; ++i) {
        writePackage("Plná", "p" + std::to_string(i), "");
    }
    const struct {
        std::vector<std::string> arguments;
        std::string_view message;  // the start of standard error
    } cases[] = {
        {{"list", "--group", "Chybí"}, "Skupina „Chybí“ neexistuje."},
        {{"export", "--group", "Chybí", "--package", "P", "--format", "txt"}, "Skupina „Chybí“ neexistuje."},
        {{"export", "--group", "G", "--package", "Chybí", "--format", "html"},
         "Balíček „Chybí“ ve skupině „G“ neexistuje."},
        {{"export", "--group", "G", "--package", "Prázdný", "--format", "csv"},
         "Balíček „Prázdný“ neobsahuje žádné slovíčko"},
        {{"export", "--group", "G", "--package", "P", "--format", "txt", "-o", "no-such-directory/file.txt"}, ""},
        {{"import", "words.csv", "--group", "Chybí", "--package", "N"}, "Skupina „Chybí“ neexistuje."},
        {{"import", "words.csv", "--group", "G", "--package", "1lekce"}, "První znak jména nesmí být číslo."},
        {{"import", "words.csv", "--group", "Plná", "--package", "N"}, "Další balíček nelze přidat."},
        {{"import", "words.csv", "--group", "G", "--package", "a/b"}, ""},
        {{"import", "missing.csv", "--group", "G", "--package", "N"}, ""},
        {{"import", "bad.csv", "--group", "G", "--package", "N"}, "řádek 1: "},
    };
    const auto before = dataFiles();
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const Outcome run = lexivo(arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(run.err.starts_with(message)) << run.err;
        EXPECT_TRUE(run.err.ends_with("\n"));
        EXPECT_GT(run.err.size(), 1u);
        EXPECT_EQ(run.err.find("Usage"), std::string::npos);
    }
    EXPECT_EQ(dataFiles(), before);
    EXPECT_FALSE(fs::exists(workFile("no-such-directory")));
}

TEST_F(CommandLine, ImportWaitsForTheRunningProgramWhileListingGoesOn)
{
    writePackage("G", "P", kAnimals);
    writeBytes(workFile("words.csv"), "dog,pes\n");
    {
        const SingleInstance running(programDirectory());
        ASSERT_TRUE(running.acquired());
        const Outcome refused = lexivo({"import", "words.csv", "--group", "G", "--package", "N"});
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_EQ(refused.out, "");
        EXPECT_NE(refused.err.find("Zavřete program"), std::string::npos) << refused.err;
        EXPECT_FALSE(fs::exists(tree().packageFile("G", "N")));

        const Outcome listed = lexivo({"list", "--group", "G"});
        EXPECT_EQ(listed.exitCode, 0);
        EXPECT_EQ(listed.out, "P\t5\n");
    }
    const Outcome imported = lexivo({"import", "words.csv", "--group", "G", "--package", "N"});
    EXPECT_EQ(imported.exitCode, 0) << imported.err;
    EXPECT_EQ(package("G", "N"), "dog|pes||4\r\n");
}

}  // namespace
}  // namespace lexivo

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    // The program keeps its data beside itself when its directory holds these: the tests would
    // then work on the build tree instead of their own directory.
    const fs::path programBeside = fs::path(LEXIVO_PATH).parent_path();
    for (const char* name : {"config", "Data"}) {
        if (fs::exists(programBeside / name)) {
            std::fprintf(stderr, "%s holds %s: the command line tests would touch it. Remove it first.\n",
                         programBeside.c_str(), name);
            return 1;
        }
    }
    // This process measures the page as the program does: offscreen, with the program's fonts.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    lexivo::installFontSubstitutes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
