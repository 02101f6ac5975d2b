#include "ui/tips_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPainter>

#include "ui/control_behaviour.h"
#include "ui/control_ids/tips_dialog.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"
#include "ui/tips.h"

namespace lexivo {
namespace {

namespace control = tips_dialog_control;

// The template's measures, in dialog units of Arial 10; the tip's place is in pixels.
constexpr int kWidthUnits = 347;
constexpr int kHeightUnits = 161;
const QRect kTipPlace(120, 100, 455, 130);

}  // namespace

TipsDialog::TipsDialog(Program& program, QWidget* mainWindow) : FramedDialog(program, mainWindow, QPoint(), QSize())
{
    const DialogUnits units(templateFont(kArial, 10));
    resize(units.x(kWidthUnits), units.y(kHeightUnits));
    moveOverMainWindow(centredCorner(program, width(), height() / 2));

    tip_ = addStatic(this, control::TipText, "Zde má být tip. Není-li, je něco špatně...", kTipPlace, cellFont(kArial, 16));
    tip_->setWordWrap(true);
    tip_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* next = new OwnerDrawnButton(program, WindowKind::Tips, control::NextTip, "Další tip", this);
    next->setGeometry(units.rect(206, 130, 59, 17));
    connect(next, &QPushButton::clicked, this, &TipsDialog::showNextTip);
    showAtStart_ = new QCheckBox("Zobrazovat po každém spuštění programu", this);
    setControlId(showAtStart_, control::ShowAtStart);
    showAtStart_->setFont(templateFont(kArial, 10));
    const QRect boxPlace = units.rect(26, 134, 152, 9);
    showAtStart_->setGeometry(boxPlace.x(), boxPlace.y(), std::max(boxPlace.width(), showAtStart_->sizeHint().width()),
                              std::max(boxPlace.height(), showAtStart_->sizeHint().height()));
    showAtStart_->setChecked(program.config.showTipAtStart == 1);
    auto* ok = new OwnerDrawnButton(program, WindowKind::Tips, control::Ok, "OK", this);
    ok->setGeometry(units.rect(275, 126, 56, 25));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    attachControlBehaviour(this, WindowKind::Tips);
    showNextTip();
    ok->setFocus();
}

QString TipsDialog::tip() const { return tip_->text(); }

void TipsDialog::showNextTip()
{
    const std::string_view text = tipText(tipIndex(program_.random.next()));
    tip_->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

void TipsDialog::done(int result)
{
    program_.config.showTipAtStart = showAtStart_->isChecked() ? 1 : 0;
    if (Status saved = saveProgramConfig(program_.tree, program_.config); !saved) {
        program_.dialogs.showMessage(this, saved.message());
    }
    FramedDialog::done(result);
}

void TipsDialog::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    painter.setFont(cellFont(kArial, 200));
    painter.drawText(QPoint(30, 30 + QFontMetrics(painter.font()).ascent()), "!");
    painter.setFont(cellFont(kArial, 40));
    painter.drawText(QPoint(175, 10 + QFontMetrics(painter.font()).ascent()), "Tipy k programu");
    painter.setFont(cellFont(kArial, 23));
    painter.drawText(QPoint(135, 70 + QFontMetrics(painter.font()).ascent()), "Víte, že");
}

}  // namespace lexivo
