#include "online/server_request.h"

#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "online/scripted_peer.h"
#include "online/server_address.h"
#include "support/temp_tree.h"

namespace lexivo {
namespace {

using namespace request_code;
using testing::PeerScript;
using testing::ScriptedPeer;

}  // namespace

// Readable failures: the three fields instead of the object's bytes.
void PrintTo(const ServerReply& reply, std::ostream* out)
{
    *out << "{result " << reply.result << ", code " << reply.code << ", body "
         << (reply.body ? "\"" + reply.body->substr(0, 80) + "\"" : std::string("none")) << "}";
}

namespace {

const std::string kHead = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n";

ServerReply reply(std::int32_t result, std::int32_t code, std::optional<std::string> body = std::nullopt)
{
    return ServerReply{result, code, std::move(body)};
}

ExchangeLimits quickLimits()
{
    ExchangeLimits limits;
    limits.connectTimeout = std::chrono::milliseconds(300);
    limits.silenceTimeout = std::chrono::milliseconds(300);
    return limits;
}

// A peer that answers nothing and keeps the connection open.
PeerScript silence(bool readRequest = true)
{
    PeerScript script;
    script.readRequest = readRequest;
    script.holdOpen = true;
    return script;
}

ServerReply exchangeWith(ScriptedPeer& peer, int typ = 1, std::string data = {}, const ExchangeLimits& limits = quickLimits())
{
    return sendServerRequest(ServerRequest{peer.url(), typ, std::move(data), {}, {}}, limits);
}

TEST(ServerRequestParts, UrlSplitsAtTheFirstSlash)
{
    EXPECT_EQ(splitHost("example.org/lx/a.php"), "example.org");
    EXPECT_EQ(splitHost("example.org"), "example.org");
    EXPECT_EQ(splitPath("example.org:8080/lx/a.php/b"), "lx/a.php/b");
    EXPECT_EQ(splitPath("example.org"), std::nullopt);
    EXPECT_EQ(splitPath("example.org/"), std::nullopt);
}

TEST(ServerRequestParts, EncodingKeepsOnlyLettersDigitsAndDotQuestionSlash)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", ""},
        {"a b", "a%20b"},
        {"Az09.?/", "Az09.?/"},
        {"a&b=c", "a%26b%3Dc"},
        {"\xE9\n+%", "%E9%0A%2B%25"},
        {std::string("\0\xFF", 2), "%00%FF"},
    };
    for (const auto& [input, expected] : cases) {
        EXPECT_EQ(encodeForCgi(input), expected) << input;
    }
}

TEST(ServerRequestParts, RequestTextUsesBareLineFeeds)
{
    EXPECT_EQ(buildRequestText("h:81", "lx/a.php", 2, "a%20b", "", ""),
              "GET /lx/a.php?typ=2&data=a%20b&jmeno=&heslo= HTTP/1.0\nhost: h:81\n\n");
}

TEST(ServerRequestParts, RepliesSplitIntoStatusResultAndBody)
{
    const std::vector<std::pair<std::string, ServerReply>> cases = {
        {kHead + "1abc", reply(1, 200, "abc")},
        {kHead + "0Skript selhal.", reply(0, 200, "Skript selhal.")},
        {kHead + "12x~y", reply(12, 200, "x~y")},
        {kHead + "1", reply(-1, 200)},
        {"HTTP/1.0 200 OK\r\nX: y\r\n", reply(-1, 200)},
        {"HTTP/1.0", reply(-1, kSplitHost)},
        {"", reply(-1, kSplitHost)},
        {"HTTP/1.0 OK, no status", reply(-1, kSocketLibrary)},
        {kHead + "<html>", reply(-1, kTypeOutOfRange)},
        {kHead, reply(-1, kTypeOutOfRange)},
        {"HTTP/1.0 404 Not Found\r\n\r\n<html>", reply(-1, 404)},
        {"HTTP/1.0 404 Not Found\r\n\r\n1abc", reply(1, 404, "abc")},
        {"HTTP/1.0 99999999999 Big\r\n\r\n99999999999x", reply(INT32_MAX, INT32_MAX, "x")},
        {kHead + std::string("1ab\0cd", 6), reply(1, 200, "ab")},
    };
    for (const auto& [raw, expected] : cases) {
        EXPECT_EQ(parseServerReply(raw), expected) << raw;
    }
}

