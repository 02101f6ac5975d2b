#include "test/test_configuration_panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include "store/package_selection.h"
#include "test/test_decisions.h"
#include "test/test_files.h"
#include "test/test_session.h"
#include "ui/button_font.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/test_configuration_panel.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"

namespace lexivo {
namespace {

namespace control = test_configuration_panel_control;

constexpr int kRowHeight = 25;     // pixels per package box
constexpr int kMaxBoxes = 500;
constexpr int kScrollLine = 10;
constexpr int kWheelLines = 2;

// The direction buttons carry their mode as their id in the button group.
int buttonId(DirectionMode mode) { return static_cast<int>(mode); }

}  // namespace

TestConfigurationPanel::TestConfigurationPanel(Program& program, TestSession& tests, QWidget* mainWindow)
    : QWidget(mainWindow), program_(program), tests_(tests)
{
    const DesignGrid& g = program.grid;
    // The window's design width reaches past the screen's edge; it ends there.
    setGeometry(g.x(305), g.y(100), std::min(g.x(1345), g.x(1600) - g.x(305)), g.y(1100));
    setAutoFillBackground(true);
    createControls();
    fillPackageList();
    applyColours();
    connect(&program_.events, &ProgramEvents::schemeChanged, this, &TestConfigurationPanel::applyColours);
    attachControlBehaviour(this, WindowKind::TestConfiguration);
    QTimer::singleShot(10, this, &TestConfigurationPanel::applyPresets);
}

Status TestConfigurationPanel::savePresets() const
{
    if (!presetsApplied_) {
        return Status::success();
    }
    return saveTestPresets(program_.tree, program_.collection.currentGroup(), settings());
}

void TestConfigurationPanel::createControls()
{
    const DesignGrid& g = program_.grid;
    const QFont text = cellFont(kTahoma, g.y(30));
    auto label = [&](int id, const QString& caption, QRect place) { return addStatic(this, id, caption, place, text); };
    // A caption too long for its place at a readable size takes room towards the window's edge.
    const auto place = [&](auto* choice, int id, QRect where) {
        setControlId(choice, id);
        choice->setGeometry(where);
        choice->setFont(fittedFont(text, choice->text(), where.width() - 30));
        const int needed = choice->sizeHint().width();
        if (needed > where.width()) {
            choice->resize(std::min(needed, width() - 5 - where.x()), where.height());
        }
        return choice;
    };
    auto radio = [&](int id, const QString& caption, QRect where) { return place(new QRadioButton(caption, this), id, where); };
    auto check = [&](int id, const QString& caption, QRect where) { return place(new QCheckBox(caption, this), id, where); };
    auto button = [&](int id, const QString& caption, QRect place) {
        auto* widget = new OwnerDrawnButton(program_, WindowKind::TestConfiguration, id, caption, this);
        widget->setGeometry(place);
        return widget;
    };
    auto grid = [&](int x, int y, int w, int h) { return gridRect(g, x, y, w, h); };

    // Its box reaches past the screen's edge with the window; the text is short of it.
    QRect captionPlace = grid(130, 35, 1200, 50);
    captionPlace.setRight(std::min(captionPlace.right(), width() - 1));
    label(control::ChooseCaption, "Vyberte balíčky, ze kterých se chcete nechat vyzkoušet:", captionPlace);
    selectedCount_ = label(control::SelectedCount, "", grid(130, 925, 475, 45));

    mode_ = new QButtonGroup(this);
    mode_->addButton(radio(control::FixedCount, "Pevný počet slovíček v testu:", grid(660, 110, 470, 50)),
                     control::FixedCount);
    count_ = new QLineEdit(this);
    setControlId(count_, control::QuestionCount);
    count_->setGeometry(grid(1140, 112, 110, 46));
    count_->setFont(text);
    count_->setMaxLength(6);
    count_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), count_));
    check(control::NoRepeat, "Zabránit opakování slovíček", grid(700, 170, 580, 50));
    check(control::ByCoefficient, "Zkoušet podle koeficientu znalostí", grid(700, 225, 580, 50));
    const QString untilAll = g.screenH() < 900 ? "Ukončit po vyčerpání všech slovíček"
                                                : "Ukončit po správném zodpovězení všech slovíček";
    mode_->addButton(radio(control::UntilAllRight, untilAll, grid(660, 295, 620, 50)), control::UntilAllRight);

    direction_ = new QButtonGroup(this);
    const QString& language = program_.language.genitive;
    direction_->addButton(radio(control::CzechShown, "Testování z češtiny do " + language, grid(660, 420, 620, 50)),
                          buttonId(DirectionMode::CzechShown));
    direction_->addButton(radio(control::EnglishShown, "Testování z " + language + " do češtiny", grid(660, 475, 620, 50)),
                          buttonId(DirectionMode::EnglishShown));
    direction_->addButton(radio(control::RandomDirection, "Kombinace", grid(660, 530, 620, 50)),
                          buttonId(DirectionMode::Random));

    check(control::CaseSensitive, "Rozlišovat malá a velká písmena", grid(660, 655, 620, 50));
    check(control::LockCoefficients, "Zamknout úroveň znalosti", grid(660, 710, 620, 50));

    connect(button(control::SelectAll, "Vše", grid(130, 985, 150, 55)), &QPushButton::clicked, this, [this] { checkAllBoxes(Qt::Checked); });
    connect(button(control::SelectNone, "Nic", grid(292, 985, 150, 55)), &QPushButton::clicked, this, [this] { checkAllBoxes(Qt::Unchecked); });
    auto* asLastTime = button(control::AsLastTime, "Jako minule", grid(455, 985, 150, 55));
    asLastTime->hide();
    connect(asLastTime, &QPushButton::clicked, this, &TestConfigurationPanel::selectAsLastTime);
    const double startScale = g.screenH() >= 1300 ? 1.3 : 1.0;
    auto* startButton = button(control::Start, "START", QRect(g.x(1000), g.y(900), qRound(200 * startScale), qRound(75 * startScale)));
    connect(startButton, &QPushButton::clicked, this, &TestConfigurationPanel::start);

    connect(mode_, &QButtonGroup::idClicked, this, [this] { updateModeDependents(); });
    auto* noRepeat = findControlAs<QCheckBox>(this, control::NoRepeat);
    auto* byCoefficient = findControlAs<QCheckBox>(this, control::ByCoefficient);
    // Each word at most once and picking by coefficient exclude each other.
    connect(noRepeat, &QCheckBox::clicked, this, [=](bool on) { if (on) byCoefficient->setChecked(false); });
    connect(byCoefficient, &QCheckBox::clicked, this, [=](bool on) { if (on) noRepeat->setChecked(false); });

    panel_ = new QWidget(this);
    panel_->setGeometry(grid(130, 110, 475, 800));
    list_ = new QWidget(panel_);
    list_->setGeometry(0, 0, g.x(448), 15000);
    list_->setAutoFillBackground(true);
    panel_->setAutoFillBackground(true);
    scrollBar_ = new QScrollBar(Qt::Vertical, panel_);
    scrollBar_->setGeometry(g.x(448), 0, g.x(25), g.y(795));
    scrollBar_->setSingleStep(kScrollLine);
    scrollBar_->installEventFilter(this);
    connect(scrollBar_, &QScrollBar::valueChanged, this, &TestConfigurationPanel::scrollTo);

    applySettings(TestSettings{});
}

