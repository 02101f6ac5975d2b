#pragma once
// One exchange with the web service: a plain HTTP/1.0 GET of one script with four query
// variables, the whole reply read until the server closes, split into a ServerReply.
// Blocking; it runs on a worker thread.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "store/result.h"

namespace lexivo {

// Failure codes of an exchange. The reply's `code` is one of these or the HTTP status.
namespace request_code {
inline constexpr int kSuccess = 200;
inline constexpr int kTypeOutOfRange = 10001;       // also: a body that does not begin with a digit
inline constexpr int kSocketLibrary = 10002;        // also: a status line without a digit
inline constexpr int kSplitHost = 10003;            // also: a reply of 9 bytes or fewer
inline constexpr int kSplitPath = 10004;
inline constexpr int kHostNotFound = 10005;
inline constexpr int kEncodeData = 10006;
inline constexpr int kEncodeName = 10007;
inline constexpr int kEncodePassword = 10008;
inline constexpr int kOutOfMemory = 10009;
inline constexpr int kConnect = 10010;              // also: the connection broke while reading
inline constexpr int kSend = 10011;
// A silent server must not hold the program behind its modal window for ever.
inline constexpr int kConnectTimeout = 10012;
inline constexpr int kReceiveTimeout = 10013;
// Memory stays bounded whatever the server sends.
inline constexpr int kReplyTooLarge = 10014;
}  // namespace request_code

// The inputs of one exchange. Texts are UTF-8; they travel as Windows-1250.
struct ServerRequest {
    std::string url;  // host (optionally host:port), a slash and the script path
    int typ = 0;      // the script's operation, 1 to 1000
    std::string data;
    std::string jmeno;  // login name, empty where the script needs none
    std::string heslo;  // password, empty where the script needs none
};

// The outcome of one exchange.
struct ServerReply {
    std::int32_t result = -1;         // the number the body begins with; -1 when none or failed
    std::int32_t code = 0;            // the HTTP status, or a failure code
    std::optional<std::string> body;  // the body after that number, Windows-1250 bytes; none on failure

    bool operator==(const ServerReply&) const = default;
};

// Bounds of one exchange; tests shorten them.
struct ExchangeLimits {
    std::chrono::milliseconds connectTimeout{10'000};
    std::chrono::milliseconds silenceTimeout{10'000};  // the longest wait for the next byte
    std::chrono::milliseconds totalTimeout{120'000};   // a server that trickles still ends
    std::size_t maxReplyBytes = 16 * 1024 * 1024;
};

// The host: everything before the first "/", the whole url when there is none.
std::string splitHost(std::string_view url);
// The port of a "host:port" text: 1 to 65535 in decimal, or nothing.
std::optional<int> parsePort(std::string_view digits);

// The path: everything after the first "/"; nothing when there is no "/" or nothing follows it.
std::optional<std::string> splitPath(std::string_view url);

// Query-variable encoding of Windows-1250 bytes: letters, digits and ". ? /" stay, every other
// byte becomes "%" and two upper-case hex digits. "&" and "=" are encoded too, so a value that
// holds them cannot change the query.
std::string encodeForCgi(std::string_view bytes);

// The request text, byte for byte, for an encoded request.
std::string buildRequestText(std::string_view host, std::string_view path, int typ, std::string_view data,
                             std::string_view jmeno, std::string_view heslo);

// Splits a raw reply (read up to its first NUL) into status, result and body.
ServerReply parseServerReply(std::string_view raw);

// The whole exchange; every failure ends in a reply with its code.
ServerReply sendServerRequest(const ServerRequest& request, const ExchangeLimits& limits = {});

// The message shown for a code other than 200, titled "CHYBA" with the stop icon.
Message requestErrorMessage(int code);

// The progress window's text while an exchange runs, and the next one every 500 ms: the base
// text ends in one full stop, then two, three, four, and again one.
inline constexpr std::string_view kCommunicationText = "Probíhá komunikace.";
std::string nextCommunicationText(std::string_view shown);

// A body as text for a message box: decoded, and cut short so that a hostile server cannot fill the screen.
std::string replyText(std::string_view body);

// What a caller does with a reply.
struct ReplyVerdict {
    enum class Kind {
        Failed,     // the exchange failed: show `message`
        Refused,    // the script refused: show its text in `message`
        NoAnswer,   // no usable answer: do nothing further
        Delivered,  // the body holds the payload
    };
    Kind kind = Kind::NoAnswer;
    std::optional<Message> message;
};
ReplyVerdict judgeReply(const ServerReply& reply);

}  // namespace lexivo
