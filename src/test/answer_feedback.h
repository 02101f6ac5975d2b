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
    // The painted text and where it lies, for the tests.
    QString paintedText() const { return text_; }
    QRect textRect() const;
    bool grown() const { return grown_; }

protected:
    // Where the painted text goes and how it looks; the buttons it must keep clear of.
    struct TextPlace {
        int left = 0;
        int top = 0;
        int width = 0;
        int enterTop = 0;  // "<Enter>" while the window keeps its size
        QFont font;
        QColor colour;
        QColor enterColour;
    };
    // A text of one line that stays clear of the buttons leaves the window as it is; a longer
    // text moves the buttons and "<Enter>" below it, and the window grows with it.
    void placeText(const QString& text, const TextPlace& place, const QList<QWidget*>& buttons);

    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void watchKeys();

    OwnerDrawnButton* speaker_ = nullptr;

private:
    QString english_;
    QString text_;
    TextPlace place_;
    int textHeight_ = 0;
    bool grown_ = false;
};

class RightAnswerDialog : public FeedbackDialog {
    Q_OBJECT
public:
    RightAnswerDialog(Program& program, QWidget* mainWindow, const QString& typed, const QString& expected,
                      const QString& english);

    QString synonyms() const { return paintedText(); }
};

class WrongAnswerDialog : public FeedbackDialog {
    Q_OBJECT
public:
    WrongAnswerDialog(Program& program, QWidget* mainWindow, const QString& shown, const QString& expected,
                      const QString& english);

    // The user declared the answer a typo: it counts as right.
    bool typo() const { return typo_; }
    QString answerText() const { return paintedText(); }

private:
    bool typo_ = false;
};

}  // namespace lexivo
