#include "ui/button_font.h"

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "ui/control_ids/about_dialog.h"
#include "ui/control_ids/add_package_dialog.h"
#include "ui/control_ids/evaluation_dialog.h"
#include "ui/control_ids/export_dialog.h"
#include "ui/control_ids/main_window.h"
#include "ui/control_ids/online_catalogue_dialog.h"
#include "ui/control_ids/online_choice_dialog.h"
#include "ui/control_ids/package_editor.h"
#include "ui/control_ids/rename_dialog.h"
#include "ui/control_ids/save_downloaded_dialog.h"
#include "ui/control_ids/settings_dialog.h"
#include "ui/control_ids/shared.h"
#include "ui/control_ids/test_configuration_panel.h"
#include "ui/control_ids/test_run_window.h"
#include "ui/control_ids/tips_dialog.h"

namespace lexivo {
namespace {

// A height in pixels, or in grid units scaled vertically.
struct Height {
    int value;
    bool grid;

    int pixels(const DesignGrid& g) const { return grid ? g.y(value) : value; }
};
constexpr Height px(int value) { return {value, false}; }
constexpr Height gridY(int value) { return {value, true}; }

enum class KindMatch { Any, Only, AllBut };

struct Rule {
    KindMatch match;
    WindowKind kind;
    std::vector<int> controls;  // empty: any control
    Height height;
    // On screens at most this wide the narrow height applies instead.
    int narrowWidth = 0;
    Height narrow{};

    bool matches(WindowKind windowKind, int controlId) const
    {
        const bool kindMatches = match == KindMatch::Any || (match == KindMatch::Only) == (windowKind == kind);
        const bool controlMatches =
            controls.empty() || std::find(controls.begin(), controls.end(), controlId) != controls.end();
        return kindMatches && controlMatches;
    }
    Rule narrowUpTo(int width, Height height) &&
    {
        narrowWidth = width;
        narrow = height;
        return std::move(*this);
    }
};

Rule only(WindowKind kind, std::initializer_list<int> controls, Height height)
{
    return {KindMatch::Only, kind, controls, height};
}
Rule allBut(WindowKind kind, std::initializer_list<int> controls, Height height)
{
    return {KindMatch::AllBut, kind, controls, height};
}
Rule anyKind(std::initializer_list<int> controls, Height height)
{
    return {KindMatch::Any, WindowKind::Main, controls, height};
}

// In order: a later rule overrides an earlier one.
const std::vector<Rule>& rules()
{
    namespace editor = package_editor_control;
    namespace configuration = test_configuration_panel_control;
    namespace catalogue = online_catalogue_dialog_control;
    namespace saving = save_downloaded_dialog_control;
    static const std::vector<Rule> table = {
        only(WindowKind::Group, {}, px(18)),
        anyKind({editor::DeleteSelected}, px(22)),
        anyKind({editor::Add, editor::Change}, px(26)),
        only(WindowKind::About, {}, px(17)),
        allBut(WindowKind::Main,
               {shared_control::Ok, shared_control::Close, test_run_window_control::Confirm,
                evaluation_dialog_control::Ok, about_dialog_control::Ok},
               gridY(50)),
        only(WindowKind::Rename, {}, px(36)),
        only(WindowKind::Rename, {rename_dialog_control::Cancel}, px(17)),
        anyKind({test_run_window_control::PackageOfRemaining, test_run_window_control::ShowSettings}, gridY(21)),
        only(WindowKind::UnfinishedTest, {}, px(18)),
        only(WindowKind::TestInformation, {}, px(25)),
        only(WindowKind::PackageEditor, {editor::Print}, px(17)),
        only(WindowKind::PackageEditor, {editor::Delete}, px(23)),
        only(WindowKind::Export, {}, px(15)),
        only(WindowKind::Export, {export_dialog_control::Continue}, px(22)),
        only(WindowKind::AddPackage, {}, px(16)),
        only(WindowKind::AddPackage, {add_package_dialog_control::Ok}, px(32)),
        only(WindowKind::Main, {main_window_control::TransferWords}, gridY(19)).narrowUpTo(900, gridY(24)),
        only(WindowKind::Tips, {}, px(34)),
        only(WindowKind::Tips, {tips_dialog_control::NextTip}, px(22)),
        anyKind({configuration::SelectAll, configuration::SelectNone, configuration::AsLastTime}, gridY(23))
            .narrowUpTo(1499, gridY(25)),
        anyKind({configuration::Start}, gridY(37)).narrowUpTo(899, gridY(50)),
        anyKind({settings_dialog_control::SpeechSettings}, px(13)),
        only(WindowKind::OnlineChoice, {}, px(16)),
        only(WindowKind::OnlineChoice, {online_choice_dialog_control::Ok}, px(32)),
        only(WindowKind::OnlineCatalogue, {catalogue::Cancel}, px(17)),
        only(WindowKind::OnlineCatalogue, {catalogue::Download}, px(21)),
        only(WindowKind::OnlineCatalogue, {catalogue::Preview}, px(19)),
        only(WindowKind::SaveDownloaded, {saving::Cancel, saving::ChangeGroup}, px(17)),
        only(WindowKind::SaveDownloaded, {saving::Continue}, px(23)),
        only(WindowKind::Voice, {}, px(17)),
        only(WindowKind::ImportPreview, {}, px(16)),
        only(WindowKind::ImportPreview, {shared_control::Ok}, px(32)),
    };
    return table;
}

}  // namespace

bool isLargeWindow(WindowKind kind)
{
    return kind == WindowKind::TestRun || kind == WindowKind::Main || kind == WindowKind::TestConfiguration;
}

int bitmapButtonTextHeight(WindowKind kind, int controlId, const DesignGrid& grid)
{
    int height = grid.y(33);
    for (const Rule& rule : rules()) {
        if (rule.matches(kind, controlId)) {
            const bool narrow = rule.narrowWidth > 0 && grid.screenW() <= rule.narrowWidth;
            height = (narrow ? rule.narrow : rule.height).pixels(grid);
        }
    }
    return height;
}

}  // namespace lexivo
