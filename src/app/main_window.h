#pragma once
// The main window: the current group, its packages with their word counts, the package
// commands, and the doors to every other window. It stays open for the whole run.

#include <QLabel>
#include <QListWidget>
#include <QWidget>

#include "app/app_window_requests.h"

namespace lexivo {

struct Program;
struct TestSession;
class OwnerDrawnButton;
class TestConfigurationPanel;
class TestRunWindow;

inline constexpr const char* kProjectAddress = "http://www.lexivo.cz";

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(Program& program, TestSession& tests, QWidget* parent = nullptr);

    // Reads the configuration and the colour scheme, lists the groups and fills the window.
    void startUp();
    // Shows the window maximised on the work area; it covers the work area also where no window
    // manager maximises it, rather than taking the size of what it holds.
    void showOnWorkArea(const QRect& workArea);
    // Shows or hides the package area for the current group and refills the list.
    void refreshMainWindow();
    // Refills the list and selects `selectedRow`, or the last package when there are fewer.
    void fillPackageList(int selectedRow = 0);
    void updateWordCount();

    QString titleText() const;
    // Where the title is painted, and the banner it lies on.
    QRect titleArea() const;
    QFont titleFont() const;
    QRectF bannerRect() const;
    QListWidget* packageList() const { return packageList_; }
    TestConfigurationPanel* configurationPanel() const { return configurationPanel_; }
    TestRunWindow* testWindow() const { return testWindow_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    OwnerDrawnButton* addButton(int id, const QString& text);
    void createControls();
    void layOutControls();
    void applyColours();
    void setPackageAreaVisible(bool visible);

    void deleteSelectedPackage();
    void print();
    void showPackageList();
    void showPackageArea();

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
    void quitWithoutSaving();

    Program& program_;
    TestSession& tests_;
    QListWidget* packageList_ = nullptr;
    QLabel* caption_ = nullptr;
    QLabel* packageCount_ = nullptr;
    QLabel* wordCount_ = nullptr;
    OwnerDrawnButton* webLink_ = nullptr;
    AppWindowRequests requests_;
    TestConfigurationPanel* configurationPanel_ = nullptr;
    TestRunWindow* testWindow_ = nullptr;
    bool quitting_ = false;
};

}  // namespace lexivo
