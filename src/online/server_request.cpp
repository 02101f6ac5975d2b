#include "online/server_request.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <memory>
#include <new>
#include <utility>

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "store/cp1250.h"

namespace lexivo {
namespace {

using Clock = std::chrono::steady_clock;
using namespace request_code;

// The longest server text shown in a message box.
constexpr std::size_t kMaxShownCharacters = 2000;

ServerReply failure(int code) { return ServerReply{-1, code, std::nullopt}; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the run of decimal digits at `position` (there is at least one), saturating instead of
// overflowing, and moves past it.
std::int32_t readNumber(std::string_view text, std::size_t& position)
{
    std::int64_t value = 0;
    while (position < text.size() && isDigit(text[position])) {
        value = std::min<std::int64_t>(value * 10 + (text[position] - '0'), INT32_MAX);
        ++position;
    }
    return static_cast<std::int32_t>(value);
}

class Socket {
public:
    explicit Socket(int descriptor = -1) : descriptor_(descriptor) {}
    ~Socket()
    {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    Socket(Socket&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}
    Socket& operator=(Socket&& other) noexcept
    {
        std::swap(descriptor_, other.descriptor_);
        return *this;
    }

    int get() const { return descriptor_; }
    bool valid() const { return descriptor_ >= 0; }

private:
    int descriptor_;
};

struct AddressListDeleter {
    void operator()(addrinfo* list) const { ::freeaddrinfo(list); }
};
using AddressList = std::unique_ptr<addrinfo, AddressListDeleter>;

// The host name and the port of a "host" or "host:port" text; nothing when the port is not 1 to 65535.
struct Endpoint {
    std::string name;
    std::string port;
};

std::optional<Endpoint> splitEndpoint(std::string_view host)
{
    const std::size_t colon = host.rfind(':');
    if (colon == std::string_view::npos) {
        return Endpoint{std::string(host), "80"};
    }
    const std::string_view port = host.substr(colon + 1);
    if (!parsePort(port)) {
        return std::nullopt;
    }
    return Endpoint{std::string(host.substr(0, colon)), std::string(port)};
}

AddressList resolve(const Endpoint& endpoint)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    addrinfo* list = nullptr;
    if (endpoint.name.empty() || ::getaddrinfo(endpoint.name.c_str(), endpoint.port.c_str(), &hints, &list) != 0) {
        return nullptr;
    }
    return AddressList(list);
}

enum class Wait { Ready, TimedOut, Failed };

// Waits until the socket is ready for `events` (or has an error the next call will report).
Wait waitFor(int descriptor, short events, Clock::time_point deadline)
{
    for (;;) {
        const auto remaining = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (remaining <= 0) {
            return Wait::TimedOut;
        }
        pollfd request{descriptor, events, 0};
        const int ready = ::poll(&request, 1, static_cast<int>(std::min<long long>(remaining, INT_MAX)));
        if (ready > 0) {
            return Wait::Ready;
        }
        if (ready == 0) {
            return Wait::TimedOut;
        }
        if (errno != EINTR) {
            return Wait::Failed;
        }
    }
}

// Connects to the first address that answers, all within one time-out.
Socket connectToAny(const addrinfo* addresses, std::chrono::milliseconds timeout, int& failureCode)
{
    const Clock::time_point deadline = Clock::now() + timeout;
    failureCode = kConnect;
    for (const addrinfo* address = addresses; address != nullptr; address = address->ai_next) {
        Socket socket(::socket(address->ai_family, address->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                               address->ai_protocol));
        if (!socket.valid()) {
            continue;
        }
        if (::connect(socket.get(), address->ai_addr, address->ai_addrlen) == 0) {
            return socket;
        }
        if (errno != EINPROGRESS) {
            continue;
        }
        const Wait wait = waitFor(socket.get(), POLLOUT, deadline);
        if (wait == Wait::TimedOut) {
            failureCode = kConnectTimeout;
            break;
        }
        int error = 0;
        socklen_t length = sizeof error;
        if (wait == Wait::Ready && ::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &error, &length) == 0 &&
            error == 0) {
            return socket;
        }
    }
    return Socket();
}

bool sendAll(int descriptor, std::string_view bytes, Clock::time_point deadline)
{
    while (!bytes.empty()) {
        // MSG_NOSIGNAL: a peer that has gone away is a failure to report, not a signal that ends the program.
        const ssize_t sent = ::send(descriptor, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(sent));
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (waitFor(descriptor, POLLOUT, deadline) != Wait::Ready) {
                return false;
            }
        } else if (!(sent < 0 && errno == EINTR)) {
            return false;
        }
    }
    return true;
}

// Reads until the server closes the connection. Returns 0 or a failure code.
int receiveAll(int descriptor, const ExchangeLimits& limits, std::string& raw)
{
    const Clock::time_point end = Clock::now() + limits.totalTimeout;
    std::array<char, 16384> buffer;
    for (;;) {
        const Wait wait = waitFor(descriptor, POLLIN, std::min(end, Clock::now() + limits.silenceTimeout));
        if (wait == Wait::TimedOut) {
            return kReceiveTimeout;
        }
        if (wait == Wait::Failed) {
            return kConnect;
        }
        const ssize_t count = ::recv(descriptor, buffer.data(), buffer.size(), 0);
        if (count == 0) {
            return 0;
        }
        if (count < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) {
                continue;
            }
            return kConnect;  // the connection broke: the reply is incomplete
        }
        if (raw.size() + static_cast<std::size_t>(count) > limits.maxReplyBytes) {
            return kReplyTooLarge;
        }
        raw.append(buffer.data(), static_cast<std::size_t>(count));
    }
}

