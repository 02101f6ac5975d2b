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

// Readable failures: the three fields instead of the object's bytes.
void PrintTo(const ServerReply& reply, std::ostream* out)
{
    *out << "{" << reply.result << ", " << reply.code << ", " << (reply.body ? reply.body->substr(0, 80) : "none") << "}";
}

namespace {

using namespace request_code;
using testing::PeerScript;
using testing::ScriptedPeer;

const std::string kHead = "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n";

ServerReply reply(std::int32_t result, std::int32_t code, std::optional<std::string> body = std::nullopt)
{
    return ServerReply{result, code, std::move(body)};
}

ExchangeLimits quickLimits(std::size_t maxReplyBytes = ExchangeLimits{}.maxReplyBytes)
{
    return ExchangeLimits{std::chrono::milliseconds(300), std::chrono::milliseconds(300), std::chrono::seconds(5),
                          maxReplyBytes};
}

ServerReply exchangeWith(ScriptedPeer& peer, std::string data = {}, const ExchangeLimits& limits = quickLimits())
{
    return sendServerRequest(ServerRequest{peer.url(), 1, std::move(data), {}, {}}, limits);
}

TEST(ServerRequestParts, UrlQueryAndRequestText)
{
    // The whole request text is checked where a peer reads it.
    EXPECT_EQ(splitHost("example.org:81/lx/a.php"), "example.org:81");
    EXPECT_EQ(splitPath("example.org/lx/a.php/b"), "lx/a.php/b");
    EXPECT_EQ(splitPath("example.org/"), std::nullopt);
    EXPECT_EQ(encodeForCgi("Az09.?/ a&b=c"), "Az09.?/%20a%26b%3Dc");
    EXPECT_EQ(encodeForCgi(std::string("\xE9\n+%\0\xFF", 6)), "%E9%0A%2B%25%00%FF");
}

TEST(ServerRequestParts, RepliesSplitIntoStatusResultAndBody)
{
    const std::vector<std::pair<std::string, ServerReply>> cases = {
        {kHead + "1abc", reply(1, 200, "abc")},
        {kHead + "0Skript selhal.", reply(0, 200, "Skript selhal.")},
        {kHead + "1", reply(-1, 200)},
        {"HTTP/1.0", reply(-1, kSplitHost)},
        {"HTTP/1.0 OK, no status", reply(-1, kSocketLibrary)},
        {kHead + "<html>", reply(-1, kTypeOutOfRange)},
        {"HTTP/1.0 404 Not Found\r\n\r\n<html>", reply(-1, 404)},
        {"HTTP/1.0 99999999999 Big\r\n\r\n99999999999x", reply(INT32_MAX, INT32_MAX, "x")},
        {kHead + std::string("1ab\0cd", 6), reply(1, 200, "ab")},
    };
    for (const auto& [raw, expected] : cases) {
        EXPECT_EQ(parseServerReply(raw), expected) << raw;
    }
}

TEST(ServerRequestParts, WhatTheUserIsShown)
{
    EXPECT_EQ(requestErrorMessage(10004), (Message{"Chyba při dělení url adresy CGI aplikace.", MessageIcon::Error, "CHYBA"}));
    EXPECT_EQ(requestErrorMessage(404).text, "Neidentifikovatelná chyba.");
    for (int code = kTypeOutOfRange; code <= kReplyTooLarge; ++code) {
        EXPECT_NE(requestErrorMessage(code).text, "Neidentifikovatelná chyba.") << code;
    }

    using Kind = ReplyVerdict::Kind;
    EXPECT_EQ(judgeReply(reply(1, 404, "x")).message, requestErrorMessage(404));
    EXPECT_EQ(judgeReply(reply(1, 200, "x")).kind, Kind::Delivered);
    EXPECT_EQ(judgeReply(reply(-1, 200)).kind, Kind::NoAnswer);
    EXPECT_EQ(judgeReply(reply(7, 200, "x")).kind, Kind::NoAnswer);
    EXPECT_EQ(judgeReply(reply(0, 200, "U\x9Eivatel neexistuje.")).message,
              (Message{"Uživatel neexistuje.", MessageIcon::Error, "Internetový skript vrátil tuto chybu"}));
    EXPECT_LT(judgeReply(reply(0, 200, std::string(1'000'000, 'x'))).message->text.size(), 3000u);

    std::string shown(kCommunicationText);
    for (const char* expected : {"Probíhá komunikace..", "Probíhá komunikace...", "Probíhá komunikace....", "Probíhá komunikace."}) {
        EXPECT_EQ(shown = nextCommunicationText(shown), expected);
    }
}

TEST(ServerAddressFile, HoldsHostOrHostAndPort)
{
    const std::vector<std::tuple<std::optional<std::string>, std::string, bool>> cases = {
        {std::nullopt, "localhost:8080", false},
        {"", "localhost:8080", false},
        {"example.org", "example.org", false},
        {"  slovnik.skola.cz:8081 \r\nignored", "slovnik.skola.cz:8081", false},
        {"bad host", "localhost:8080", true},
        {"host:0", "localhost:8080", true},
        {"host/lx", "localhost:8080", true},
    };
    for (const auto& [content, address, problem] : cases) {
        testing::TempTree temp;
        if (content) {
            testing::writeBytes(temp.root() / "server", *content);
        }
        const ServerAddress loaded = loadServerAddress(temp.root());
        EXPECT_EQ(loaded.hostAndPort, address) << content.value_or("(none)");
        EXPECT_EQ(loaded.problem.has_value(), problem) << content.value_or("(none)");
    }
}

TEST(ServerExchange, RequestStageFailuresInTheirOrder)
{
    ScriptedPeer peer({});
    const std::string url = peer.url();
    const std::string closed = "127.0.0.1:" + std::to_string(testing::closedPort()) + "/lx/a.php";
    const std::vector<std::pair<ServerRequest, int>> cases = {
        {{url, 0, {}, {}, {}}, kTypeOutOfRange},
        {{url, 1001, {}, {}, {}}, kTypeOutOfRange},
        {{"127.0.0.1", 1, {}, {}, {}}, kSplitPath},
        {{"/lx/a.php", 1, {}, {}, {}}, kHostNotFound},
        {{"127.0.0.1:99999/lx/a.php", 1, {}, {}, {}}, kHostNotFound},
        {{url, 1, "日本", "日本", {}}, kEncodeData},
        {{url, 1, {}, "日本", "日本"}, kEncodeName},
        {{url, 1, {}, {}, "日本"}, kEncodePassword},
        {{closed, 1, {}, {}, {}}, kConnect},
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
    EXPECT_EQ(sendServerRequest({peer.url(), 1000, "a b&c=d", "Jana", "š"}, quickLimits()), reply(1, 200, "ab\xE8"));
    EXPECT_EQ(peer.finish(), "GET /lx/komunikace/lxnettembal.php?typ=1000&data=a%20b%26c%3Dd&jmeno=Jana&heslo=%9A "
                             "HTTP/1.0\nhost: " + peer.url().substr(0, peer.url().find('/')) + "\n\n");
}

TEST(ServerExchange, MisbehavingServersEndInTheirCodes)
{
    // A deaf peer needs a request larger than the sender's socket buffer can grow to.
    std::size_t sendBuffer = 0;
    std::ifstream("/proc/sys/net/ipv4/tcp_wmem") >> sendBuffer >> sendBuffer >> sendBuffer;
    const std::string largeRequest(std::max<std::size_t>(6 << 20, sendBuffer + (2 << 20)), 'a');

    PeerScript silent{.holdOpen = true};
    PeerScript deaf{.readRequest = false, .holdOpen = true};
    PeerScript trickling;
    trickling.pieces.assign(1000, "x");  // never silent for long, but never done
    const std::vector<std::tuple<PeerScript, std::string, ServerReply>> cases = {
        {{.pieces = {"HTTP/1.0 200 OK\r\nServer: x\r\n"}}, "", reply(-1, 200)},
        {{.pieces = {kHead + "1"}}, "", reply(-1, 200)},
        {{.pieces = {"HTTP/1.0 404 Not Found\r\n\r\n<h1>Not Found</h1>"}}, "", reply(-1, 404)},
        {{}, "", reply(-1, kSplitHost)},  // closes without a byte
        {{.pieces = {kHead + "1ab"}, .reset = true}, "", reply(-1, kConnect)},
        {silent, "", reply(-1, kReceiveTimeout)},
        {trickling, "", reply(-1, kReceiveTimeout)},
        {deaf, largeRequest, reply(-1, kSend)},
    };
    for (const auto& [script, data, expected] : cases) {
        ScriptedPeer peer(script);
        ExchangeLimits limits = quickLimits();
        limits.totalTimeout = std::chrono::milliseconds(500);
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(exchangeWith(peer, data, limits), expected) << (script.pieces.empty() ? "" : script.pieces.front());
        if (data.empty()) {  // encoding megabytes takes its own time on a slow machine
            EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        }
    }
    EXPECT_EQ(sendServerRequest({"127.0.0.1:" + std::to_string(testing::unansweringPort()) + "/a", 1, {}, {}, {}},
                                quickLimits()),
              reply(-1, kConnectTimeout));
}

TEST(ServerExchange, HugeRepliesStopAtTheCap)
{
    ScriptedPeer endless({.pieces = {kHead + "1"}, .streamBytes = std::size_t(1) << 30});
    EXPECT_EQ(exchangeWith(endless, {}, quickLimits(1 << 20)), reply(-1, kReplyTooLarge));
    endless.finish();
    EXPECT_LT(endless.bytesStreamed(), std::size_t(64) << 20);

    // The program's own cap of 16 MB, just over and just at it.
    ScriptedPeer over({.pieces = {kHead + "1"}, .streamBytes = (16 << 20) - kHead.size()});
    EXPECT_EQ(exchangeWith(over), reply(-1, kReplyTooLarge));
    ScriptedPeer at({.pieces = {kHead + "1"}, .streamBytes = (16 << 20) - kHead.size() - 1});
    EXPECT_EQ(exchangeWith(at).body->size(), (16u << 20) - kHead.size() - 1);
}

}  // namespace
}  // namespace lexivo
