// The windows under the offscreen platform: start-up with the largest collection to the first
// painted window, a confirmed answer to the next question on screen, the word transfer window
// moving 500 words and refilling its lists, a catalogue of 1000 packages fetched and shown, and a
// package of 1000 words downloaded and filed. Each against a floor that does the same work the
// plain way in the same run.

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

#include "bench_directory.h"
#include "app/main_window.h"
#include "durable_floor.h"
#include "editing/word_transfer_window.h"
#include "loopback_service.h"
#include "online/catalogue_dialog.h"
#include "online/download_files.h"
#include "online/save_downloaded_dialog.h"
#include "window_ratio_report.h"
#include "silent_desktop.h"
#include "store/file_io.h"
#include "test/test_files.h"
#include "test/test_run_window.h"
#include "test/test_session.h"
#include "ui/control_ids/word_transfer_window.h"
#include "ui/control_ids/online_catalogue_dialog.h"
#include "ui/control_ids/save_downloaded_dialog.h"
#include "ui/controls.h"
#include "ui/program.h"
#include "ui/window_requests.h"

namespace {

namespace fs = std::filesystem;
using namespace lexivo;
using namespace lexivo::bench;
using Clock = std::chrono::steady_clock;

// Message boxes would wait for a user: they are counted, and a run that shows one fails.
class CountingDialogs final : public Dialogs {
public:
    void showMessage(QWidget*, const Message&) override { ++shown; }
    bool askYesNo(QWidget*, const Message&) override { return ++shown, false; }
    int shown = 0;
};
// Agrees to every question: a download is asked for before it starts.
class AgreeingDialogs final : public Dialogs {
public:
    void showMessage(QWidget*, const Message& message) override { shown.push_back(message.text); }
    bool askYesNo(QWidget*, const Message&) override { return true; }
    std::vector<std::string> shown;
};

// A program directory for one benchmark, removed afterwards.
class ProgramDirectory {
public:
    ProgramDirectory()
    {
        root_ = bench::makeBenchDirectory();
    }
    ~ProgramDirectory() { fs::remove_all(root_); }
    ProgramDirectory(const ProgramDirectory&) = delete;
    ProgramDirectory& operator=(const ProgramDirectory&) = delete;

    DataTree tree() const { return DataTree(root_); }
    void writePackages(const std::string& group, int packages, int words) const
    {
        fs::create_directories(tree().temporaryDirectory(group));
        for (int package = 0; package < packages; ++package) {
            std::string bytes;
            for (int i = 0; i < words; ++i) {
                const std::string n = std::to_string(package) + "-" + std::to_string(i);
                // Appended piece by piece: GCC 12 warns wrongly about chained + on strings.
                for (const std::string& piece : {"word " + n, "|slovo " + n, "|An example with word " + n, std::string(".|4\r\n")}) {
                    bytes += piece;
                }
            }
            (void)writeFileAtomically(tree().packageFile(group, "Balíček " + std::to_string(package)),
                                      tree().packageFile(group, "slov"), bytes);
        }
    }

private:
    fs::path root_;
};

// The largest collection: 49 groups, the first with 481 packages of 20 words.
const ProgramDirectory& largestCollection()
{
    static const auto directory = [] {
        auto made = std::make_unique<ProgramDirectory>();
        for (int group = 1; group < 49; ++group) {
            fs::create_directories(made->tree().temporaryDirectory("Skupina " + std::to_string(group)));
        }
        made->writePackages("Skupina 0", 481, 20);
        return made;
    }();
    return *directory;
}

struct ProgramState {
    explicit ProgramState(const DataTree& tree) : program(tree, dialogs, shell, voice), tests(tree, program.random)
    {
        program.grid = DesignGrid(1600, 1200);
        program.config.autoSpeak = 0;
    }
    CountingDialogs dialogs;
    NoShell shell;
    SilentVoice voice;
    Program program;
    TestSession tests;
};

void StartUpToThePaintedWindow(benchmark::State& state)
{
    const ProgramDirectory& directory = largestCollection();
    for (auto _ : state) {
        ProgramState shared(directory.tree());
        MainWindow window(shared.program, shared.tests);
        window.startUp();
        window.resize(1600, 1200);
        window.show();
        benchmark::DoNotOptimize(window.grab());
        if (window.packageList()->count() != 481 || shared.dialogs.shown > 0) {
            state.SkipWithError("the collection did not load");
            return;
        }
    }
}
BENCHMARK(StartUpToThePaintedWindow)->UseRealTime()->Unit(benchmark::kMillisecond);

// What start-up cannot avoid: listing the groups and the packages, reading the first package,
// and painting a plain window of the same size.
void FloorListAndPaintThePackages(benchmark::State& state)
{
    const ProgramDirectory& directory = largestCollection();
    const DataTree tree = directory.tree();
    for (auto _ : state) {
        std::vector<std::string> names;
        for (const auto& root : {tree.dataRoot(), tree.groupDirectory("Skupina 0")}) {
            for (const auto& entry : fs::directory_iterator(root)) {
                names.push_back(entry.path().filename().string());
            }
        }
        benchmark::DoNotOptimize(readFileBytes(tree.packageFile("Skupina 0", "Balíček 0")));
        QWidget window;
        window.resize(1600, 1200);
        window.show();
        benchmark::DoNotOptimize(window.grab());
        benchmark::DoNotOptimize(names);
    }
}
BENCHMARK(FloorListAndPaintThePackages)->UseRealTime()->Unit(benchmark::kMillisecond);

// Closes each feedback window as soon as it shows and notes when: an answer is measured from
// there to the next question on screen, as the user waits for it.
class FeedbackCloser : public QObject {
public:
    FeedbackCloser() { qApp->installEventFilter(this); }
    ~FeedbackCloser() override { qApp->removeEventFilter(this); }
    Clock::time_point closed;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (auto* dialog = qobject_cast<QDialog*>(watched); dialog && event->type() == QEvent::Show) {
            QTimer::singleShot(0, dialog, [this, dialog] {
                closed = Clock::now();
                dialog->accept();
            });
        }
        return false;
    }
};

