#pragma once
// The small windows after each answer: "Správně" with the other meanings, and "Chyba" with the
// expected answer and the "Překlep" (typo) button. Enter, Esc or a click closes them, also
// when the speaker button has the focus.

#include "ui/dialog_frame.h"
#include "ui/window_kind.h"

class QLabel;

namespace lexivo {

class OwnerDrawnButton;

class FeedbackDialog : public FramedDialog {
    Q_OBJECT
public:
    FeedbackDialog(Program& program, QWidget* mainWindow, WindowKind windowKind, QSize size, QString english);

    OwnerDrawnButton* speakerButton() const { return speaker_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void watchKeys();

    OwnerDrawnButton* speaker_ = nullptr;

private:
    QString english_;
};

class RightAnswerDialog : public FeedbackDialog {
    Q_OBJECT
public:
    RightAnswerDialog(Program& program, QWidget* mainWindow, const QString& typed, const QString& expected,
                      const QString& english);

    QString synonyms() const { return synonyms_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString synonyms_;
};

class WrongAnswerDialog : public FeedbackDialog {
    Q_OBJECT
public:
    WrongAnswerDialog(Program& program, QWidget* mainWindow, const QString& shown, const QString& expected,
                      const QString& english);

    // The user declared the answer a typo: it counts as right.
    bool typo() const { return typo_; }
    QString answerText() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect textRect() const;

    QString text_;
    int textHeight_ = 0;
    bool typo_ = false;
};

}  // namespace lexivo
