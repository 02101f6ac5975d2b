#include "ui/control_behaviour.h"

#include <algorithm>
#include <vector>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include "ui/artwork.h"
#include "ui/button_font.h"
#include "ui/controls.h"

namespace lexivo {
namespace {

enum class ControlClass { None, Edit, Button, List, DropDown, Radio };

struct WindowControls {
    int kind;
    std::vector<int> edits;
    std::vector<int> buttons;
    std::vector<int> lists;
    std::vector<int> dropDowns;
    std::vector<int> radios;
};

const std::vector<WindowControls>& windowControls()
{
    static const std::vector<WindowControls> table = {
        {kTestRunWindow, {132}, {134, 169, 172, 245}, {}, {}, {}},
        {kGroupWindow, {96}, {2, 94, 97, 173}, {}, {93}, {}},
        {kMainWindow, {}, {2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 15, 218}, {100}, {}, {}},
        {kTestConfigurationWindow, {125}, {127, 130, 131, 158, 160, 171, 249, 253}, {}, {}, {126, 128, 129, 156, 157}},
        {kAboutWindow, {}, {11, 13, 89, 179}, {}, {}, {}},
        {kPackageEditorWindow, {107, 108, 113, 114, 241, 242}, {2, 109, 115, 116, 168, 180}, {103}, {7, 121, 251}, {}},
        {kRenameWindow, {118}, {1, 2}, {}, {}, {}},
        {kUnfinishedTestWindow, {}, {154, 155, 178}, {}, {}, {}},
        {kEvaluationWindow, {}, {159}, {}, {}, {}},
        {kTestInformationWindow, {}, {2}, {176}, {}, {}},
        {kExportWindow, {}, {2, 181, 184, 185, 193, 196, 198, 246}, {}, {195}, {190, 191}},
        {kAddPackageWindow, {204, 205}, {2, 201}, {}, {206, 207}, {202, 203}},
        {kTransferWindow, {}, {2, 234, 235, 236, 237, 247}, {214, 215}, {216, 217, 220, 221, 238, 239}, {}},
        {kSettingsWindow, {}, {2, 209, 224, 225, 226, 227, 256, 1254}, {}, {231}, {254, 255, 257}},
        {kTipsWindow, {}, {2, 208, 229}, {}, {}, {}},
        {kOnlineLoginWindow, {1282}, {1, 2, 1287}, {}, {1280}, {1274, 1277, 1278, 1279}},
        {kOnlineSavingWindow, {1290}, {}, {}, {}, {}},
    };
    return table;
}

enum class Trigger { Key, DoubleClick };
enum class Effect { Press, Focus };

// A window's own shortcut: on `trigger` (and `key`) in `control`, press or focus `target`.
struct ShortcutRule {
    int kind;
    int control;
    Trigger trigger;
    int key;
    Effect effect;
    int target;
};

const std::vector<ShortcutRule>& shortcutRules()
{
    static const std::vector<ShortcutRule> table = {
        {kMainWindow, 100, Trigger::DoubleClick, 0, Effect::Press, 8},
        {kMainWindow, 100, Trigger::Key, Qt::Key_Return, Effect::Press, 8},
        {kMainWindow, 100, Trigger::Key, Qt::Key_Delete, Effect::Press, 9},
        {kMainWindow, 100, Trigger::Key, Qt::Key_Tab, Effect::Focus, 5},
        {kTestRunWindow, 132, Trigger::Key, Qt::Key_Return, Effect::Press, 134},
        {kTestRunWindow, 132, Trigger::Key, Qt::Key_F1, Effect::Press, 245},
        {kTestRunWindow, 132, Trigger::Key, Qt::Key_Control, Effect::Press, 245},
        {kGroupWindow, 96, Trigger::Key, Qt::Key_Tab, Effect::Focus, 93},
        {kGroupWindow, 96, Trigger::Key, Qt::Key_Return, Effect::Press, 94},
        {kGroupWindow, 93, Trigger::Key, Qt::Key_Return, Effect::Press, 2},
        {kAddPackageWindow, 204, Trigger::Key, Qt::Key_Return, Effect::Press, 201},
        {kAddPackageWindow, 205, Trigger::Key, Qt::Key_Return, Effect::Press, 201},
        {kAddPackageWindow, 206, Trigger::Key, Qt::Key_Return, Effect::Press, 201},
        {kAddPackageWindow, 207, Trigger::Key, Qt::Key_Return, Effect::Press, 201},
        {kRenameWindow, 118, Trigger::Key, Qt::Key_Return, Effect::Press, 1},
        {kRenameWindow, 118, Trigger::Key, Qt::Key_Escape, Effect::Press, 2},
        {kTestInformationWindow, 176, Trigger::Key, Qt::Key_Return, Effect::Press, 2},
        {kTestInformationWindow, 176, Trigger::Key, Qt::Key_Escape, Effect::Press, 2},
        {kOnlineLoginWindow, 1282, Trigger::Key, Qt::Key_Return, Effect::Press, 1},
        {kOnlineLoginWindow, 1282, Trigger::Key, Qt::Key_Escape, Effect::Press, 2},
        {kOnlineLoginWindow, 1280, Trigger::Key, Qt::Key_Return, Effect::Press, 1},
    };
    return table;
}

QuickHelpHandler& quickHelpHandler()
{
    static QuickHelpHandler handler;
    return handler;
}

// Buttons that show the hand while the mouse is over them.
bool showsHand(int kind, int id)
{
    return id == 89 || id == 90 || id == 1287 || (kind == kMainWindow && id == 218);
}

class ControlBehaviour : public QObject {
public:
    ControlBehaviour(QWidget* window, int kind) : QObject(window), window_(window), kind_(kind) {}

