// The package editor, the word transfer and the export at the largest package a user can
// have (1000 words), against the floor of rewriting the package once with the same durable
// steps (scratch file, data sync, rename, directory sync).

#include <cstdlib>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "bench_directory.h"
#include "editing/export_document.h"
#include "editing/package_editing.h"
#include "editing/word_transfer.h"
#include "ratio_report.h"
#include "sample_package.h"
#include "store/cp1250.h"
#include "store/file_io.h"

namespace {

namespace fs = std::filesystem;
using namespace lexivo;
using lexivo::bench::packageOf;

// A program directory with the group "G" holding "Velký" (1000 words) and "Skoro" (999), and the
// group "H" holding the empty "Cíl". Removed when the program ends.
class Fixture {
public:
    Fixture()
    {
        fs::create_directories(tree_.temporaryDirectory("G"));
        fs::create_directories(tree_.temporaryDirectory("H"));
        full_ = packageOf(kMaxWordsPerPackage);
        restore("G", "Velký", full_);
        restore("G", "Skoro", packageOf(kMaxWordsPerPackage - 1));
        restore("H", "Cíl", "");
    }
    ~Fixture() { fs::remove_all(root_); }

    const DataTree& tree() const { return tree_; }
    const fs::path& root() const { return root_; }
    const std::string& full() const { return full_; }
    void restore(std::string_view group, std::string_view package, std::string_view bytes) const
    {
        (void)writeFileAtomically(tree_.packageFile(group, package), tree_.packageFile(group, "slov"), bytes);
    }

private:
    fs::path root_ = bench::makeBenchDirectory();
    DataTree tree_{root_};
    std::string full_;
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

void reportFailure(benchmark::State& state, const std::optional<Message>& message)
{
    if (message) {
        state.SkipWithError(message->text.c_str());
    }
}

void FloorRewritePackage(benchmark::State& state)
{
    const DataTree& tree = fixture().tree();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            writeFileAtomically(tree.packageFile("G", "floor"), tree.packageFile("G", "slov"), fixture().full()).ok());
    }
    fs::remove(tree.packageFile("G", "floor"));
}
BENCHMARK(FloorRewritePackage)->UseRealTime();

void FillEditor(benchmark::State& state)
{
    PackageEditing editing(fixture().tree(), "G");
    editing.showPackage("Velký");
    const auto order = static_cast<WordOrder>(state.range(0));
    for (auto _ : state) {
        editing.showOrder(order);
        benchmark::DoNotOptimize(editing.lines().data());
    }
}
BENCHMARK(FillEditor)->DenseRange(0, 3)->UseRealTime();

void SelectWord(benchmark::State& state)
{
    PackageEditing editing(fixture().tree(), "G");
    editing.showPackage("Velký");
    for (auto _ : state) {
        if (!editing.select(700).ok()) {
            state.SkipWithError("the word to select is not there");
            break;
        }
    }
}
BENCHMARK(SelectWord)->UseRealTime();

void AddWord(benchmark::State& state)
{
    const std::string before = packageOf(kMaxWordsPerPackage - 1);
    PackageEditing editing(fixture().tree(), "G");
    editing.showPackage("Skoro");
    for (auto _ : state) {
        EditOutcome added = editing.addWord({"new word", "nové slovo", "It is new."});
        reportFailure(state, added.message);
        state.PauseTiming();
        fixture().restore("G", "Skoro", before);
        editing.refill();
        state.ResumeTiming();
    }
}
BENCHMARK(AddWord)->UseRealTime();

void DeleteWord(benchmark::State& state)
{
    PackageEditing editing(fixture().tree(), "G");
    editing.showPackage("Velký");
    for (auto _ : state) {
        (void)editing.select(500);
        EditOutcome deleted = editing.deleteSelectedWord(500);
        reportFailure(state, deleted.message);
        state.PauseTiming();
        fixture().restore("G", "Velký", fixture().full());
        editing.refill();
        state.ResumeTiming();
    }
}
BENCHMARK(DeleteWord)->UseRealTime();

// The whole export of 1000 words with examples and numbers: lines, width, page, file.
void Export1000(benchmark::State& state)
{
    PackageEditing editing(fixture().tree(), "G");
    editing.showPackage("Velký");
    const ExportSource source = exportSource(editing);
    const ExportOptions options{ExportDirection::ForeignFirst, true, true, true, false, ExportFormat::Html};
    const fs::path file = fixture().root() / "export.html";
    for (auto _ : state) {
        auto lines = exportLines(source, options);
        const int width = exportPageWidth(source, options, [](std::string_view text) {
            return static_cast<int>(characterCount(text)) * 9;
        });
        auto bytes = exportDocument(lines.value(), options, ExportStyle{}, width);
        Status written = writeExportFile(file, bytes.value());
        reportFailure(state, written.ok() ? std::nullopt : std::optional(written.message()));
    }
}
BENCHMARK(Export1000)->UseRealTime();

// The final content of both packages written once each, durably.
void FloorRewriteBothFiles(benchmark::State& state)
{
    const DataTree& tree = fixture().tree();
    const std::string half = packageOf(kMaxWordsPerPackage / 2);
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            writeFileAtomically(tree.packageFile("G", "floor"), tree.packageFile("G", "slov"), half).ok());
        benchmark::DoNotOptimize(
            writeFileAtomically(tree.packageFile("H", "floor"), tree.packageFile("H", "slov"), half).ok());
    }
    fs::remove(tree.packageFile("G", "floor"));
    fs::remove(tree.packageFile("H", "floor"));
}
BENCHMARK(FloorRewriteBothFiles)->UseRealTime();

// Moves 500 words out of a 1000-word package into another group; both lists are refilled.
void Move500(benchmark::State& state)
{
    WordTransfer transfer(fixture().tree(), TransferMode::Transfer, "G");
    transfer.open("Velký");
    TransferSelection selection;
    for (std::size_t i = 0; i < kMaxWordsTransferredAtOnce; ++i) {
        selection.left.push_back(i * 2);
    }
    for (auto _ : state) {
        state.PauseTiming();
        fixture().restore("G", "Velký", fixture().full());
        fixture().restore("H", "Cíl", "");
        transfer.chooseGroup(Side::Left, "G");
        transfer.choosePackage(Side::Left, "Velký");
        transfer.chooseGroup(Side::Right, "H");
        state.ResumeTiming();
        TransferOutcome moved = transfer.perform(TransferButton::MoveRight, selection);
        reportFailure(state, moved.message);
        if (transfer.lines(Side::Right).size() != kMaxWordsTransferredAtOnce) {
            state.SkipWithError("the words did not arrive");
        }
    }
    // The other benchmarks, in whatever order they run, find the packages as they were made.
    fixture().restore("G", "Velký", fixture().full());
    fixture().restore("H", "Cíl", "");
}
BENCHMARK(Move500)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return lexivo::bench::runWithRatios(argc, argv,
                                        {
                                            {"FillEditor/0/real_time", "FloorRewritePackage/real_time"},
                                            {"FillEditor/1/real_time", "FloorRewritePackage/real_time"},
                                            {"FillEditor/2/real_time", "FloorRewritePackage/real_time"},
                                            {"FillEditor/3/real_time", "FloorRewritePackage/real_time"},
                                            {"SelectWord/real_time", "FloorRewritePackage/real_time"},
                                            {"AddWord/real_time", "FloorRewritePackage/real_time"},
                                            {"DeleteWord/real_time", "FloorRewritePackage/real_time"},
                                            {"Export1000/real_time", "FloorRewritePackage/real_time"},
                                            {"Move500/real_time", "FloorRewriteBothFiles/real_time"},
                                        });
}
