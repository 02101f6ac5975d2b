#include "test/speech.h"

#include <QApplication>
#include <QClipboard>
#include <QTextToSpeech>
#include <QThread>
#include <QVoice>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <memory>
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

// Owns the engine on the speech thread; every call on it arrives there queued.
class SpeechWorker : public QObject {
public:
    // When the last request was made, in milliseconds of the steady clock; 0 when the engine
    // has reported that it finished.
    std::atomic<std::int64_t> requestedAt{0};

    void speak(const QString& text, const VoiceSettings& settings)
    {
        QTextToSpeech& voice = engine(settings);
        if (voice.state() == QTextToSpeech::Ready) {
            voice.say(text);
        } else {
            requestedAt = 0;
        }
    }

private:
    QTextToSpeech& engine(const VoiceSettings& settings)
    {
        if (engine_ && settings == madeWith_) {
            return *engine_;
        }
        engine_.reset();
        madeWith_ = settings;
        engine_ = settings.engine.empty() ? std::make_unique<QTextToSpeech>()
                                          : std::make_unique<QTextToSpeech>(QString::fromStdString(settings.engine));
        connect(engine_.get(), &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
            if (state != QTextToSpeech::Speaking) {
                requestedAt = 0;
            }
        });
        if (engine_->state() == QTextToSpeech::Error) {
            return *engine_;  // a service that failed is not asked anything more
        }
        engine_->setLocale(QLocale(QLocale::English, QLocale::UnitedKingdom));
        const QString wanted = QString::fromStdString(settings.voice);
        for (const auto& [locale, voice] : englishVoices(*engine_)) {
            if (voice.name() == wanted) {
                engine_->setLocale(locale);
                engine_->setVoice(voice);
                break;
            }
        }
        engine_->setRate(settings.rate / 10.0);
        return *engine_;
    }

    VoiceSettings madeWith_;
    std::unique_ptr<QTextToSpeech> engine_;
};

namespace {

using namespace std::chrono_literals;

// A request that the engine never reports as finished stops counting as speech after this.
constexpr auto kLongestWord = 10s;
// How long the voice window waits for an engine to list its voices.
constexpr auto kVoiceListWait = 3s;
// How long the end of the program waits for the speech thread.
constexpr int kThreadEndWaitMs = 2000;

std::int64_t nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

SystemVoice::SystemVoice() : thread_(new QThread), worker_(new SpeechWorker)
{
    thread_->setObjectName("speech");
    worker_->moveToThread(thread_);
    // The worker and its engine end on their own thread, as they were made there.
    QObject::connect(thread_, &QThread::finished, worker_, [worker = worker_] { delete worker; },
                     Qt::DirectConnection);
    thread_->start();
}

SystemVoice::~SystemVoice()
{
    thread_->quit();
    if (thread_->wait(QDeadlineTimer(kThreadEndWaitMs))) {
        delete thread_;
    }
    // Otherwise the engine still waits for its service: the thread is left to the end of the process.
}

bool SystemVoice::busy() const
{
    const std::int64_t requested = worker_->requestedAt;
    return requested != 0 && nowMs() - requested < std::chrono::milliseconds(kLongestWord).count();
}

void SystemVoice::say(const QString& text)
{
    if (busy()) {
        return;
    }
    worker_->requestedAt = std::max<std::int64_t>(nowMs(), 1);
    QMetaObject::invokeMethod(
        worker_, [worker = worker_, text, settings = settings_] { worker->speak(text, settings); },
        Qt::QueuedConnection);
}

QStringList SystemVoice::engines() { return QTextToSpeech::availableEngines(); }

QStringList SystemVoice::voices(const QString& engineName)
{
    auto listed = std::make_shared<std::promise<QStringList>>();
    std::future<QStringList> names = listed->get_future();
    QMetaObject::invokeMethod(
        worker_,
        [listed, engineName] {
            QStringList found;
            QTextToSpeech engine(engineName);
            for (const auto& [locale, voice] : englishVoices(engine)) {
                if (!found.contains(voice.name())) {
                    found << voice.name();
                }
            }
            listed->set_value(found);
        },
        Qt::QueuedConnection);
    return names.wait_for(kVoiceListWait) == std::future_status::ready ? names.get() : QStringList();
}

void SystemVoice::use(const VoiceSettings& settings)
{
    // The speech thread makes the engine again with the new choice when it next speaks.
    settings_ = settings;
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
