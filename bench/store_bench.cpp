// The store at the largest sizes a user can reach: a package of 1000 words and a group of
// 481 packages.

#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <string>

#include <benchmark/benchmark.h>

#include "bench_directory.h"
#include "durable_floor.h"
#include "ratio_report.h"
#include "store/collection.h"
#include "store/file_io.h"
#include "store/package_file.h"

namespace {

namespace fs = std::filesystem;
using namespace lexivo;

// A program directory with one group "G": the package "Velký" of 1000 words and 480 more
// packages of 20 words each. Removed when the program ends.
class Fixture {
public:
    Fixture() : root_(bench::makeBenchDirectory()), tree_(root_)
    {
        fs::create_directories(tree_.temporaryDirectory("G"));
        packageBytes_ = words(kMaxWordsPerPackage);
        writeFileAtomically(tree_.packageFile("G", "Velký"), tree_.packageFile("G", "slov"), packageBytes_).ok();
        const std::string small = words(20);
        for (int i = 0; i < 480; ++i) {
            writeFileAtomically(tree_.packageFile("G", "Balíček " + std::to_string(i)), tree_.packageFile("G", "slov"),
                                small)
                .ok();
        }
    }
    ~Fixture() { fs::remove_all(root_); }

    const DataTree& tree() const { return tree_; }
    const std::string& packageBytes() const { return packageBytes_; }

private:
    static std::string words(int count)
    {
        std::string bytes;
        for (int i = 0; i < count; ++i) {
            (void)writeWordRecord(bytes, {"vocabulary " + std::to_string(i), "slovní zásoba " + std::to_string(i),
                                          "A sentence that shows how word " + std::to_string(i) + " is used.", "4"});
        }
        return bytes;
    }

    fs::path root_;
    DataTree tree_;
    std::string packageBytes_;
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

void FloorReadPackageBytes(benchmark::State& state)
{
    const fs::path file = fixture().tree().packageFile("G", "Velký");
    for (auto _ : state) {
        benchmark::DoNotOptimize(readFileBytes(file).ok());
    }
}
BENCHMARK(FloorReadPackageBytes);

void ReadPackage1000(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(readPackageRecords(fixture().tree(), "G", "Velký"));
    }
}
BENCHMARK(ReadPackage1000);

void CountPackage1000(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(countPackageWords(fixture().tree(), "G", "Velký"));
    }
}
BENCHMARK(CountPackage1000);

// The same durable steps as a rewrite: scratch file, fdatasync, rename, directory fsync.
void FloorWriteAndSyncPackageBytes(benchmark::State& state)
{
    const fs::path file = fixture().tree().packageFile("G", "floor");
    for (auto _ : state) {
        bench::replaceDurably(file, {fixture().packageBytes()});
    }
    fs::remove(file);
}
BENCHMARK(FloorWriteAndSyncPackageBytes)->UseRealTime();

void RewritePackage1000(benchmark::State& state)
{
    int flip = 0;
    for (auto _ : state) {
        // Change one coefficient, as an answer in a test does.
        const std::string knowledge = (flip++ % 2 == 0) ? "3" : "4";
        const Status status = rewritePackageFile(fixture().tree(), "G", "Velký", [&](const WordRecord& record) {
            return record.english == "vocabulary 500" ? RecordChange::setKnowledge(knowledge) : RecordChange::keep();
        });
        if (!status.ok()) {
            state.SkipWithError(status.message().text.c_str());
        }
    }
}
BENCHMARK(RewritePackage1000)->UseRealTime();

void FloorScanGroupDirectory(benchmark::State& state)
{
    const fs::path directory = fixture().tree().groupDirectory("G");
    for (auto _ : state) {
        DIR* handle = ::opendir(directory.c_str());
        int entries = 0;
        while (::readdir(handle) != nullptr) {
            ++entries;
        }
        ::closedir(handle);
        benchmark::DoNotOptimize(entries);
    }
}
BENCHMARK(FloorScanGroupDirectory);

void ListPackages481(benchmark::State& state)
{
    Collection collection(fixture().tree());
    collection.setCurrentGroup("G");
    collection.listGroups();
    for (auto _ : state) {
        benchmark::DoNotOptimize(collection.listPackages());
    }
}
BENCHMARK(ListPackages481);

void FloorReadGroupBytes(benchmark::State& state)
{
    const fs::path directory = fixture().tree().groupDirectory("G");
    for (auto _ : state) {
        for (const auto& entry : fs::directory_iterator(directory)) {
            if (entry.is_regular_file()) {
                benchmark::DoNotOptimize(readFileBytes(entry.path()).ok());
            }
        }
    }
}
BENCHMARK(FloorReadGroupBytes);

// What the main window does when it opens a group: list the packages and count each one.
void ListAndCount481(benchmark::State& state)
{
    Collection collection(fixture().tree());
    collection.setCurrentGroup("G");
    collection.listGroups();
    for (auto _ : state) {
        int words = 0;
        for (const std::string& package : collection.listPackages()) {
            words += countPackageWords(fixture().tree(), "G", package);
        }
        benchmark::DoNotOptimize(words);
    }
}
BENCHMARK(ListAndCount481);

}  // namespace

int main(int argc, char** argv)
{
    return lexivo::bench::runWithRatios(argc, argv,
                                        {
                                            {"ReadPackage1000", "FloorReadPackageBytes"},
                                            {"CountPackage1000", "FloorReadPackageBytes"},
                                            {"RewritePackage1000/real_time", "FloorWriteAndSyncPackageBytes/real_time"},
                                            {"ListPackages481", "FloorScanGroupDirectory"},
                                            {"ListAndCount481", "FloorReadGroupBytes"},
                                        });
}
