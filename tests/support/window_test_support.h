#pragma once
// What window tests share: a program on a temporary directory whose message boxes, questions
// and opened addresses are recorded instead of shown, and screenshots of the windows.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include <QString>
#include <QWidget>

#include "support/temp_tree.h"
#include "ui/program.h"

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
        return true;
    }
    std::vector<QString> opened;
};

// A program directory and the program state on it, with a screen of the given size.
class TestProgram {
public:
    explicit TestProgram(int screenW = 1600, int screenH = 1200);

    TempTree temp;
    RecordingDialogs dialogs;
    RecordingShell shell;
    Program program;
};

// Renders the widget to build/screenshots/<name>.png and returns the picture.
QImage screenshot(QWidget& widget, const QString& name);

// Whether any pixel of `area` has `colour`.
bool paintsColour(const QImage& image, const QRect& area, const QColor& colour);

}  // namespace lexivo::testing
