#include "http_server.h"

#include <cstring>
#include <netdb.h>
#include <sys/socket.h>

#include <microhttpd.h>

namespace lexivo::server {
namespace {

// The request line, the headers and the reply's headers share this memory. The program's
// largest request (9500 characters of selection, each encoded in up to three bytes) fits, and
// libmicrohttpd takes up to 32 KB from the heap instead of mapping fresh memory for every
// connection, whose unmapping flushes the TLB of every core (half the cost of a request).
constexpr size_t kConnectionMemoryBytes = 32 * 1024;
constexpr unsigned kIdleTimeoutSeconds = 10;
constexpr unsigned kMaxConnections = 512;
constexpr unsigned kMaxConnectionsPerAddress = 128;

// The raw request target (path and query, still encoded) of each connection's request.
void* rememberTarget(void*, const char* uri, MHD_Connection*)
{
    return new std::string(uri);
}

void forgetTarget(void*, MHD_Connection*, void** context, MHD_RequestTerminationCode)
{
    delete static_cast<std::string*>(*context);
    *context = nullptr;
}

std::string clientAddress(MHD_Connection* connection)
{
    const MHD_ConnectionInfo* info = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
    char host[NI_MAXHOST] = "";
    if (info == nullptr || info->client_addr == nullptr ||
        getnameinfo(info->client_addr,
                    info->client_addr->sa_family == AF_INET6 ? sizeof(sockaddr_in6) : sizeof(sockaddr_in), host,
                    sizeof host, nullptr, 0, NI_NUMERICHOST) != 0) {
        return "?";
    }
    return host;
}

MHD_Result send(MHD_Connection* connection, unsigned status, const std::string& body)
{
    MHD_Response* response =
        MHD_create_response_from_buffer(body.size(), const_cast<char*>(body.data()), MHD_RESPMEM_MUST_COPY);
    if (response == nullptr) {
        return MHD_NO;
    }
    MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, "text/plain; charset=windows-1250");
    // The program speaks HTTP/1.0; answer in kind and close the connection afterwards.
    MHD_set_response_options(response, MHD_RF_HTTP_1_0_SERVER, MHD_RO_END);
    if (status == MHD_HTTP_METHOD_NOT_ALLOWED) {
        MHD_add_response_header(response, MHD_HTTP_HEADER_ALLOW, "GET, HEAD");
    }
    const MHD_Result queued = MHD_queue_response(connection, status, response);
    MHD_destroy_response(response);
    return queued;
}

MHD_Result handleRequest(void* serviceContext, MHD_Connection* connection, const char*, const char* method,
                         const char*, const char*, size_t* uploadSize, void** context)
{
    auto& service = *static_cast<ScriptService*>(serviceContext);
    if (*uploadSize != 0) {
        *uploadSize = 0;  // a GET carries no body; whatever is sent is read and dropped
        return MHD_YES;
    }
    if (std::strcmp(method, MHD_HTTP_METHOD_GET) != 0 && std::strcmp(method, MHD_HTTP_METHOD_HEAD) != 0) {
        return send(connection, MHD_HTTP_METHOD_NOT_ALLOWED, "Method Not Allowed");
    }
    const auto* target = static_cast<const std::string*>(*context);
    const HttpAnswer answer = service.answer(target != nullptr ? *target : std::string(), clientAddress(connection));
    return send(connection, static_cast<unsigned>(answer.status), answer.body);
}

}  // namespace

Result<std::unique_ptr<HttpServer>> HttpServer::start(ScriptService& service, const ListenAddress& address)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE;
    addrinfo* resolved = nullptr;
    const std::string port = std::to_string(address.port);
    if (const int failed = getaddrinfo(address.host.c_str(), port.c_str(), &hints, &resolved); failed != 0) {
        return errorMessage("Adresu " + address.host + " nelze použít: " + gai_strerror(failed));
    }
    const bool ipv6 = resolved->ai_family == AF_INET6;
    std::unique_ptr<HttpServer> server(new HttpServer());
    server->daemon_ = MHD_start_daemon(
        MHD_USE_THREAD_PER_CONNECTION | MHD_USE_POLL_INTERNAL_THREAD | (ipv6 ? MHD_USE_IPv6 : 0),
        address.port, nullptr, nullptr, &handleRequest, &service,
        MHD_OPTION_SOCK_ADDR, resolved->ai_addr,
        MHD_OPTION_URI_LOG_CALLBACK, &rememberTarget, nullptr,
        MHD_OPTION_NOTIFY_COMPLETED, &forgetTarget, nullptr,
        MHD_OPTION_CONNECTION_MEMORY_LIMIT, kConnectionMemoryBytes,
        MHD_OPTION_CONNECTION_TIMEOUT, kIdleTimeoutSeconds,
        MHD_OPTION_CONNECTION_LIMIT, kMaxConnections,
        MHD_OPTION_PER_IP_CONNECTION_LIMIT, kMaxConnectionsPerAddress,
        MHD_OPTION_END);
    freeaddrinfo(resolved);
    if (server->daemon_ == nullptr) {
        return errorMessage("Na adrese " + address.host + ", portu " + port +
                            " nelze naslouchat (port je obsazený nebo k němu nemáte právo).");
    }
    return server;
}

HttpServer::~HttpServer()
{
    if (daemon_ != nullptr) {
        MHD_stop_daemon(daemon_);
    }
}

std::uint16_t HttpServer::port() const
{
    const MHD_DaemonInfo* info = MHD_get_daemon_info(daemon_, MHD_DAEMON_INFO_BIND_PORT);
    return info != nullptr ? info->port : 0;
}

}  // namespace lexivo::server
