#pragma once
// A stand-in for the web service on the loopback interface, and the replies it gives at the
// sizes a user meets: a catalogue of 1000 packages and a package of 1000 words.

#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace lexivo::bench {

// 10 areas of 10 groups of 10 packages, as the catalogue script sends it after its result digit.
std::string catalogueOfAThousandPackages();
// One package of 1000 words under FOOD#NÁPOJE#ALKOHOLICKÉ NÁPOJE, as the download script sends it.
std::string packageOfAThousandWords();

// Answers every connection with the HTTP reply "200", the result digit 1 and the body that
// `answer` gives for the request text.
class LoopbackService {
public:
    explicit LoopbackService(std::function<std::string(const std::string& request)> answer);
    ~LoopbackService();
    LoopbackService(const LoopbackService&) = delete;
    LoopbackService& operator=(const LoopbackService&) = delete;

    // "127.0.0.1:port"
    std::string hostAndPort() const { return "127.0.0.1:" + std::to_string(port_); }

private:
    void serve();

    std::function<std::string(const std::string&)> answer_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace lexivo::bench
