#include "test/answer_feedback.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "test/answer_check.h"
#include "test/speech.h"
#include "ui/button_font.h"
#include "ui/control_ids/feedback_dialog.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"

namespace lexivo {
namespace {

namespace control = feedback_dialog_control;

constexpr int kWidth = 400;
constexpr int kHeight = 200;
// What separates the text from the buttons below it once the window grows.
constexpr int kGap = 6;

QPoint feedbackCorner(const Program& program) { return {program.grid.x(880) - 200, program.grid.y(600) - 100}; }

}  // namespace

FeedbackDialog::FeedbackDialog(Program& program, QWidget* mainWindow, WindowKind windowKind, QSize size, QString english)
    : FramedDialog(program, mainWindow, feedbackCorner(program), size), english_(std::move(english))
{
    speaker_ = new OwnerDrawnButton(program, windowKind, control::Speaker, QString(), this, OwnerDrawnButton::Look::Speaker);
    speaker_->setGeometry(10, 154, 24, 22);
    speaker_->setVisible(speakerButtonsShown(program));
    connect(speaker_, &QPushButton::clicked, this, [this] { speakWord(program_, english_); });
}

void FeedbackDialog::watchKeys()
{
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

// Enter and Esc close the window whichever button has the focus.
bool FeedbackDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        if (isCloseKey(static_cast<QKeyEvent*>(event)->key())) {
            accept();
            return true;
        }
    }
    return FramedDialog::eventFilter(watched, event);
}


void FeedbackDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        accept();
        return;
    }
    FramedDialog::mousePressEvent(event);
}

void FeedbackDialog::placeText(const QString& text, const TextPlace& place, const QList<QWidget*>& buttons)
{
    text_ = text;
    place_ = place;
    textHeight_ = text.isEmpty() ? 0 : wrappedTextHeight(place.font, text, place.width);
    // A line is centred, so half its width says whether it reaches into a button's column.
    const int middle = place.left + place.width / 2;
    const int halfWidth = QFontMetrics(place.font).horizontalAdvance(text) / 2;
    const bool reachesButton = std::any_of(buttons.begin(), buttons.end(), [&](QWidget* button) {
        return !button->isHidden() && middle - halfWidth < button->geometry().right() + kGap &&
               middle + halfWidth > button->x() - kGap;
    });
    grown_ = !text.isEmpty() && (wrappedLineCount(place.font, text, place.width) > 1 || reachesButton);
    if (grown_) {
        const int bottom = place.top + textHeight_;
        for (QWidget* button : buttons) {
            button->move(button->x(), bottom + kGap);
        }
        resize(kWidth, bottom + 39);
    }
}

QRect FeedbackDialog::textRect() const { return QRect(place_.left, place_.top, place_.width, textHeight_); }

void FeedbackDialog::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    QPainter painter(this);
    painter.setFont(place_.font);
    painter.setPen(place_.colour);
    drawWrappedText(painter, textRect(), Qt::AlignHCenter | Qt::AlignTop, text_);
    painter.setPen(place_.enterColour);
    painter.setFont(cellFont(kArial, 18));
    const int enterTop = grown_ ? place_.top + textHeight_ + 18 : place_.enterTop;
    painter.drawText(QRect(0, enterTop, kWidth, 20), Qt::AlignCenter, "<Enter>");
}

RightAnswerDialog::RightAnswerDialog(Program& program, QWidget* mainWindow, const QString& typed,
                                     const QString& expected, const QString& english)
    : FeedbackDialog(program, mainWindow, WindowKind::RightFeedback, QSize(kWidth, kHeight), english)
{
    setBackground(QColor(80, 240, 80));
    auto* title = new QLabel("Správně", this);
    title->setGeometry(0, 40, kWidth, 70);
    title->setAlignment(Qt::AlignCenter);
    title->setFont(cellFont(kArial, 60, TextStyle::Bold));
    QPalette colours = title->palette();
    colours.setColor(QPalette::WindowText, QColor(20, 110, 20));
    title->setPalette(colours);
    placeText(QString::fromStdString(synonymsLine(typed.toStdString(), expected.toStdString())),
              {5, 135, 390, 180, cellFont(kArial, 18), QColor(90, 90, 90), QColor(150, 150, 150)}, {speaker_});
    watchKeys();
    setFocus();
}

WrongAnswerDialog::WrongAnswerDialog(Program& program, QWidget* mainWindow, const QString& shown,
                                     const QString& expected, const QString& english)
    : FeedbackDialog(program, mainWindow, WindowKind::WrongFeedback, QSize(kWidth, kHeight), english)
{
    setBackground(QColor(255, 200, 200));
    auto* title = new QLabel("Chyba", this);
    title->setGeometry(0, 85, kWidth, 30);
    title->setAlignment(Qt::AlignCenter);
    title->setFont(cellFont(kArial, 30, TextStyle::Bold));

    auto* typoButton = new QPushButton("Překlep", this);
    setControlId(typoButton, control::Typo);
    typoButton->setGeometry(325, 154, 60, 22);
    typoButton->setFont(cellFont(kArial, 15));
    typoButton->setAutoDefault(false);
    connect(typoButton, &QPushButton::clicked, this, [this] {
        typo_ = true;
        accept();
    });
    placeText(shown + " - " + expected,
              {0, 140, kWidth, 170, cellFont(kArial, 21, TextStyle::Bold), QColor(250, 0, 0), QColor(180, 180, 180)},
              {speaker_, typoButton});
    watchKeys();
    setFocus();
}

}  // namespace lexivo
