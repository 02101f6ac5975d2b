#include "loopback_service.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lexivo::bench {

std::string catalogueOfAThousandPackages()
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

std::string packageOfAThousandWords()
{
    std::string body = "xFOOD#N\xC1POJE#ALKOHOLICK\xC9 N\xC1POJE*";
    for (int i = 0; i < 1000; ++i) {
        const std::string n = std::to_string(i);
        for (const std::string& piece :
             {"vocabulary " + n, "|slovn\xED z\xE1soba " + n, "|A sentence that shows how word " + n, std::string(" is used.|4~")}) {
            body += piece;
        }
    }
    return body + "<|>";
}

LoopbackService::LoopbackService(std::function<std::string(const std::string&)> answer) : answer_(std::move(answer))
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

LoopbackService::~LoopbackService()
{
    stop_ = true;
    thread_.join();
    ::close(listener_);
}

void LoopbackService::serve()
{
    char buffer[4096];
    while (!stop_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0) {
            continue;
        }
        const int connection = ::accept(listener_, nullptr, nullptr);
        std::string request;
        while (request.find("\n\n") == std::string::npos) {
            const ssize_t count = ::recv(connection, buffer, sizeof buffer, 0);
            if (count <= 0) {
                break;
            }
            request.append(buffer, static_cast<std::size_t>(count));
        }
        const std::string reply = "HTTP/1.0 200 OK\r\n\r\n1" + answer_(request);
        ::send(connection, reply.data(), reply.size(), MSG_NOSIGNAL);
        ::close(connection);
    }
}

}  // namespace lexivo::bench
