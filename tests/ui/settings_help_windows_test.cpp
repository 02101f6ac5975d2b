// The settings, the voice chooser, the tips, About and the quick-help pop-up, driven as a user
// drives them; quick help runs on a clock the test moves.

#include <filesystem>

#include <QAbstractSlider>
#include <QApplication>
#include <QDir>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPointer>
#include <QRadioButton>
#include <QTest>

#include "app/add_package_dialog.h"
#include "app/group_dialog.h"
#include "app/main_window.h"
#include "app/rename_dialog.h"
#include "editing/editing_session.h"
#include "editing/export_dialog.h"
#include "editing/import_preview_dialog.h"
#include "editing/package_editor.h"
#include "editing/word_transfer_window.h"
#include "online/catalogue_dialog.h"
#include "online/communication_dialog.h"
#include "online/online_service_dialog.h"
#include "online/save_downloaded_dialog.h"
#include "store/cp1250.h"
#include "store/file_io.h"
#include "support/window_test_support.h"
#include "test/answer_feedback.h"
#include "test/evaluation_dialog.h"
#include "test/resume_dialog.h"
#include "test/test_configuration_panel.h"
#include "test/test_run_window.h"
#include "ui/about_dialog.h"
#include "ui/control_behaviour.h"
#include "ui/control_ids/about_dialog.h"
#include "ui/control_ids/add_package_dialog.h"
#include "ui/control_ids/main_window.h"
#include "ui/control_ids/online_choice_dialog.h"
#include "ui/control_ids/package_editor.h"
#include "ui/control_ids/rename_dialog.h"
#include "ui/control_ids/save_downloaded_dialog.h"
#include "ui/control_ids/settings_dialog.h"
#include "ui/control_ids/shared.h"
#include "ui/control_ids/test_configuration_panel.h"
#include "ui/control_ids/test_run_window.h"
#include "ui/control_ids/tips_dialog.h"
#include "ui/control_ids/voice_dialog.h"
#include "ui/control_ids/word_transfer_window.h"
#include "ui/controls.h"
#include "ui/manual_location.h"
#include "ui/quick_help.h"
#include "ui/settings_dialog.h"
#include "ui/tips.h"
#include "ui/tips_dialog.h"
#include "ui/voice_dialog.h"

