#include "online/scripted_peer.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include <arpa/inet.h>
#include <fcntl.h>
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

// A listening socket on an ephemeral port.
int listenOnLoopback(int backlog, int& port)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, backlog) != 0 || ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error(std::string("cannot listen: ") + std::strerror(errno));
    }
    port = ntohs(address.sin_port);
    return listener;
}

// Waits up to `milliseconds` for `events`; true when ready.
bool ready(int descriptor, short events, int milliseconds)
{
    pollfd request{descriptor, events, 0};
    return ::poll(&request, 1, milliseconds) > 0;
}

}  // namespace

ScriptedPeer::ScriptedPeer(PeerScript script) : script_(std::move(script))
{
    listener_ = listenOnLoopback(4, port_);
    if (!script_.readRequest) {
        // A small window, so that a client's large request soon has to wait.
        const int size = 4096;
        ::setsockopt(listener_, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
    }
    thread_ = std::thread([this] { serve(); });
}

ScriptedPeer::~ScriptedPeer()
{
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    ::close(listener_);
}

std::string ScriptedPeer::url(std::string_view path) const
{
    return "127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::string ScriptedPeer::request()
{
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    return request_;
}

void ScriptedPeer::serve()
{
    while (!stop_ && !ready(listener_, POLLIN, 20)) {
    }
    if (stop_) {
        return;
    }
    const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    accepted_ = true;
    const int noDelay = 1;
    ::setsockopt(connection, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);

    char buffer[65536];
    while (script_.readRequest && request_.find("\n\n") == std::string::npos && ready(connection, POLLIN, 2000)) {
        const ssize_t count = ::recv(connection, buffer, sizeof buffer, 0);
        if (count <= 0) {
            break;
        }
        request_.append(buffer, static_cast<std::size_t>(count));
    }
    for (const std::string& piece : script_.pieces) {
        ::send(connection, piece.data(), piece.size(), MSG_NOSIGNAL);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::memset(buffer, 'x', sizeof buffer);
    while (streamed_ < script_.streamBytes && !stop_) {
        const std::size_t size = std::min(sizeof buffer, script_.streamBytes - streamed_);
        const ssize_t sent = ::send(connection, buffer, size, MSG_NOSIGNAL);
        if (sent <= 0) {
            break;  // the client has gone
        }
        streamed_ += static_cast<std::size_t>(sent);
    }
    // Silent: stay until the client leaves or the test ends; a peer that reads nothing stays deaf.
    while (script_.holdOpen && !stop_) {
        if (!script_.readRequest) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } else if (ready(connection, POLLIN, 20) && ::recv(connection, buffer, sizeof buffer, 0) <= 0) {
            break;
        }
    }
    if (script_.reset) {
        const linger abort{1, 0};
        ::setsockopt(connection, SOL_SOCKET, SO_LINGER, &abort, sizeof abort);
    }
    ::close(connection);
}

UnansweringListener::UnansweringListener()
{
    listener_ = listenOnLoopback(0, port_);
    // Fill the queue: once it is full the kernel drops further connection requests.
    for (int i = 0; i < 8; ++i) {
        const int filler = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        const sockaddr_in address = loopback(port_);
        ::connect(filler, reinterpret_cast<const sockaddr*>(&address), sizeof address);
        fillers_.push_back(filler);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
}

UnansweringListener::~UnansweringListener()
{
    for (const int filler : fillers_) {
        ::close(filler);
    }
    ::close(listener_);
}

int closedPort()
{
    int port = 0;
    ::close(listenOnLoopback(1, port));
    return port;
}

}  // namespace lexivo::testing
