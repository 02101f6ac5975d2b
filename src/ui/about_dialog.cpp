#include "ui/about_dialog.h"

#include <QPainter>

#include "ui/artwork.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/about_dialog.h"
#include "ui/controls.h"
#include "ui/manual_location.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"
#include "ui/project_addresses.h"
#include "ui/tips_dialog.h"

namespace lexivo {
namespace {

namespace control = about_dialog_control;

// The template's measures, in dialog units of Arial 12; the painting is in pixels.
constexpr int kWidthUnits = 306;
constexpr int kHeightUnits = 187;
// The text keeps left of the picture and above the buttons.
const QRect kTextArea(QPoint(20, 58), QPoint(525, 232));
const QPoint kPicture(535, 30);

}  // namespace

QString AboutDialog::aboutText()
{
    return "Program Lexivo je součástí služby Lexivo projektu Brindle.\n"
           "Autor programu: Lexivo developers\n"
           "Grafika: Lexivo developers\n"
           "Vedení projektu: Lexivo developers\n"
           "Ovládání programu je intuitivní, přesto doporučujeme přečíst si uživatelský manuál.\n"
           "Své připomínky nám prosím napište do diskusního fóra programu.";
}

AboutDialog::AboutDialog(Program& program, QWidget* mainWindow, std::filesystem::path executableDirectory)
    : FramedDialog(program, mainWindow, QPoint(), QSize()), executableDirectory_(std::move(executableDirectory))
{
    const DialogUnits units(templateFont(kArial, 12));
    resize(units.x(kWidthUnits), units.y(kHeightUnits));
    moveOverMainWindow(centredCorner(program, width(), height() / 2));

    auto button = [&](int id, const QString& text, QRect place) {
        auto* widget = new OwnerDrawnButton(program, WindowKind::About, id, text, this);
        widget->setGeometry(place);
        return widget;
    };
    connect(button(control::ShowManual, "Zobrazit uživatelský manuál", units.rect(4, 100, 104, 14)),
            &QPushButton::clicked, this, &AboutDialog::openManual);
    connect(button(control::ShowTip, "Zobrazit tip pro používání", units.rect(198, 100, 104, 14)),
            &QPushButton::clicked, this, &AboutDialog::showTip);
    connect(button(control::ProjectLink, kProjectAddress, QRect(20, 290, 280, 24)), &QPushButton::clicked, this,
            [this] { open(kProjectAddress); });
    connect(button(control::ContactLink, kContactAddress, QRect(20, 318, 280, 24)), &QPushButton::clicked, this,
            [this] { open(QString("mailto:") + kContactAddress); });
    auto* ok = button(control::Ok, "OK", units.rect(128, 160, 50, 23));
    // The button's text is as high as the design grid says; the button grows to hold it.
    const int okHeight = std::max(ok->height(), QFontMetrics(ok->textFont()).height() + 4);
    ok->setGeometry(ok->x(), std::min(ok->y(), height() - okHeight - 6), ok->width(), okHeight);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    attachControlBehaviour(this, WindowKind::About);
    ok->setFocus();
}

void AboutDialog::open(const QString& fileOrAddress)
{
    if (!program_.shell.open(fileOrAddress)) {
        program_.dialogs.showMessage(this, errorMessage(("„" + fileOrAddress + "“ se nepodařilo otevřít.").toStdString()));
    }
}

void AboutDialog::openManual()
{
    const auto manual = findManual(executableDirectory_, program_.tree.programDirectory());
    if (!manual) {
        program_.dialogs.showMessage(this, manualMissingMessage());
        return;
    }
    open(QString::fromStdString(manual->string()));
}

void AboutDialog::showTip()
{
    hide();
    TipsDialog(program_, parentWidget()).exec();
    show();
}

void AboutDialog::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setFont(cellFont(kArial, 40));
    painter.drawText(QRect(0, 0, width(), 50), Qt::AlignCenter | Qt::TextSingleLine, "O programu");
    painter.setFont(cellFont(kArial, 20));
    painter.drawText(kTextArea, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, aboutText());
    painter.setFont(cellFont(kArial, 20, TextStyle::Bold));
    painter.drawText(QRect(QPoint(450, 372), QPoint(620, 400)), Qt::AlignCenter | Qt::TextSingleLine, "Verze 1.3");
    paintArt(painter, Art::AboutPicture, program_.schemeNumber, QRectF(kPicture, artSize(Art::AboutPicture, program_.schemeNumber)));
}

}  // namespace lexivo
