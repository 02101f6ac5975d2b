#include "app/termination_signals.h"

#include <array>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace lexivo {
namespace {

constexpr std::array kSignals{SIGTERM, SIGHUP, SIGINT};

// The pipe's ends; a handler may only write(), so it tells the event loop through the pipe.
int pipeEnds[2] = {-1, -1};

void onSignal(int)
{
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

void restoreDefaults()
{
    for (const int number : kSignals) {
        std::signal(number, SIG_DFL);
    }
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onTermination, QObject* parent)
    : QObject(parent), onTermination_(std::move(onTermination))
{
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) {
        return;
    }
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : kSignals) {
        ::sigaction(number, &action, nullptr);
    }
    notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char bytes[16];
        while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
        }
        // A second signal while the first is handled ends the program the ordinary way.
        restoreDefaults();
        onTermination_();
    });
}

TerminationSignals::~TerminationSignals()
{
    restoreDefaults();
    for (int& end : pipeEnds) {
        if (end >= 0) {
            ::close(end);
            end = -1;
        }
    }
}

}  // namespace lexivo