ServerReply exchange(const ServerRequest& request, const ExchangeLimits& limits)
{
    if (request.typ < 1 || request.typ > 1000) {
        return failure(kTypeOutOfRange);
    }
    const std::string host = splitHost(request.url);
    const std::optional<std::string> path = splitPath(request.url);
    if (!path) {
        return failure(kSplitPath);
    }
    const std::optional<Endpoint> endpoint = splitEndpoint(host);
    const AddressList addresses = endpoint ? resolve(*endpoint) : nullptr;
    if (!addresses) {
        return failure(kHostNotFound);
    }
    // A text the code page cannot hold cannot be sent.
    const Result<std::string> data = encodeCp1250(request.data);
    if (!data) {
        return failure(kEncodeData);
    }
    const Result<std::string> jmeno = encodeCp1250(request.jmeno);
    if (!jmeno) {
        return failure(kEncodeName);
    }
    const Result<std::string> heslo = encodeCp1250(request.heslo);
    if (!heslo) {
        return failure(kEncodePassword);
    }
    const std::string text = buildRequestText(host, *path, request.typ, encodeForCgi(*data), encodeForCgi(*jmeno),
                                              encodeForCgi(*heslo));

    int failureCode = 0;
    const Socket socket = connectToAny(addresses.get(), limits.connectTimeout, failureCode);
    if (!socket.valid()) {
        return failure(failureCode);
    }
    if (!sendAll(socket.get(), text, Clock::now() + std::min(limits.silenceTimeout, limits.totalTimeout))) {
        return failure(kSend);
    }
    std::string raw;
    if (const int received = receiveAll(socket.get(), limits, raw); received != 0) {
        return failure(received);
    }
    return parseServerReply(raw);
}

}  // namespace

std::string splitHost(std::string_view url) { return std::string(url.substr(0, url.find('/'))); }

std::optional<int> parsePort(std::string_view digits)
{
    if (digits.empty() || digits.size() > 5 || !std::all_of(digits.begin(), digits.end(), isDigit)) {
        return std::nullopt;
    }
    const int number = std::stoi(std::string(digits));
    return number >= 1 && number <= 65535 ? std::optional<int>(number) : std::nullopt;
}

std::optional<std::string> splitPath(std::string_view url)
{
    const std::size_t slash = url.find('/');
    if (slash == std::string_view::npos || slash + 1 == url.size()) {
        return std::nullopt;
    }
    return std::string(url.substr(slash + 1));
}

std::string encodeForCgi(std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c) || c == '.' || c == '?' ||
                           c == '/';
        if (plain) {
            out += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        }
    }
    return out;
}

std::string buildRequestText(std::string_view host, std::string_view path, int typ, std::string_view data,
                             std::string_view jmeno, std::string_view heslo)
{
    // Single line feeds and the lower-case header name are what the service expects.
    std::string text = "GET /";
    text.append(path).append("?typ=").append(std::to_string(typ));
    text.append("&data=").append(data).append("&jmeno=").append(jmeno).append("&heslo=").append(heslo);
    text.append(" HTTP/1.0\nhost: ").append(host).append("\n\n");
    return text;
}