void TestConfigurationPanel::fillPackageList()
{
    const DesignGrid& g = program_.grid;
    const std::vector<std::string> packages = program_.collection.listPackages();
    const QFont font = cellFont(kArial, 22);
    for (std::size_t position = 0; position < packages.size() && position < kMaxBoxes; ++position) {
        auto* box = new QCheckBox(QString::fromStdString(packages[position]), list_);
        box->setGeometry(g.x(10), static_cast<int>(position) * kRowHeight, g.x(425), kRowHeight);
        box->setFont(font);
        box->setBackgroundRole(QPalette::Window);
        box->setAutoFillBackground(true);
        connect(box, &QCheckBox::toggled, this, [this, box] {
            paintBox(box);
            updateSelectedCount();
        });
        paintBox(box);
        boxes_.push_back(box);
    }
    const int listHeight = kRowHeight * static_cast<int>(boxes_.size());
    const int page = panel_->height() / kRowHeight * kRowHeight;
    scrollBar_->setRange(0, std::max(0, listHeight - page));
    scrollBar_->setPageStep(page);
    scrollBar_->setValue(0);
    scrollBar_->setVisible(listHeight >= g.y(795));
    updateSelectedCount();
}

void TestConfigurationPanel::applyColours()
{
    const ColourScheme& scheme = program_.scheme();
    const auto recolour = [](QWidget* widget, std::initializer_list<std::pair<QPalette::ColorRole, Rgb>> colours) {
        QPalette palette = widget->palette();
        for (const auto& [role, colour] : colours) {
            palette.setColor(role, toQColor(colour));
        }
        widget->setPalette(palette);
    };
    recolour(this, {{QPalette::Window, scheme.mainColour}});
    recolour(count_, {{QPalette::Base, scheme.editColour}, {QPalette::Text, fixed_colour::kControlText}});
    recolour(list_, {{QPalette::Window, scheme.panelColour}});
    recolour(panel_, {{QPalette::Window, scheme.panelColour}});
    recolour(scrollBar_, {{QPalette::Window, scheme.dialogColour}, {QPalette::Button, scheme.dialogColour}});
    for (QCheckBox* box : boxes_) {
        paintBox(box);
    }
    update();
}

void TestConfigurationPanel::paintBox(QCheckBox* box)
{
    QPalette colours = box->palette();
    colours.setColor(QPalette::Window, toQColor(box->isChecked() ? program_.scheme().dialogColour
                                                                 : program_.scheme().panelColour));
    box->setPalette(colours);
}

