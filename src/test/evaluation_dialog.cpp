#include "test/evaluation_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include "test/answer_check.h"
#include "test/pie_chart.h"
#include "test/test_decisions.h"
#include "test/test_session.h"
#include "ui/button_font.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/evaluation_dialog.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"

namespace lexivo {
namespace {

namespace control = evaluation_dialog_control;

// A caption and its number. A caption wider than its box at a readable size takes the room it
// needs and pushes the number right; the pair stays inside the window.
void addCountLine(QWidget* window, int captionId, const QString& caption, QRect captionPlace, int countId, int count,
                  QRect countPlace, const QFont& font)
{
    QLabel* captionLabel = addStatic(window, captionId, caption, captionPlace, fittedFont(font, caption, captionPlace.width()));
    widenLabelToText(captionLabel);
    countPlace.moveLeft(std::max(countPlace.left(), captionLabel->geometry().right() + 5));
    QLabel* countLabel = addStatic(window, countId, QString::number(count), countPlace, font);
    widenLabelToText(countLabel);
    const int overflow = countLabel->geometry().right() - (window->width() - 6);
    if (overflow > 0) {
        captionLabel->move(captionLabel->pos() - QPoint(overflow, 0));
        countLabel->move(countLabel->pos() - QPoint(overflow, 0));
    }
}

}  // namespace

EvaluationDialog::EvaluationDialog(Program& program, TestSession& tests, QWidget* mainWindow, TestEnd end)
    : FramedDialog(program, mainWindow, centredCorner(program, 700, 250), QSize(700, 500))
{
    const TestState& state = tests.engine.state();
    answered_ = state.rightCount + state.wrongCount > 0;
    percent_ = successPercent(state.rightCount, state.wrongCount);

    const QFont text = cellFont(kTahoma, 20);
    const QFont large = cellFont(kArial, 40);
    auto* title = addStatic(this, control::Title, "Vyhodnocení", QRect(0, 0, 700, 50), large);
    title->setAlignment(Qt::AlignCenter);
    addCountLine(this, control::RightCaption, "Správně zodpovězeno:", QRect(25, 100, 170, 25), control::RightCount,
                 state.rightCount, QRect(200, 100, 40, 25), text);
    addStatic(this, control::RightPercent, QString("%1 %").arg(percent_), QRect(25, 140, 220, 110), large, QColor(0, 200, 0));
    addCountLine(this, control::WrongCaption, "Chybně zodpovězeno:", QRect(450, 220, 170, 25), control::WrongCount,
                 state.wrongCount, QRect(620, 220, 40, 25), text);
    addStatic(this, control::WrongPercent, QString("%1 %").arg(answered_ ? 100 - percent_ : 0), QRect(450, 90, 220, 110),
              large, QColor(200, 0, 0));
    addCountLine(this, control::TotalCaption, "Celkový počet dotazů:", QRect(250, 280, 170, 25), control::TotalCount,
                 state.rightCount + state.wrongCount, QRect(420, 280, 40, 25), text);
    auto* note = addStatic(this, control::InterruptedNote,
                           "Poznámka: Test nebyl dokončen. Toto hodnocení se týká pouze jeho části. Budete-li v něm "
                           "chtít pokračovat, chovejte se stejně jako byste chtěl(a) spustit nový test.",
                           QRect(25, 350, 650, 60), cellFont(kTahoma, 16));
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note->setVisible(end == TestEnd::Interrupted);

    auto* ok = new OwnerDrawnButton(program, WindowKind::Evaluation, control::Ok, "OK", this);
    ok->setGeometry(290, 430, 120, 50);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    attachControlBehaviour(this, WindowKind::Evaluation);
    ok->setFocus();
    if (note->isVisibleTo(this)) {
        const int below = note->geometry().bottom() + 1;
        makeRoomBelow(below, growLabelToText(note));
    }

    if (Status recorded = recordTestEnd(tests, end); !recorded) {
        program.dialogs.showMessage(mainWindow, recorded.message());
    }
}

void EvaluationDialog::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    if (answered_) {
        QPainter painter(this);
        paintSuccessPie(painter, QRectF(250, 70, 200, 200), percent_);
    }
}


}  // namespace lexivo
