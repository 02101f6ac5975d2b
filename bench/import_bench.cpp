// Importing word lists: a 1000-word CSV file into a new package, against the floor of reading
// the file and writing the package once with the same durable steps; and a file over 50 MB,
// which must be refused at once without being read into memory.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "bench_directory.h"
#include "durable_floor.h"
#include "editing/import_table.h"
#include "editing/word_import.h"
#include "ratio_report.h"
#include "sample_package.h"
#include "store/file_io.h"
#include "store/package_file.h"

namespace {

namespace fs = std::filesystem;
using namespace lexivo;

class Fixture {
public:
    Fixture()
    {
        fs::create_directories(tree_.temporaryDirectory("G"));
        const std::string package = bench::packageOf(kMaxWordsPerPackage);
        (void)writeFileAtomically(tree_.packageFile("G", "Zdroj"), tree_.packageFile("G", "slov"), package);
        csv_ = root_ / "words.csv";
        std::ofstream(csv_, std::ios::binary) << exportCsv(readPackageRecords(tree_, "G", "Zdroj"));
        // A real file, not a sparse one: refusing it must not depend on its pages being empty.
        huge_ = root_ / "huge.csv";
        std::ofstream out(huge_, std::ios::binary);
        const std::string line = "a word;slovo;An example sentence of the word.;4\r\n";
        for (std::uintmax_t written = 0; written <= kMaxImportFileBytes; written += line.size()) {
            out << line;
        }
        out.close();
        // The largest file that is read: all of it but the last lines.
        largest_ = root_ / "largest.csv";
        fs::copy_file(huge_, largest_);
        fs::resize_file(largest_, kMaxImportFileBytes - 1000);
    }
    ~Fixture() { fs::remove_all(root_); }

    const DataTree& tree() const { return tree_; }
    const fs::path& csv() const { return csv_; }
    const fs::path& huge() const { return huge_; }
    const fs::path& largest() const { return largest_; }

private:
    fs::path root_ = bench::makeBenchDirectory();
    DataTree tree_{root_};
    fs::path csv_;
    fs::path huge_;
    fs::path largest_;
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

void FloorReadFileWritePackage(benchmark::State& state)
{
    const DataTree& tree = fixture().tree();
    const std::string package = bench::packageOf(kMaxWordsPerPackage);
    for (auto _ : state) {
        benchmark::DoNotOptimize(bench::readAll({fixture().csv()}));
        bench::replaceDurably(tree.packageFile("G", "floor"), {package});
    }
    fs::remove(tree.packageFile("G", "floor"));
}
BENCHMARK(FloorReadFileWritePackage)->UseRealTime();

// All an import does: read, detect, split, check and write a new package.
void Import1000(benchmark::State& state)
{
    const DataTree& tree = fixture().tree();
    for (auto _ : state) {
        const auto file = readImportFile(fixture().csv());
        const ImportSettings settings = detectImportSettings(*file);
        const auto table = readImportTable(*file, settings);
        const ImportPlan plan = planImport(wordRows(*table, settings), settings.columns, {}, {});
        if (plan.words.size() != static_cast<std::size_t>(kMaxWordsPerPackage) ||
            !writeImport(tree, "G", "Nový", plan).ok()) {
            state.SkipWithError("the words were not imported");
            break;
        }
        state.PauseTiming();
        fs::remove(tree.packageFile("G", "Nový"));
        state.ResumeTiming();
    }
}
BENCHMARK(Import1000)->UseRealTime();

void FloorStatFile(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(fs::file_size(fixture().huge()));
    }
}
BENCHMARK(FloorStatFile)->UseRealTime();

// A file over 50 MB: refused by its size; the resident memory must not grow by its size.
void RefuseOver50MB(benchmark::State& state)
{
    (void)fixture();
    const bench::MemoryRise rise;
    for (auto _ : state) {
        if (readImportFile(fixture().huge()).ok()) {
            state.SkipWithError("a file over 50 MB was accepted");
            break;
        }
    }
    state.counters["memory_rise_MB"] = rise.megabytes();
}
BENCHMARK(RefuseOver50MB)->UseRealTime();

// The preview of the largest file that is read: every row split and checked (1000 taken).
void ReadLargest(benchmark::State& state)
{
    (void)fixture();
    const bench::MemoryRise rise;
    for (auto _ : state) {
        const auto file = readImportFile(fixture().largest());
        const ImportSettings settings = detectImportSettings(*file);
        const auto table = readImportTable(*file, settings);
        const ImportPlan plan = planImport(wordRows(*table, settings), settings.columns, {}, {});
        benchmark::DoNotOptimize(plan.words.data());
    }
    state.counters["memory_rise_MB"] = rise.megabytes();
}
BENCHMARK(ReadLargest)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return lexivo::bench::runWithRatios(argc, argv,
                                        {{"Import1000/real_time", "FloorReadFileWritePackage/real_time"},
                                         {"RefuseOver50MB/real_time", "FloorStatFile/real_time"}});
}