const ProgramDirectory& tenThousandWords()
{
    static const auto directory = [] {
        auto made = std::make_unique<ProgramDirectory>();
        made->writePackages("G", 10, 1000);
        return made;
    }();
    return *directory;
}

// Until all are right, every right answer rewrites the pool (the word leaves it) and the
// package (its coefficient drops), so every measured answer changes the files.
void AnswerToTheNextQuestionOnScreen(benchmark::State& state)
{
    ProgramState shared(tenThousandWords().tree());
    std::vector<std::string> packages;
    for (int package = 0; package < 10; ++package) {
        packages.push_back("Balíček " + std::to_string(package));
    }
    if (!shared.tests.engine.startTest("G", packages, TestSettings{}).ok()) {
        state.SkipWithError("the test did not start");
        return;
    }
    QWidget mainWindow;
    mainWindow.resize(1600, 1200);
    NoRequests requests;
    TestRunWindow run(shared.program, shared.tests, requests, &mainWindow);
    mainWindow.show();
    FeedbackCloser closer;
    Clock::time_point shown;
    QObject::connect(&run, &TestRunWindow::questionShown, [&shown] { shown = Clock::now(); });
    for (auto _ : state) {
        run.answerField()->setText(QString::fromStdString(shared.tests.engine.expectedText()));
        run.confirmAnswer();
        state.SetIterationTime(std::chrono::duration<double>(shown - closer.closed).count());
    }
    if (shared.dialogs.shown > 0) {
        state.SkipWithError("an answer was refused");
    }
}
BENCHMARK(AnswerToTheNextQuestionOnScreen)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

void writeAndSync(const fs::path& file, const std::string& bytes)
{
    const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    benchmark::DoNotOptimize(::write(descriptor, bytes.data(), bytes.size()));
    ::fsync(descriptor);
    ::close(descriptor);
}

// Writing the pool and one package once each, with fsync.
void FloorWritePoolAndPackage(benchmark::State& state)
{
    const DataTree tree = tenThousandWords().tree();
    RandomGenerator random(1);
    TestEngine engine(tree, random);
    (void)engine.startTest("G", {"Balíček 0", "Balíček 1", "Balíček 2", "Balíček 3", "Balíček 4", "Balíček 5",
                                 "Balíček 6", "Balíček 7", "Balíček 8", "Balíček 9"},
                           TestSettings{});
    const std::string pool = readFileBytes(tree.temporaryFile("G", kTestPoolName)).value();
    const std::string package = readFileBytes(tree.packageFile("G", "Balíček 0")).value();
    for (auto _ : state) {
        writeAndSync(tree.temporaryFile("G", "floor-pool"), pool);
        writeAndSync(tree.temporaryFile("G", "floor-package"), package);
    }
}
BENCHMARK(FloorWritePoolAndPackage)->UseRealTime()->Unit(benchmark::kMillisecond);

// Group "G" with "Velký", the largest package (1000 words), and the empty "Cíl".
const ProgramDirectory& transferPackages();
// The words of "Velký" as the directory was made.
const std::string& fullPackage()
{
    static const std::string bytes = readFileBytes(transferPackages().tree().packageFile("G", "Velký")).value();
    return bytes;
}