    void attach(QWidget* control, ControlClass controlClass)
    {
        control->setProperty("controlClass", static_cast<int>(controlClass));
        control->installEventFilter(this);
        // Mouse events of a list arrive at its viewport.
        if (auto* scrollArea = qobject_cast<QAbstractScrollArea*>(control)) {
            scrollArea->viewport()->installEventFilter(this);
        }
        if (controlClass == ControlClass::Button && showsHand(kind_, controlId(control))) {
            control->setCursor(handCursor());
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* control = qobject_cast<QWidget*>(watched);
        if (control != nullptr && controlId(control) < 0 && control->parentWidget() != nullptr &&
            qobject_cast<QAbstractScrollArea*>(control->parentWidget())) {
            control = control->parentWidget();  // a list's viewport stands for the list
        }
        if (control == nullptr) {
            return false;
        }
        const auto controlClass = static_cast<ControlClass>(control->property("controlClass").toInt());
        const int id = controlId(control);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
                if (quickHelpHandler()) {
                    quickHelpHandler()(control);
                }
                return true;
            }
            return false;
        case QEvent::MouseButtonDblClick:
            return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton &&
                   runShortcut(id, Trigger::DoubleClick, 0);
        case QEvent::ShortcutOverride:
            // Keys this control handles itself must not be taken by window shortcuts first.
            if (controlClass != ControlClass::Radio) {
                event->accept();
            }
            return false;
        case QEvent::KeyPress:
            return keyPress(control, controlClass, id, static_cast<QKeyEvent*>(event));
        default:
            return false;
        }
    }

private:
    bool keyPress(QWidget* control, ControlClass controlClass, int id, QKeyEvent* key)
    {
        // The keypad's Enter is the same key as Return in every rule.
        if (runShortcut(id, Trigger::Key, key->key() == Qt::Key_Enter ? int(Qt::Key_Return) : key->key())) {
            return true;
        }
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        switch (controlClass) {
        case ControlClass::Button:
            if (enter) {
                static_cast<QAbstractButton*>(control)->click();
                return true;
            }
            if (key->key() == Qt::Key_Escape) {
                if (id == 2 || id == 179) {
                    static_cast<QAbstractButton*>(control)->click();
                }
                return true;
            }
            return tab;
        case ControlClass::Edit:
            return enter || tab;
        case ControlClass::List:
        case ControlClass::DropDown:
            return tab;  // these controls want all keys: Tab stays with them
        case ControlClass::Radio:
        case ControlClass::None:
            return false;
        }
        return false;
    }

    bool runShortcut(int id, Trigger trigger, int key)
    {
        for (const ShortcutRule& rule : shortcutRules()) {
            if (rule.kind != kind_ || rule.control != id || rule.trigger != trigger ||
                (trigger == Trigger::Key && rule.key != key)) {
                continue;
            }
            QWidget* target = findControl(window_, rule.target);
            if (target == nullptr) {
                return false;
            }
            if (rule.effect == Effect::Focus) {
                target->setFocus(Qt::TabFocusReason);
            } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
                button->click();
            }
            return true;
        }
        return false;
    }

    QWidget* window_;
    int kind_;
};

}  // namespace

void attachControlBehaviour(QWidget* window, int windowKind)
{
    const auto& table = windowControls();
    const auto entry = std::find_if(table.begin(), table.end(), [&](const WindowControls& w) { return w.kind == windowKind; });
    if (entry == table.end()) {
        return;
    }
    auto* behaviour = new ControlBehaviour(window, windowKind);
    const std::pair<const std::vector<int>*, ControlClass> classes[] = {
        {&entry->edits, ControlClass::Edit},         {&entry->buttons, ControlClass::Button},
        {&entry->lists, ControlClass::List},         {&entry->dropDowns, ControlClass::DropDown},
        {&entry->radios, ControlClass::Radio},
    };
    for (const auto& [ids, controlClass] : classes) {
        for (int id : *ids) {
            if (QWidget* control = findControl(window, id)) {
                behaviour->attach(control, controlClass);
            }
        }
    }
}

void setQuickHelpHandler(QuickHelpHandler handler) { quickHelpHandler() = std::move(handler); }

}  // namespace lexivo
