#include "test/speech.h"

#include <QApplication>
#include <QClipboard>
#include <QTextToSpeech>
#include <QVoice>

#include <utility>
#include <vector>

#include "ui/program.h"

namespace lexivo {

namespace {

// The engine's voices for English, by name: the program speaks English words only.
std::vector<std::pair<QLocale, QVoice>> englishVoices(QTextToSpeech& engine)
{
    std::vector<std::pair<QLocale, QVoice>> found;
    const QLocale kept = engine.locale();
    for (const QLocale& locale : engine.availableLocales()) {
        if (locale.language() != QLocale::English) {
            continue;
        }
        engine.setLocale(locale);
        for (const QVoice& voice : engine.availableVoices()) {
            found.emplace_back(locale, voice);
        }
    }
    engine.setLocale(kept);
    return found;
}

}  // namespace

SystemVoice::SystemVoice() = default;
SystemVoice::~SystemVoice() = default;

QTextToSpeech& SystemVoice::engine()
{
    if (engine_) {
        return *engine_;
    }
    engine_ = settings_.engine.empty() ? std::make_unique<QTextToSpeech>()
                                       : std::make_unique<QTextToSpeech>(QString::fromStdString(settings_.engine));
    engine_->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const QString wanted = QString::fromStdString(settings_.voice);
    for (const auto& [locale, voice] : englishVoices(*engine_)) {
        if (voice.name() == wanted) {
            engine_->setLocale(locale);
            engine_->setVoice(voice);
            break;
        }
    }
    engine_->setRate(settings_.rate / 10.0);
    return *engine_;
}

bool SystemVoice::busy() const
{
    return engine_ && engine_->state() == QTextToSpeech::Speaking;
}

void SystemVoice::say(const QString& text)
{
    QTextToSpeech& voice = engine();
    if (voice.state() == QTextToSpeech::Ready) {
        voice.say(text);
    }
}

QStringList SystemVoice::engines() { return QTextToSpeech::availableEngines(); }

QStringList SystemVoice::voices(const QString& engineName)
{
    QStringList names;
    QTextToSpeech engine(engineName);
    for (const auto& [locale, voice] : englishVoices(engine)) {
        if (!names.contains(voice.name())) {
            names << voice.name();
        }
    }
    return names;
}

void SystemVoice::use(const VoiceSettings& settings)
{
    if (settings == settings_) {
        return;
    }
    settings_ = settings;
    if (engine_ && engine_->state() == QTextToSpeech::Speaking) {
        engine_->stop();
    }
    engine_.reset();  // made again with the new choice when next needed
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