const ProgramDirectory& transferPackages()
{
    static const auto directory = [] {
        auto made = std::make_unique<ProgramDirectory>();
        made->writePackages("G", 1, kMaxWordsPerPackage);
        fs::rename(made->tree().packageFile("G", "Balíček 0"), made->tree().packageFile("G", "Velký"));
        (void)createEmptyFile(made->tree().packageFile("G", "Cíl"));
        return made;
    }();
    return *directory;
}

void choose(QWidget& window, int dropDown, const QString& text)
{
    auto* box = findControlAs<QComboBox>(&window, dropDown);
    box->setCurrentText(text);
    emit box->activated(box->currentIndex());
}

// Every other word of "Velký" into "Cíl": both files rewritten, both lists refilled and the
// selection restored, measured from the click to the window being ready again.
void TransferWindowMove500(benchmark::State& state)
{
    const DataTree tree = transferPackages().tree();
    const std::string& full = fullPackage();
    ProgramState shared(tree);
    shared.program.collection.listGroups();
    QWidget owner;
    owner.resize(1600, 1200);
    for (auto _ : state) {
        (void)writeFileAtomically(tree.packageFile("G", "Velký"), tree.packageFile("G", "slov"), full);
        (void)writeFileAtomically(tree.packageFile("G", "Cíl"), tree.packageFile("G", "slov"), "");
        WordTransferWindow window(shared.program, &owner, TransferMode::Transfer, {"Velký", {}});
        choose(window, word_transfer_window_control::RightPackage, "Cíl");
        QListWidget* words = window.wordList(Side::Left);
        QItemSelection everyOther;
        for (int row = 0; row < kMaxWordsPerPackage; row += 2) {
            everyOther.select(words->model()->index(row, 0), words->model()->index(row, 0));
        }
        words->selectionModel()->select(everyOther, QItemSelectionModel::ClearAndSelect);
        const auto start = Clock::now();
        window.press(TransferButton::MoveRight);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (window.wordList(Side::Right)->count() != 500 || shared.dialogs.shown > 0) {
            state.SkipWithError("the words did not move");
            return;
        }
    }
}
BENCHMARK(TransferWindowMove500)->UseManualTime()->Unit(benchmark::kMillisecond);

// Both lists show the 1000 words again in the other order: read, sorted and listed.
void TransferWindowRefillBothLists(benchmark::State& state)
{
    const DataTree tree = transferPackages().tree();
    (void)writeFileAtomically(tree.packageFile("G", "Velký"), tree.packageFile("G", "slov"), fullPackage());
    ProgramState shared(tree);
    shared.program.collection.listGroups();
    QWidget owner;
    owner.resize(1600, 1200);
    WordTransferWindow window(shared.program, &owner, TransferMode::Transfer, {"Velký", {}});
    int order = 0;
    for (auto _ : state) {
        order = 1 - order;
        for (int sort : {word_transfer_window_control::LeftSort, word_transfer_window_control::RightSort}) {
            auto* box = findControlAs<QComboBox>(&window, sort);
            box->setCurrentIndex(order);
            emit box->activated(order);
        }
        benchmark::DoNotOptimize(window.wordList(Side::Right)->count());
    }
}
BENCHMARK(TransferWindowRefillBothLists)->UseRealTime()->Unit(benchmark::kMillisecond);

// The two packages after the move, each written once, durably.
void FloorRewriteBothPackages(benchmark::State& state)
{
    const DataTree tree = transferPackages().tree();
    const std::string_view half(fullPackage().data(), fullPackage().size() / 2);
    for (auto _ : state) {
        bench::replaceDurably(tree.temporaryFile("G", "floor-source"), {half});
        bench::replaceDurably(tree.temporaryFile("G", "floor-target"), {half});
    }
}
BENCHMARK(FloorRewriteBothPackages)->UseRealTime()->Unit(benchmark::kMillisecond);
// The web service on loopback: the catalogue for typ 1, the package for typ 2.
const bench::LoopbackService& loopbackService()
{
    static const bench::LoopbackService service([](const std::string& request) {
        static const std::string catalogue = bench::catalogueOfAThousandPackages();
        static const std::string package = bench::packageOfAThousandWords();
        return request.find("typ=1&") != std::string::npos ? catalogue : package;
    });
    return service;
}

// The online windows over a plain main window, with the service on loopback.
struct OnlineState {
    explicit OnlineState(const DataTree& tree) : program(tree, dialogs, shell, voice)
    {
        program.grid = DesignGrid(1600, 1200);
        session.address.hostAndPort = loopbackService().hostAndPort();
        mainWindow.resize(1600, 1200);
        mainWindow.show();
    }
    AgreeingDialogs dialogs;
    NoShell shell;
    SilentVoice voice;
    NoRequests requests;
    Program program;
    OnlineSession session;
    QWidget mainWindow;
};

