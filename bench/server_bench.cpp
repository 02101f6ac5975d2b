// lexivo-server under load: 8 clients at once, each sending the program's request for the
// thematic catalogue (100 packages) and reading the reply until the server closes. The floor
// is the same number of round trips to a trivial responder over the same loopback, one thread
// per connection, that sends a reply of the same size without looking at the request.

#include <arpa/inet.h>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench_directory.h"
#include "http_server.h"
#include "ratio_report.h"
#include "sqlite_store.h"

namespace {

namespace fs = std::filesystem;
using namespace lexivo;
using namespace lexivo::server;

constexpr int kClients = 8;
constexpr int kRoundTripsPerClient = 25;
const std::string kRequest =
    "GET /lx/komunikace/lxnettembal.php?typ=1&data=&jmeno=&heslo= HTTP/1.0\nhost: localhost\n\n";

int connectTo(std::uint16_t port)
{
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(socket);
        return -1;
    }
    return socket;
}

// One request and its whole reply; the number of bytes received.
std::size_t roundTrip(std::uint16_t port)
{
    const int socket = connectTo(port);
    if (socket < 0) {
        return 0;
    }
    std::size_t total = 0;
    if (::send(socket, kRequest.data(), kRequest.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(kRequest.size())) {
        char chunk[4096];
        ssize_t received;
        while ((received = ::recv(socket, chunk, sizeof chunk, 0)) > 0) {
            total += static_cast<std::size_t>(received);
        }
    }
    ::close(socket);
    return total;
}

// Answers every connection with fixed bytes once the request's blank line has arrived.
class TrivialResponder {
public:
    explicit TrivialResponder(std::string reply) : reply_(std::move(reply))
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length);
        ::listen(listener_, 128);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        acceptor_ = std::thread([this] { acceptLoop(); });
    }
    ~TrivialResponder()
    {
        stopping_ = true;
        ::shutdown(listener_, SHUT_RDWR);
        ::close(listener_);
        acceptor_.join();
    }
    std::uint16_t port() const { return port_; }

private:
    void acceptLoop()
    {
        while (!stopping_) {
            const int connection = ::accept(listener_, nullptr, nullptr);
            if (connection < 0) {
                continue;
            }
            std::thread([this, connection] {
                std::string request;
                char chunk[512];
                ssize_t received;
                while (request.find("\n\n") == std::string::npos &&
                       (received = ::recv(connection, chunk, sizeof chunk, 0)) > 0) {
                    request.append(chunk, static_cast<std::size_t>(received));
                }
                ::send(connection, reply_.data(), reply_.size(), MSG_NOSIGNAL);
                ::close(connection);
            }).detach();
        }
    }

    std::string reply_;
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stopping_ = false;
    std::thread acceptor_;
};

// A database with a thematic catalogue of 100 packages of 20 words, served on a free port.
class ServedCatalogue {
public:
    ServedCatalogue()
    {
        directory_ = bench::makeBenchDirectory();
        store_ = SqliteStore::create(directory_ / "bench.db").value();
        std::vector<CataloguePackage> packages;
        for (int i = 0; i < 100; ++i) {
            CataloguePackage package{{0, "Oblast " + std::to_string(i / 20), "Podskupina " + std::to_string(i / 5),
                                      "Balíček " + std::to_string(i)},
                                     {}};
            for (int word = 0; word < 20; ++word) {
                package.words.push_back({"word " + std::to_string(word), "slovo " + std::to_string(word), "", ""});
            }
            packages.push_back(std::move(package));
        }
        (void)store_->importCatalogue(CatalogueKind::Thematic, packages).value();
        service_ = std::make_unique<ScriptService>(*store_);
        server_ = HttpServer::start(*service_, {"127.0.0.1", 0}).value();
    }
    ~ServedCatalogue()
    {
        server_.reset();
        fs::remove_all(directory_);
    }
    std::uint16_t port() const { return server_->port(); }
    ScriptService& service() { return *service_; }

private:
    fs::path directory_;
    std::unique_ptr<SqliteStore> store_;
    std::unique_ptr<ScriptService> service_;
    std::unique_ptr<HttpServer> server_;
};

ServedCatalogue& served()
{
    static ServedCatalogue instance;
    return instance;
}

// 8 clients, each doing its round trips one after another; fails the run on a short reply.
void runClients(benchmark::State& state, std::uint16_t port, std::size_t replyBytes)
{
    for (auto _ : state) {
        std::atomic<int> shortReplies = 0;
        std::vector<std::thread> clients;
        for (int client = 0; client < kClients; ++client) {
            clients.emplace_back([&] {
                for (int i = 0; i < kRoundTripsPerClient; ++i) {
                    if (roundTrip(port) != replyBytes) {
                        ++shortReplies;
                    }
                }
            });
        }
        for (std::thread& client : clients) {
            client.join();
        }
        if (shortReplies > 0) {
            state.SkipWithError("a client got a short reply");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kClients * kRoundTripsPerClient);
}

std::size_t serverReplyBytes()
{
    static const std::size_t bytes = roundTrip(served().port());
    return bytes;
}

void BM_ServerCatalogue8Clients(benchmark::State& state)
{
    runClients(state, served().port(), serverReplyBytes());
}
BENCHMARK(BM_ServerCatalogue8Clients)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same reply without HTTP: how much of a request the service itself takes.
void BM_ServiceCatalogueAnswer(benchmark::State& state)
{
    const std::string target = "/lx/komunikace/lxnettembal.php?typ=1&data=&jmeno=&heslo=";
    for (auto _ : state) {
        benchmark::DoNotOptimize(served().service().answer(target, "127.0.0.1"));
    }
}
BENCHMARK(BM_ServiceCatalogueAnswer)->Unit(benchmark::kMicrosecond);

void BM_TrivialResponder8Clients(benchmark::State& state)
{
    const std::size_t bytes = serverReplyBytes();
    TrivialResponder responder(std::string(bytes, 'x'));
    runClients(state, responder.port(), bytes);
}
BENCHMARK(BM_TrivialResponder8Clients)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    return lexivo::bench::runWithRatios(argc, argv,
                                        {{"BM_ServerCatalogue8Clients/real_time", "BM_TrivialResponder8Clients/real_time"}});
}
