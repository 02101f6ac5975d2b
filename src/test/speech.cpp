#include "test/speech.h"

#include <QApplication>
#include <QClipboard>
#include <QTextToSpeech>

#include "ui/program.h"

namespace lexivo {

SystemVoice::SystemVoice() = default;
SystemVoice::~SystemVoice() = default;

bool SystemVoice::busy() const
{
    return engine_ && engine_->state() == QTextToSpeech::Speaking;
}

void SystemVoice::say(const QString& text)
{
    if (!engine_) {
        engine_ = std::make_unique<QTextToSpeech>();
        engine_->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    }
    if (engine_->state() == QTextToSpeech::Ready) {
        engine_->say(text);
    }
}

void speakWord(Program& program, const QString& english)
{
    switch (program.config.speechMode) {
    case SpeechMode::Engine:
        if (!program.voice.busy()) {
            program.voice.say(english);
        }
        break;
    case SpeechMode::Clipboard:
        // Straight to the clipboard: the typed answer is never touched.
        QApplication::clipboard()->setText(english);
        break;
    default: break;
    }
}

bool speakerButtonsShown(const Program& program) { return program.config.speechMode != SpeechMode::Never; }

}  // namespace lexivo
