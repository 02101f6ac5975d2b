#pragma once
// A TCP peer on 127.0.0.1 and an ephemeral port that plays back scripted bytes to one client,
// for exchanges with the real client code without any real server.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace lexivo::testing {

struct PeerScript {
    bool readRequest = true;           // read the request (up to its blank line) before answering
    std::vector<std::string> pieces;   // sent one by one, each in its own segment
    std::size_t streamBytes = 0;       // then this many more bytes, until the client leaves
    bool holdOpen = false;             // then stay silent until the test ends
    bool reset = false;                // then end with a reset instead of a normal close
};

class ScriptedPeer {
public:
    explicit ScriptedPeer(PeerScript script);
    ~ScriptedPeer();
    ScriptedPeer(const ScriptedPeer&) = delete;
    ScriptedPeer& operator=(const ScriptedPeer&) = delete;

    int port() const { return port_; }
    // "127.0.0.1:port" followed by `path`.
    std::string url(std::string_view path = "/lx/komunikace/lxnettembal.php") const;
    // Waits for the peer to finish and returns the request it read.
    std::string request();
    bool accepted() const { return accepted_; }
    std::size_t bytesStreamed() const { return streamed_; }

private:
    void serve();

    PeerScript script_;
    int listener_ = -1;
    int port_ = 0;
    std::string request_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> accepted_{false};
    std::atomic<std::size_t> streamed_{0};
    std::thread thread_;
};

// A listener whose queue is full and that never accepts, so that a connection attempt hangs.
class UnansweringListener {
public:
    UnansweringListener();
    ~UnansweringListener();
    UnansweringListener(const UnansweringListener&) = delete;
    UnansweringListener& operator=(const UnansweringListener&) = delete;
    int port() const { return port_; }

private:
    int listener_ = -1;
    int port_ = 0;
    std::vector<int> fillers_;
};

// A port on 127.0.0.1 where nothing listens.
int closedPort();

}  // namespace lexivo::testing