TEST(ServerRequestParts, EveryCodeHasItsMessageUnderCHYBA)
{
    const std::vector<std::pair<int, std::string>> cases = {
        {10001, "Typ není v požadovaném rozsahu."},
        {10002, "Nepodařilo se inicializovat knihovnu socketů."},
        {10003, "Chyba při dělení url adresy CGI aplikace."},
        {10004, "Chyba při dělení url adresy CGI aplikace."},
        {10005, "Nebyl nalezen server s CGI aplikaci. Zkontrolujte, zda je připojení k internetu aktivní."},
        {10006, "Chyba při konverzi proměnné data do podoby vhodné pro CGI transport."},
        {10007, "Chyba při konverzi proměnné jmeno do podoby vhodné pro CGI transport."},
        {10008, "Chyba při konverzi proměnné heslo do podoby vhodné pro CGI transport."},
        {10009, "Nedostatek paměti."},
        {10010, "Chyba při připojování k serveru."},
        {10011, "Chyba pří odesílání dat na server."},
        {10012, "Server se do 10 sekund neozval. Zkontrolujte, zda je připojení k internetu aktivní a zda server běží."},
        {10013, "Server přestal odpovídat, spojení bylo ukončeno. Zkuste to prosím později."},
        {10014, "Odpověď serveru je příliš velká (více než 16 MB), stahování bylo přerušeno."},
        {404, "Neidentifikovatelná chyba."},
        {500, "Neidentifikovatelná chyba."},
    };
    for (const auto& [code, text] : cases) {
        EXPECT_EQ(requestErrorMessage(code), (Message{text, MessageIcon::Error, "CHYBA"})) << code;
    }
}

TEST(ServerRequestParts, VerdictFollowsCodeThenResult)
{
    using Kind = ReplyVerdict::Kind;
    EXPECT_EQ(judgeReply(reply(-1, 10010)).kind, Kind::Failed);
    EXPECT_EQ(judgeReply(reply(1, 404, "x")).kind, Kind::Failed);
    EXPECT_EQ(judgeReply(reply(1, 200, "x")).kind, Kind::Delivered);
    EXPECT_EQ(judgeReply(reply(-1, 200)).kind, Kind::NoAnswer);
    EXPECT_EQ(judgeReply(reply(7, 200, "x")).kind, Kind::NoAnswer);

    const ReplyVerdict refused = judgeReply(reply(0, 200, "U\x9Eivatel neexistuje."));
    EXPECT_EQ(refused.kind, Kind::Refused);
    EXPECT_EQ(refused.message, (Message{"Uživatel neexistuje.", MessageIcon::Error, "Internetový skript vrátil tuto chybu"}));
    // A flood of text is cut before it reaches a message box.
    EXPECT_LT(judgeReply(reply(0, 200, std::string(1'000'000, 'x'))).message->text.size(), 3000u);
}

TEST(ServerRequestParts, ProgressTextCyclesThroughFourStops)
{
    std::string shown(kCommunicationText);
    std::vector<std::string> seen;
    for (int tick = 0; tick < 4; ++tick) {
        shown = nextCommunicationText(shown);
        seen.push_back(shown);
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"Probíhá komunikace..", "Probíhá komunikace...", "Probíhá komunikace....",
                                              "Probíhá komunikace."}));
    EXPECT_EQ(nextCommunicationText(""), "Probíhá komunikace.");
}

TEST(ServerAddressFile, HoldsHostOrHostAndPort)
{
    struct Case {
        std::optional<std::string> content;  // none: no file
        std::string address;
        bool problem;
    };
    const std::vector<Case> cases = {
        {std::nullopt, "localhost:8080", false},
        {"", "localhost:8080", false},
        {"example.org", "example.org", false},
        {"  slovnik.skola.cz:8081 \r\nignored", "slovnik.skola.cz:8081", false},
        {"bad host", "localhost:8080", true},
        {"host:0", "localhost:8080", true},
        {"host:65536", "localhost:8080", true},
        {"host:", "localhost:8080", true},
        {"host/lx", "localhost:8080", true},
        {":80", "localhost:8080", true},
    };
    for (const Case& c : cases) {
        testing::TempTree temp;
        if (c.content) {
            testing::writeBytes(temp.root() / "server", *c.content);
        }
        const ServerAddress address = loadServerAddress(temp.root());
        EXPECT_EQ(address.hostAndPort, c.address) << c.content.value_or("(none)");
        EXPECT_EQ(address.problem.has_value(), c.problem) << c.content.value_or("(none)");
    }
    EXPECT_EQ(scriptUrl(ServerAddress{"h:1", std::nullopt}, kStoreScript), "h:1/lx/komunikace/lxnetzasobnik.php");
}

// Failures found before any byte is sent.
TEST(ServerExchange, RequestStageFailuresInTheirOrder)
{
    ScriptedPeer peer({});
    const std::string url = peer.url();
    const std::vector<std::pair<ServerRequest, int>> cases = {
        {{url, 0, {}, {}, {}}, kTypeOutOfRange},
        {{url, 1001, {}, {}, {}}, kTypeOutOfRange},
        {{"127.0.0.1", 1, {}, {}, {}}, kSplitPath},
        {{"127.0.0.1/", 1, {}, {}, {}}, kSplitPath},
        {{"/lx/a.php", 1, {}, {}, {}}, kHostNotFound},
        {{"127.0.0.1:99999/lx/a.php", 1, {}, {}, {}}, kHostNotFound},
        {{url, 1, "日本", "日本", {}}, kEncodeData},
        {{url, 1, {}, "日本", "日本"}, kEncodeName},
        {{url, 1, {}, {}, "日本"}, kEncodePassword},
        {{"127.0.0.1:" + std::to_string(testing::closedPort()) + "/lx/a.php", 1, {}, {}, {}}, kConnect},
    };
    for (const auto& [request, code] : cases) {
        EXPECT_EQ(sendServerRequest(request, quickLimits()), reply(-1, code)) << request.url << " " << request.typ;
    }
    EXPECT_FALSE(peer.accepted());
}

