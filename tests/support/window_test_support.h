#pragma once
// What window tests share: a program on a temporary directory whose message boxes, questions
// and opened addresses are recorded instead of shown, and screenshots of the windows.

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QPointer>
#include <QString>
#include <functional>
#include <QWidget>

#include "support/temp_tree.h"
#include "test/test_session.h"
#include "ui/program.h"
#include "ui/window_requests.h"

namespace lexivo::testing {

class RecordingDialogs final : public Dialogs {
public:
    void showMessage(QWidget* parent, const Message& message) override;
    bool askYesNo(QWidget* parent, const Message& question) override;

    // Answers for the coming questions, in order; a question without one is answered No.
    void answerNext(bool yes) { answers.push_back(yes); }

    std::vector<Message> messages;
    std::vector<Message> questions;
    std::deque<bool> answers;
};

class RecordingShell final : public Shell {
public:
    bool open(const QString& fileOrAddress) override
    {
        opened.push_back(fileOrAddress);
        return opens;
    }
    std::vector<QString> opened;
    bool opens = true;  // false: the desktop has nothing to open it with
};

// The desktop's choosers answered from queues (an empty queue cancels), with what each was shown.
class RecordingChoosers final : public DesktopChoosers {
public:
    std::optional<FontChoice> chooseFont(QWidget*, const FontChoice& current) override
    {
        fontsShown.push_back(current);
        return next(fonts);
    }
    std::optional<QColor> chooseColour(QWidget*, const QColor& current) override
    {
        coloursShown.push_back(current);
        return next(colours);
    }
    std::optional<QString> chooseSaveFile(QWidget*, const SaveFileRequest& request) override
    {
        saveRequests.push_back(request);
        return next(saveFiles);
    }
    std::optional<QString> chooseOpenFile(QWidget*, const OpenFileRequest& request) override
    {
        openRequests.push_back(request);
        return next(openFiles);
    }
    std::deque<std::optional<FontChoice>> fonts;
    std::deque<std::optional<QColor>> colours;
    std::deque<std::optional<QString>> saveFiles;
    std::vector<FontChoice> fontsShown;
    std::vector<QColor> coloursShown;
    std::vector<SaveFileRequest> saveRequests;
    std::deque<std::optional<QString>> openFiles;
    std::vector<OpenFileRequest> openRequests;

private:
    template <typename T>
    static std::optional<T> next(std::deque<std::optional<T>>& answers)
    {
        if (answers.empty()) {
            return std::nullopt;
        }
        std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class RecordingVoice final : public Voice {
public:
    bool busy() const override { return speaking; }
    void say(const QString& text) override { spoken.push_back(text); }
    QStringList engines() override { return {"flite", "speechd"}; }
    QStringList voices(const QString& engine) override { return engine == "flite" ? QStringList{"kal", "slt"} : QStringList{"male1"}; }
    void use(const VoiceSettings& settings) override { used.push_back(settings); }
    std::vector<QString> spoken;
    std::vector<VoiceSettings> used;
    bool speaking = false;
};

class RecordingWindowRequests final : public WindowRequests {
public:
    void openAddPackageForRemainingWords() override { requests.push_back("openAddPackageForRemainingWords"); }
    void openGroupDialog() override { requests.push_back("openGroupDialog"); }
    void openWordTransferForStore(std::function<void(QWidget*)> beforeClosing) override
    {
        requests.push_back("openWordTransferForStore");
        storeClosing = std::move(beforeClosing);
    }
    void openOnlinePackagePreview() override
    {
        requests.push_back("openOnlinePackagePreview");
        if (whilePreviewing) {
            whilePreviewing();
        }
    }
    std::vector<std::string> requests;
    // Runs while the preview would be shown, when the preview's file exists.
    std::function<void()> whilePreviewing;
    // What the store's transfer window would run on its "OK".
    std::function<void(QWidget*)> storeClosing;
};

// A program directory and the program state on it, with a screen of the given size.
class TestProgram {
public:
    explicit TestProgram(int screenW = 1600, int screenH = 1200);

    TempTree temp;
    RecordingDialogs dialogs;
    RecordingShell shell;
    RecordingVoice voice;
    RecordingWindowRequests requests;
    RecordingChoosers choosers;
    Program program;
    TestSession session{program.tree, program.random};
};

// The same program directory seen by a second program state, as after a restart.
struct Restart {
    explicit Restart(TestProgram& test) : program(test.temp.tree(), test.dialogs, test.shell, test.voice)
    {
        program.grid = test.program.grid;
    }
    Program program;
    TestSession session{program.tree, program.random};
};

// Closes a modal window that nobody handles within a few seconds, so that a test waiting on
// it fails instead of hanging; the failure is reported by modalWatchdogFired (and reset then).
void installModalWatchdog();
bool modalWatchdogFired();

// Acts on modal windows as they open: each queued action runs once on the next modal window
// that appears (its own nested loop is running then), typically to read it and close it.
class ModalDriver : public QObject {
public:
    ModalDriver();
    ~ModalDriver() override;
    void then(std::function<void(QWidget*)> action);
    // Presses Enter in the next modal window.
    void thenPressEnter();
    // What to do with a modal window when no action is queued.
    void otherwise(std::function<void(QWidget*)> action) { otherwise_ = std::move(action); }
    bool idle() const { return actions_.empty(); }

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    std::deque<std::function<void(QWidget*)>> actions_;
    std::function<void(QWidget*)> otherwise_;
    QPointer<QWidget> lastHandled_;
    int timer_ = 0;
};

// Clicks the control with this number: radio buttons and check boxes on their box near the
// left edge, other controls in their middle.
void click(QWidget* window, int id);
// The text of a label, and whether a control is shown within its window.
QString labelText(QWidget* window, int id);
bool shown(QWidget* window, int id);

// Types text as key presses, each carrying its character (Czech letters included).
void typeText(QWidget* widget, const QString& text);

// Renders the widget to build/screenshots/<name>.png and returns the picture.
QImage screenshot(QWidget& widget, const QString& name);

// What a user would find wrong in a window: a label whose text is cut off or too small to read,
// a bitmap button whose caption is cut off, a control outside the window, a top-level window
// outside `workArea`. Empty when all is well.
QStringList layoutFaults(QWidget& window, const QRect& workArea);
// Takes the window's screenshot `name` and fails the test with each of its layout faults.
#define LEXIVO_VERIFY_LAYOUT(window, workArea, name)                                                      \
    do {                                                                                                   \
        ::lexivo::testing::screenshot((window), (name));                                                   \
        const QStringList faults_ = ::lexivo::testing::layoutFaults((window), (workArea));                 \
        QVERIFY2(faults_.isEmpty(), qPrintable(QString(name) + ": " + faults_.join("; ")));                \
    } while (false)

// Whether any pixel of `area` has `colour`.
bool paintsColour(const QImage& image, const QRect& area, const QColor& colour);

}  // namespace lexivo::testing
