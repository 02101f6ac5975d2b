// A running test at every pool size up to the largest (481 packages of 1000 words):
// - one answer (check, record, pick the next word) against a floor that durably replaces the
//   same pool and package bytes with the same steps (scratch, fdatasync, rename, directory fsync);
// - START over the full group against a floor that reads the same packages and durably writes
//   their concatenation; and START's peak memory over the idle process.

#include <cstdio>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench_directory.h"
#include "durable_floor.h"
#include "ratio_report.h"
#include "store/file_io.h"
#include "store/random_generator.h"
#include "test/test_engine.h"
#include "test/test_files.h"

namespace {

namespace fs = std::filesystem;
using namespace lexivo;

constexpr int kLargestPool = 481 * kMaxWordsPerPackage;

// A group whose packages of 1000 words hold `words` words in all, each word at coefficient 4.
class PoolFixture {
public:
    explicit PoolFixture(int words) : root_(bench::makeBenchDirectory()), tree_(root_)
    {
        fs::create_directories(tree_.temporaryDirectory("G"));
        for (int package = 0; package * kMaxWordsPerPackage < words; ++package) {
            std::string bytes;
            for (int i = 0; i < kMaxWordsPerPackage; ++i) {
                const std::string n = std::to_string(package) + "-" + std::to_string(i);
                WordRecord word{"word ", "slovo ", "Use ", "4"};
                word.english.append(n).append("+meaning");
                word.czech.append(n);
                word.example.append(n).append(" here.");
                (void)writeWordRecord(bytes, word);
            }
            packages_.push_back("Balíček " + std::to_string(package));
            writeFileAtomically(tree_.packageFile("G", packages_.back()), tree_.packageFile("G", "slov"), bytes).ok();
            packageBytes_ = bytes;
        }
    }
    ~PoolFixture() { fs::remove_all(root_); }

    const DataTree& tree() const { return tree_; }
    const std::vector<std::string>& packages() const { return packages_; }
    const std::string& packageBytes() const { return packageBytes_; }
    // The coefficient of each word as the packages hold it, kept in step by the answers.
    int& knowledge(const std::string& english) { return knowledge_.try_emplace(english, 4).first->second; }

private:
    fs::path root_;
    DataTree tree_;
    std::vector<std::string> packages_;
    std::string packageBytes_;
    std::unordered_map<std::string, int> knowledge_;
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

TestSettings answerSettings()
{
    TestSettings settings;
    settings.fixedCount = true;
    settings.questionCount = 999;
    settings.byCoefficient = true;  // the slower pick: it walks the pool
    return settings;
}

void FloorAnswer(benchmark::State& state)
{
    PoolFixture& data = fixture(static_cast<int>(state.range(0)));
    RandomGenerator random(1);
    TestEngine engine(data.tree(), random);
    (void)engine.startTest("G", data.packages(), answerSettings());
    const std::string pool = readFileBytes(data.tree().temporaryFile("G", kTestPoolName)).value();
    for (auto _ : state) {
        bench::replaceDurably(data.tree().temporaryFile("G", "floor-pool"), {pool});
        bench::replaceDurably(data.tree().packageFile("G", "floor-package"), {data.packageBytes()});
    }
    fs::remove(data.tree().temporaryFile("G", "floor-pool"));
    fs::remove(data.tree().packageFile("G", "floor-package"));
}
BENCHMARK(FloorAnswer)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(kLargestPool)->UseRealTime()->Unit(benchmark::kMillisecond);

// Every answer changes the pool and the package: a word known at all is answered right (its
// coefficient falls), a word at 0 wrong (it rises to 2).
void Answer(benchmark::State& state)
{
    PoolFixture& data = fixture(static_cast<int>(state.range(0)));
    RandomGenerator random(1);
    TestEngine engine(data.tree(), random);
    auto start = [&] { return engine.startTest("G", data.packages(), answerSettings()).ok() && engine.pickNextWord(); };
    if (!start()) {
        state.SkipWithError("the test did not start");
        return;
    }
    for (auto _ : state) {
        int& knowledge = data.knowledge(engine.state().english);
        const bool right = knowledge > 0;
        const auto outcome = engine.recordAnswer(engine.checkAnswer(right ? engine.expectedText() : "wrong"));
        if (!outcome.ok() || outcome->packageNotUpdated) {
            state.SkipWithError("the answer was not recorded");
            return;
        }
        knowledge = right ? knowledge - 1 : 2;
        if (outcome->testOver) {
            state.PauseTiming();
            start();
            state.ResumeTiming();
        } else {
            engine.pickNextWord();
        }
    }
}
BENCHMARK(Answer)->Arg(1000)->Arg(10000)->Arg(100000)->Arg(kLargestPool)->UseRealTime()->Unit(benchmark::kMillisecond);

void FloorStart(benchmark::State& state)
{
    PoolFixture& data = fixture(kLargestPool);
    std::vector<fs::path> files;
    for (const std::string& package : data.packages()) {
        files.push_back(data.tree().packageFile("G", package));
    }
    for (auto _ : state) {
        const std::string pool = bench::readAll(files);
        bench::replaceDurably(data.tree().temporaryFile("G", "floor-pool"), {pool});
    }
    fs::remove(data.tree().temporaryFile("G", "floor-pool"));
}
BENCHMARK(FloorStart)->UseRealTime()->Unit(benchmark::kMillisecond);

void Start(benchmark::State& state)
{
    PoolFixture& data = fixture(kLargestPool);
    RandomGenerator random(1);
    for (auto _ : state) {
        TestEngine engine(data.tree(), random);
        if (!engine.startTest("G", data.packages(), TestSettings{}).ok()) {
            state.SkipWithError("the test did not start");
            return;
        }
    }
}
BENCHMARK(Start)->UseRealTime()->Unit(benchmark::kMillisecond);

// START in a child process: how far its resident memory rises above where it stood.
void reportStartMemory()
{
    PoolFixture& data = fixture(kLargestPool);
    int pipe[2];
    if (::pipe(pipe) != 0) {
        return;
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::malloc_trim(0);  // memory freed earlier must not hide what START takes
        const bench::MemoryRise memory;
        RandomGenerator random(1);
        TestEngine engine(data.tree(), random);
        (void)engine.startTest("G", data.packages(), TestSettings{});
        const long rise = memory.bytes();
        (void)!::write(pipe[1], &rise, sizeof rise);
        ::_exit(0);
    }
    long rise = 0;
    (void)!::read(pipe[0], &rise, sizeof rise);
    ::waitpid(child, nullptr, 0);
    const auto poolBytes = static_cast<double>(fs::file_size(data.tree().temporaryFile("G", kTestPoolName)));
    constexpr double kMegabyte = 1 << 20;
    std::printf("START over %zu packages: peak memory %.1f MB over idle for a pool of %.1f MB (limit %.1f MB): %s\n",
                data.packages().size(), rise / kMegabyte, poolBytes / kMegabyte, poolBytes / kMegabyte + 20,
                rise <= poolBytes + 20 * kMegabyte ? "within" : "OVER");
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<lexivo::bench::RatioPair> pairs;
    for (int size : {1000, 10000, 100000, kLargestPool}) {
        const std::string suffix = std::to_string(size).append("/real_time");
        pairs.push_back({std::string("Answer/").append(suffix), std::string("FloorAnswer/").append(suffix)});
    }
    pairs.push_back({"Start/real_time", "FloorStart/real_time"});
    reportStartMemory();
    return lexivo::bench::runWithRatios(argc, argv, pairs);
}
