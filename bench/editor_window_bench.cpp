// The package editor and the export window under the offscreen platform, at the largest package
// a user can have (1000 words): each operation as the user meets it, from the click to the
// repainted window, against the floor of rewriting the package once durably.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <benchmark/benchmark.h>

#include "bench_directory.h"
#include "editing/editing_session.h"
#include "editing/export_dialog.h"
#include "editing/package_editor.h"
#include "window_ratio_report.h"
#include "sample_package.h"
#include "silent_desktop.h"
#include "store/file_io.h"
#include "store/word_record.h"
#include "ui/control_ids/export_dialog.h"
#include "ui/control_ids/package_editor.h"
#include "ui/controls.h"
#include "ui/program.h"

namespace {

namespace fs = std::filesystem;
using namespace lexivo;
using namespace lexivo::bench;

// Every question is answered Yes, except the offer to open the exported file; a message fails the run.
class AnsweringDialogs final : public Dialogs {
public:
    void showMessage(QWidget*, const Message&) override { ++messages; }
    bool askYesNo(QWidget*, const Message& question) override { return question != exportDoneQuestion(); }
    int messages = 0;
};
class SaveTo final : public DesktopChoosers {
public:
    explicit SaveTo(QString file) : file_(std::move(file)) {}
    std::optional<FontChoice> chooseFont(QWidget*, const FontChoice&) override { return std::nullopt; }
    std::optional<QColor> chooseColour(QWidget*, const QColor&) override { return std::nullopt; }
    std::optional<QString> chooseSaveFile(QWidget*, const SaveFileRequest&) override { return file_; }
    std::optional<QString> chooseOpenFile(QWidget*, const OpenFileRequest&) override { return std::nullopt; }

private:
    QString file_;
};

// A program directory with the group "G" holding "Velký" (1000 words) and "Skoro" (999), and the
// program state and the editor on it. Removed when the program ends.
class Fixture {
public:
    Fixture()
        : program_(DataTree(root_), dialogs, shell_, voice_), choosers_(QString::fromStdString((root_ / "export.html").string())),
          session_(choosers_)
    {
        program_.grid = DesignGrid(1600, 1200);
        fs::create_directories(program_.tree.temporaryDirectory("G"));
        full_ = packageOf(kMaxWordsPerPackage);
        restore("Velký", full_);
        restore("Skoro", packageOf(kMaxWordsPerPackage - 1));
        program_.collection.listGroups();
        program_.collection.setCurrentGroup("G");
    }
    ~Fixture() { fs::remove_all(root_); }

    void restore(std::string_view package, std::string_view bytes) const
    {
        (void)writeFileAtomically(program_.tree.packageFile("G", package), program_.tree.packageFile("G", "slov"), bytes);
    }
    const std::string& full() const { return full_; }
    const fs::path& root() const { return root_; }
    std::unique_ptr<PackageEditor> editor(int package)
    {
        auto window = std::make_unique<PackageEditor>(program_, session_, nullptr, QStringList{"Skoro", "Velký"}, package,
                                                      EditorStart::Edit);
        window->show();
        return window;
    }
    Program& program() { return program_; }
    EditingSession& session() { return session_; }

    AnsweringDialogs dialogs;

private:
    fs::path root_ = bench::makeBenchDirectory();
    NoShell shell_;
    SilentVoice voice_;
    Program program_;
    SaveTo choosers_;
    EditingSession session_;
    std::string full_;
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

constexpr int kSmaller = 0;  // "Skoro", 999 words
constexpr int kFull = 1;     // "Velký", 1000 words

void failOnMessage(benchmark::State& state)
{
    if (fixture().dialogs.messages > 0) {
        state.SkipWithError("the window showed a message");
    }
}

void FloorRewritePackage(benchmark::State& state)
{
    const DataTree& tree = fixture().program().tree;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            writeFileAtomically(tree.packageFile("G", "floor"), tree.packageFile("G", "slov"), fixture().full()).ok());
    }
    fs::remove(tree.packageFile("G", "floor"));
}
BENCHMARK(FloorRewritePackage)->UseRealTime();

