#include "online/scripted_peer.h"

#include <chrono>
#include <cstring>
#include <stdexcept>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace lexivo::testing {
namespace {

sockaddr_in loopback(int port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int listenOnLoopback(int backlog, int receiveBuffer, int& port)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (receiveBuffer > 0) {
        ::setsockopt(listener, SOL_SOCKET, SO_RCVBUF, &receiveBuffer, sizeof receiveBuffer);
    }
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener, backlog) != 0 ||
        ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error(std::string("cannot listen: ") + std::strerror(errno));
    }
    port = ntohs(address.sin_port);
    return listener;
}

bool readable(int descriptor)
{
    pollfd request{descriptor, POLLIN, 0};
    return ::poll(&request, 1, 20) > 0;
}

}  // namespace

ScriptedPeer::ScriptedPeer(PeerScript script) : script_(std::move(script))
{
    // A peer that never reads gets a small window, so a large request soon has to wait.
    listener_ = listenOnLoopback(4, script_.readRequest ? 0 : 4096, port_);
    thread_ = std::thread([this] { serve(); });
}

std::string ScriptedPeer::url() const { return "127.0.0.1:" + std::to_string(port_) + "/lx/komunikace/lxnettembal.php"; }

const std::string& ScriptedPeer::finish()
{
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
        ::close(listener_);
    }
    return request_;
}

void ScriptedPeer::serve()
{
    while (!stop_ && !readable(listener_)) {
    }
    if (stop_) {
        return;
    }
    const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    accepted_ = true;
    const int noDelay = 1;
    ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);

    char buffer[65536];
    ssize_t count = 1;
    while (script_.readRequest && request_.find("\n\n") == std::string::npos && count > 0 && !stop_) {
        if (readable(connection) && (count = ::recv(connection, buffer, sizeof buffer, 0)) > 0) {
            request_.append(buffer, static_cast<std::size_t>(count));
        }
    }
    for (const std::string& piece : script_.pieces) {
        if (stop_) {
            break;
        }
        ::send(connection, piece.data(), piece.size(), MSG_NOSIGNAL);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::memset(buffer, 'x', sizeof buffer);
    while (streamed_ < script_.streamBytes && !stop_) {
        const ssize_t sent = ::send(connection, buffer, std::min(sizeof buffer, script_.streamBytes - streamed_), MSG_NOSIGNAL);
        if (sent <= 0) {
            break;  // the client has gone
        }
        streamed_ += static_cast<std::size_t>(sent);
    }
    while (script_.holdOpen && !stop_) {
        // Until the client leaves; a peer that never reads cannot tell, and waits for the test.
        if (script_.readRequest && readable(connection) && ::recv(connection, buffer, sizeof buffer, 0) <= 0) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (script_.reset) {
        const linger abort{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    }
    ::close(connection);
}

int unansweringPort()
{
    int port = 0;
    listenOnLoopback(0, 0, port);
    // Once the queue is full the kernel drops further connection requests.
    for (int i = 0; i < 8; ++i) {
        const sockaddr_in address = loopback(port);
        ::connect(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0),
                  reinterpret_cast<const sockaddr*>(&address), sizeof address);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    return port;
}

int closedPort()
{
    int port = 0;
    ::close(listenOnLoopback(1, 0, port));
    return port;
}

}  // namespace lexivo::testing
