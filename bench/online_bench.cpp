// The online part at the sizes a user meets: a catalogue of 1000 packages, and a package of
// 1000 words downloaded over loopback, written into `downbal` and filed into a group.

#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "bench_directory.h"
#include "loopback_service.h"
#include "online/catalogue.h"
#include "online/download_files.h"
#include "online/filing.h"
#include "online/server_request.h"
#include "ratio_report.h"
#include "store/collection.h"
#include "store/file_io.h"

namespace {

namespace fs = std::filesystem;
using namespace lexivo;

class Fixture {
public:
    Fixture()
    {
        fs::create_directories(tree_.temporaryDirectory("FOOD"));
        writeFileAtomically(root_ / "catalogue", root_ / "scratch", catalogue_).ok();
    }
    ~Fixture() { fs::remove_all(root_); }

    const fs::path& root() const { return root_; }
    const DataTree& tree() const { return tree_; }
    const std::string& catalogue() const { return catalogue_; }
    const std::string& package() const { return package_; }
    const std::string& packageLines() const { return packageLines_; }
    const bench::LoopbackService& server() const { return server_; }

private:
    fs::path root_ = bench::makeBenchDirectory();  // before the tree, which is built from it
    DataTree tree_{root_};
    std::string catalogue_ = bench::catalogueOfAThousandPackages();
    std::string package_ = bench::packageOfAThousandWords();
    std::string packageLines_ = packageReplyLines(package_, PackageReplyScope::AllPackages);
    bench::LoopbackService server_{[this](const std::string&) { return package_; }};
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

void FloorReadCatalogueBytes(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(readFileBytes(fixture().root() / "catalogue"));
    }
}
BENCHMARK(FloorReadCatalogueBytes);

void ParseCatalogue1000(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(parseCatalogue(fixture().catalogue()));
    }
}
BENCHMARK(ParseCatalogue1000);

void FloorWriteAndSyncPackageBytes(benchmark::State& state)
{
    const fs::path file = fixture().root() / "floor";
    for (auto _ : state) {
        const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        benchmark::DoNotOptimize(::write(descriptor, fixture().packageLines().data(), fixture().packageLines().size()));
        ::fsync(descriptor);
        ::close(descriptor);
    }
    fs::remove(file);
}
BENCHMARK(FloorWriteAndSyncPackageBytes)->UseRealTime();

// Writes `downbal` from a reply body and files its package into the group FOOD.
void fileDownload(benchmark::State& state, std::string_view body)
{
    Collection collection(fixture().tree());
    if (Status saved = saveDownload(fixture().tree(), body); !saved) {
        state.SkipWithError(saved.message().text.c_str());
        return;
    }
    FilingSession filing = FilingSession::fromDownload(collection);
    const FilingOutcome outcome = filing.proceed(FilingMode::Automatic, filing.suggestedName(), GroupStep::Run);
    if (outcome.kind != FilingOutcome::Kind::Finished) {
        state.SkipWithError(outcome.message ? outcome.message->text.c_str() : "not finished");
        return;
    }
    state.PauseTiming();
    fs::remove(fixture().tree().packageFile("FOOD", outcome.lastFiledPackage));
    state.ResumeTiming();
}

void ConvertAndFile1000Words(benchmark::State& state)
{
    for (auto _ : state) {
        fileDownload(state, fixture().package());
    }
}
BENCHMARK(ConvertAndFile1000Words)->UseRealTime();

void DownloadAndFile1000Words(benchmark::State& state)
{
    const ServerRequest request{fixture().server().hostAndPort() + "/lx/komunikace/lxnettembal.php", 2, "12", {}, {}};
    for (auto _ : state) {
        const ServerReply reply = sendServerRequest(request);
        if (!reply.body) {
            state.SkipWithError(requestErrorMessage(reply.code).text.c_str());
            return;
        }
        fileDownload(state, *reply.body);
    }
}
BENCHMARK(DownloadAndFile1000Words)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return lexivo::bench::runWithRatios(argc, argv,
                                        {
                                            {"ParseCatalogue1000", "FloorReadCatalogueBytes"},
                                            {"ConvertAndFile1000Words/real_time", "FloorWriteAndSyncPackageBytes/real_time"},
                                            {"DownloadAndFile1000Words/real_time", "FloorWriteAndSyncPackageBytes/real_time"},
                                        });
}