// The sort drop-down chosen: the list read, sorted and shown.
void RefillEditorWindow(benchmark::State& state)
{
    auto editor = fixture().editor(kFull);
    const auto order = static_cast<WordOrder>(state.range(0));
    for (auto _ : state) {
        editor->chooseOrder(order);
        editor->repaint();
    }
}
BENCHMARK(RefillEditorWindow)->DenseRange(0, 3)->UseRealTime();

// A word clicked: its record found in the file and shown in the panel.
void SelectWordInWindow(benchmark::State& state)
{
    auto editor = fixture().editor(kFull);
    QItemSelectionModel* selection = editor->wordList()->selectionModel();
    int row = 0;
    for (auto _ : state) {
        selection->select(editor->wordList()->model()->index(row = (row + 397) % 1000, 0),
                          QItemSelectionModel::ClearAndSelect);
        editor->repaint();
    }
    failOnMessage(state);
}
BENCHMARK(SelectWordInWindow)->UseRealTime();

void AddWordInWindow(benchmark::State& state)
{
    const std::string before = packageOf(kMaxWordsPerPackage - 1);
    auto editor = fixture().editor(kSmaller);
    for (auto _ : state) {
        findControlAs<QLineEdit>(editor.get(), package_editor_control::NewEnglish)->setText("new word");
        findControlAs<QLineEdit>(editor.get(), package_editor_control::NewCzech)->setText("nové slovo");
        findControlAs<QAbstractButton>(editor.get(), package_editor_control::Add)->click();
        editor->repaint();
        state.PauseTiming();
        fixture().restore("Skoro", before);
        editor->choosePackage(kSmaller);
        state.ResumeTiming();
    }
    failOnMessage(state);
}
BENCHMARK(AddWordInWindow)->UseRealTime();

void DeleteWordInWindow(benchmark::State& state)
{
    auto editor = fixture().editor(kFull);
    for (auto _ : state) {
        state.PauseTiming();
        editor->wordList()->selectionModel()->select(editor->wordList()->model()->index(500, 0),
                                                     QItemSelectionModel::ClearAndSelect);
        state.ResumeTiming();
        findControlAs<QAbstractButton>(editor.get(), package_editor_control::Delete)->click();
        editor->repaint();
        state.PauseTiming();
        fixture().restore("Velký", fixture().full());
        editor->choosePackage(kFull);
        state.ResumeTiming();
    }
    failOnMessage(state);
}
BENCHMARK(DeleteWordInWindow)->UseRealTime();

// "Pokračovat" with examples and numbers: lines, page width, document and the durable file.
void Export1000InWindow(benchmark::State& state)
{
    auto editor = fixture().editor(kFull);
    for (auto _ : state) {
        state.PauseTiming();
        auto exporting = std::make_unique<ExportDialog>(fixture().program(), fixture().session(), *editor);
        findControlAs<QAbstractButton>(exporting.get(), export_dialog_control::ShowExamples)->setChecked(true);
        findControlAs<QAbstractButton>(exporting.get(), export_dialog_control::NumberWords)->setChecked(true);
        state.ResumeTiming();
        findControlAs<QAbstractButton>(exporting.get(), export_dialog_control::Continue)->click();
        state.PauseTiming();
        exporting.reset();
        state.ResumeTiming();
    }
    if (!fs::exists(fixture().root() / "export.html")) {
        state.SkipWithError("nothing was exported");
    }
    failOnMessage(state);
}
BENCHMARK(Export1000InWindow)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    const std::string floor = "FloorRewritePackage/real_time";
    return lexivo::bench::runWindowBenchmarksWithRatios(argc, argv,
                                        {
                                            {"RefillEditorWindow/0/real_time", floor},
                                            {"RefillEditorWindow/1/real_time", floor},
                                            {"RefillEditorWindow/2/real_time", floor},
                                            {"RefillEditorWindow/3/real_time", floor},
                                            {"SelectWordInWindow/real_time", floor},
                                            {"AddWordInWindow/real_time", floor},
                                            {"DeleteWordInWindow/real_time", floor},
                                            {"Export1000InWindow/real_time", floor},
                                        });
}
