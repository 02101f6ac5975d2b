#include "test/answer_feedback.h"

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
// Wrong answers taller than one line grow the window.
constexpr int kOneLine = 21;

QPoint feedbackCorner(const Program& program) { return {program.grid.x(880) - 200, program.grid.y(600) - 100}; }

QFont feedbackFont() { return cellFont(kArial, 21, TextStyle::Bold); }

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

RightAnswerDialog::RightAnswerDialog(Program& program, QWidget* mainWindow, const QString& typed,
                                     const QString& expected, const QString& english)
    : FeedbackDialog(program, mainWindow, WindowKind::RightFeedback, QSize(kWidth, kHeight), english),
      synonyms_(QString::fromStdString(synonymsLine(typed.toStdString(), expected.toStdString())))
{
    setBackground(QColor(80, 240, 80));
    auto* title = new QLabel("Správně", this);
    title->setGeometry(0, 40, kWidth, 70);
    title->setAlignment(Qt::AlignCenter);
    title->setFont(cellFont(kArial, 60, TextStyle::Bold));
    QPalette colours = title->palette();
    colours.setColor(QPalette::WindowText, QColor(20, 110, 20));
    title->setPalette(colours);
    watchKeys();
    setFocus();
}

void RightAnswerDialog::paintEvent(QPaintEvent* event)
{
    FeedbackDialog::paintEvent(event);
    QPainter painter(this);
    painter.setFont(cellFont(kArial, 18));
    painter.setPen(QColor(90, 90, 90));
    painter.drawText(QRect(QPoint(5, 135), QPoint(395, 1000)), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     synonyms_);
    painter.setPen(QColor(150, 150, 150));
    painter.drawText(QRect(QPoint(5, 180), QPoint(395, 200)), Qt::AlignCenter, "<Enter>");
}

WrongAnswerDialog::WrongAnswerDialog(Program& program, QWidget* mainWindow, const QString& shown,
                                     const QString& expected, const QString& english)
    : FeedbackDialog(program, mainWindow, WindowKind::WrongFeedback, QSize(kWidth, kHeight), english),
      text_(shown + " - " + expected)
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

    textHeight_ = QFontMetrics(feedbackFont()).boundingRect(QRect(0, 0, kWidth, 100000), Qt::TextWordWrap, text_).height();
    if (textHeight_ > kOneLine) {
        resize(kWidth, textHeight_ + 179);
        speaker_->move(10, textHeight_ + 146);
        typoButton->move(325, textHeight_ + 146);
    }
    watchKeys();
    setFocus();
}

QRect WrongAnswerDialog::textRect() const { return QRect(QPoint(0, 140), QPoint(kWidth, 1000)); }

void WrongAnswerDialog::paintEvent(QPaintEvent* event)
{
    FeedbackDialog::paintEvent(event);
    QPainter painter(this);
    painter.setFont(feedbackFont());
    painter.setPen(QColor(250, 0, 0));
    painter.drawText(textRect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, text_);
    painter.setPen(QColor(180, 180, 180));
    painter.setFont(cellFont(kArial, 18));
    const int enterY = textHeight_ > kOneLine ? textHeight_ + 158 : 170;
    painter.drawText(QRect(0, enterY, kWidth, 20), Qt::AlignCenter, "<Enter>");
}

}  // namespace lexivo
