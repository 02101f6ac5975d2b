#include "test/test_run_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>

#include "test/answer_check.h"
#include "test/answer_feedback.h"
#include "test/evaluation_dialog.h"
#include "test/resume_dialog.h"
#include "test/speech.h"
#include "test/test_session.h"
#include "ui/artwork.h"
#include "ui/button_font.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/test_run_window.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"
#include "ui/window_requests.h"

namespace lexivo {
namespace {

namespace control = test_run_window_control;

QString qt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TestRunWindow::TestRunWindow(Program& program, TestSession& tests, WindowRequests& requests, QWidget* mainWindow)
    : QWidget(mainWindow), program_(program), tests_(tests), requests_(requests), mainWindow_(mainWindow)
{
    const DesignGrid& g = program.grid;
    // The window's design width reaches past the screen's edge; it ends there.
    setGeometry(g.x(355), g.y(100), std::min(g.x(1345), g.x(1600) - g.x(355)), g.y(1100));
    setAutoFillBackground(true);
    createControls();
    applyColours();
    attachControlBehaviour(this, WindowKind::TestRun, [this] {
        QuickHelpState state;
        const bool czechShown = tests_.engine.state().askDirection == ShownSide::Czech;
        state.answerLanguage = czechShown ? AnswerLanguage::English : AnswerLanguage::Czech;
        return state;
    });
    connect(&program_.events, &ProgramEvents::schemeChanged, this, &TestRunWindow::applyColours);
    connect(&program_.events, &ProgramEvents::testOptionChanged, this, &TestRunWindow::showOption);

    tests_.engine.pickNextWord(KeepAskedWord::Yes);
    const TestState& state = tests_.engine.state();
    progress_->setRange(0, state.fixedCount ? state.totalCount : tests_.engine.remainingCount() + state.rightCount);
    showWord();
    QTimer::singleShot(1, this, [this] { update(); });
}

void TestRunWindow::createControls()
{
    const DesignGrid& g = program_.grid;
    const TestState& state = tests_.engine.state();
    auto label = [&](int id, const QString& text, QRect place, int height, QColor colour = Qt::black) {
        return addStatic(this, id, text, place, cellFont(kTahoma, height), colour);
    };
    auto grid = [&](int x, int y, int w, int h) { return gridRect(g, x, y, w, h); };

    question_ = new OwnerDrawnButton(program_, WindowKind::TestRun, control::Question, QString(), this,
                                     OwnerDrawnButton::Look::WordBox);
    connect(question_, &QPushButton::clicked, this, &TestRunWindow::showExample);

    answer_ = new QLineEdit(this);
    setControlId(answer_, control::Answer);
    answer_->setGeometry(g.x(530) + 10, g.y(90), g.x(475), 25);
    answer_->setFont(cellFont(kArial, 20));
    answer_->setMaxLength(199);
    connect(answer_, &QLineEdit::textChanged, this, &TestRunWindow::updateTypingColour);
    label(control::Dash, "-", QRect(g.x(530) - 10, g.y(90), 20, 20), 25);

    auto* ok = new OwnerDrawnButton(program_, WindowKind::TestRun, control::Confirm, "OK", this);
    ok->setGeometry(g.x(530) - 60, g.y(160), 120, 50);
    connect(ok, &QPushButton::clicked, this, &TestRunWindow::confirmAnswer);

    packageLine_ = label(control::PackageLine, "Pochází z balíčku:", QRect(g.x(30), g.y(90) + 25, g.x(1005) + 10, 20), 17);
    packageLine_->setVisible(packageLineShown());
    packageLine_->setWordWrap(true);
    packageLine_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    label(control::RightCount, QString(), grid(100, 380, 425, 50), g.y(30));
    label(control::WrongCount, QString(), grid(525, 380, 425, 50), g.y(30));
    label(control::RightPercent, QString(), grid(100, 430, 385, 150), g.y(50), QColor(0, 230, 0));
    label(control::WrongPercent, QString(), grid(525, 430, 425, 150), g.y(50), QColor(230, 0, 0));
    label(control::ProgressCaption, "Průběh testu:", grid(100, 680, 850, 35), g.y(30));
    progress_ = new QProgressBar(this);
    setControlId(progress_, control::Progress);
    progress_->setGeometry(grid(100, 740, 850, 35));
    progress_->setTextVisible(false);
    label(control::Remaining, QString(), grid(525, 780, 425, 50), g.y(25));
    label(control::Answered, "Zodpovězeno: 0", grid(100, 800, 425, 50), g.y(30))->hide();

    auto* information = new OwnerDrawnButton(program_, WindowKind::TestRun, control::ShowSettings,
                                             "Zobrazit předvolby tohoto testu", this);
    information->setGeometry(state.fixedCount ? grid(360, 860, 330, 40) : grid(100, 860, 330, 40));
    const int countersTop = g.y(380);
    connect(information, &QPushButton::clicked, this, [this] {
        TestInformationDialog dialog(program_, tests_, mainWindow_);
        dialog.exec();
        answer_->setFocus();
    });
    auto* remaining = new OwnerDrawnButton(program_, WindowKind::TestRun, control::PackageOfRemaining,
                                           "Ze zbývajících vytvořit balíček", this);
    remaining->setGeometry(grid(620, 860, 330, 40));
    remaining->setVisible(!state.fixedCount);
    connect(remaining, &QPushButton::clicked, this, [this] {
        requests_.openAddPackageForRemainingWords();
        answer_->setFocus();
    });
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->y() >= countersTop) {
            lowerControls_.push_back({child, child->y()});
        }
    }
}