TEST(ServerExchange, SendsTheRequestAndJoinsAReplyArrivingByteByByte)
{
    PeerScript script;
    for (const char c : kHead + "1ab\xE8") {
        script.pieces.emplace_back(1, c);
    }
    ScriptedPeer peer(script);
    EXPECT_EQ(sendServerRequest({peer.url(), 1000, "a b&c=d", "Jana", "\xC5\xA1"}, quickLimits()), reply(1, 200, "ab\xE8"));
    EXPECT_EQ(peer.request(), "GET /lx/komunikace/lxnettembal.php?typ=1000&data=a%20b%26c%3Dd&jmeno=Jana&heslo=%9A "
                              "HTTP/1.0\nhost: 127.0.0.1:" + std::to_string(peer.port()) + "\n\n");
}

TEST(ServerExchange, ScriptedRepliesEndAsTheirBytesSay)
{
    const std::vector<std::pair<PeerScript, ServerReply>> cases = {
        {PeerScript{.pieces = {"HTTP/1.0 200 OK\r\nServer: x\r\n"}}, reply(-1, 200)},
        {PeerScript{.pieces = {kHead + "1"}}, reply(-1, 200)},
        {PeerScript{.pieces = {"HTTP/1.0 404 Not Found\r\n\r\n<h1>Not Found</h1>"}}, reply(-1, 404)},
        {PeerScript{}, reply(-1, kSplitHost)},  // closes without a byte
        {PeerScript{.pieces = {kHead + "1ab"}, .reset = true}, reply(-1, kConnect)},
        {PeerScript{.pieces = {"HTTP/1.0 2"}, .holdOpen = true}, reply(-1, kReceiveTimeout)},
    };
    for (const auto& [script, expected] : cases) {
        ScriptedPeer peer(script);
        EXPECT_EQ(exchangeWith(peer), expected) << (script.pieces.empty() ? "" : script.pieces.front());
    }
}

TEST(ServerExchange, SilentServerEndsAfterTheTimeOut)
{
    ScriptedPeer peer(silence());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(exchangeWith(peer), reply(-1, kReceiveTimeout));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST(ServerExchange, TricklingServerEndsAtTheTotalTimeOut)
{
    PeerScript script;
    script.pieces.assign(200, "x");  // a byte every millisecond or so, never silent for long
    ScriptedPeer peer(script);
    ExchangeLimits limits = quickLimits();
    limits.totalTimeout = std::chrono::milliseconds(100);
    EXPECT_EQ(exchangeWith(peer, 1, {}, limits), reply(-1, kReceiveTimeout));
}

TEST(ServerExchange, ServerThatNeverAcceptsEndsAfterTheConnectTimeOut)
{
    testing::UnansweringListener listener;
    const std::string url = "127.0.0.1:" + std::to_string(listener.port()) + "/lx/a.php";
    EXPECT_EQ(sendServerRequest({url, 1, {}, {}, {}}, quickLimits()), reply(-1, kConnectTimeout));
}

TEST(ServerExchange, ServerThatNeverReadsEndsTheSend)
{
    ScriptedPeer peer(silence(false));
    // More than the sender's socket buffer can grow to, so the sender has to wait.
    std::size_t largestSendBuffer = 4 << 20;
    std::ifstream("/proc/sys/net/ipv4/tcp_wmem") >> largestSendBuffer >> largestSendBuffer >> largestSendBuffer;
    EXPECT_EQ(exchangeWith(peer, 1, std::string(largestSendBuffer + (2 << 20), 'a')), reply(-1, kSend));
}

TEST(ServerExchange, HugeReplyStopsAtTheCap)
{
    {
        ScriptedPeer peer({.pieces = {kHead + "1"}, .streamBytes = std::size_t(1) << 30});
        ExchangeLimits limits = quickLimits();
        limits.maxReplyBytes = 1 << 20;
        EXPECT_EQ(exchangeWith(peer, 1, {}, limits), reply(-1, kReplyTooLarge));
        peer.request();
        EXPECT_LT(peer.bytesStreamed(), std::size_t(64) << 20);
    }
    // The program's own cap, just above and just below.
    ScriptedPeer over({.pieces = {kHead + "1"}, .streamBytes = (16 << 20) - kHead.size()});
    EXPECT_EQ(exchangeWith(over), reply(-1, kReplyTooLarge));
    ScriptedPeer under({.pieces = {kHead + "1"}, .streamBytes = (16 << 20) - kHead.size() - 1});
    EXPECT_EQ(exchangeWith(under).body->size(), (16u << 20) - kHead.size() - 1);
}

}  // namespace
}  // namespace lexivo
