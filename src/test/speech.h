#pragma once
// Pronouncing the English expression of the asked word: through the system's speech engine,
// through the clipboard for another program to read aloud, or not at all.

#include <QString>

#include "ui/seams.h"

class QThread;

namespace lexivo {

struct Program;
class SpeechWorker;

// The system's speech engine (speech-dispatcher or flite on Linux) with the voice the user
// chose, created on first use. It lives on a speech thread of its own: a speech service that
// does not answer (speech-dispatcher may hang while it starts) must never freeze the windows.
// Without an installed engine nothing is spoken and nothing is reported.
class SystemVoice final : public Voice {
public:
    SystemVoice();
    ~SystemVoice() override;
    bool busy() const override;
    void say(const QString& text) override;
    QStringList engines() override;
    // The English voices of an engine, or none when it does not answer within a few seconds.
    QStringList voices(const QString& engine) override;
    void use(const VoiceSettings& settings) override;

private:
    VoiceSettings settings_;
    QThread* thread_;
    SpeechWorker* worker_;
};

// Speaks `english` as the settings say: a request while the voice still speaks is dropped.
void speakWord(Program& program, const QString& english);

// The speaker buttons are shown unless speech is off.
bool speakerButtonsShown(const Program& program);

}  // namespace lexivo
