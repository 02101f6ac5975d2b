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

// The labels are narrow: a smaller font beats a cut-off word.
QLabel* addLabel(QWidget* parent, int id, const QString& text, QRect place, const QFont& font,
                 const QColor& colour = Qt::black)
{
    return addStatic(parent, id, text, place, fittedFont(font, text, place.width()), colour);
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
    auto* title = addLabel(this, control::Title, "Vyhodnocení", QRect(0, 0, 700, 50), large);
    title->setAlignment(Qt::AlignCenter);
    addLabel(this, control::RightCaption, "Správně zodpovězeno:", QRect(25, 100, 170, 25), text);
    addLabel(this, control::RightCount, QString::number(state.rightCount), QRect(200, 100, 40, 25), text);
    addLabel(this, control::RightPercent, QString("%1 %").arg(percent_), QRect(25, 140, 220, 110), large, QColor(0, 200, 0));
    addLabel(this, control::WrongCaption, "Chybně zodpovězeno:", QRect(450, 220, 170, 25), text);
    addLabel(this, control::WrongCount, QString::number(state.wrongCount), QRect(620, 220, 40, 25), text);
    addLabel(this, control::WrongPercent, QString("%1 %").arg(answered_ ? 100 - percent_ : 0), QRect(450, 90, 220, 110), large,
             QColor(200, 0, 0));
    addLabel(this, control::TotalCaption, "Celkový počet dotazů:", QRect(250, 280, 170, 25), text);
    addLabel(this, control::TotalCount, QString::number(state.rightCount + state.wrongCount), QRect(420, 280, 40, 25), text);
    auto* note = addLabel(this, control::InterruptedNote,
                          "Poznámka: Test nebyl dokončen. Toto hodnocení se týká pouze jeho části. Budete-li v něm "
                          "chtít pokračovat, chovejte se stejně jako byste chtěl(a) spustit nový test.",
                          QRect(25, 350, 650, 60), cellFont(kTahoma, 16));
    note->setWordWrap(true);
    note->setVisible(end == TestEnd::Interrupted);

    auto* ok = new OwnerDrawnButton(program, WindowKind::Evaluation, control::Ok, "OK", this);
    ok->setGeometry(290, 430, 120, 50);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    attachControlBehaviour(this, WindowKind::Evaluation);
    ok->setFocus();

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
