#pragma once
// The HTTP side of the service, on GNU libmicrohttpd: one thread per connection, so a slow
// client never holds up another. The program's request line ends in single line feeds, which
// libmicrohttpd accepts (cpp-httplib, the other candidate in Debian, answers it with 400).
// Every request is bounded: request line and headers by the connection's memory, idle time by
// a time-out, and the number of connections in all and per address.

#include <cstdint>
#include <memory>
#include <string>

#include "script_service.h"
#include "store/result.h"

struct MHD_Daemon;

namespace lexivo::server {

struct ListenAddress {
    std::string host = "127.0.0.1";
    std::uint16_t port = 8080;  // 0: any free port, see HttpServer::port()
};

class HttpServer {
public:
    static Result<std::unique_ptr<HttpServer>> start(ScriptService& service, const ListenAddress& address);
    // Stops listening and waits for the connections that are being answered.
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    std::uint16_t port() const;

private:
    HttpServer() = default;
    MHD_Daemon* daemon_ = nullptr;
};

}  // namespace lexivo::server
