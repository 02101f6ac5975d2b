// The import preview under the offscreen platform with a 1000-word CSV file: another separator
// chosen, the kept bytes read again, the words checked and the window repainted, against the
// floor of writing the same words once durably as a package.

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <QApplication>
#include <QComboBox>
#include <benchmark/benchmark.h>

#include "bench_directory.h"
#include "durable_floor.h"
#include "editing/import_preview_dialog.h"
#include "window_ratio_report.h"
#include "sample_package.h"
#include "silent_desktop.h"
#include "store/word_record.h"
#include "ui/control_ids/import_preview_dialog.h"
#include "ui/controls.h"
#include "ui/program.h"

namespace {

namespace fs = std::filesystem;
using namespace lexivo;
using namespace lexivo::bench;

class CountingDialogs final : public Dialogs {
public:
    void showMessage(QWidget*, const Message&) override { ++messages; }
    bool askYesNo(QWidget*, const Message&) override { return false; }
    int messages = 0;
};

// The same words as a spreadsheet saves them, with a header row.
std::string csvOf(int count)
{
    std::string text = "English,Czech,Example\r\n";
    for (int i = 0; i < count; ++i) {
        const std::string n = std::to_string((i * 7919) % 100000);
        text += "vocabulary " + n + ",slovní zásoba " + n + "," +
                (i % 3 == 0 ? "\"A sentence, that shows how word " + n + " is used.\"" : std::string()) + "\r\n";
    }
    return text;
}

class Fixture {
public:
    Fixture() : program_(DataTree(root_), dialogs, shell_, voice_)
    {
        program_.grid = DesignGrid(1600, 1200);
        fs::create_directories(program_.tree.temporaryDirectory("G"));
        program_.collection.listGroups();
        program_.collection.setCurrentGroup("G");
        replaceDurably(csvFile(), {csvOf(kMaxWordsPerPackage)});
    }
    ~Fixture() { fs::remove_all(root_); }

    fs::path csvFile() const { return root_ / "slova.csv"; }
    Program& program() { return program_; }
    const fs::path& root() const { return root_; }

    CountingDialogs dialogs;

private:
    fs::path root_ = bench::makeBenchDirectory();
    NoShell shell_;
    SilentVoice voice_;
    Program program_;
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

void FloorWritePackage(benchmark::State& state)
{
    const std::string package = packageOf(kMaxWordsPerPackage);
    const fs::path target = fixture().root() / "floor";
    for (auto _ : state) {
        replaceDurably(target, {package});
    }
    fs::remove(target);
}
BENCHMARK(FloorWritePackage)->UseRealTime();

// The separator box changed back and forth: each change reads the whole file again.
void RereadAfterSeparatorChange(benchmark::State& state)
{
    Result<ImportFile> file = readImportFile(fixture().csvFile());
    if (!file) {
        state.SkipWithError("the file was refused");
        return;
    }
    Result<ImportPreview> preview = ImportPreview::open(fixture().program().collection, std::move(file).value());
    if (!preview) {
        state.SkipWithError("the file could not be read");
        return;
    }
    ImportPreviewDialog window(fixture().program(), nullptr, std::move(preview).value(), "slova.csv");
    window.show();
    auto* separator = findControlAs<QComboBox>(&window, import_preview_dialog_control::Separator);
    const int comma = static_cast<int>(ImportSeparator::Comma);
    const int semicolon = static_cast<int>(ImportSeparator::Semicolon);
    for (auto _ : state) {
        separator->setCurrentIndex(separator->currentIndex() == comma ? semicolon : comma);
        window.repaint();
    }
    separator->setCurrentIndex(comma);
    if (window.preview().plan().words.size() != static_cast<std::size_t>(kMaxWordsPerPackage) ||
        fixture().dialogs.messages > 0) {
        state.SkipWithError("the preview did not read every word");
    }
}
BENCHMARK(RereadAfterSeparatorChange)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return lexivo::bench::runWindowBenchmarksWithRatios(argc, argv,
                                        {{"RereadAfterSeparatorChange/real_time", "FloorWritePackage/real_time"}});
}
