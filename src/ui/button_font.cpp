#include "ui/button_font.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace lexivo {
namespace {

constexpr int kAny = -1;

// A height in pixels, or in grid units scaled vertically.
struct Height {
    int value;
    bool grid;

    int pixels(const DesignGrid& g) const { return grid ? g.y(value) : value; }
};
constexpr Height px(int value) { return {value, false}; }
constexpr Height gridY(int value) { return {value, true}; }

struct Rule {
    int kind = kAny;
    bool anyKindBut = false;  // the rule applies to every kind except `kind`
    std::vector<int> controls;  // empty: any control
    Height height;
    // On screens at most this wide the narrow height applies instead.
    int narrowUpTo = 0;
    Height narrow{};

    bool matches(int windowKind, int controlId) const
    {
        const bool kindMatches = kind == kAny || (anyKindBut ? windowKind != kind : windowKind == kind);
        const bool controlMatches =
            controls.empty() || std::find(controls.begin(), controls.end(), controlId) != controls.end();
        return kindMatches && controlMatches;
    }
};

// In order: a later rule overrides an earlier one.
const std::vector<Rule>& rules()
{
    static const std::vector<Rule> table = {
        {kGroupWindow, false, {}, px(18)},
        {kAny, false, {168}, px(22)},
        {kAny, false, {109, 115}, px(26)},
        {kAboutWindow, false, {}, px(17)},
        {kMainWindow, true, {1, 2, 134, 159, 179}, gridY(50)},
        {kRenameWindow, false, {}, px(36)},
        {kRenameWindow, false, {2}, px(17)},
        {kAny, false, {169, 172}, gridY(21)},
        {kUnfinishedTestWindow, false, {}, px(18)},
        {kTestInformationWindow, false, {}, px(25)},
        {kPackageEditorWindow, false, {180}, px(17)},
        {kPackageEditorWindow, false, {116}, px(23)},
        {kExportWindow, false, {}, px(15)},
        {kExportWindow, false, {181}, px(22)},
        {kAddPackageWindow, false, {}, px(16)},
        {kAddPackageWindow, false, {201}, px(32)},
        {kMainWindow, false, {12}, gridY(19), 900, gridY(24)},
        {kTipsWindow, false, {}, px(34)},
        {kTipsWindow, false, {208}, px(22)},
        {kAny, false, {130, 131, 160}, gridY(23), 1499, gridY(25)},
        {kAny, false, {127}, gridY(37), 899, gridY(50)},
        {kAny, false, {1254}, px(13)},
        {kOnlineLoginWindow, false, {}, px(16)},
        {kOnlineLoginWindow, false, {1}, px(32)},
        {kOnlineCatalogueWindow, false, {2}, px(17)},
        {kOnlineCatalogueWindow, false, {1}, px(21)},
        {kOnlineCatalogueWindow, false, {1285}, px(19)},
        {kOnlineSavingWindow, false, {2, 1286}, px(17)},
        {kOnlineSavingWindow, false, {1}, px(23)},
    };
    return table;
}

}  // namespace

bool isLargeWindow(int kind)
{
    return kind == kTestRunWindow || kind == kMainWindow || kind == kTestConfigurationWindow;
}

int bitmapButtonTextHeight(int kind, int controlId, const DesignGrid& grid)
{
    int height = grid.y(33);
    for (const Rule& rule : rules()) {
        if (rule.matches(kind, controlId)) {
            const bool narrow = rule.narrowUpTo > 0 && grid.screenW() <= rule.narrowUpTo;
            height = (narrow ? rule.narrow : rule.height).pixels(grid);
        }
    }
    return height;
}

}  // namespace lexivo