ServerReply parseServerReply(std::string_view raw)
{
    raw = raw.substr(0, raw.find('\0'));
    // The status code follows the protocol name, its version and a blank.
    constexpr std::size_t kStatusStart = 9;
    if (raw.size() <= kStatusStart) {
        return failure(kSplitHost);
    }
    std::size_t position = kStatusStart;
    while (position < raw.size() && !isDigit(raw[position])) {
        ++position;
    }
    if (position == raw.size()) {
        return failure(kSocketLibrary);
    }
    const std::int32_t status = readNumber(raw, position);

    const std::size_t blank = raw.find("\r\n\r\n");
    if (blank == std::string_view::npos) {
        return ServerReply{-1, status, std::nullopt};
    }
    position = blank + 4;
    if (position == raw.size() || !isDigit(raw[position])) {
        // An error page of the web server itself (a 404, say) is reported by its status.
        return status == kSuccess ? failure(kTypeOutOfRange) : ServerReply{-1, status, std::nullopt};
    }
    const std::int32_t result = readNumber(raw, position);
    if (position == raw.size()) {
        return ServerReply{-1, status, std::nullopt};
    }
    return ServerReply{result, status, std::string(raw.substr(position))};
}

ServerReply sendServerRequest(const ServerRequest& request, const ExchangeLimits& limits)
{
    try {
        return exchange(request, limits);
    } catch (const std::bad_alloc&) {
        return failure(kOutOfMemory);
    }
}

Message requestErrorMessage(int code)
{
    const char* text = "Neidentifikovatelná chyba.";
    switch (code) {
    case kTypeOutOfRange: text = "Typ není v požadovaném rozsahu."; break;
    case kSocketLibrary: text = "Nepodařilo se inicializovat knihovnu socketů."; break;
    case kSplitHost:
    case kSplitPath: text = "Chyba při dělení url adresy CGI aplikace."; break;
    case kHostNotFound:
        text = "Nebyl nalezen server s CGI aplikaci. Zkontrolujte, zda je připojení k internetu aktivní.";
        break;
    case kEncodeData: text = "Chyba při konverzi proměnné data do podoby vhodné pro CGI transport."; break;
    case kEncodeName: text = "Chyba při konverzi proměnné jmeno do podoby vhodné pro CGI transport."; break;
    case kEncodePassword: text = "Chyba při konverzi proměnné heslo do podoby vhodné pro CGI transport."; break;
    case kOutOfMemory: text = "Nedostatek paměti."; break;
    case kConnect: text = "Chyba při připojování k serveru."; break;
    case kSend: text = "Chyba pří odesílání dat na server."; break;
    case kConnectTimeout:
        text = "Server se do 10 sekund neozval. Zkontrolujte, zda je připojení k internetu aktivní a zda server běží.";
        break;
    case kReceiveTimeout: text = "Server přestal odpovídat, spojení bylo ukončeno. Zkuste to prosím později."; break;
    case kReplyTooLarge: text = "Odpověď serveru je příliš velká (více než 16 MB), stahování bylo přerušeno."; break;
    default: break;
    }
    return Message{text, MessageIcon::Error, "CHYBA"};
}

std::string nextCommunicationText(std::string_view shown)
{
    const std::size_t extraStops = characterCount(shown) - characterCount(kCommunicationText);
    return std::string(kCommunicationText) + (extraStops < 3 ? std::string(extraStops + 1, '.') : std::string());
}

std::string replyText(std::string_view body)
{
    std::string text = decodeCp1250(body.substr(0, kMaxShownCharacters));
    if (body.size() > kMaxShownCharacters) {
        text += "…";
    }
    return text;
}

ReplyVerdict judgeReply(const ServerReply& reply)
{
    if (reply.code != kSuccess) {
        return {ReplyVerdict::Kind::Failed, requestErrorMessage(reply.code)};
    }
    if (!reply.body) {
        return {ReplyVerdict::Kind::NoAnswer, std::nullopt};
    }
    if (reply.result == 0) {
        return {ReplyVerdict::Kind::Refused,
                Message{replyText(*reply.body), MessageIcon::Error, "Internetový skript vrátil tuto chybu"}};
    }
    if (reply.result == 1) {
        return {ReplyVerdict::Kind::Delivered, std::nullopt};
    }
    return {ReplyVerdict::Kind::NoAnswer, std::nullopt};
}

}  // namespace lexivo
