// The online windows against the real web service: the test seeds a database through the
// server's own commands, serves it on a free port and drives the windows as a user does. What
// the core decides (login rules, the filing checks, the reply formats) is tested in online_tests.

#include <filesystem>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "app/main_window.h"
#include "online/catalogue_dialog.h"
#include "online/communication_dialog.h"
#include "online/online_service.h"
#include "online/online_service_dialog.h"
#include "online/online_store.h"
#include "online/save_downloaded_dialog.h"
#include "online/scripted_peer.h"
#include "store/cp1250.h"
#include "support/window_test_support.h"
#include "ui/control_ids/main_window.h"
#include "ui/control_ids/online_catalogue_dialog.h"
#include "ui/control_ids/online_choice_dialog.h"
#include "ui/control_ids/save_downloaded_dialog.h"
#include "editing/word_transfer_window.h"
#include "ui/control_ids/word_transfer_window.h"
#include "ui/controls.h"
#include "ui/manual_location.h"

namespace lexivo {
namespace {

namespace fs = std::filesystem;
namespace choice = online_choice_dialog_control;
namespace catalogue = online_catalogue_dialog_control;
namespace filing = save_downloaded_dialog_control;
using testing::click;
using testing::TestProgram;

std::string cp1250(const std::string& text) { return encodeCp1250(text).value(); }

// The packages of the three catalogues: path → words, as the package format holds them.
const std::vector<std::pair<std::string, std::string>> kCatalogueFiles = {
    {"thematic/FOOD/NÁPOJE/ALKOHOLICKÉ NÁPOJE", "beer|pivo|A cold beer.|2\r\nwine|víno||0\r\n"},
    {"thematic/FOOD/NÁPOJE/NEALKOHOLICKÉ NÁPOJE", "water|voda||4\r\n"},
    {"thematic/HOME/BYT/NÁBYTEK", "table|stůl||4\r\n"},
    {"textbooks/Krok za krokem/Úroveň A1/Lekce 1 – Pozdravy", "hello|ahoj||4\r\n"},
    {"fiction/Lewis Carroll/Alice/Kapitola 1", "rabbit|králík||4\r\n"},
};
const char* const kPassword = "tajné&heslo=1";  // "&" and "=" must not change the query

// lexivo-server on a database seeded through its own commands, on a free loopback port.
class TestServer {
public:
    TestServer()
    {
        const QString database = directory_.filePath("lexivo.db");
        const fs::path root = directory_.path().toStdString();
        for (const auto& [path, words] : kCatalogueFiles) {
            fs::create_directories((root / path).parent_path());
            testing::writeBytes(root / path, cp1250(words));
        }
        testing::writeBytes(root / "store", cp1250("apple|jablko|An apple a day.|4\r\nrun|běžet||4\r\n"));
        run({"init", database});
        for (const char* kind : {"thematic", "textbooks", "fiction"}) {
            run({"import", database, kind, directory_.filePath(kind)});
        }
        run({"add-user", database, "Jana"}, QByteArray(kPassword) + "\n");
        run({"store-add", database, "Jana", directory_.filePath("store")});
        serving_.start(LEXIVO_SERVER_PATH, {"serve", database, "--port", "0"});
        while (!serving_.canReadLine() && serving_.waitForReadyRead(10000)) {
        }
        port_ = QString(serving_.readLine()).section(':', -1).section(' ', 0, 0).toInt();
    }
    ~TestServer()
    {
        serving_.terminate();
        serving_.waitForFinished();
    }

    std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
    bool serving() const { return port_ > 0; }

private:
    void run(const QStringList& arguments, const QByteArray& input = {})
    {
        QProcess command;
        command.start(LEXIVO_SERVER_PATH, arguments);
        command.write(input);
        command.closeWriteChannel();
        command.waitForFinished(30000);
    }

