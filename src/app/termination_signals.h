#pragma once
// The signals by which the system or the desktop ends a program (SIGTERM when the session
// ends, SIGHUP when its terminal goes, SIGINT for Ctrl+C) become one call on the user-interface
// thread, so that the program can keep what the user would otherwise lose.

#include <functional>

#include <QObject>

class QSocketNotifier;

namespace lexivo {

class TerminationSignals : public QObject {
public:
    // Only one may exist at a time: the signal handlers write into its pipe.
    explicit TerminationSignals(std::function<void()> onTermination, QObject* parent = nullptr);
    ~TerminationSignals() override;

    // False when the pipe or the handlers could not be set up; the default handling stays then.
    bool installed() const { return notifier_ != nullptr; }

private:
    std::function<void()> onTermination_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace lexivo
