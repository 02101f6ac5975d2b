#include "test/resume_dialog.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>

#include "test/answer_check.h"
#include "test/pie_chart.h"
#include "test/test_decisions.h"
#include "test/test_descriptions.h"
#include "test/test_session.h"
#include "ui/button_font.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/resume_dialog.h"
#include "ui/control_ids/test_information_dialog.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"

namespace lexivo {
namespace {

namespace control = resume_dialog_control;
namespace information = test_information_dialog_control;

QLabel* addLabel(QWidget* parent, int id, const QString& text, QRect place, const QFont& font)
{
    auto* label = addStatic(parent, id, text, place, fittedWrappedFont(font, text, place.size()));
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

}  // namespace

ResumeDialog::ResumeDialog(Program& program, TestSession& tests, QWidget* mainWindow)
    : FramedDialog(program, mainWindow, centredCorner(program, 700, 250), QSize(700, 500)), tests_(tests)
{
    setCloseKeys(CloseKeys::Swallow);  // only its two buttons lead out
    const QFont text = cellFont(kTahoma, 17);
    auto* title = addLabel(this, control::Title, "Dokončit test?", QRect(0, 0, 700, 50), cellFont(kArial, 40));
    title->setAlignment(Qt::AlignCenter);
    addLabel(this, control::Explanation,
             "Váš poslední test nebyl dokončen. Pokud chcete, můžete v něm nyní pokračovat. V takovém případě "
             "klikněte na tlačítko 'Pokračovat'. Chcete-li spustit nový test, klikněte na tlačítko 'Zapomenout' a "
             "nastavte jeho parametry. Tím ale ztratíte záznam o předešlém testu a logicky přijdete i o možnost ho "
             "dokončit.",
             QRect(25, 75, 650, 60), text);
    QFont heading = cellFont(kTahoma, 19, TextStyle::BoldUnderlined);
    addLabel(this, control::DataCaption, "Údaje o nedokončeném testu:", QRect(25, 140, 400, 20), heading);

    const TestState& state = tests.engine.state();
    const ResumeTexts texts = resumeTexts(state, program.language.genitive.toStdString());
    addLabel(this, control::Description, QString::fromStdString(texts.description), QRect(50, 170, 600, 60), text);
    addLabel(this, control::Total, QString::fromStdString(texts.total), QRect(50, 230, 600, 20), text);
    addLabel(this, control::Answered, QString::fromStdString(texts.answered), QRect(50, 260, 280, 20), text);
    auto* progress = new QProgressBar(this);
    setControlId(progress, control::Progress);
    progress->setGeometry(330, 258, 300, 20);
    progress->setTextVisible(false);
    progress->setRange(0, std::max(texts.progressRange, 0));
    progress->setValue(std::clamp(texts.progressPosition, 0, std::max(texts.progressRange, 0)));
    addLabel(this, control::ProgressCaption, "Průběh testu", QRect(330, 275, 300, 20), text)->setVisible(texts.showsProgressLabel);
    addLabel(this, control::Right, QString("Správně: %1").arg(state.rightCount), QRect(100, 335, 100, 20), text);
    addLabel(this, control::Wrong, QString("Špatně: %1").arg(state.wrongCount), QRect(100, 365, 100, 20), text);
    answered_ = state.rightCount + state.wrongCount > 0;
    percent_ = successPercent(state.rightCount, state.wrongCount);
    addLabel(this, control::SuccessCaption, "Dosavadní úspěšnost:", QRect(200, 335, 150, 50), text)->setVisible(answered_);

    auto* more = new OwnerDrawnButton(program, WindowKind::UnfinishedTest, control::MoreInformation, "Další info o testu", this);
    more->setGeometry(405, 225, 150, 23);
    connect(more, &QPushButton::clicked, this, &ResumeDialog::showInformation);
    auto* resume = new OwnerDrawnButton(program, WindowKind::UnfinishedTest, control::Continue, "Pokračovat", this);
    resume->setGeometry(150, 450, 111, 32);
    connect(resume, &QPushButton::clicked, this, [this] { done(Continue); });
    auto* forget = new OwnerDrawnButton(program, WindowKind::UnfinishedTest, control::Forget, "Zapomenout", this);
    forget->setGeometry(440, 450, 111, 32);
    connect(forget, &QPushButton::clicked, this, &ResumeDialog::forget);
    attachControlBehaviour(this, WindowKind::UnfinishedTest);
    resume->setFocus();
}

void ResumeDialog::forget()
{
    if (Status forgotten = forgetTakenUpTest(tests_); !forgotten) {
        program_.dialogs.showMessage(this, forgotten.message());
    }
    done(Forget);
}

void ResumeDialog::showInformation()
{
    TestInformationDialog information(program_, tests_, parentWidget());
    information.exec();
}

void ResumeDialog::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    if (answered_) {
        QPainter painter(this);
        paintSuccessPie(painter, QRectF(350, 310, 100, 100), percent_);
    }
}


TestInformationDialog::TestInformationDialog(Program& program, const TestSession& tests, QWidget* mainWindow)
    : FramedDialog(program, mainWindow, centredCorner(program, 700, 250), QSize(700, 500))
{
    const TestState& state = tests.engine.state();
    text_ = QString::fromStdString(
        testInformationText(state, tests.engine.remainingCount(), program.language.genitive.toStdString()));

    auto* title = new QLabel("Předvolby testu", this);
    setControlId(title, information::Title);
    title->setGeometry(0, 0, 700, 50);
    title->setAlignment(Qt::AlignCenter);
    title->setFont(cellFont(kTahoma, 35));
    auto* heading = new QLabel("Je vybíráno z těchto balíčků:", this);
    setControlId(heading, information::PackagesCaption);
    heading->setGeometry(430, 60, 250, 30);
    heading->setFont(fittedFont(cellFont(kTahoma, 25, TextStyle::Underlined), heading->text(), heading->width()));

    auto* packages = new QListWidget(this);
    setControlId(packages, information::PackageList);
    packages->setGeometry(430, 95, 250, 320);
    packages->setFont(cellFont(kTahoma, 17));
    packages->setSelectionMode(QAbstractItemView::NoSelection);
    packages->setSortingEnabled(true);
    QPalette colours = packages->palette();
    colours.setColor(QPalette::Base, toQColor(program.scheme().dialogColour));
    packages->setPalette(colours);
    for (const std::string& name : tests.engine.poolPackageNames()) {
        packages->addItem(QString::fromStdString(name) + " ");
    }

    auto* ok = new OwnerDrawnButton(program, WindowKind::TestInformation, information::Ok, "OK", this);
    ok->setGeometry(290, 440, 120, 45);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    attachControlBehaviour(this, WindowKind::TestInformation);
    ok->setFocus();
}

void TestInformationDialog::paintEvent(QPaintEvent* event)
{
    FramedDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setFont(cellFont(kArial, 20));
    painter.drawText(QRect(QPoint(20, 60), QPoint(400, 350)), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text_);
}


}  // namespace lexivo