void TestConfigurationPanel::applyPresets()
{
    const std::string& group = program_.collection.currentGroup();
    applySettings(loadTestPresets(program_.tree, group));
    std::error_code error;
    findControl(this, control::AsLastTime)->setVisible(
        std::filesystem::exists(program_.tree.temporaryFile(group, kPackageSelectionName), error));
    findControl(this, control::Start)->setFocus();
    presetsApplied_ = true;
}

void TestConfigurationPanel::applySettings(const TestSettings& settings)
{
    mode_->button(settings.fixedCount ? control::FixedCount : control::UntilAllRight)->setChecked(true);
    count_->setText(QString::number(settings.questionCount));
    findControlAs<QCheckBox>(this, control::NoRepeat)->setChecked(settings.noRepeat);
    findControlAs<QCheckBox>(this, control::ByCoefficient)->setChecked(settings.byCoefficient);
    if (QAbstractButton* direction = direction_->button(buttonId(settings.directionMode))) {
        direction->setChecked(true);
    }
    findControlAs<QCheckBox>(this, control::CaseSensitive)->setChecked(settings.caseSensitive);
    findControlAs<QCheckBox>(this, control::LockCoefficients)->setChecked(settings.lockCoefficients);
    updateModeDependents();
}

TestSettings TestConfigurationPanel::settings() const
{
    TestSettings settings;
    settings.fixedCount = mode_->checkedId() == control::FixedCount;
    settings.questionCount = count_->text().left(9).toInt();
    settings.noRepeat = findControlAs<QCheckBox>(this, control::NoRepeat)->isChecked();
    settings.byCoefficient = findControlAs<QCheckBox>(this, control::ByCoefficient)->isChecked();
    settings.directionMode =
        direction_->checkedId() >= 0 ? static_cast<DirectionMode>(direction_->checkedId()) : DirectionMode::CzechShown;
    settings.caseSensitive = findControlAs<QCheckBox>(this, control::CaseSensitive)->isChecked();
    settings.lockCoefficients = findControlAs<QCheckBox>(this, control::LockCoefficients)->isChecked();
    return settings;
}

void TestConfigurationPanel::updateModeDependents()
{
    const bool fixed = mode_->checkedId() == control::FixedCount;
    findControl(this, control::NoRepeat)->setVisible(fixed);
    findControl(this, control::ByCoefficient)->setVisible(fixed);
    count_->setEnabled(fixed);
}

void TestConfigurationPanel::updateSelectedCount()
{
    const auto checked = std::count_if(boxes_.begin(), boxes_.end(), [](QCheckBox* box) { return box->isChecked(); });
    selectedCount_->setText(QString("Počet vybraných balíčků: %1").arg(checked));
}

void TestConfigurationPanel::checkAllBoxes(Qt::CheckState state)
{
    for (QCheckBox* box : boxes_) {
        box->setCheckState(state);
    }
}

void TestConfigurationPanel::selectAsLastTime()
{
    checkAllBoxes(Qt::Unchecked);
    for (int position : readPackageSelection(program_.tree, program_.collection.currentGroup())) {
        if (position >= 0 && position < static_cast<int>(boxes_.size())) {
            boxes_[static_cast<std::size_t>(position)]->setChecked(true);
        }
    }
}

void TestConfigurationPanel::scrollTo(int position) { list_->move(0, -position); }

void TestConfigurationPanel::wheelEvent(QWheelEvent* event)
{
    if (scrollBar_->isVisible()) {
        const int notches = event->angleDelta().y() / 120;
        scrollBar_->setValue(scrollBar_->value() - notches * kWheelLines * kScrollLine);
    }
    event->accept();
}

// The scroll bar scrolls by the panel's own wheel step, like the rest of the window.
bool TestConfigurationPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == scrollBar_ && event->type() == QEvent::Wheel) {
        wheelEvent(static_cast<QWheelEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TestConfigurationPanel::paintEvent(QPaintEvent*)
{
    const DesignGrid& g = program_.grid;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(program_.scheme().panelFrame()));
    painter.drawRoundedRect(QRectF(QPointF(g.x(125), g.y(105)), QPointF(g.x(610), g.y(915))), g.x(10) / 2.0,
                            g.y(10) / 2.0);
}

void TestConfigurationPanel::start()
{
    ChosenPackages chosen;
    for (std::size_t position = 0; position < boxes_.size(); ++position) {
        if (boxes_[position]->isChecked()) {
            chosen.positions.push_back(static_cast<int>(position));
            chosen.names.push_back(boxes_[position]->text().toStdString());
        }
    }
    const StartOutcome outcome = startChosenTest(tests_, program_.collection.currentGroup(), chosen, settings());
    if (outcome.message) {
        program_.dialogs.showMessage(this, *outcome.message);
    }
    if (outcome.lowerCountTo) {
        count_->setText(QString::number(*outcome.lowerCountTo));
    }
    if (outcome.verdict == StartVerdict::Started) {
        emit testStarted();
    }
}

}  // namespace lexivo
