#pragma once
// The running test, shown in the main window: the question, the answer field, the counters,
// the percentages and the progress. All test logic is the engine's.

#include <utility>
#include <vector>

#include <QWidget>

#include "ui/settings_options.h"

class QLabel;
class QLineEdit;
class QProgressBar;

namespace lexivo {

struct Program;
struct TestSession;
class WindowRequests;
class OwnerDrawnButton;

class TestRunWindow : public QWidget {
    Q_OBJECT
public:
    // Asks the first word: a resumed test asks again the word it was left on.
    TestRunWindow(Program& program, TestSession& tests, WindowRequests& requests, QWidget* mainWindow);

    QLineEdit* answerField() const { return answer_; }
    // True from the last answer on: the evaluation has already forgotten the saved test.
    bool testOver() const { return testOver_; }
    OwnerDrawnButton* questionBox() const { return question_; }

    // Confirms the typed answer, as "OK" and Enter do.
    void confirmAnswer();
    // The example sentence, as a click on the question, F1 and Ctrl show it.
    void showExample();

signals:
    // A new word is on screen.
    void questionShown();
    // The evaluation of a finished test has been shown; the window is to be closed.
    void testFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void showWord();
    void layOutQuestion();
    // Where the language flag is drawn: under the question box, and under the package line
    // when that takes more than one line.
    QRect flagRect() const;
    void updateTypingColour();
    bool hasExample() const;
    bool packageLineShown() const;
    void applyColours();
    // An option changed in the settings shows at once.
    void showOption(TestWindowPart part);

    Program& program_;
    TestSession& tests_;
    WindowRequests& requests_;
    QWidget* mainWindow_;
    OwnerDrawnButton* question_ = nullptr;
    QLineEdit* answer_ = nullptr;
    QLabel* packageLine_ = nullptr;
    QProgressBar* progress_ = nullptr;
    // The controls from the counters down, with their places in the layout: a long question
    // moves them down.
    std::vector<std::pair<QWidget*, int>> lowerControls_;
    bool testOver_ = false;
};

}  // namespace lexivo
