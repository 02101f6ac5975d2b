#include "ui/control_behaviour.h"

#include <algorithm>
#include <vector>

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWidget>

#include "ui/artwork.h"
#include "ui/button_font.h"
#include "ui/control_ids/about_dialog.h"
#include "ui/control_ids/add_package_dialog.h"
#include "ui/control_ids/evaluation_dialog.h"
#include "ui/control_ids/export_dialog.h"
#include "ui/control_ids/group_dialog.h"
#include "ui/control_ids/import_preview_dialog.h"
#include "ui/control_ids/main_window.h"
#include "ui/control_ids/online_choice_dialog.h"
#include "ui/control_ids/package_editor.h"
#include "ui/control_ids/rename_dialog.h"
#include "ui/control_ids/resume_dialog.h"
#include "ui/control_ids/save_downloaded_dialog.h"
#include "ui/control_ids/settings_dialog.h"
#include "ui/control_ids/shared.h"
#include "ui/control_ids/test_configuration_panel.h"
#include "ui/control_ids/test_information_dialog.h"
#include "ui/control_ids/test_run_window.h"
#include "ui/control_ids/tips_dialog.h"
#include "ui/control_ids/voice_dialog.h"
#include "ui/control_ids/word_transfer_window.h"
#include "ui/controls.h"

