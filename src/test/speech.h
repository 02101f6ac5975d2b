#pragma once
// Pronouncing the English expression of the asked word: through the system's speech engine,
// through the clipboard for another program to read aloud, or not at all.

#include <memory>

#include <QString>

#include "ui/seams.h"

class QTextToSpeech;

namespace lexivo {

struct Program;

// The system's speech engine (speech-dispatcher or flite on Linux) with the voice the user
// chose, created on first use. Without an installed engine nothing is spoken and nothing is
// reported.
class SystemVoice final : public Voice {
public:
    SystemVoice();
    ~SystemVoice() override;
    bool busy() const override;
    void say(const QString& text) override;
    QStringList engines() override;
    QStringList voices(const QString& engine) override;
    void use(const VoiceSettings& settings) override;

private:
    QTextToSpeech& engine();

    VoiceSettings settings_;
    std::unique_ptr<QTextToSpeech> engine_;
};

// Speaks `english` as the settings say: a request while the voice still speaks is dropped.
void speakWord(Program& program, const QString& english);

// The speaker buttons are shown unless speech is off.
bool speakerButtonsShown(const Program& program);

}  // namespace lexivo