void TestRunWindow::showWord()
{
    const TestState& state = tests_.engine.state();
    question_->setText(qt(tests_.engine.questionText()));
    packageLine_->setText("Balíček: " + qt(state.packageName));
    layOutQuestion();
    answer_->clear();
    answer_->setFocus();
    findControlAs<QLabel>(this, control::RightCount)->setText(QString("Správně: %1").arg(state.rightCount));
    findControlAs<QLabel>(this, control::WrongCount)->setText(QString("Špatně: %1").arg(state.wrongCount));
    const int answered = state.rightCount + state.wrongCount;
    findControlAs<QLabel>(this, control::Remaining)->setText(
        state.fixedCount ? QString("Zbývá: %1").arg(state.totalCount - answered)
                         : QString("Zbývá správně zodpovědět: %1").arg(tests_.engine.remainingCount()));
    const int percent = successPercent(state.rightCount, state.wrongCount);
    findControlAs<QLabel>(this, control::RightPercent)->setText(QString("%1 %").arg(answered > 0 ? percent : 0));
    findControlAs<QLabel>(this, control::WrongPercent)->setText(QString("%1 %").arg(answered > 0 ? 100 - percent : 0));
    const int position = state.fixedCount ? state.totalCount - answered : tests_.engine.remainingCount();
    progress_->setValue(std::clamp(position, progress_->minimum(), progress_->maximum()));
    updateTypingColour();
    update();
    emit questionShown();
}

// The question box ends at a fixed line and grows upwards with its wrapped text. A text too
// long for the room above starts at the window's top and reaches down; the package line and the
// flag stay below it, and the counters move down when they must.
void TestRunWindow::layOutQuestion()
{
    const DesignGrid& g = program_.grid;
    const int left = g.x(30);
    const int bottom = g.y(90) + 25;
    const auto heightAt = [&](int width) {
        const QRect textArea = OwnerDrawnButton::wordBoxTextRect(QRect(0, 0, width, 0));
        return wrappedTextHeight(question_->textFont(), question_->text(), textArea.width()) + 6;
    };
    int width = g.x(530) - 10 - left;
    int height = heightAt(width);
    if (height > bottom) {
        // Reaching down, the box keeps clear of the OK button beside it.
        width = findControl(this, control::Confirm)->x() - 6 - left;
        height = heightAt(width);
    }
    const int top = std::max(0, bottom - height);
    question_->setGeometry(left, top, width, height);

    packageLine_->move(packageLine_->x(), std::max(bottom, question_->geometry().bottom() + 1));
    packageLine_->resize(packageLine_->width(), 20);
    growLabelToText(packageLine_);
    int used = flagRect().bottom();
    if (packageLine_->isVisibleTo(this)) {
        used = std::max(used, packageLine_->geometry().bottom());
    }
    const int shift = std::max(0, used + 6 - g.y(380));
    for (const auto& [control, designTop] : lowerControls_) {
        control->move(control->x(), designTop + shift);
    }
}