namespace lexivo {
namespace {

enum class ControlClass { None, Edit, Button, List, DropDown, Radio };

namespace mainWindow = main_window_control;
namespace run = test_run_window_control;
namespace configuration = test_configuration_panel_control;
namespace group = group_dialog_control;
namespace about = about_dialog_control;
namespace editor = package_editor_control;
namespace renaming = rename_dialog_control;
namespace resume = resume_dialog_control;
namespace information = test_information_dialog_control;
namespace evaluation = evaluation_dialog_control;
namespace exporting = export_dialog_control;
namespace adding = add_package_dialog_control;
namespace transfer = word_transfer_window_control;
namespace settings = settings_dialog_control;
namespace tips = tips_dialog_control;
namespace choice = online_choice_dialog_control;
namespace voice = voice_dialog_control;

struct WindowControls {
    WindowKind kind;
    std::vector<int> edits{};
    std::vector<int> buttons{};
    std::vector<int> lists{};
    std::vector<int> dropDowns{};
    std::vector<int> radios{};
};

const std::vector<WindowControls>& windowControls()
{
    static const std::vector<WindowControls> table = {
        {WindowKind::TestRun, {run::Answer}, {run::Confirm, run::PackageOfRemaining, run::ShowSettings, run::Question}},
        {WindowKind::Group,
         {group::NewGroupName},
         {group::Ok, group::AddGroup, group::DeleteGroup, group::RenameGroup},
         {},
         {group::GroupList}},
        {WindowKind::Main,
         {},
         {mainWindow::Quit, mainWindow::About, mainWindow::Groups, mainWindow::AddPackage, mainWindow::Test, mainWindow::ManagePackages, mainWindow::EditPackage,
          mainWindow::DeletePackage, mainWindow::Rename, mainWindow::TransferWords, mainWindow::Settings, mainWindow::Online, mainWindow::WebLink},
         {mainWindow::PackageList}},
        {WindowKind::TestConfiguration,
         {configuration::QuestionCount},
         {configuration::Start, configuration::SelectAll, configuration::SelectNone, configuration::NoRepeat,
          configuration::AsLastTime, configuration::CaseSensitive, configuration::ByCoefficient,
          configuration::LockCoefficients},
         {},
         {},
         {configuration::EnglishShown, configuration::CzechShown, configuration::RandomDirection,
          configuration::FixedCount, configuration::UntilAllRight}},
        {WindowKind::About, {}, {about::ShowManual, about::ShowTip, about::ProjectLink, about::Ok}},
        {WindowKind::PackageEditor,
         {editor::NewCzech, editor::NewEnglish, editor::ChangedCzech, editor::ChangedEnglish, editor::NewExample,
          editor::ChangedExample},
         {editor::Ok, editor::Add, editor::Change, editor::Delete, editor::DeleteSelected, editor::Print},
         {editor::WordList},
         {editor::OtherPackage, editor::SortOrder, editor::Knowledge}},
        {WindowKind::Rename, {renaming::NewName}, {renaming::Ok, renaming::Cancel}},
        {WindowKind::UnfinishedTest, {}, {resume::Forget, resume::Continue, resume::MoreInformation}},
        {WindowKind::Evaluation, {}, {evaluation::Ok}},
        {WindowKind::TestInformation, {}, {information::Ok}, {information::PackageList}},
        {WindowKind::Export,
         {},
         {exporting::Cancel, exporting::Continue, exporting::SeparatingLine, exporting::NumberWords,
          exporting::HideCzech, exporting::ChangeFont, exporting::ChangeBackground, exporting::ShowExamples},
         {},
         {exporting::Format},
         {exporting::EnglishFirst, exporting::CzechFirst}},
        {WindowKind::AddPackage,
         {adding::NewName, adding::CopyName},
         {adding::Cancel, adding::Ok},
         {},
         {adding::SourceGroup, adding::SourcePackage},
         {adding::CreateNew, adding::TakeOver, adding::ImportFromFile}},
        {WindowKind::WordTransfer,
         {},
         {transfer::Ok, transfer::MoveRight, transfer::MoveLeft, transfer::CopyRight, transfer::CopyLeft,
          transfer::Delete},
         {transfer::LeftWords, transfer::RightWords},
         {transfer::LeftPackage, transfer::RightPackage, transfer::LeftGroup, transfer::RightGroup, transfer::LeftSort,
          transfer::RightSort}},
        {WindowKind::Settings,
         {},
         {settings::Ok, settings::TypingColours, settings::ShowPackageName, settings::ShowLanguageIcon,
          settings::Unlisted, settings::AllowExample, settings::AutoSpeak, settings::SpeechSettings},
         {},
         {settings::Scheme},
         {settings::SpeechEngine, settings::SpeechClipboard, settings::SpeechNever}},
        {WindowKind::Tips, {}, {tips::Ok, tips::NextTip, tips::ShowAtStart}},
        // Our own voice chooser keeps Qt's keys (Tab moves on): only the right click is added.
        {WindowKind::Voice,
         {},
         {},
         {},
         {},
         {voice::Engine, voice::VoiceList, voice::Rate, voice::Try, voice::Ok, voice::Cancel}},
        {WindowKind::OnlineChoice,
         {choice::Password},
         {choice::Ok, choice::Cancel, choice::GuideLink},
         {},
         {choice::UserName},
         {choice::Store, choice::ThematicPackages, choice::TextbookPackages, choice::FictionPackages}},
        {WindowKind::SaveDownloaded, {save_downloaded_dialog_control::Group}},
        // The import preview keeps Qt's keys too: Tab goes through all its controls.
        {WindowKind::ImportPreview,
         {},
         {},
         {},
         {},
         {import_preview_dialog_control::PackageName, import_preview_dialog_control::Encoding,
          import_preview_dialog_control::Separator, import_preview_dialog_control::FirstRowIsHeader,
          import_preview_dialog_control::EnglishColumn, import_preview_dialog_control::CzechColumn,
          import_preview_dialog_control::ExampleColumn, import_preview_dialog_control::LevelColumn,
          import_preview_dialog_control::PreviewTable, import_preview_dialog_control::ProblemList,
          import_preview_dialog_control::CutLongFields, import_preview_dialog_control::KeepDuplicates,
          import_preview_dialog_control::Ok, import_preview_dialog_control::Cancel}},
    };
    return table;
}

enum class Trigger { Key, DoubleClick };
enum class Effect { Press, PressIfShown, Focus };

// A window's own shortcut: on `trigger` (and `key`) in `control`, press or focus `target`.
struct ShortcutRule {
    WindowKind kind;
    int control;
    Trigger trigger;
    int key;
    Effect effect;
    int target;
};

const std::vector<ShortcutRule>& shortcutRules()
{
    constexpr auto key = Trigger::Key;
    constexpr auto press = Effect::Press;
    static const std::vector<ShortcutRule> table = {
        {WindowKind::Main, mainWindow::PackageList, Trigger::DoubleClick, 0, press, mainWindow::EditPackage},
        {WindowKind::Main, mainWindow::PackageList, key, Qt::Key_Return, press, mainWindow::EditPackage},
        {WindowKind::Main, mainWindow::PackageList, key, Qt::Key_Delete, press, mainWindow::DeletePackage},
        {WindowKind::Main, mainWindow::PackageList, key, Qt::Key_Tab, Effect::Focus, mainWindow::AddPackage},
        {WindowKind::TestRun, run::Answer, key, Qt::Key_Return, press, run::Confirm},
        {WindowKind::TestRun, run::Answer, key, Qt::Key_F1, press, run::Question},
        {WindowKind::TestRun, run::Answer, key, Qt::Key_Control, press, run::Question},
        {WindowKind::Group, group::NewGroupName, key, Qt::Key_Tab, Effect::Focus, group::GroupList},
        {WindowKind::Group, group::NewGroupName, key, Qt::Key_Return, press, group::AddGroup},
        {WindowKind::Group, group::GroupList, key, Qt::Key_Return, press, group::Ok},
        {WindowKind::AddPackage, adding::NewName, key, Qt::Key_Return, press, adding::Ok},
        {WindowKind::AddPackage, adding::CopyName, key, Qt::Key_Return, press, adding::Ok},
        {WindowKind::AddPackage, adding::SourceGroup, key, Qt::Key_Return, press, adding::Ok},
        {WindowKind::AddPackage, adding::SourcePackage, key, Qt::Key_Return, press, adding::Ok},
        {WindowKind::AddPackage, adding::ImportFromFile, key, Qt::Key_Return, press, adding::Ok},
        {WindowKind::Rename, renaming::NewName, key, Qt::Key_Return, press, renaming::Ok},
        {WindowKind::Rename, renaming::NewName, key, Qt::Key_Escape, press, renaming::Cancel},
        // Any key that commands the evaluation closes it, Esc too.
        {WindowKind::Evaluation, evaluation::Ok, key, Qt::Key_Escape, press, evaluation::Ok},
        {WindowKind::TestInformation, information::PackageList, key, Qt::Key_Return, press, information::Ok},
        {WindowKind::TestInformation, information::PackageList, key, Qt::Key_Escape, press, information::Ok},
        {WindowKind::OnlineChoice, choice::Password, key, Qt::Key_Return, press, choice::Ok},
        {WindowKind::OnlineChoice, choice::Password, key, Qt::Key_Escape, press, choice::Cancel},
        {WindowKind::OnlineChoice, choice::UserName, key, Qt::Key_Return, press, choice::Ok},
        // The package editor: Tab goes round each word's three fields, Enter adds or changes.
        {WindowKind::PackageEditor, editor::NewEnglish, key, Qt::Key_Tab, Effect::Focus, editor::NewCzech},
        {WindowKind::PackageEditor, editor::NewCzech, key, Qt::Key_Tab, Effect::Focus, editor::NewExample},
        {WindowKind::PackageEditor, editor::NewExample, key, Qt::Key_Tab, Effect::Focus, editor::NewEnglish},
        {WindowKind::PackageEditor, editor::ChangedEnglish, key, Qt::Key_Tab, Effect::Focus, editor::ChangedCzech},
        {WindowKind::PackageEditor, editor::ChangedCzech, key, Qt::Key_Tab, Effect::Focus, editor::ChangedExample},
        {WindowKind::PackageEditor, editor::ChangedExample, key, Qt::Key_Tab, Effect::Focus, editor::ChangedEnglish},
        {WindowKind::PackageEditor, editor::Add, key, Qt::Key_Tab, Effect::Focus, editor::NewEnglish},
        {WindowKind::PackageEditor, editor::Change, key, Qt::Key_Tab, Effect::Focus, editor::ChangedEnglish},
        {WindowKind::PackageEditor, editor::NewEnglish, key, Qt::Key_Return, press, editor::Add},
        {WindowKind::PackageEditor, editor::NewCzech, key, Qt::Key_Return, press, editor::Add},
        {WindowKind::PackageEditor, editor::NewExample, key, Qt::Key_Return, press, editor::Add},
        {WindowKind::PackageEditor, editor::ChangedEnglish, key, Qt::Key_Return, press, editor::Change},
        {WindowKind::PackageEditor, editor::ChangedCzech, key, Qt::Key_Return, press, editor::Change},
        {WindowKind::PackageEditor, editor::ChangedExample, key, Qt::Key_Return, press, editor::Change},
        {WindowKind::PackageEditor, editor::Knowledge, key, Qt::Key_Return, press, editor::Change},
        {WindowKind::PackageEditor, editor::WordList, Trigger::DoubleClick, 0, Effect::Focus, editor::ChangedEnglish},
        {WindowKind::PackageEditor, editor::WordList, key, Qt::Key_Return, Effect::Focus, editor::ChangedEnglish},
        {WindowKind::PackageEditor, editor::WordList, key, Qt::Key_Tab, Effect::Focus, editor::NewEnglish},
        // Delete presses whichever of the two delete buttons the selection shows.
        {WindowKind::PackageEditor, editor::WordList, key, Qt::Key_Delete, Effect::PressIfShown, editor::Delete},
        {WindowKind::PackageEditor, editor::WordList, key, Qt::Key_Delete, Effect::PressIfShown, editor::DeleteSelected},
        {WindowKind::OnlineChoice, choice::Password, key, Qt::Key_Tab, Effect::Focus, choice::UserName},
        {WindowKind::OnlineChoice, choice::UserName, key, Qt::Key_Tab, Effect::Focus, choice::Password},
    };
    return table;
}

QuickHelpHandler* currentQuickHelpHandler = nullptr;

// Buttons that show the hand while the mouse is over them.
bool showsHand(WindowKind kind, int id)
{
    return id == about::ProjectLink || id == about::ContactLink || id == choice::GuideLink ||
           (kind == WindowKind::Main && id == mainWindow::WebLink);
}

class ControlBehaviour : public QObject {
public:
    ControlBehaviour(QWidget* window, WindowKind kind, QuickHelpStateSource state)
        : QObject(window), window_(window), kind_(kind), state_(std::move(state))
    {
    }

