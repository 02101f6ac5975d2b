#include "app/main_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "editing/package_editor.h"
#include "online/online_service.h"
#include "store/package_file.h"
#include "test/evaluation_dialog.h"
#include "test/resume_dialog.h"
#include "test/test_configuration_panel.h"
#include "test/test_decisions.h"
#include "test/test_run_window.h"
#include "test/test_session.h"
#include "ui/about_dialog.h"
#include "ui/artwork.h"
#include "ui/button_font.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/main_window.h"
#include "ui/controls.h"
#include "ui/owner_drawn.h"
#include "ui/program.h"
#include "ui/settings_dialog.h"
#include "ui/tips_dialog.h"

namespace lexivo {
namespace {

namespace control = main_window_control;

// Controls that exist only while a group is set up.
constexpr int kPackageAreaButtons[] = {control::AddPackage, control::EditPackage, control::DeletePackage,
                                       control::Rename, control::TransferWords};
// Package buttons that need a package to work on.
constexpr int kPackageButtons[] = {control::EditPackage, control::DeletePackage, control::Rename};

QString fromUtf8(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

MainWindow::MainWindow(Program& program, TestSession& tests, QWidget* parent)
    : MainWindow(program, tests, nullptr, parent)
{
}

MainWindow::MainWindow(Program& program, TestSession& tests, DesktopChoosers& choosers)
    : MainWindow(program, tests, &choosers, nullptr)
{
}

MainWindow::MainWindow(Program& program, TestSession& tests, DesktopChoosers* choosers, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      program_(program),
      tests_(tests),
      requests_(program, *this),
      choosers_(choosers != nullptr ? *choosers : desktopChoosers_)
{
    setWindowTitle("Lexivo");
    setWindowIcon(programIcon());
    createControls();
    connect(&program_.events, &ProgramEvents::schemeChanged, this, &MainWindow::applyColours);
}

OwnerDrawnButton* MainWindow::addButton(int id, const QString& text)
{
    return new OwnerDrawnButton(program_, WindowKind::Main, id, text, this);
}

void MainWindow::createControls()
{
    const auto noGroup = [this] { return !program_.collection.groupsPresent(); };
    auto* test = addButton(control::Test, "Test");
    test->setProhibited(noGroup);
    connect(test, &QPushButton::clicked, this, &MainWindow::startTestCommand);
    auto* packages = addButton(control::ManagePackages, "Správa balíčků");
    packages->setProhibited(noGroup);
    connect(packages, &QPushButton::clicked, this, &MainWindow::showPackageList);
    auto* print = addButton(control::Print, "Tisk");
    print->setProhibited(noGroup);
    connect(print, &QPushButton::clicked, this, &MainWindow::print);
    // A running test is left before the group window and the online windows open.
    connect(addButton(control::Groups, "Skupiny balíčků"), &QPushButton::clicked, this, [this] {
        if (panelShown()) {
            showPackageList();
        }
        requests_.openGroupDialog();
        focusPackageList();
    });
    connect(addButton(control::Online, "Online zázemí"), &QPushButton::clicked, this, &MainWindow::onlineCommand);
    connect(addButton(control::Settings, "Nastavení"), &QPushButton::clicked, this,
            [this] { SettingsDialog(program_, this).exec(); });
    connect(addButton(control::About, "O programu"), &QPushButton::clicked, this,
            [this] { AboutDialog(program_, this).exec(); });
    connect(addButton(control::Quit, "Konec"), &QPushButton::clicked, this, &MainWindow::quitWithoutSaving);
    // Afterwards the keyboard is back on the list, where the new or renamed package is selected.
    connect(addButton(control::AddPackage, "Přidat balíček"), &QPushButton::clicked, this, [this] {
        requests_.openAddPackage();
        focusPackageList();
    });
    connect(addButton(control::Rename, "Přejmenovat"), &QPushButton::clicked, this, [this] {
        requests_.openRenamePackage();
        focusPackageList();
    });
    connect(addButton(control::EditPackage, "Upravit balíček"), &QPushButton::clicked, this,
            [this] { openPackageEditor(EditorStart::Edit); });
    connect(addButton(control::DeletePackage, "Smazat balíček"), &QPushButton::clicked, this, &MainWindow::deleteSelectedPackage);
    connect(addButton(control::TransferWords, "Přenos slovíček mezi balíčky"), &QPushButton::clicked, this, [this] {
        requests_.openWordTransfer();
        packageList_->setFocus();
    });

    webLink_ = new OwnerDrawnButton(program_, WindowKind::Main, control::WebLink, QString(kProjectAddress).remove("http://"), this,
                                    OwnerDrawnButton::Look::WebLink);
    connect(webLink_, &QPushButton::clicked, this, &MainWindow::openWebAddress);

    caption_ = new QLabel("Balíčky ve skupině:", this);
    setControlId(caption_, control::ListCaption);
    caption_->setAlignment(Qt::AlignCenter);
    packageCount_ = new QLabel(this);
    setControlId(packageCount_, control::PackageCount);
    wordCount_ = new QLabel(this);
    setControlId(wordCount_, control::WordCount);

    packageList_ = new QListWidget(this);
    setControlId(packageList_, control::PackageList);
    packageList_->setFrameShape(QFrame::NoFrame);
    packageList_->setSelectionMode(QAbstractItemView::SingleSelection);
    // A long package name can be scrolled to rather than cut off.
    packageList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    connect(packageList_, &QListWidget::currentRowChanged, this, [this] { updateWordCount(); });
}

void MainWindow::layOutControls()
{
    const DesignGrid& g = program_.grid;
    auto place = [&](int id, int x, int y, int w, int h) {
        findControl(this, id)->setGeometry(gridRect(g, x, y, w, h));
    };
    place(control::Test, 30, 25, 255, 75);
    place(control::ManagePackages, 30, 125, 255, 75);
    place(control::Print, 30, 225, 255, 75);
    place(control::Groups, 30, 500, 255, 75);
    place(control::Online, 30, 600, 255, 75);
    place(control::Settings, 30, 900, 255, 75);
    place(control::About, 30, 1000, 255, 75);
    place(control::Quit, 30, 1100, 255, 75);
    caption_->setGeometry(g.x(682) - 107, g.y(150), 214, g.y(45));
    place(control::PackageList, 420, 200, 525, 900);
    place(control::AddPackage, 1025, 200, 255, 75);
    place(control::PackageCount, 1025, 480, 300, 40);
    place(control::WordCount, 1025, 530, 500, 40);
    place(control::Rename, 1025, 725, 255, 75);
    place(control::EditPackage, 1025, 875, 255, 75);
    place(control::DeletePackage, 1025, 1025, 255, 75);
    if (g.screenW() < 901) {
        place(control::TransferWords, 500, 1105, 365, 50);
    } else {
        place(control::TransferWords, 530, 1120, 305, 40);
    }
    webLink_->setGeometry(g.x(1600) - 188, g.y(3) + 6, 180, 17);

    const QFont staticFont = cellFont(kArial, g.y(32));
    for (QLabel* label : {packageCount_, wordCount_}) {
        label->setFont(staticFont);
    }
    // The caption's box is narrow; a smaller font beats a cut-off word.
    caption_->setFont(fittedFont(staticFont, caption_->text(), caption_->width() - 8));
    packageList_->setFont(cellFont(kArial, 25));
}

void MainWindow::applyColours()
{
    const ColourScheme& scheme = program_.scheme();
    QPalette window = palette();
    window.setColor(QPalette::Window, toQColor(scheme.mainColour));
    setPalette(window);
    setAutoFillBackground(true);

    QPalette list = packageList_->palette();
    list.setColor(QPalette::Base, toQColor(scheme.panelColour));
    list.setColor(QPalette::Text, toQColor(fixed_colour::kControlText));
    list.setColor(QPalette::Highlight, toQColor(fixed_colour::kSelectionFill));
    list.setColor(QPalette::HighlightedText, toQColor(fixed_colour::kSelectionText));
    packageList_->setPalette(list);

    QPalette caption = caption_->palette();
    caption.setColor(QPalette::Window, toQColor(scheme.panelFrame()));
    caption.setColor(QPalette::WindowText, scheme.number == kSchemeGrey ? toQColor(scheme.panelColour.shifted(60))
                                                                       : QColor(Qt::black));
    caption_->setPalette(caption);
    caption_->setAutoFillBackground(true);
    for (QLabel* label : {packageCount_, wordCount_}) {
        QPalette text = label->palette();
        text.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(text);
    }
    update();
}

void MainWindow::startUp()
{
    program_.config = loadProgramConfig(program_.tree);
    program_.collection.setCurrentGroup(program_.config.currentGroup);
    layOutControls();
    program_.schemeNumber = loadColourScheme(program_.tree);
    applyColours();
    program_.collection.listGroups();
    refreshMainWindow();
    focusPackageList();
    attachControlBehaviour(this, WindowKind::Main);
}

void MainWindow::showStartTip()
{
    if (program_.config.showTipAtStart == 1) {
        TipsDialog(program_, this).exec();
    }
    focusPackageList();
}

void MainWindow::showOnWorkArea(const QRect& workArea)
{
    setGeometry(workArea);
    showMaximized();
}

void MainWindow::setPackageAreaVisible(bool visible)
{
    for (QWidget* widget : {static_cast<QWidget*>(packageList_), static_cast<QWidget*>(caption_),
                            static_cast<QWidget*>(packageCount_), static_cast<QWidget*>(wordCount_)}) {
        widget->setVisible(visible);
    }
    for (int id : kPackageAreaButtons) {
        findControl(this, id)->setVisible(visible);
    }
}

void MainWindow::refreshMainWindow()
{
    if (configurationPanel_ == nullptr) {
        setPackageAreaVisible(program_.collection.hasCurrentGroup());
    }
    fillPackageList();
    update();
}

void MainWindow::fillPackageList(int selectedRow)
{
    if (!program_.collection.hasCurrentGroup()) {
        return;
    }
    const std::vector<std::string> packages = program_.collection.listPackages();
    QStringList names;
    names.reserve(static_cast<qsizetype>(packages.size()));
    for (const std::string& package : packages) {
        names << fromUtf8(package);
    }
    {
        const QSignalBlocker quiet(packageList_);
        packageList_->clear();
        packageList_->addItems(names);
        packageList_->setCurrentRow(std::min(selectedRow, static_cast<int>(names.size()) - 1));
    }
    if (!panelShown()) {
        for (int id : kPackageButtons) {
            findControl(this, id)->setVisible(!names.isEmpty());
        }
    }
    packageCount_->setText(QString("Počet balíčků: %1").arg(names.size()));
    updateWordCount();
}

void MainWindow::updateWordCount()
{
    QListWidgetItem* selected = packageList_->currentItem();
    if (packageList_->count() == 0 || selected == nullptr) {
        wordCount_->hide();
        return;
    }
    if (packageCount_->isVisibleTo(this)) {
        wordCount_->show();
    }
    const int words =
        countPackageWords(program_.tree, program_.collection.currentGroup(), selected->text().toStdString());
    wordCount_->setText(QString("Počet slovíček ve vybraném: %1").arg(words));
}

void MainWindow::fillPackageListSelecting(const QString& package)
{
    fillPackageList();
    const QList<QListWidgetItem*> found = packageList_->findItems(package, Qt::MatchExactly);
    if (!found.isEmpty()) {
        packageList_->setCurrentItem(found.front());
    }
    updateWordCount();
}

QRectF MainWindow::bannerRect() const
{
    const DesignGrid& g = program_.grid;
    return QRectF(g.x(500), g.y(20), g.x(1250), g.y(80));
}

// The title is painted on the banner, left of its tiles.
QRect MainWindow::titleArea() const
{
    const DesignGrid& g = program_.grid;
    const int right = static_cast<int>(bannerTiles(bannerRect()).left()) - 10;
    return QRect(QPoint(g.x(500) + 20, g.y(20)), QPoint(right, g.y(100) - 1));
}

// A long group name makes the title smaller, but not below a readable size; it wraps then.
QFont MainWindow::titleFont() const
{
    return fittedWrappedFont(cellFont(kTahoma, program_.grid.y(45)), titleText(), titleArea().size());
}

QString MainWindow::titleText() const
{
    return "Používaná skupina: " + fromUtf8(program_.collection.currentGroup());
}

void MainWindow::deleteSelectedPackage()
{
    QListWidgetItem* selected = packageList_->currentItem();
    if (selected == nullptr) {
        return;
    }
    const QString name = selected->text();
    const Message question{("Opravdu chcete balíček \"" + name + "\" smazat?").toStdString(), MessageIcon::Exclamation,
                           "Potvrzení"};
    if (!program_.dialogs.askYesNo(this, question)) {
        return;
    }
    if (Status deleted = program_.collection.deletePackage(name.toStdString()); !deleted) {
        program_.dialogs.showMessage(this, deleted.message());
    }
    // The same position stays selected, or the one before when the list got shorter.
    fillPackageList(packageList_->currentRow());
    packageList_->setFocus();
}

void MainWindow::print()
{
    if (packageList_->count() == 0) {
        program_.dialogs.showMessage(this, errorMessage("Ve skupině nejsou žádné balíčky."));
        return;
    }
    openPackageEditor(EditorStart::Print);
}

void MainWindow::openPackageEditor(EditorStart start)
{
    if (packageList_->count() == 0) {
        return;
    }
    QStringList packages;
    for (int row = 0; row < packageList_->count(); ++row) {
        packages << packageList_->item(row)->text();
    }
    PackageEditor editor(program_, editing_, this, packages, std::max(packageList_->currentRow(), 0), start);
    editor.run();
    packageList_->setCurrentRow(std::max(editor.chosenPackage(), 0));
    updateWordCount();
    packageList_->setFocus();
}

void MainWindow::showPackageList()
{
    closeConfigurationPanel();
    breakOffTest();
    showPackageArea();
}

// The centre shows the package list again: no panel may leave it blank.
void MainWindow::showPackageArea()
{
    if (program_.collection.hasCurrentGroup()) {
        setPackageAreaVisible(true);
        fillPackageList();
    }
    focusPackageList();
}

void MainWindow::focusPackageList()
{
    activateWindow();  // back from a modal window the keys come here, even on a desktop without a window manager
    if (packageList_->isVisibleTo(this)) {
        packageList_->setFocus();
    } else {
        findControl(this, control::Groups)->setFocus();
    }
}

void MainWindow::startTestCommand()
{
    if (configurationPanel_ != nullptr || !program_.collection.hasCurrentGroup()) {
        return;
    }
    if (testWindow_ != nullptr) {
        const Message question{"Pokud teď spustíte nový test, test který právě probíhá bude nenávratně ztracen, "
                               "nebudete se k němu již moci vrátit. Určitě to chcete udělat?",
                               MessageIcon::Exclamation, "Dotaz"};
        if (!program_.dialogs.askYesNo(this, question)) {
            return;
        }
        EvaluationDialog(program_, tests_, this, TestEnd::Finished).exec();
        closeTestWindow();
    }
    setPackageAreaVisible(false);
    repaint();
    const SavedTestCheck saved = takeUpSavedTest(tests_, program_.collection.currentGroup());
    if (saved.message) {
        program_.dialogs.showMessage(this, *saved.message);
    }
    if (saved.offer == SavedTestOffer::Kept) {
        showPackageArea();
        return;
    }
    if (saved.offer == SavedTestOffer::Resumable && ResumeDialog(program_, tests_, this).exec() == ResumeDialog::Continue) {
        openTestWindow();
        return;
    }
    openConfigurationPanel();
}

void MainWindow::openConfigurationPanel()
{
    configurationPanel_ = new TestConfigurationPanel(program_, tests_, this);
    configurationPanel_->show();
    connect(configurationPanel_, &TestConfigurationPanel::testStarted, this, [this] {
        closeConfigurationPanel();
        openTestWindow();
    });
}

// Hides a panel and deletes it once control is back in the event loop: the panel may be the
// sender of the signal being handled.
template <typename Panel>
static void dismiss(Panel*& panel)
{
    if (panel != nullptr) {
        panel->hide();
        panel->deleteLater();
        panel = nullptr;
    }
}

void MainWindow::closeConfigurationPanel()
{
    if (configurationPanel_ != nullptr) {
        if (Status saved = configurationPanel_->savePresets(); !saved) {
            program_.dialogs.showMessage(this, saved.message());
        }
    }
    dismiss(configurationPanel_);
}

void MainWindow::openTestWindow()
{
    testWindow_ = new TestRunWindow(program_, tests_, requests_, this);
    testWindow_->show();
    testWindow_->answerField()->setFocus();
    connect(testWindow_, &TestRunWindow::testFinished, this, [this] {
        closeTestWindow();
        startTestCommand();
    });
}

void MainWindow::closeTestWindow() { dismiss(testWindow_); }

void MainWindow::breakOffTest()
{
    if (testWindow_ != nullptr) {
        EvaluationDialog(program_, tests_, this, TestEnd::Interrupted).exec();
        closeTestWindow();
        showPackageArea();
    }
}

void MainWindow::onlineCommand()
{
    if (panelShown()) {
        showPackageList();
    }
    openOnlineService(program_, online_, requests_, this, [this](const std::string& filed) { followFiling(filed); });
}

void MainWindow::followFiling(const std::string& filedPackage)
{
    refreshMainWindow();
    const QList<QListWidgetItem*> found = packageList_->findItems(fromUtf8(filedPackage), Qt::MatchExactly);
    if (!filedPackage.empty() && !found.isEmpty()) {
        packageList_->setCurrentItem(found.first());
    }
}

void MainWindow::openWebAddress()
{
    if (!program_.shell.open(kProjectAddress)) {
        program_.dialogs.showMessage(
            this, errorMessage(std::string("Webovou stránku ") + kProjectAddress + " se nepodařilo otevřít."));
    }
}

void MainWindow::quitWithoutSaving()
{
    quitting_ = true;
    close();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    closeConfigurationPanel();
    if (!quitting_) {
        breakOffTest();
        program_.config.currentGroup = program_.collection.currentGroup();
        if (Status saved = saveProgramConfig(program_.tree, program_.config); !saved) {
            program_.dialogs.showMessage(this, saved.message());
        }
    }
    event->accept();
}

void MainWindow::endSession()
{
    if (configurationPanel_ != nullptr) {
        (void)configurationPanel_->savePresets();
    }
    if (testWindow_ != nullptr && !testWindow_->testOver()) {
        (void)recordTestEnd(tests_, TestEnd::Interrupted);
    }
    program_.config.currentGroup = program_.collection.currentGroup();
    (void)saveProgramConfig(program_.tree, program_.config);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        // Esc inside the test panels stays there: leaving a test must not end the program unsaved.
        QWidget* focus = focusWidget();
        const bool inPanel = (configurationPanel_ != nullptr && configurationPanel_->isAncestorOf(focus)) ||
                             (testWindow_ != nullptr && testWindow_->isAncestorOf(focus));
        if (!inPanel) {
            quitWithoutSaving();
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

void MainWindow::paintEvent(QPaintEvent*)
{
    const DesignGrid& g = program_.grid;
    const ColourScheme& scheme = program_.scheme();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    if (packageList_->isVisibleTo(this)) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(toQColor(scheme.panelFrame()));
        const QRectF captionPanel(QPointF(g.x(682) - 117, g.y(145)), QPointF(g.x(682) + 117, g.y(255)));
        painter.drawRoundedRect(captionPanel, g.x(30) / 2.0, g.y(30) / 2.0);
        const QRectF listPanel(g.x(415), g.y(195), g.x(535), g.y(910));
        painter.drawRoundedRect(listPanel, g.x(10) / 2.0, g.y(10) / 2.0);
    }

    // The strip lies behind the web link; the banner's tiles stay in front of it.
    paintArt(painter, Art::Strip, program_.schemeNumber, QRectF(g.x(1600) - 200, g.y(3), 300, 30));
    paintArt(painter, Art::Banner, program_.schemeNumber, bannerRect());

    painter.setPen(toQColor(scheme.titleText()));
    painter.setFont(titleFont());
    drawWrappedText(painter, titleArea(), Qt::AlignLeft | Qt::AlignVCenter, titleText());

    if (!program_.collection.hasCurrentGroup()) {
        const QSize hint = artSize(Art::NoGroupHint, program_.schemeNumber);
        const int x = g.x(285) + (g.x(1600) - g.x(285)) / 2 - 200;
        paintArt(painter, Art::NoGroupHint, program_.schemeNumber, QRectF(QPointF(x, g.y(600) - 73), hint));
        painter.setPen(toQColor(fixed_colour::kHintText));
        painter.setFont(cellFont(kArial, g.y(45), TextStyle::Bold));
        const QRect arrowArea(QPoint(g.x(285), g.y(500)), QPoint(g.x(485), g.y(575)));
        painter.drawText(arrowArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, "<= !!!");
    }
}

}  // namespace lexivo
