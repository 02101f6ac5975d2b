#pragma once
// Where the user chooses the packages and the kind of test, shown in the main window in
// place of the package list. START checks the choice and starts the test.

#include <vector>

#include <QWidget>

#include "store/result.h"
#include "test/test_state.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;

namespace lexivo {

struct Program;
struct TestSession;

class TestConfigurationPanel : public QWidget {
    Q_OBJECT
public:
    TestConfigurationPanel(Program& program, TestSession& tests, QWidget* mainWindow);

    // Keeps the settings as the group's test presets; called as the panel closes. Before the
    // presets have been read there is nothing of the user's to keep, and nothing is written.
    [[nodiscard]] Status savePresets() const;

    TestSettings settings() const;
    const std::vector<QCheckBox*>& packageBoxes() const { return boxes_; }
    QScrollBar* scrollBar() const { return scrollBar_; }
    QWidget* packageListWindow() const { return list_; }
    // The presets are read a moment after the panel opens.
    bool presetsApplied() const { return presetsApplied_; }

signals:
    // START passed its checks and the engine holds the new test.
    void testStarted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void fillPackageList();
    void applyPresets();
    void applySettings(const TestSettings& settings);
    void updateModeDependents();
    void updateSelectedCount();
    void paintBox(QCheckBox* box);
    void applyColours();
    void checkAllBoxes(Qt::CheckState state);
    void selectAsLastTime();
    void start();
    void scrollTo(int position);

    Program& program_;
    TestSession& tests_;
    QWidget* panel_ = nullptr;  // the scroll panel
    QWidget* list_ = nullptr;   // the window holding the boxes, moved by the scroll bar
    QScrollBar* scrollBar_ = nullptr;
    std::vector<QCheckBox*> boxes_;
    QLabel* selectedCount_ = nullptr;
    QLineEdit* count_ = nullptr;
    QButtonGroup* mode_ = nullptr;
    QButtonGroup* direction_ = nullptr;
    bool presetsApplied_ = false;
};

}  // namespace lexivo