    void attach(QWidget* control, ControlClass controlClass)
    {
        control->setProperty("controlClass", static_cast<int>(controlClass));
        control->installEventFilter(this);
        // Mouse events of a list arrive at its viewport, keys of an editable drop-down at its edit field.
        if (auto* scrollArea = qobject_cast<QAbstractScrollArea*>(control)) {
            scrollArea->viewport()->installEventFilter(this);
        }
        if (auto* dropDown = qobject_cast<QComboBox*>(control); dropDown && dropDown->lineEdit()) {
            dropDown->lineEdit()->installEventFilter(this);
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
            control->parentWidget()->property("controlClass").isValid()) {
            control = control->parentWidget();  // the viewport or edit field stands for its control
        }
        if (control == nullptr) {
            return false;
        }
        const auto controlClass = static_cast<ControlClass>(control->property("controlClass").toInt());
        const int id = controlId(control);
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
                if (currentQuickHelpHandler != nullptr) {
                    currentQuickHelpHandler->showQuickHelp(control, kind_, state_ ? state_() : QuickHelpState{});
                }
                return true;
            }
            return false;
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton && controlClass == ControlClass::Edit &&
                currentQuickHelpHandler != nullptr) {
                currentQuickHelpHandler->closeQuickHelp();
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
                if (id == shared_control::Close || id == about::Ok) {
                    static_cast<QAbstractButton*>(control)->click();
                }
                return true;
            }
            return tab;
        case ControlClass::Edit:
            return enter || tab;
        case ControlClass::List:
        case ControlClass::DropDown:
            // These controls want all keys: Tab stays with them, and Esc does nothing (it must
            // not end the window, let alone the program).
            return tab || key->key() == Qt::Key_Escape;
        case ControlClass::Radio:
        case ControlClass::None:
            return false;
        }
        return false;
    }

    bool runShortcut(int id, Trigger trigger, int key)
    {
        bool ran = false;
        for (const ShortcutRule& rule : shortcutRules()) {
            if (rule.kind != kind_ || rule.control != id || rule.trigger != trigger ||
                (trigger == Trigger::Key && rule.key != key)) {
                continue;
            }
            QWidget* target = findControl(window_, rule.target);
            if (target == nullptr) {
                return false;
            }
            if (rule.effect == Effect::PressIfShown && !target->isVisibleTo(window_)) {
                ran = true;  // the key is taken; a later rule may press another button
                continue;
            }
            if (rule.effect == Effect::Focus) {
                target->setFocus(Qt::TabFocusReason);
            } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
                button->click();
            }
            return true;
        }
        return ran;
    }

    QWidget* window_;
    WindowKind kind_;
    QuickHelpStateSource state_;
};

}  // namespace

void attachControlBehaviour(QWidget* window, WindowKind windowKind, QuickHelpStateSource state)
{
    const auto& table = windowControls();
    const auto entry = std::find_if(table.begin(), table.end(), [&](const WindowControls& w) { return w.kind == windowKind; });
    if (entry == table.end()) {
        return;
    }
    auto* behaviour = new ControlBehaviour(window, windowKind, std::move(state));
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

void setQuickHelpHandler(QuickHelpHandler* handler) { currentQuickHelpHandler = handler; }

QuickHelpHandler* quickHelpHandler() { return currentQuickHelpHandler; }

}  // namespace lexivo