ServerRequest loopbackRequest(int typ)
{
    return ServerRequest{loopbackService().hostAndPort() + "/lx/komunikace/lxnettembal.php", typ, "1", {}, {}};
}

// From asking for the catalogue to the window painted with its tree of 1000 packages.
void CatalogueOfAThousandFetchedAndShown(benchmark::State& state)
{
    ProgramDirectory directory;
    OnlineState online(directory.tree());
    for (auto _ : state) {
        CatalogueDialog catalogue(online.program, online.session, online.requests, CatalogueKind::Thematic,
                                  &online.mainWindow);
        if (!catalogue.fetch() || catalogue.tree()->topLevelItemCount() != 10) {
            state.SkipWithError("the catalogue did not arrive");
            return;
        }
        catalogue.show();
        benchmark::DoNotOptimize(catalogue.grab());
    }
}
BENCHMARK(CatalogueOfAThousandFetchedAndShown)->UseRealTime()->Unit(benchmark::kMillisecond);

// The same reply received plainly, and a plain window of the same size painted.
void FloorReceiveCatalogueAndPaint(benchmark::State& state)
{
    for (auto _ : state) {
        benchmark::DoNotOptimize(sendServerRequest(loopbackRequest(1)));
        QWidget window;
        window.resize(700, 900);
        window.show();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(FloorReceiveCatalogueAndPaint)->UseRealTime()->Unit(benchmark::kMillisecond);

// From "Stáhnout vybrané" with one package of 1000 words ticked to the package filed and the
// filing dialog closed.
void ThousandWordsDownloadedAndFiled(benchmark::State& state)
{
    ProgramDirectory directory;
    OnlineState online(directory.tree());
    CatalogueDialog catalogue(online.program, online.session, online.requests, CatalogueKind::Thematic,
                              &online.mainWindow);
    if (!catalogue.fetch()) {
        state.SkipWithError("the catalogue did not arrive");
        return;
    }
    catalogue.tree()->topLevelItem(0)->child(0)->child(0)->setCheckState(0, Qt::Checked);
    const fs::path filed = directory.tree().packageFile("FOOD", "NÁPOJE - ALKOHOLICKÉ NÁPOJE");
    for (auto _ : state) {
        const auto start = Clock::now();
        findControlAs<QPushButton>(&catalogue, online_catalogue_dialog_control::Download)->click();
        SaveDownloadedDialog filing(online.program, online.requests, &online.mainWindow, [](const std::string&) {});
        findControlAs<QPushButton>(&filing, save_downloaded_dialog_control::Continue)->click();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (filing.isVisible() || !fs::exists(filed) || online.dialogs.shown.size() != 1) {
            state.SkipWithError("the package was not filed");
            return;
        }
        fs::remove(filed);
        online.dialogs.shown.clear();
    }
}
BENCHMARK(ThousandWordsDownloadedAndFiled)->UseManualTime()->Unit(benchmark::kMillisecond);

// The same reply received plainly, kept in a file and written as the package, both durably, and
// the kept file removed.
void FloorReceiveAndWriteThePackage(benchmark::State& state)
{
    ProgramDirectory directory;
    const fs::path kept = directory.tree().programFile("downbal");
    const fs::path package = directory.tree().programFile("package");
    for (auto _ : state) {
        const ServerReply reply = sendServerRequest(loopbackRequest(2));
        const std::string lines = packageReplyLines(reply.body.value_or(""), PackageReplyScope::AllPackages);
        bench::replaceDurably(kept, {lines});
        bench::replaceDurably(package, {std::string_view(lines).substr(lines.find('\n') + 1)});
        fs::remove(kept);
    }
}
BENCHMARK(FloorReceiveAndWriteThePackage)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return lexivo::bench::runWindowBenchmarksWithRatios(
        argc, argv,
        {{"StartUpToThePaintedWindow/real_time", "FloorListAndPaintThePackages/real_time"},
         {"AnswerToTheNextQuestionOnScreen/iterations:200/manual_time", "FloorWritePoolAndPackage/real_time"},
         {"TransferWindowMove500/manual_time", "FloorRewriteBothPackages/real_time"},
         {"TransferWindowRefillBothLists/real_time", "FloorRewriteBothPackages/real_time"},
         {"CatalogueOfAThousandFetchedAndShown/real_time", "FloorReceiveCatalogueAndPaint/real_time"},
         {"ThousandWordsDownloadedAndFiled/manual_time", "FloorReceiveAndWriteThePackage/real_time"}});
}
