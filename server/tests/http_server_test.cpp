// The service over real sockets: the program's bare-LF request, many clients at once, and
// clients that misbehave.

#include <arpa/inet.h>
#include <latch>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "http_server.h"
#include "seeded_service.h"

namespace lexivo::server {
namespace {

using namespace std::chrono_literals;
using testing::cp1250;

const std::string kCatalogueRequest =
    "GET /lx/komunikace/lxnettembal.php?typ=1&data=&jmeno=&heslo= HTTP/1.0\nhost: localhost\n\n";

class Client {
public:
    explicit Client(std::uint16_t port, int timeoutSeconds = 10) : socket_(::socket(AF_INET, SOCK_STREAM, 0))
    {
        timeval timeout{timeoutSeconds, 0};
        ::setsockopt(socket_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~Client() { ::close(socket_); }

    bool send(std::string_view bytes)
    {
        return connected_ && ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size());
    }

    // Everything until the server closes the connection (or stays silent for 10 s).
    std::string receiveAll()
    {
        std::string reply;
        char chunk[250];
        ssize_t received;
        while ((received = ::recv(socket_, chunk, sizeof chunk, 0)) > 0) {
            reply.append(chunk, static_cast<std::size_t>(received));
        }
        closedByServer_ = received == 0;
        return reply;
    }
    bool closedByServer() const { return closedByServer_; }

private:
    int socket_;
    bool connected_ = false;
    bool closedByServer_ = false;
};

std::string roundTrip(std::uint16_t port, std::string_view request)
{
    Client client(port);
    return client.send(request) ? client.receiveAll() : std::string();
}

std::string bodyOf(const std::string& reply)
{
    const std::size_t blank = reply.find("\r\n\r\n");
    return blank == std::string::npos ? std::string() : reply.substr(blank + 4);
}

class HttpServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto started = HttpServer::start(seeded_.service(), {"127.0.0.1", 0});
        ASSERT_TRUE(started.ok()) << started.message().text;
        server_ = std::move(started).value();
        port_ = server_->port();
        ASSERT_NE(port_, 0);
    }

    testing::SeededService seeded_;
    std::unique_ptr<HttpServer> server_;
    std::uint16_t port_ = 0;
    const std::string catalogue_ = cp1250("1*FOOD#NÁPOJE|1;ALKOHOLICKÉ NÁPOJE#OVOCE|2;Ovoce*");
};

TEST_F(HttpServerTest, AnswersTheProgramsRequestLineInHttp10AndCloses)
{
    const std::string reply = roundTrip(port_, kCatalogueRequest);
    EXPECT_TRUE(reply.starts_with("HTTP/1.0 200")) << reply;
    EXPECT_EQ(bodyOf(reply), catalogue_);

    std::string crlf = kCatalogueRequest;
    crlf.replace(crlf.find("\nhost"), 1, "\r\n").replace(crlf.size() - 2, 2, "\r\n\r\n");
    EXPECT_EQ(bodyOf(roundTrip(port_, crlf)), catalogue_);
}

TEST_F(HttpServerTest, TheLargestRequestOfTheProgramFits)
{
    // 9500 characters of selection, nearly all sent as %XX, and the longest name and password.
    std::string longest = "GET /lx/komunikace/lxnetucebnice.php?typ=2&data=3%40";
    for (int i = 0; i < 9498; ++i) {
        longest += "%E9";
    }
    longest += "&jmeno=" + testing::encodedForQuery(std::string(95, ' ')) +
               "&heslo=" + testing::encodedForQuery(std::string(95, ' ')) + " HTTP/1.0\nhost: localhost:65535\n\n";
    EXPECT_TRUE(bodyOf(roundTrip(port_, longest)).starts_with("1~")) << roundTrip(port_, longest).substr(0, 100);
}

TEST_F(HttpServerTest, OtherPathsAndMethodsAreRefused)
{
    EXPECT_TRUE(roundTrip(port_, "GET /index.html HTTP/1.0\n\n").starts_with("HTTP/1.0 404"));
    EXPECT_TRUE(roundTrip(port_, "GET /lx/komunikace/ HTTP/1.0\n\n").starts_with("HTTP/1.0 404"));
    EXPECT_TRUE(roundTrip(port_, "DELETE /lx/komunikace/lxnettembal.php?typ=1 HTTP/1.0\n\n").starts_with("HTTP/1.0 405"));
}

TEST_F(HttpServerTest, FiftyClientsAtOnceEachGetTheWholeReply)
{
    constexpr int kClients = 50;
    const std::string download = "GET /lx/komunikace/lxnettembal.php?typ=2&data=1%7C2&jmeno=&heslo= HTTP/1.0\n\n";
    const std::string downloaded = bodyOf(roundTrip(port_, download));
    ASSERT_TRUE(downloaded.starts_with("1~")) << downloaded;

    std::vector<std::string> replies(kClients);
    std::latch ready(kClients);
    std::vector<std::thread> clients;
    for (int i = 0; i < kClients; ++i) {
        clients.emplace_back([&, i] {
            Client client(port_);
            ready.arrive_and_wait();
            if (client.send(i % 2 == 0 ? kCatalogueRequest : download)) {
                replies[i] = bodyOf(client.receiveAll());
            }
        });
    }
    for (std::thread& client : clients) {
        client.join();
    }
    for (int i = 0; i < kClients; ++i) {
        EXPECT_EQ(replies[i], i % 2 == 0 ? catalogue_ : downloaded) << "client " << i;
    }
}

TEST_F(HttpServerTest, MisbehavingClientsHarmNoOne)
{
    // A client that connects and says nothing holds only its own connection.
    Client silent(port_);
    // A request line of a megabyte is refused once it outgrows the connection's memory.
    Client flooding(port_);
    const std::string huge = "GET /lx/komunikace/lxnettembal.php?typ=1&data=" + std::string(1 << 20, 'a');
    flooding.send(huge);
    const std::string refused = flooding.receiveAll();
    EXPECT_TRUE(refused.empty() || refused.starts_with("HTTP/1.0 4") || refused.starts_with("HTTP/1.1 4")) << refused;

    for (std::string_view garbage : {std::string_view("\x01\x02\xff nonsense\n\n"), std::string_view("GET\n\n"),
                                     std::string_view("GET / HTTP/9.9\n\n")}) {
        const std::string reply = roundTrip(port_, garbage);
        EXPECT_FALSE(reply.starts_with("HTTP/1.0 200")) << reply;
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(bodyOf(roundTrip(port_, kCatalogueRequest)), catalogue_);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

TEST_F(HttpServerTest, AClientThatStopsHalfwayIsDroppedAfterTenIdleSeconds)
{
    Client stalled(port_, 30);
    ASSERT_TRUE(stalled.send("GET /lx/komunikace/lxnettembal.php?typ=1"));
    const auto start = std::chrono::steady_clock::now();
    stalled.receiveAll();
    EXPECT_TRUE(stalled.closedByServer());
    EXPECT_GE(std::chrono::steady_clock::now() - start, 9s);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 20s);
}

}  // namespace
}  // namespace lexivo::server
