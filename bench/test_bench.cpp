// One answer in a running test — check, record, pick the next word — against the floor of
// writing the same pool and package bytes once with fsync.

#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "ratio_report.h"
#include "store/file_io.h"
#include "store/random_generator.h"
#include "test/test_engine.h"
#include "test/test_files.h"

namespace {

namespace fs = std::filesystem;
using namespace lexivo;

// A group whose packages of 1000 words hold `words` words in all.
class PoolFixture {
public:
    explicit PoolFixture(int words)
    {
        std::string pattern = (fs::temp_directory_path() / "lexivo-bench-XXXXXX").string();
        root_ = ::mkdtemp(pattern.data());
        tree_ = std::make_unique<DataTree>(root_);
        fs::create_directories(tree_->temporaryDirectory("G"));
        for (int package = 0; package * kMaxWordsPerPackage < words; ++package) {
            std::string bytes;
            for (int i = 0; i < kMaxWordsPerPackage; ++i) {
                const std::string n = std::to_string(package) + "-" + std::to_string(i);
                (void)writeWordRecord(bytes, {"word " + n + "+another meaning", "slovo " + n,
                                              "An example with word " + n + " in it.", "4"});
            }
            packages_.push_back("Balíček " + std::to_string(package));
            writeFileAtomically(tree_->packageFile("G", packages_.back()), tree_->packageFile("G", "slov"), bytes).ok();
            packageBytes_ = bytes;
        }
    }
    ~PoolFixture() { fs::remove_all(root_); }

    const DataTree& tree() const { return *tree_; }
    const std::vector<std::string>& packages() const { return packages_; }
    const std::string& packageBytes() const { return packageBytes_; }

private:
    fs::path root_;
    std::unique_ptr<DataTree> tree_;
    std::vector<std::string> packages_;
    std::string packageBytes_;
};

PoolFixture& fixture(int words)
{
    static std::map<int, std::unique_ptr<PoolFixture>> fixtures;
    auto& slot = fixtures[words];
    if (!slot) {
        slot = std::make_unique<PoolFixture>(words);
    }
    return *slot;
}

void writeAndSync(const fs::path& file, const std::string& bytes)
{
    const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    benchmark::DoNotOptimize(::write(descriptor, bytes.data(), bytes.size()));
    ::fsync(descriptor);
    ::close(descriptor);
}

void FloorRewritePoolAndPackage(benchmark::State& state)
{
    PoolFixture& data = fixture(static_cast<int>(state.range(0)));
    RandomGenerator random(1);
    TestEngine engine(data.tree(), random);
    (void)engine.startTest("G", data.packages(), TestSettings{});
    const std::string pool = *readFileBytes(data.tree().temporaryFile("G", kTestPoolName));
    const fs::path poolFloor = data.tree().temporaryFile("G", "floor-pool");
    const fs::path packageFloor = data.tree().temporaryFile("G", "floor-package");
    for (auto _ : state) {
        writeAndSync(poolFloor, pool);
        writeAndSync(packageFloor, data.packageBytes());
    }
}
BENCHMARK(FloorRewritePoolAndPackage)->Arg(1000)->Arg(10000)->Arg(100000)->UseRealTime()->Unit(benchmark::kMillisecond);

void AnswerOneQuestion(benchmark::State& state)
{
    PoolFixture& data = fixture(static_cast<int>(state.range(0)));
    RandomGenerator random(1);
    TestEngine engine(data.tree(), random);
    TestSettings settings;
    settings.fixedCount = true;
    settings.questionCount = 999;
    settings.byCoefficient = true;  // the slower pick: it walks the pool
    if (!engine.startTest("G", data.packages(), settings).ok() || !engine.pickNextWord()) {
        state.SkipWithError("the test did not start");
        return;
    }
    bool right = true;
    for (auto _ : state) {
        const bool judged = engine.checkAnswer(right ? engine.expectedText() : "wrong");
        const auto outcome = engine.recordAnswer(judged);
        if (!outcome.ok()) {
            state.SkipWithError(outcome.message().text.c_str());
            return;
        }
        engine.pickNextWord();
        right = !right;
    }
}
BENCHMARK(AnswerOneQuestion)->Arg(1000)->Arg(10000)->Arg(100000)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    std::vector<lexivo::bench::RatioPair> pairs;
    for (const char* size : {"1000", "10000", "100000"}) {
        pairs.push_back({std::string("AnswerOneQuestion/") + size + "/real_time",
                         std::string("FloorRewritePoolAndPackage/") + size + "/real_time"});
    }
    return lexivo::bench::runWithRatios(argc, argv, pairs);
}
