// The online part at the sizes a user meets: a catalogue of 1000 packages, and a package of
// 1000 words downloaded over loopback, written into `downbal` and filed into a group.

#include <atomic>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include <benchmark/benchmark.h>

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

// 10 areas of 10 groups of 10 packages.
std::string catalogueBody()
{
    std::string body;
    for (int area = 0; area < 10; ++area) {
        body.append("*Tematick\xFD celek ").append(std::to_string(area));
        for (int group = 0; group < 10; ++group) {
            body.append("#Skupina ").append(std::to_string(group));
            for (int package = 0; package < 10; ++package) {
                const std::string id = std::to_string(area * 100 + group * 10 + package);
                body.append("|").append(id).append(";Bal\xED\xE8\x65k ").append(id);
            }
        }
    }
    return body + "*";
}

// One package of 1000 words, as the download script sends it after its result digit.
std::string packageBody()
{
    std::string body = "xFOOD#N\xC1POJE#ALKOHOLICK\xC9 N\xC1POJE*";
    for (int i = 0; i < 1000; ++i) {
        body += "vocabulary " + std::to_string(i) + "|slovn\xED z\xE1soba " + std::to_string(i) +
                "|A sentence that shows how word " + std::to_string(i) + " is used.|4~";
    }
    return body + "<|>";
}

// Answers every connection with the same reply, as the service would.
class LoopbackServer {
public:
    explicit LoopbackServer(std::string reply) : reply_("HTTP/1.0 200 OK\r\n\r\n1" + std::move(reply))
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 16);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~LoopbackServer()
    {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }
    std::string url() const { return "127.0.0.1:" + std::to_string(port_) + "/lx/komunikace/lxnettembal.php"; }

private:
    void serve()
    {
        char buffer[4096];
        while (!stop_) {
            pollfd request{listener_, POLLIN, 0};
            if (::poll(&request, 1, 20) <= 0) {
                continue;
            }
            const int connection = ::accept(listener_, nullptr, nullptr);
            std::string received;
            while (received.find("\n\n") == std::string::npos) {
                const ssize_t count = ::recv(connection, buffer, sizeof buffer, 0);
                if (count <= 0) {
                    break;
                }
                received.append(buffer, static_cast<std::size_t>(count));
            }
            ::send(connection, reply_.data(), reply_.size(), MSG_NOSIGNAL);
            ::close(connection);
        }
    }

    std::string reply_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

fs::path makeTemporaryDirectory()
{
    std::string pattern = (fs::temp_directory_path() / "lexivo-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::abort();
    }
    return pattern;
}

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
    LoopbackServer& server() { return server_; }

private:
    fs::path root_ = makeTemporaryDirectory();  // before the tree, which is built from it
    DataTree tree_{root_};
    std::string catalogue_ = catalogueBody();
    std::string package_ = packageBody();
    std::string packageLines_ = packageReplyLines(package_, PackageReplyScope::AllPackages);
    LoopbackServer server_{package_};
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
    const ServerRequest request{fixture().server().url(), 2, "12", {}, {}};
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