    QTemporaryDir directory_;
    QProcess serving_;
    int port_ = 0;
};

TestServer* server = nullptr;

// A program directory whose `server` file names the test's server, and the session that read it.
struct OnlineProgram : TestProgram {
    explicit OnlineProgram(int screenW = 1600, int screenH = 1200) : TestProgram(screenW, screenH)
    {
        testing::writeBytes(temp.root() / "server", server->address());
        online.address = loadServerAddress(temp.root());
    }
    std::string file(const fs::path& path) const { return testing::readBytes(temp.root() / path); }
    bool exists(const fs::path& path) const { return fs::exists(temp.root() / path); }
    void addPackage(const std::string& group, const std::string& name)
    {
        temp.makeGroup(group);
        temp.writePackage(group, name, "dog|pes||4\r\n");
        program.collection.listGroups();
    }
    QStringList messages() const
    {
        QStringList texts;
        for (const Message& m : dialogs.messages) {
            texts << QString::fromStdString(m.title + ": " + m.text);
        }
        return texts;
    }
    OnlineSession online;
};

QTreeWidgetItem* findItem(QTreeWidget* tree, const QString& text)
{
    return tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
}

// Selects the item and presses the space bar on it, as a user ticks by keyboard.
void tick(QTreeWidget* tree, const QString& text)
{
    tree->setCurrentItem(findItem(tree, text));
    QTest::keyClick(tree, Qt::Key_Space);
}

// The items in tree order, each after a dash per level; ticked ones marked with "x".
QString describe(QTreeWidget* tree)
{
    QStringList items;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        const int level = (*it)->parent() == nullptr ? 0 : (*it)->parent()->parent() == nullptr ? 1 : 2;
        items << QString(level, '-') + (*it)->text(0) + ((*it)->checkState(0) == Qt::Checked ? "x" : "");
    }
    return items.join(",");
}

// What `downbal` holds after the two drinks packages were downloaded.
const std::string kDrinksDownload = cp1250("FOOD#NÁPOJE#ALKOHOLICKÉ NÁPOJE\r\nbeer|pivo|A cold beer.|4\r\nwine|víno||4\r\n"
                                           "FOOD#NÁPOJE#NEALKOHOLICKÉ NÁPOJE\r\nwater|voda||4\r\n");

}  // namespace

class OnlineWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installFontSubstitutes();
        testing::installModalWatchdog();
        server = new TestServer;
        QVERIFY2(server->serving(), "lexivo-server did not start");
    }
    void cleanupTestCase() { delete server; }
    void cleanup() { QVERIFY2(!testing::modalWatchdogFired(), "a modal window opened that the test did not handle"); }

    void tickingNothingTickedAndTheDownload()
    {
        OnlineProgram test;
        CatalogueDialog dialog(test.program, test.online, test.requests, CatalogueKind::Thematic, nullptr);
        QVERIFY(dialog.fetch());
        dialog.show();
        QTreeWidget* tree = dialog.tree();
        tick(tree, "FOOD");
        QCOMPARE(describe(tree), "FOODx,-NÁPOJEx,--ALKOHOLICKÉ NÁPOJEx,--NEALKOHOLICKÉ NÁPOJEx,HOME,-BYT,--NÁBYTEK");
        tick(tree, "FOOD");
        QVERIFY(!describe(tree).contains('x'));

        click(&dialog, catalogue::Download);
        QCOMPARE(test.messages(), QStringList("Chyba: Žádný balíček není vybrán."));
        QVERIFY(test.dialogs.questions.empty());

        tick(tree, "NÁPOJE");
        test.dialogs.answerNext(false);
        click(&dialog, catalogue::Download);  // No: nothing is sent
        QVERIFY(!test.exists("downbal") && dialog.isVisible());
        test.dialogs.answerNext(true);
        click(&dialog, catalogue::Download);
        QCOMPARE(test.file("downbal"), kDrinksDownload);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(test.dialogs.messages.size(), std::size_t(1));
    }

    void thePreviewShowsOnePackageAndLeavesNothing()
    {
        OnlineProgram test;
        test.addPackage("Angličtina", "Zvířata");
        CatalogueDialog dialog(test.program, test.online, test.requests, CatalogueKind::Textbooks, nullptr);
        QVERIFY(dialog.fetch());
        dialog.show();
        dialog.tree()->setCurrentItem(findItem(dialog.tree(), "Úroveň A1"));
        QVERIFY(!testing::shown(&dialog, catalogue::Preview));
        dialog.tree()->setCurrentItem(findItem(dialog.tree(), "Lekce 1 – Pozdravy"));
        QVERIFY(testing::shown(&dialog, catalogue::Preview));

        const fs::path preview = fs::path("Data") / "Angličtina" / "Temporary" / "balprevtemp";
        std::string previewed;
        test.requests.whilePreviewing = [&] { previewed = test.file(preview); };
        click(&dialog, catalogue::Preview);
        QCOMPARE(previewed, cp1250("Krok za krokem#Úroveň A1#Lekce 1 – Pozdravy\r\nhello|ahoj||4\r\n"));
        QCOMPARE(test.requests.requests, std::vector<std::string>{"openOnlinePackagePreview"});
        QVERIFY(!test.exists(preview) && test.dialogs.messages.empty());
    }

    void aDownloadFiledAutomaticallyThroughTheMainWindow()
    {
        OnlineProgram test;
        test.addPackage("Angličtina", "Zvířata");
        MainWindow window(test.program, test.session);
        window.startUp();
        window.show();
        testing::ModalDriver driver;
        QStringList seen;
        driver.otherwise([&](QWidget* modal) {
            seen << modal->metaObject()->className();
            if (qobject_cast<OnlineServiceDialog*>(modal)) {
                click(modal, choice::ThematicPackages);
                test.dialogs.answerNext(true);
                click(modal, choice::Ok);
            } else if (auto* dialog = qobject_cast<CatalogueDialog*>(modal)) {
                tick(dialog->tree(), "FOOD");
                test.dialogs.answerNext(true);
                click(modal, catalogue::Download);
            } else if (qobject_cast<SaveDownloadedDialog*>(modal)) {
                click(modal, filing::Continue);  // the recommended location is chosen
            }
        });
        click(&window, main_window_control::Online);
        QCOMPARE(seen, QStringList({"lexivo::OnlineServiceDialog", "lexivo::CommunicationDialog", "lexivo::CatalogueDialog",
                                    "lexivo::SaveDownloadedDialog"}));

        QCOMPARE(test.temp.readPackage("FOOD", "NÁPOJE - ALKOHOLICKÉ NÁPOJE"),
                 cp1250("beer|pivo|A cold beer.|4\r\nwine|víno||4\r\n"));
        QCOMPARE(test.temp.readPackage("FOOD", "NÁPOJE - NEALKOHOLICKÉ NÁPOJE"), cp1250("water|voda||4\r\n"));
        QVERIFY(!test.exists("downbal"));
        QCOMPARE(test.messages(), QStringList("OK: Všechny balíčky byly zkopírovány."));
        // The main window follows: the new group, its packages, the last one filed selected.
        QCOMPARE(window.titleText(), QString("Používaná skupina: FOOD"));
        QCOMPARE(window.packageList()->currentItem()->text(), QString("NÁPOJE - NEALKOHOLICKÉ NÁPOJE"));
    }

    void theNameClashStopsAndTheRetryGoesOn()
    {
        OnlineProgram test;
        test.addPackage("FOOD", "NÁPOJE - ALKOHOLICKÉ NÁPOJE");
        testing::writeBytes(test.temp.root() / "downbal", kDrinksDownload);
        SaveDownloadedDialog dialog(test.program, test.requests, nullptr, [](const std::string&) {});
        dialog.show();
        click(&dialog, filing::Continue);
        QCOMPARE(test.messages(), QStringList("Chyba: Balíček již existuje. Zadejte jiné jméno."));
        auto* name = findControlAs<QLineEdit>(&dialog, filing::PackageName);
        QVERIFY(dialog.focusWidget() == name && name->selectedText() == "NÁPOJE - ALKOHOLICKÉ NÁPOJE");

        testing::typeText(name, "Pivo a víno");
        QTest::keyClick(name, Qt::Key_Return);
        QCOMPARE(test.temp.readPackage("FOOD", "Pivo a víno"), cp1250("beer|pivo|A cold beer.|4\r\nwine|víno||4\r\n"));
        QCOMPARE(test.temp.readPackage("FOOD", "NÁPOJE - NEALKOHOLICKÉ NÁPOJE"), cp1250("water|voda||4\r\n"));
        QCOMPARE(test.temp.readPackage("FOOD", "NÁPOJE - ALKOHOLICKÉ NÁPOJE"), std::string("dog|pes||4\r\n"));
        QVERIFY(!dialog.isVisible() && !test.exists("downbal"));
    }

    void manualFilingOnePackageAtATime()
    {
        OnlineProgram test;
        test.addPackage("Angličtina", "Zvířata");
        testing::writeBytes(test.temp.root() / "downbal", kDrinksDownload);
        SaveDownloadedDialog dialog(test.program, test.requests, nullptr, [](const std::string&) {});
        dialog.show();
        click(&dialog, filing::Manual);
        click(&dialog, filing::Continue);
        auto* name = findControlAs<QLineEdit>(&dialog, filing::PackageName);
        QCOMPARE(name->text(), QString("NÁPOJE - ALKOHOLICKÉ NÁPOJE"));
        QCOMPARE(findControlAs<QLineEdit>(&dialog, filing::Group)->text(), QString("Angličtina"));

        name->selectAll();
        testing::typeText(name, "Pití");
        click(&dialog, filing::Continue);
        QCOMPARE(test.temp.readPackage("Angličtina", "Pití"), cp1250("beer|pivo|A cold beer.|4\r\nwine|víno||4\r\n"));
        QCOMPARE(name->text(), QString("NÁPOJE - NEALKOHOLICKÉ NÁPOJE"));  // waits with the next one
        QVERIFY(test.dialogs.messages.empty());

        click(&dialog, filing::ChangeGroup);
        QCOMPARE(test.requests.requests, std::vector<std::string>{"openGroupDialog"});
        // Giving up asks first; the rest goes with `downbal`.
        QTest::keyClick(&dialog, Qt::Key_Escape);  // No: stays
        QVERIFY(dialog.isVisible() && test.exists("downbal"));
        test.dialogs.answerNext(true);
        click(&dialog, filing::Cancel);
        QCOMPARE(test.dialogs.questions.size(), std::size_t(2));
        QVERIFY(!dialog.isVisible() && !test.exists("downbal"));
        QVERIFY(!test.exists("Data/Angličtina/NÁPOJE - NEALKOHOLICKÉ NÁPOJE"));
    }

    void theStoreDownloadedAndClearedThroughTheMainWindow()
    {
        OnlineProgram test;
        test.addPackage("Angličtina", "Zvířata");
        testing::writeBytes(test.temp.root() / "users", "jana\r\npetr\r\n");
        MainWindow window(test.program, test.session);
        window.startUp();
        window.show();
        testing::ModalDriver driver;
        driver.otherwise([&](QWidget* modal) {
            if (qobject_cast<OnlineServiceDialog*>(modal)) {
                auto* name = findControlAs<QComboBox>(modal, choice::UserName);
                QCOMPARE(name->currentText(), QString("petr"));  // the latest name
                name->setCurrentText("Jana");                     // the same name in other capitals
                testing::typeText(findControl(modal, choice::Password), kPassword);
                test.dialogs.answerNext(true);
                QTest::keyClick(findControl(modal, choice::Password), Qt::Key_Return);
            } else if (qobject_cast<WordTransferWindow*>(modal)) {
                QVERIFY(test.dialogs.answers.empty());  // its "OK" asks to clear the store: No
                click(modal, word_transfer_window_control::Ok);
            }
        });
        click(&window, main_window_control::Online);

        const fs::path store = fs::path("Data") / "Angličtina" / "Temporary" / "zastemp";
        QCOMPARE(test.file(store), cp1250("apple|jablko|An apple a day.|4\r\nrun|běžet||4\r\n"));
        QCOMPARE(test.file("users"), std::string("petr\r\nJana\r\n"));
        QVERIFY(test.dialogs.messages.empty());
        QCOMPARE(test.dialogs.questions.back().text, clearStoreQuestion().text);

        // The same through the recorded request: its "OK" asks to clear.
        downloadStore(test.program, test.online, test.requests, &window, Login{"Jana", kPassword});
        QCOMPARE(test.requests.requests, std::vector<std::string>{"openWordTransferForStore"});
        QWidget transferWindow;
        test.requests.storeClosing(&transferWindow);  // No: nothing is asked of the server
        QCOMPARE(test.dialogs.questions.back().text, clearStoreQuestion().text);
        QVERIFY(test.dialogs.messages.empty());
        test.dialogs.answerNext(true);
        test.requests.storeClosing(&transferWindow);
        QCOMPARE(test.dialogs.messages.size(), std::size_t(1));
        QCOMPARE(test.dialogs.messages[0].title, std::string("Zásobník vyprázdněn"));

        downloadStore(test.program, test.online, test.requests, &window, Login{"Jana", kPassword});
        QCOMPARE(test.file(store), std::string());  // the store is empty on the server now

        // A wrong password changes nothing.
        fs::remove(test.temp.root() / store);
        downloadStore(test.program, test.online, test.requests, &window, Login{"Jana", "špatné"});
        QCOMPARE(test.messages().last(), "Internetový skript vrátil tuto chybu: Nesprávné uživatelské jméno nebo heslo.");
        QVERIFY(!test.exists(store) && test.requests.requests.size() == 2);
        QCOMPARE(test.file("users"), std::string("petr\r\nJana\r\n"));
    }

    void theServiceDialogsRulesAndLinks()
    {
        struct Row {
            int service;
            QString name, password, message;  // no message: accepted
            int focused;
        };
        const Row rows[] = {
            {choice::Store, QString(96, 'a'), "heslo", "Jeden z řetězců je příliš dlouhý.", choice::UserName},
            {choice::Store, "jana", "", "Musíte zadat své uživatelské jméno a heslo.", choice::Password},
            {choice::FictionPackages, "", "", "", 0},
        };
        for (const Row& row : rows) {
            OnlineProgram test;
            test.addPackage("Angličtina", "Zvířata");
            OnlineServiceDialog dialog(test.program, nullptr);
            dialog.show();
            click(&dialog, row.service);
            auto* name = findControlAs<QComboBox>(&dialog, choice::UserName);
            name->setCurrentText(row.name);
            findControlAs<QLineEdit>(&dialog, choice::Password)->setText(row.password);
            test.dialogs.answerNext(true);
            QTest::keyClick(row.service == choice::Store ? static_cast<QWidget*>(name->lineEdit()) : &dialog, Qt::Key_Return);
            QCOMPARE(test.messages().join(""), row.message.isEmpty() ? "" : "Chyba: " + row.message);
            QCOMPARE(dialog.isVisible(), !row.message.isEmpty());
            const QWidget* focus = dialog.focusWidget();  // the drop-down's edit field stands for it
            QVERIFY(row.focused == 0 || controlId(focus == name->lineEdit() ? name : focus) == row.focused);
            QCOMPARE(dialog.choice() == OnlineServiceChoice::Catalogue && dialog.catalogue() == CatalogueKind::Fiction,
                     row.message.isEmpty());
        }
        OnlineProgram test;
        OnlineServiceDialog dialog(test.program, nullptr);
        dialog.show();
        click(&dialog, choice::TextbookPackages);
        QVERIFY(!findControl(&dialog, choice::Password)->isEnabled());
        click(&dialog, choice::Store);
        click(&dialog, choice::Ok);  // the store needs a group with a package
        click(&dialog, choice::HelpLink);
        fs::create_directories(test.temp.root() / "Help");
        testing::writeBytes(test.temp.root() / "Help" / "index.html", "<html></html>");
        click(&dialog, choice::HelpLink);
        click(&dialog, choice::GuideLink);
        QCOMPARE(test.messages(), QStringList({"Chyba: Nejprve prosím vytvořte skupinu balíčků.",
                                               QString::fromStdString("Chyba: " + manualMissingMessage().text)}));
        QCOMPARE(test.shell.opened, std::vector<QString>({QString::fromStdString((test.temp.root() / "Help/index.html").string()),
                                                          "http://www.lexivo.cz/pruvodce/online.html"}));
    }

    void aSilentServerEndsInTheTimeOutAndTheWindowKeepsTicking()
    {
        testing::ScriptedPeer silent({.holdOpen = true});
        OnlineProgram test;
        test.online.address.hostAndPort = silent.url().substr(0, silent.url().find('/'));
        test.online.limits.silenceTimeout = std::chrono::milliseconds(2000);
        QStringList shown;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            auto* progress = qobject_cast<CommunicationDialog*>(QApplication::activeModalWidget());
            if (progress && (shown.isEmpty() || shown.back() != progress->shownText())) {
                shown << progress->shownText();
            }
        });
        watch.start(20);
        CatalogueDialog dialog(test.program, test.online, test.requests, CatalogueKind::Thematic, nullptr);
        QVERIFY(!dialog.fetch());
        QCOMPARE(test.dialogs.messages.size(), std::size_t(1));
        QCOMPARE(test.dialogs.messages[0], requestErrorMessage(request_code::kReceiveTimeout));
        // The dots moved while the worker waited: the window was never frozen.
        QCOMPARE(shown.mid(0, 2), QStringList({"Probíhá komunikace.", "Probíhá komunikace.."}));
    }

    void screenshotsOfEveryOnlineWindow()
    {
        struct Kind {
            CatalogueKind kind;
            QString tree;
        };
        const Kind kinds[] = {
            {CatalogueKind::Thematic, "FOOD,-NÁPOJE,--ALKOHOLICKÉ NÁPOJE,--NEALKOHOLICKÉ NÁPOJE,HOME,-BYT,--NÁBYTEK"},
            {CatalogueKind::Textbooks, "Krok za krokem,-Úroveň A1,--Lekce 1 – Pozdravy"},
            {CatalogueKind::Fiction, "Lewis Carroll,-Alice,--Kapitola 1"},
        };
        for (const QSize screen : {QSize(1600, 1200), QSize(1366, 758)}) {
            for (int scheme = 0; scheme < 3; ++scheme) {
                OnlineProgram test(screen.width(), screen.height());
                test.program.schemeNumber = scheme;
                testing::writeBytes(test.temp.root() / "users", "jana\r\n");
                const QString suffix = QString("-%1-%2x%3").arg(scheme).arg(screen.width()).arg(screen.height());
                const auto fits = [&](QWidget& window, const QString& name) {
                    const QImage picture = testing::screenshot(window, name + suffix);
                    QVERIFY(picture.width() <= screen.width() && picture.height() <= screen.height());
                };

                OnlineServiceDialog service(test.program, nullptr);
                fits(service, "online-service");
                click(&service, choice::TextbookPackages);
                fits(service, "online-service-catalogue");
                // Each scheme shows another catalogue: its tree, bold above the packages, the fiction expanded.
                const Kind& kind = kinds[scheme];
                CatalogueDialog catalogueWindow(test.program, test.online, test.requests, kind.kind, nullptr);
                QVERIFY(catalogueWindow.fetch());
                QCOMPARE(describe(catalogueWindow.tree()), kind.tree);
                const QTreeWidgetItem* area = catalogueWindow.tree()->topLevelItem(0);
                QCOMPARE(area->isExpanded(), kind.kind == CatalogueKind::Fiction);
                QVERIFY(area->font(0).bold() && area->child(0)->font(0).bold() && !area->child(0)->child(0)->font(0).bold());
                catalogueWindow.tree()->expandAll();
                catalogueWindow.tree()->setCurrentItem(area->child(0)->child(0));
                fits(catalogueWindow, "online-catalogue");
                testing::writeBytes(test.temp.root() / "downbal", kDrinksDownload);
                SaveDownloadedDialog filingWindow(test.program, test.requests, nullptr, [](const std::string&) {});
                filingWindow.show();
                fits(filingWindow, "online-filing-choice");
                click(&filingWindow, filing::Manual);
                click(&filingWindow, filing::Continue);
                fits(filingWindow, "online-filing-package");
                test.dialogs.answerNext(true);
                filingWindow.reject();
                CommunicationDialog progress(test.program, test.online, {}, nullptr);
                fits(progress, "online-progress");
            }
        }
    }
};

}  // namespace lexivo

QTEST_MAIN(lexivo::OnlineWindowsTest)
#include "online_windows_test.moc"
