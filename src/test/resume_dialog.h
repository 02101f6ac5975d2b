#pragma once
// The question that offers to finish an unfinished test or to forget it, and the window that
// lists the settings of a test.

#include "ui/dialog_frame.h"

class QLabel;

namespace lexivo {

struct TestSession;

class ResumeDialog : public FramedDialog {
    Q_OBJECT
public:
    enum Choice { Continue = 0, Forget = 1 };

    // Shows the saved test that the engine has taken up (takeUpSavedTest).
    ResumeDialog(Program& program, TestSession& tests, QWidget* mainWindow);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void forget();
    void showInformation();

    TestSession& tests_;
    QLabel* successCaption_ = nullptr;
    bool answered_ = false;
    int percent_ = 0;
};

class TestInformationDialog : public FramedDialog {
    Q_OBJECT
public:
    TestInformationDialog(Program& program, const TestSession& tests, QWidget* mainWindow);

    QString paintedText() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};

}  // namespace lexivo