QRect TestRunWindow::flagRect() const
{
    const QRect box = question_->geometry();
    int top = box.bottom() + 1 + 22;
    if (packageLine_->isVisibleTo(this) && packageLine_->height() > 20) {
        top = std::max(top, packageLine_->geometry().bottom() + 3);
    }
    return QRect((box.width() - 6) / 2 - program_.grid.x(5), top, 48, 30);
}

void TestRunWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOutQuestion();
}

// A test from one package never names it.
bool TestRunWindow::packageLineShown() const
{
    return program_.config.showPackageName && tests_.engine.poolPackageNames().size() >= 2;
}

void TestRunWindow::applyColours()
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, toQColor(program_.scheme().mainColour));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    updateTypingColour();
    update();
}

void TestRunWindow::showOption(TestWindowPart part)
{
    switch (part) {
    case TestWindowPart::PackageLine: packageLine_->setVisible(packageLineShown()); break;
    case TestWindowPart::QuestionArea: update(); break;  // the language icon and the example dot
    case TestWindowPart::AnswerColours: updateTypingColour(); break;
    case TestWindowPart::None: break;
    }
}

bool TestRunWindow::hasExample() const { return !tests_.engine.state().example.empty(); }

void TestRunWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect box = question_->geometry();
    if (program_.config.showLanguageIcon) {
        const bool czech = tests_.engine.state().askDirection == ShownSide::Czech;
        paintArt(painter, czech ? Art::CzechFlag : Art::EnglishFlag, program_.schemeNumber, flagRect());
    }
    if (program_.config.allowExample && hasExample()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(50, 50, 50));
        const int middle = box.top() + box.height() / 2;
        painter.drawEllipse(QRect(box.left() - 13, middle - 5, 10, 10));
    }
}

void TestRunWindow::updateTypingColour()
{
    QColor background = toQColor(program_.scheme().editColour);
    if (program_.config.typingColours) {
        switch (tests_.engine.typingHint(answer_->text().toStdString())) {
        case TypingHint::EqualsMeaning: background = QColor(0, 255, 0); break;
        case TypingHint::BeginsMeaning: background = QColor(180, 255, 180); break;
        case TypingHint::FitsNoMeaning: background = QColor(255, 0, 0); break;
        }
    }
    QPalette colours = answer_->palette();
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::Text, toQColor(fixed_colour::kControlText));
    answer_->setPalette(colours);
}

void TestRunWindow::showExample()
{
    if (program_.config.allowExample && hasExample()) {
        program_.dialogs.showMessage(this, Message{tests_.engine.maskedExample(), MessageIcon::Information,
                                                   "Příklad použití ve větě"});
    }
    answer_->setFocus();
}

void TestRunWindow::confirmAnswer()
{
    const TestState& state = tests_.engine.state();
    if (program_.config.autoSpeak) {
        speakWord(program_, qt(state.english));
    }
    const QString typed = answer_->text();
    bool right = tests_.engine.checkAnswer(typed.toStdString());
    if (right) {
        RightAnswerDialog(program_, mainWindow_, typed, qt(tests_.engine.expectedText()), qt(state.english)).exec();
    } else {
        const std::string& shown = state.askDirection == ShownSide::English ? state.english : state.czech;
        WrongAnswerDialog wrong(program_, mainWindow_, qt(shown), qt(tests_.engine.expectedText()), qt(state.english));
        wrong.exec();
        right = wrong.typo();
    }
    const auto outcome = tests_.engine.recordAnswer(right);
    if (!outcome) {
        program_.dialogs.showMessage(this, outcome.message());
        answer_->setFocus();
        return;
    }
    // The answer counts all the same; the user hears what could not be written.
    for (const std::optional<Message>& problem : {outcome->packageNotUpdated, outcome->savedTestNotUpdated}) {
        if (problem) {
            program_.dialogs.showMessage(this, *problem);
        }
    }
    if (outcome->testOver) {
        testOver_ = true;
        EvaluationDialog(program_, tests_, mainWindow_, TestEnd::Finished).exec();
        emit testFinished();
        return;
    }
    tests_.engine.pickNextWord(KeepAskedWord::No);
    showWord();
}

}  // namespace lexivo
