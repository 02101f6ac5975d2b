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

constexpr int kPieLeft = 350;

// A static text wrapped in its place, at a readable size.
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
    auto* explanation = addLabel(
        this, control::Explanation,
        "Váš poslední test nebyl dokončen. Pokud chcete, můžete v něm nyní pokračovat. V takovém případě "
        "klikněte na tlačítko 'Pokračovat'. Chcete-li spustit nový test, klikněte na tlačítko 'Zapomenout' a "
        "nastavte jeho parametry. Tím ale ztratíte záznam o předešlém testu a logicky přijdete i o možnost ho "
        "dokončit.",
        QRect(25, 75, 650, 60), text);
    QFont heading = cellFont(kTahoma, 19, TextStyle::BoldUnderlined);
    addLabel(this, control::DataCaption, "Údaje o nedokončeném testu:", QRect(25, 140, 400, 20), heading);

    const TestState& state = tests.engine.state();
    const ResumeTexts texts = resumeTexts(state, program.language.genitive.toStdString());
    auto* description = addLabel(this, control::Description, QString::fromStdString(texts.description), QRect(50, 170, 600, 60), text);
    addLabel(this, control::Total, QString::fromStdString(texts.total), QRect(50, 230, 600, 20), text);
    const QString answeredText = QString::fromStdString(texts.answered);
    auto* answered = addStatic(this, control::Answered, answeredText, QRect(50, 260, 280, 20), fittedFont(text, answeredText, 280));
    auto* progress = new QProgressBar(this);
    setControlId(progress, control::Progress);
    progress->setGeometry(330, 258, 300, 20);
    progress->setTextVisible(false);
    progress->setRange(0, std::max(texts.progressRange, 0));
    progress->setValue(std::clamp(texts.progressPosition, 0, std::max(texts.progressRange, 0)));
    addLabel(this, control::ProgressCaption, "Průběh testu", QRect(330, 275, 300, 20), text)->setVisible(texts.showsProgressLabel);
    auto* right = addLabel(this, control::Right, QString("Správně: %1").arg(state.rightCount), QRect(100, 335, 100, 20), text);
    auto* wrong = addLabel(this, control::Wrong, QString("Špatně: %1").arg(state.wrongCount), QRect(100, 365, 100, 20), text);
    answered_ = state.rightCount + state.wrongCount > 0;
    percent_ = successPercent(state.rightCount, state.wrongCount);
    successCaption_ = addLabel(this, control::SuccessCaption, "Dosavadní úspěšnost:", QRect(200, 335, 150, 50), text);
    successCaption_->setVisible(answered_);

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

    // Texts longer than their places take more lines, and what lies below moves down.
    makeRoomBelow(explanation->geometry().bottom() + 1, growLabelToText(explanation));
    makeRoomBelow(more->y(), growLabelToText(description));
    // The counts push the success caption right as far as they need, and the answered line
    // pushes the progress bar.
    widenLabelToText(right);
    widenLabelToText(wrong);
    const int countsRight = std::max(right->geometry().right(), wrong->geometry().right());
    if (countsRight >= successCaption_->x()) {
        successCaption_->move(countsRight + 6, successCaption_->y());
    }
    // The caption ends before the pie beside it and wraps there.
    successCaption_->resize(kPieLeft - 4 - successCaption_->x(), successCaption_->height());
    const int wider = widenLabelToText(answered);
    progress->setGeometry(progress->x() + wider, progress->y(), progress->width() - wider, progress->height());
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
        // The pie stands beside the success caption, wherever the texts above have moved it.
        paintSuccessPie(painter, QRectF(kPieLeft, successCaption_->y() - 25, 100, 100), percent_);
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
    heading->setWordWrap(true);
    growLabelToText(heading);

    auto* packages = new QListWidget(this);
    setControlId(packages, information::PackageList);
    // The list starts below the caption, however many lines that takes.
    const int listTop = std::max(95, heading->geometry().bottom() + 6);
    packages->setGeometry(430, listTop, 250, 415 - listTop);
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
    // The text may run below its usual box down to the OK button rather than be cut off.
    drawWrappedText(painter, QRect(QPoint(20, 60), QPoint(400, 435)), Qt::AlignLeft | Qt::AlignTop, text_);
}


}  // namespace lexivo
