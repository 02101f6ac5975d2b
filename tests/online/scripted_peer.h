#pragma once
// A TCP peer on 127.0.0.1 and an ephemeral port that plays scripted bytes to one client, so the
// real client code can meet every kind of server behaviour.

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace lexivo::testing {

struct PeerScript {
    bool readRequest = true;          // read the request before answering; otherwise never read
    std::vector<std::string> pieces{};  // sent one by one, each in its own segment
    std::size_t streamBytes = 0;      // then this many more bytes, until the client leaves
    bool holdOpen = false;            // then stay silent until the test ends
    bool reset = false;               // then end with a reset instead of a normal close
};

class ScriptedPeer {
public:
    explicit ScriptedPeer(PeerScript script);
    ~ScriptedPeer() { finish(); }

    // "127.0.0.1:port/lx/komunikace/lxnettembal.php"
    std::string url() const;
    // Ends the script and returns the request it read.
    const std::string& finish();
    bool accepted() const { return accepted_; }
    std::size_t bytesStreamed() const { return streamed_; }

private:
    void serve();

    PeerScript script_;
    int listener_ = -1;
    int port_ = 0;
    std::string request_;
    std::atomic<bool> stop_{false}, accepted_{false};
    std::atomic<std::size_t> streamed_{0};
    std::thread thread_;
};

// A port whose listener never accepts and whose queue is full, so a connection attempt hangs.
// The listener lives until the program ends.
int unansweringPort();
// A port where nothing listens.
int closedPort();

}  // namespace lexivo::testing
