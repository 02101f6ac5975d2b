#pragma once
// The desktop as window benchmarks need it: nothing is opened, spoken or asked for.

#include <QString>
#include <QStringList>

#include "ui/seams.h"
#include "ui/window_requests.h"

namespace lexivo::bench {

class NoShell final : public Shell {
public:
    bool open(const QString&) override { return true; }
};

class SilentVoice final : public Voice {
public:
    bool busy() const override { return false; }
    void say(const QString&) override {}
    QStringList engines() override { return {}; }
    QStringList voices(const QString&) override { return {}; }
    void use(const VoiceSettings&) override {}
};

class NoRequests final : public WindowRequests {
public:
    void openAddPackageForRemainingWords() override {}
    void openGroupDialog() override {}
    void openWordTransferForStore(std::function<void(QWidget*)>) override {}
    void openOnlinePackagePreview() override {}
};

}  // namespace lexivo::bench