namespace lexivo {
namespace {

namespace settings = settings_dialog_control;
namespace voice = voice_dialog_control;
using testing::click;
using testing::shown;
using testing::TestProgram;

const std::string kGroup = "Angličtina";

// Time for quick help that moves only when the test says so.
class FakeClock final : public QuickHelpClock {
public:
    void every(QObject* owner, int intervalMs, std::function<void()> tick) override
    {
        calls_.push_back({owner, intervalMs, now_ + intervalMs, std::move(tick)});
    }
    void after(QObject* owner, int delayMs, std::function<void()> fire) override
    {
        calls_.push_back({owner, 0, now_ + delayMs, std::move(fire)});
    }
    void advance(int ms)
    {
        for (const int end = now_ + ms; now_ < end; ++now_) {
            for (std::size_t i = 0; i < calls_.size(); ++i) {  // a call may add calls
                if (!calls_[i].owner.isNull() && calls_[i].due == now_ + 1) {
                    calls_[i].due = calls_[i].interval > 0 ? now_ + 1 + calls_[i].interval : -1;
                    const auto run = calls_[i].run;  // the vector may grow meanwhile
                    run();
                }
            }
        }
    }

private:
    struct Call {
        QPointer<QObject> owner;
        int interval;  // 0: once
        int due;
        std::function<void()> run;
    };
    std::vector<Call> calls_;
    int now_ = 0;
};

void writePackage(TestProgram& test, const std::string& name, const std::string& words)
{
    test.temp.makeGroup(kGroup);
    test.temp.writePackage(kGroup, name, encodeCp1250(words).value());
}

std::unique_ptr<MainWindow> openMainWindow(TestProgram& test)
{
    auto window = std::make_unique<MainWindow>(test.program, test.session);
    window->startUp();
    window->setGeometry(0, 0, test.program.grid.screenW(), test.program.grid.screenH());
    window->show();
    return window;
}

// A test of two packages, running in its window over the main window.
std::unique_ptr<TestRunWindow> runTest(TestProgram& test, QWidget* mainWindow)
{
    writePackage(test, "Zvířata", "dog|pes|A dog barks.|4\r\n");
    writePackage(test, "Barvy", "red|červená||4\r\n");
    if (!test.session.engine.startTest(kGroup, {"Zvířata", "Barvy"}, TestSettings{}).ok()) {
        return nullptr;
    }
    auto window = std::make_unique<TestRunWindow>(test.program, test.session, test.requests, mainWindow);
    window->show();
    return window;
}

bool checked(QWidget* window, int id) { return findControlAs<QAbstractButton>(window, id)->isChecked(); }

std::string configBytes(TestProgram& test) { return testing::readBytes(test.temp.root() / "config"); }

// The main window with the pop-up drawn where it stands on the screen.
QImage screenWithPopup(QWidget& window, QuickHelpPopup& popup, const QString& name)
{
    QImage picture = window.grab().toImage();
    QPainter painter(&picture);
    painter.drawImage(window.mapFromGlobal(popup.pos()), popup.grab().toImage());
    painter.end();
    picture.save(QString(LEXIVO_SCREENSHOT_DIR) + "/" + name + ".png");
    return picture;
}

}  // namespace

class SettingsHelpWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutes();
        testing::installModalWatchdog();
        QDir().mkpath(LEXIVO_SCREENSHOT_DIR);
    }
    void cleanup() { QVERIFY2(!testing::modalWatchdogFired(), "a modal window opened that the test did not handle"); }

    void optionsShowAtOnceInTheTestAndCloseSavesThem()
    {
        TestProgram test;
        QWidget mainWindow;
        mainWindow.resize(1600, 1200);
        auto running = runTest(test, &mainWindow);
        QVERIFY(running != nullptr);
        SettingsDialog dialog(test.program, &mainWindow);
        dialog.show();
        // Without `config`: the defaults.
        for (int id : {settings::ShowPackageName, settings::AllowExample, settings::AutoSpeak, settings::SpeechEngine}) {
            QVERIFY2(checked(&dialog, id), qPrintable(QString::number(id)));
        }
        QVERIFY(!checked(&dialog, settings::ShowLanguageIcon) && !checked(&dialog, settings::TypingColours));

        QVERIFY(shown(running.get(), test_run_window_control::PackageLine));
        click(&dialog, settings::ShowPackageName);
        QVERIFY(!shown(running.get(), test_run_window_control::PackageLine));
        QLineEdit* answer = running->answerField();
        testing::typeText(answer, "xx");
        const QColor plain = answer->palette().color(QPalette::Base);
        click(&dialog, settings::TypingColours);
        QCOMPARE(answer->palette().color(QPalette::Base), QColor(255, 0, 0));  // no meaning begins so
        click(&dialog, settings::TypingColours);
        QCOMPARE(answer->palette().color(QPalette::Base), plain);

        struct Step {
            int radio;
            bool autoSpeak;
            bool voiceSettings;
        };
        for (const Step& step : {Step{settings::SpeechNever, false, false}, Step{settings::SpeechClipboard, true, false},
                                 Step{settings::SpeechEngine, true, true}, Step{settings::SpeechClipboard, true, false}}) {
            click(&dialog, step.radio);
            QCOMPARE(shown(&dialog, settings::AutoSpeak), step.autoSpeak);
            QCOMPARE(shown(&dialog, settings::SpeechSettings), step.voiceSettings);
        }
        click(&dialog, settings::ShowLanguageIcon);
        QTest::keyClick(findControl(&dialog, settings::Ok), Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        const std::string bytes = configBytes(test);
        QCOMPARE(bytes.size(), std::size_t(80));
        QCOMPARE(int(bytes[76]), int(SpeechMode::Clipboard));
        QCOMPARE(int(bytes[52]), 0);  // no package name
        QCOMPARE(int(bytes[56]), 1);  // the language icon
    }

    void aSchemeIsStoredAtOnceAndRepaintsEveryWindow()
    {
        TestProgram test;
        testing::FileCallsReset reset;
        auto window = openMainWindow(test);
        SettingsDialog dialog(test.program, window.get());
        dialog.show();
        auto* scheme = findControlAs<QComboBox>(&dialog, settings::Scheme);
        QCOMPARE(scheme->currentText(), QString("Krémová"));
        QTest::keyClick(scheme, Qt::Key_Up);
        QCOMPARE(testing::readBytes(test.temp.root() / "color"), std::string("0"));
        QCOMPARE(window->grab().toImage().pixelColor(test.program.grid.screenW() - 5, 600),
                 toQColor(colourScheme(kSchemeBlue).mainColour));
        QCOMPARE(dialog.grab().toImage().pixelColor(5, dialog.height() - 5), toQColor(colourScheme(kSchemeBlue).dialogColour));

        // A scheme that cannot be stored is not taken: the file, the list and the colours stay.
        failFileCall(FileCall::Write, 1, ENOSPC);
        QTest::keyClick(scheme, Qt::Key_Down);
        QCOMPARE(test.dialogs.messages.size(), std::size_t(1));
        QCOMPARE(testing::readBytes(test.temp.root() / "color"), std::string("0"));
        QCOMPARE(scheme->currentIndex(), kSchemeBlue);
        QCOMPARE(test.program.schemeNumber, kSchemeBlue);

        // So is a `config` that cannot be written, and the dialog still closes.
        failFileCall(FileCall::Rename, 1, EACCES);
        click(&dialog, settings::Ok);
        QCOMPARE(test.dialogs.messages.size(), std::size_t(2));
        QVERIFY(!std::filesystem::exists(test.temp.root() / "config"));
    }

    void theVoiceChooserTriesKeepsAndGoesBack()
    {
        TestProgram test;
        QWidget owner;
        owner.resize(600, 400);
        {
            VoiceDialog dialog(test.program, &owner);
            dialog.show();
            auto* engine = findControlAs<QComboBox>(&dialog, voice::Engine);
            QCOMPARE(engine->count(), 3);  // the default and the two engines
            QTest::keyClick(engine, Qt::Key_Down);
            auto* voices = findControlAs<QComboBox>(&dialog, voice::VoiceList);
            QCOMPARE(voices->count(), 3);
            QTest::keyClick(voices, Qt::Key_End);
            QTest::keyClick(findControl(&dialog, voice::Rate), Qt::Key_Left);
            click(&dialog, voice::Try);
            const VoiceSettings chosen{"flite", "slt", -1};
            QCOMPARE(test.voice.used.back(), chosen);
            QCOMPARE(test.voice.spoken.size(), std::size_t(1));
            click(&dialog, voice::Ok);
            QCOMPARE(loadVoiceSettings(test.program.tree), chosen);
        }
        VoiceDialog again(test.program, &owner);
        again.show();
        QCOMPARE(again.chosen(), (VoiceSettings{"flite", "slt", -1}));
        QTest::keyClick(findControl(&again, voice::Rate), Qt::Key_Right);
        click(&again, voice::Try);
        QTest::keyClick(&again, Qt::Key_Escape);  // back to the voice kept before
        QCOMPARE(test.voice.used.back(), (VoiceSettings{"flite", "slt", -1}));
    }

    void aTipAtStartAndItsCheckBox()
    {
        TestProgram test;
        auto window = openMainWindow(test);
        testing::ModalDriver driver;
        QString tip;
        driver.then([&](QWidget* modal) {
            auto* tips = qobject_cast<TipsDialog*>(modal);
            tip = tips ? tips->tip() : QString();
            click(modal, tips_dialog_control::ShowAtStart);
            click(modal, tips_dialog_control::NextTip);
            QTest::keyClick(findControl(modal, tips_dialog_control::Ok), Qt::Key_Return);
        });
        window->showStartTip();
        QVERIFY(driver.idle());
        QVERIFY(tip.contains("?") && !tip.startsWith("Zde má být tip"));
        QCOMPARE(int(configBytes(test)[60]), 0);
        bool opened = false;
        driver.otherwise([&](QWidget* modal) { opened = true; modal->close(); });
        window->showStartTip();  // not asked for any more
        QVERIFY(!opened);

        // "Nastavení" and "O programu" open their windows.
        QStringList seen;
        driver.otherwise([&](QWidget* modal) {
            seen << QString(modal->metaObject()->className()).remove("lexivo::");
            modal->close();
        });
        click(window.get(), main_window_control::Settings);
        click(window.get(), main_window_control::About);
        QCOMPARE(seen, QStringList({"SettingsDialog", "AboutDialog"}));
    }

    void aboutOpensTheManualTheLinksAndATip()
    {
        TestProgram test;
        QWidget mainWindow;
        AboutDialog about(test.program, &mainWindow, test.temp.root() / "bin");
        about.show();
        click(&about, about_dialog_control::ShowManual);
        QCOMPARE(test.dialogs.messages, std::vector<Message>{manualMissingMessage()});
        std::filesystem::create_directories(test.temp.root() / "Help");
        testing::writeBytes(test.temp.root() / "Help" / "index.html", "<html></html>");
        click(&about, about_dialog_control::ShowManual);
        click(&about, about_dialog_control::ProjectLink);
        QCOMPARE(test.shell.opened,
                 (std::vector<QString>{QString::fromStdString((test.temp.root() / "Help" / "index.html").string()),
                                       QString(kProjectAddress)}));

        testing::ModalDriver driver;
        bool aboutHidden = false;
        driver.then([&](QWidget* modal) {
            aboutHidden = qobject_cast<TipsDialog*>(modal) != nullptr && !about.isVisible();
            modal->close();
        });
        click(&about, about_dialog_control::ShowTip);
        QVERIFY(aboutHidden);
        QVERIFY(about.isVisible());
    }

    void quickHelpPopsUpNextToTheControlAndCloses()
    {
        TestProgram test;
        writePackage(test, "Zvířata", "dog|pes||4\r\n");
        auto window = openMainWindow(test);
        FakeClock clock;
        QPoint pointer;
        QuickHelp quickHelp(test.program, window.get(), clock, [&] { return pointer; });
        const auto rightClick = [&](QWidget* control) {
            pointer = control->mapToGlobal(control->rect().center());
            QTest::mouseClick(control, Qt::RightButton, Qt::NoModifier, control->rect().center());
            return quickHelp.popup() != nullptr && quickHelp.popup()->isVisible() ? quickHelp.popup()->text() : QString();
        };

        // The main window's package management and the editor's package list are both control 7.
        QCOMPARE(rightClick(findControl(window.get(), main_window_control::ManagePackages)),
                 QString("Zobrazí seznam balíčků obsažených v aktivní skupině"));
        QWidget editor;
        auto* otherPackage = new QComboBox(&editor);
        setControlId(otherPackage, package_editor_control::OtherPackage);
        attachControlBehaviour(&editor, WindowKind::PackageEditor);
        editor.show();
        QCOMPARE(rightClick(otherPackage), QString("Umožní úpravu jiného balíčku"));

        // Near the screen's right edge the pop-up ends on it.
        QWidget* webLink = findControl(window.get(), main_window_control::WebLink);
        QCOMPARE(rightClick(webLink), QString("Přejde na WWW stránky projektu"));
        QPointer<QuickHelpPopup> popup = quickHelp.popup();
        QCOMPARE(popup->geometry().right() + 1, test.program.grid.screenW());
        QCOMPARE(popup->y(), webLink->mapToGlobal(QPoint(0, 0)).y() + webLink->height() / 2 + 8);
        screenWithPopup(*window, *popup, "quick-help-main");

        // The pointer held still: four seconds, no longer.
        clock.advance(QuickHelpPopup::kTimeOutMs - 1);
        QVERIFY(popup->isVisible());
        clock.advance(1);
        QVERIFY(popup.isNull() || !popup->isVisible());

        // The pointer leaves: closed at the next watch.
        rightClick(webLink);
        popup = quickHelp.popup();
        clock.advance(QuickHelpPopup::kWatchMs);
        QVERIFY(popup->isVisible());
        pointer += QPoint(0, 200);
        clock.advance(QuickHelpPopup::kWatchMs);
        QVERIFY(popup.isNull() || !popup->isVisible());

        // In the test configuration: "Vše" has no text, and releasing the button over an edit closes it.
        click(window.get(), main_window_control::Test);
        TestConfigurationPanel* panel = window->configurationPanel();
        QVERIFY(panel != nullptr);
        QCOMPARE(rightClick(findControl(panel, test_configuration_panel_control::SelectAll)), QString::fromUtf8(kNoQuickHelpText.data()));
        QCOMPARE(rightClick(findControl(panel, test_configuration_panel_control::QuestionCount)), QString());

        // The test window's answer field names the language asked for, while the button is down.
        auto running = runTest(test, window.get());
        QVERIFY(running != nullptr);
        QTest::mousePress(running->answerField(), Qt::RightButton);
        const bool czechAsked = test.session.engine.state().askDirection == ShownSide::English;
        QCOMPARE(quickHelp.popup()->text(), czechAsked ? QString("Sem vepište český výraz pro anglické slovíčko vlevo")
                                                       : QString("Sem vepište anglický výraz pro české slovíčko vlevo"));
        QTest::mouseRelease(running->answerField(), Qt::RightButton);
    }

    // Every control of every window that answers a right click has its quick-help text, or is
    // known to have none; every control the texts name answers; the windows without control
    // habits answer none.
    void everyControlHasItsQuickHelp()
    {
        TestProgram test;
        writePackage(test, "P", "dog|pes||4\r\n");
        MainWindow mainWindow(test.program, test.session);
        mainWindow.startUp();
        auto running = runTest(test, &mainWindow);
        QVERIFY(running != nullptr);
        EditingSession editing(test.choosers);
        PackageEditor editor(test.program, editing, &mainWindow, {"P"}, 0, EditorStart::Edit);
        OnlineSession online;
        FakeClock clock;
        QuickHelp quickHelp(test.program, &mainWindow, clock, [] { return QPoint(); });
        using Make = std::function<QWidget*(QWidget*)>;
        const auto none = std::optional<WindowKind>();  // attaches no control habits
        const std::vector<std::pair<std::optional<WindowKind>, Make>> windows = {
            {WindowKind::Main, [&](QWidget*) { auto* window = new MainWindow(test.program, test.session); window->startUp(); return window; }},
            {WindowKind::Group, [&](QWidget*) { return new GroupDialog(test.program, mainWindow); }},
            {WindowKind::AddPackage, [&](QWidget*) { return new AddPackageDialog(test.program, mainWindow, AddPackageMode::AddPackage); }},
            {WindowKind::Rename, [&](QWidget*) { return new RenameDialog(test.program, mainWindow, RenameDialog::Mode::Package); }},
            {WindowKind::TestConfiguration, [&](QWidget* main) { return new TestConfigurationPanel(test.program, test.session, main); }},
            {WindowKind::TestRun, [&](QWidget* main) { return new TestRunWindow(test.program, test.session, test.requests, main); }},
            {WindowKind::UnfinishedTest, [&](QWidget* main) { return new ResumeDialog(test.program, test.session, main); }},
            {WindowKind::TestInformation, [&](QWidget* main) { return new TestInformationDialog(test.program, test.session, main); }},
            {WindowKind::Evaluation, [&](QWidget* main) { return new EvaluationDialog(test.program, test.session, main, TestEnd::Finished); }},
            {WindowKind::RightFeedback, [&](QWidget* main) { return new RightAnswerDialog(test.program, main, "a", "a+b", "a"); }},
            {WindowKind::WrongFeedback, [&](QWidget* main) { return new WrongAnswerDialog(test.program, main, "a", "b", "a"); }},
            {WindowKind::PackageEditor, [&](QWidget* main) { return new PackageEditor(test.program, editing, main, {"P"}, 0, EditorStart::Edit); }},
            {WindowKind::Export, [&](QWidget*) { return new ExportDialog(test.program, editing, editor); }},
            {WindowKind::ImportPreview, [&](QWidget* main) {
                 ImportFile file{"dog;pes\r\n", ImportFormat::Delimited, "x"};
                 return new ImportPreviewDialog(test.program, main, ImportPreview::open(test.program.collection, file).value(), "x.csv");
             }},
            {WindowKind::WordTransfer, [&](QWidget* main) { return new WordTransferWindow(test.program, main, TransferMode::Transfer, {"P", {}}); }},
            {WindowKind::OnlineChoice, [&](QWidget* main) { return new OnlineServiceDialog(test.program, main); }},
            {none, [&](QWidget* main) { return new CatalogueDialog(test.program, online, test.requests, CatalogueKind::Thematic, main); }},
            {none, [&](QWidget* main) { return new CommunicationDialog(test.program, online, {}, main); }},
            {WindowKind::SaveDownloaded, [&](QWidget* main) { return new SaveDownloadedDialog(test.program, test.requests, main, {}); }},
            {WindowKind::Settings, [&](QWidget* main) { return new SettingsDialog(test.program, main); }},
            {WindowKind::Voice, [&](QWidget* main) { return new VoiceDialog(test.program, main); }},
            {WindowKind::Tips, [&](QWidget* main) { return new TipsDialog(test.program, main); }},
            {WindowKind::About, [&](QWidget* main) { return new AboutDialog(test.program, main); }},
        };
        for (const auto& [kind, make] : windows) {
            std::unique_ptr<QWidget> window(make(&mainWindow));
            for (QWidget* control : window->findChildren<QWidget*>()) {
                const int id = controlId(control);
                const bool interactive = qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control) ||
                                         qobject_cast<QAbstractItemView*>(control) || qobject_cast<QComboBox*>(control) ||
                                         qobject_cast<QAbstractSlider*>(control);
                if (id < 0 || !interactive) {
                    continue;
                }
                QTest::mousePress(control, Qt::RightButton);
                const bool answered = quickHelp.popup() != nullptr && quickHelp.popup()->isVisible();
                quickHelp.closeQuickHelp();
                const QString where = QString("%1, control %2").arg(window->metaObject()->className()).arg(id);
                if (!kind) {
                    QVERIFY2(!answered, qPrintable(where));
                    continue;
                }
                // Control 2 answers where the window's habits take it in.
                const bool named = id != shared_control::Close && quickHelpText(*kind, id, {}) != kNoQuickHelpText;
                QVERIFY2(answered ? quickHelpCovers(*kind, id) : !named, qPrintable(where));
            }
        }
    }

    // Texts that depend on the window's state at the moment of the right click.
    void quickHelpFollowsTheWindowsState()
    {
        TestProgram test;
        writePackage(test, "P", "dog|pes||4\r\n");
        for (const char* file : {"Test", "zastemp", "balprevtemp"}) {
            testing::writeBytes(test.temp.tree().temporaryFile(kGroup, file), "X#Y#Z|#||\r\nfox|liska||4\r\n");
        }
        MainWindow mainWindow(test.program, test.session);
        mainWindow.startUp();
        FakeClock clock;
        QuickHelp quickHelp(test.program, &mainWindow, clock, [] { return QPoint(); });
        const auto shownText = [&] {
            return quickHelp.popup() != nullptr && quickHelp.popup()->isVisible() ? quickHelp.popup()->text() : QString();
        };
        namespace transfer = word_transfer_window_control;
        namespace adding = add_package_dialog_control;
        namespace renaming = rename_dialog_control;
        const auto transferIn = [&](TransferMode mode) {
            return [&test, &mainWindow, mode]() -> QWidget* { return new WordTransferWindow(test.program, &mainWindow, mode, {"P", {}}); };
        };
        const auto adder = [&](AddPackageMode mode) {
            return [&test, &mainWindow, mode]() -> QWidget* { return new AddPackageDialog(test.program, mainWindow, mode); };
        };
        const auto renamer = [&](RenameDialog::Mode mode) {
            return [&test, &mainWindow, mode]() -> QWidget* { return new RenameDialog(test.program, mainWindow, mode); };
        };
        const QString none = QString::fromUtf8(kNoQuickHelpText.data(), static_cast<qsizetype>(kNoQuickHelpText.size()));
        const auto focus = [](int id) { return [id](QWidget* window) { findControl(window, id)->setFocus(); }; };
        struct Row {
            std::function<QWidget*()> make;
            int control;
            QString text;
            std::function<void(QWidget*)> before = [](QWidget*) {};
        };
        const std::vector<Row> rows = {
            {transferIn(TransferMode::Transfer), transfer::LeftWords, "Slovíčka obsažená ve vybraném balíčku"},
            {transferIn(TransferMode::RemainingWords), transfer::LeftWords, "Slovíčka, která ještě nebyla správně zodpovězena"},
            {transferIn(TransferMode::OnlineStore), transfer::LeftWords, "Slovíčka ve Vašem online Zásobníku"},
            {transferIn(TransferMode::OnlinePreview), transfer::LeftWords, "Slovíčka v online balíčku"},
            {transferIn(TransferMode::Transfer), transfer::Delete, "Smaže vybraná slovíčka z pravého sloupce (balíčku)",
             focus(transfer::RightWords)},
            {transferIn(TransferMode::Transfer), transfer::Delete, "Smaže vybraná slovíčka z levého sloupce (balíčku)",
             [&](QWidget* window) { focus(transfer::RightWords)(window); focus(transfer::LeftWords)(window); }},
            {adder(AddPackageMode::AddPackage), adding::TakeOver, "Určuje, zda má balíček být zkopírován z jiné skupiny"},
            {adder(AddPackageMode::SaveRemainingWords), adding::TakeOver, "Určuje, zda mají být slovíčka přidána do již existujícího balíčku"},
            {adder(AddPackageMode::AddPackage), adding::SourcePackage, "Zde vyberte balíček, který chcete zkopírovat"},
            {adder(AddPackageMode::SaveRemainingWords), adding::SourcePackage, "Zde vyberte balíček, do kterého chcete slovíčka přidat"},
            {adder(AddPackageMode::AddPackage), adding::Ok, "Přidá zvolený balíček do používané skupiny"},
            {adder(AddPackageMode::SaveRemainingWords), adding::Ok, "Potvrdí výběr"},
            {renamer(RenameDialog::Mode::Package), renaming::NewName, "Sem napište nové jméno balíčku"},
            {renamer(RenameDialog::Mode::Group), renaming::NewName, "Sem napište nové jméno skupiny"},
            {renamer(RenameDialog::Mode::Package), renaming::Ok, "Provede přejmenování balíčku"},
            {renamer(RenameDialog::Mode::Group), renaming::Ok, "Provede přejmenování skupiny"},
            {[&]() -> QWidget* { return new OnlineServiceDialog(test.program, &mainWindow); }, online_choice_dialog_control::Password, none},
            {[&]() -> QWidget* { return new SaveDownloadedDialog(test.program, test.requests, &mainWindow, {}); },
             save_downloaded_dialog_control::Group, none},
        };
        for (const Row& row : rows) {
            std::unique_ptr<QWidget> window(row.make());
            window->show();
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window.get()));
            row.before(window.get());
            QTest::mousePress(findControl(window.get(), row.control), Qt::RightButton);
            QCOMPARE(shownText(), row.text);
        }

        // The test window names the language the current question asks for.
        for (const auto& [direction, text] : {std::pair(DirectionMode::CzechShown, "Sem vepište anglický výraz pro české slovíčko vlevo"),
                                              std::pair(DirectionMode::EnglishShown, "Sem vepište český výraz pro anglické slovíčko vlevo")}) {
            TestSettings settings;
            settings.directionMode = direction;
            QVERIFY(test.session.engine.startTest(kGroup, {"P"}, settings).ok());
            TestRunWindow running(test.program, test.session, test.requests, &mainWindow);
            QTest::mousePress(running.answerField(), Qt::RightButton);
            QCOMPARE(shownText(), QString(text));
        }

        // A window that goes takes its control's pop-up with it.
        EditingSession editing(test.choosers);
        auto editor = std::make_unique<PackageEditor>(test.program, editing, &mainWindow, QStringList{"P"}, 0, EditorStart::Edit);
        editor->show();
        QTest::mousePress(findControl(editor.get(), package_editor_control::WordList), Qt::RightButton);
        QCOMPARE(shownText(), QString("Slovíčka v upravovaném balíčku"));
        QPointer<QuickHelpPopup> popup = quickHelp.popup();
        editor.reset();
        QVERIFY(popup.isNull() || !popup->isVisible());
    }

    void screenshotsInEveryScheme()
    {
        for (const QSize screen : {QSize(1600, 1200), QSize(1366, 758)}) {
            for (int scheme = 0; scheme < kSchemeCount; ++scheme) {
                TestProgram test(screen.width(), screen.height());
                test.program.schemeNumber = scheme;
                QVERIFY(saveColourScheme(test.program.tree, scheme).ok());  // the main window reads it
                const QString suffix = QString("-scheme%1-%2x%3").arg(scheme).arg(screen.width()).arg(screen.height());
                QWidget mainWindow;
                mainWindow.setGeometry(0, 0, screen.width(), screen.height());
                std::unique_ptr<QDialog> dialogs[] = {
                    std::make_unique<SettingsDialog>(test.program, &mainWindow),
                    std::make_unique<VoiceDialog>(test.program, &mainWindow),
                    std::make_unique<TipsDialog>(test.program, &mainWindow),
                    std::make_unique<AboutDialog>(test.program, &mainWindow),
                };
                // Every tip is whole in its place.
                auto* tip = findControlAs<QLabel>(dialogs[2].get(), tips_dialog_control::TipText);
                for (int index = kTipCount - 1; index >= 0; --index) {  // the first tip stays for the picture
                    tip->setText(QString::fromUtf8(tipText(index).data(), static_cast<qsizetype>(tipText(index).size())));
                    QVERIFY2(tip->heightForWidth(tip->width()) <= tip->height(), qPrintable(tip->text()));
                }
                for (const auto& dialog : dialogs) {
                    const QString name = QString(dialog->metaObject()->className()).remove("lexivo::");
                    const QImage picture = testing::screenshot(*dialog, name + suffix);
                    QCOMPARE(picture.pixelColor(3, picture.height() / 2), toQColor(colourScheme(scheme).dialogColour));
                    QVERIFY(dialog->width() <= screen.width() && dialog->height() <= screen.height());
                }
                auto window = openMainWindow(test);
                FakeClock clock;
                QuickHelp quickHelp(test.program, window.get(), clock, [] { return QPoint(); });
                QWidget* about = findControl(window.get(), main_window_control::About);
                QTest::mouseClick(about, Qt::RightButton);
                screenWithPopup(*window, *quickHelp.popup(), "quick-help" + suffix);
            }
        }
    }
};

}  // namespace lexivo

QTEST_MAIN(lexivo::SettingsHelpWindowsTest)
#include "settings_help_windows_test.moc"
