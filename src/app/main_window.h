#pragma once
// The main window: the current group, its packages with their word counts, the package
// commands, and the doors to every other window. It stays open for the whole run.

#include <QLabel>
#include <QListWidget>
#include <QWidget>

#include "app/app_window_requests.h"
#include "ui/project_addresses.h"
#include "editing/editing_session.h"
#include "ui/seams.h"
#include "online/online_session.h"

namespace lexivo {

struct Program;
struct TestSession;
class OwnerDrawnButton;
class TestConfigurationPanel;
class TestRunWindow;
enum class EditorStart;

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(Program& program, TestSession& tests, QWidget* parent = nullptr);
    // With other file, font and colour choosers than the desktop's (tests answer them).
    MainWindow(Program& program, TestSession& tests, DesktopChoosers& choosers);

    // Reads the configuration and the colour scheme, lists the groups and fills the window.
    void startUp();
    // The tip window, when the configuration asks for one at every start; after the window shows.
    void showStartTip();
    // Shows the window maximised on the work area; it covers the work area also where no window
    // manager maximises it, rather than taking the size of what it holds.
    void showOnWorkArea(const QRect& workArea);
    // Shows or hides the package area for the current group and refills the list.
    void refreshMainWindow();
    // Refills the list and selects `selectedRow`, or the last package when there are fewer.
    void fillPackageList(int selectedRow = 0);
    void updateWordCount();
    // Refills the list and selects the package of that name.
    void fillPackageListSelecting(const QString& package);
    // The session ends or the system stops the program: a running test is kept for resuming and
    // the current group remembered, without a window, since nobody may be there to answer one.
    void endSession();

    QString titleText() const;
    // Where the title is painted, and the banner it lies on.
    QRect titleArea() const;
    QFont titleFont() const;
    QRectF bannerRect() const;
    QListWidget* packageList() const { return packageList_; }
    TestConfigurationPanel* configurationPanel() const { return configurationPanel_; }
    TestRunWindow* testWindow() const { return testWindow_; }
    OnlineSession& onlineSession() { return online_; }
    EditingSession& editingSession() { return editing_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    MainWindow(Program& program, TestSession& tests, DesktopChoosers* choosers, QWidget* parent);
    OwnerDrawnButton* addButton(int id, const QString& text);
    void createControls();
    void layOutControls();
    void applyColours();
    void setPackageAreaVisible(bool visible);

    void deleteSelectedPackage();
    void print();
    // The package editor on the selected package; afterwards the list shows the package it ended on.
    void openPackageEditor(EditorStart start);
    void showPackageList();
    void showPackageArea();
    // The keyboard's place when nothing else is asked for: the package list, or without a group
    // "Skupiny balíčků", where the hint points.
    void focusPackageList();

    // "Test": resume a saved test or open the configuration for a new one.
    void startTestCommand();
    void openConfigurationPanel();
    void closeConfigurationPanel();
    void openTestWindow();
    void closeTestWindow();
    // Leaves a running test so that it can be resumed later.
    void breakOffTest();
    bool panelShown() const { return configurationPanel_ != nullptr || testWindow_ != nullptr; }
    void openWebAddress();
    // "Online zázemí", and the list following each package filed from a download.
    void onlineCommand();
    void followFiling(const std::string& filedPackage);
    void quitWithoutSaving();

    Program& program_;
    TestSession& tests_;
    QListWidget* packageList_ = nullptr;
    QLabel* caption_ = nullptr;
    QLabel* packageCount_ = nullptr;
    QLabel* wordCount_ = nullptr;
    OwnerDrawnButton* webLink_ = nullptr;
    AppWindowRequests requests_;
    QtDesktopChoosers desktopChoosers_;
    DesktopChoosers& choosers_;
    EditingSession editing_{choosers_};
    OnlineSession online_;
    TestConfigurationPanel* configurationPanel_ = nullptr;
    TestRunWindow* testWindow_ = nullptr;
    bool quitting_ = false;
};

}  // namespace lexivo
