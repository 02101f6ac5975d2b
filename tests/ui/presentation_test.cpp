#include <gtest/gtest.h>

#include "ui/button_font.h"
#include "ui/control_ids/evaluation_dialog.h"
#include "ui/control_ids/group_dialog.h"
#include "ui/control_ids/main_window.h"
#include "ui/control_ids/package_editor.h"
#include "ui/control_ids/rename_dialog.h"
#include "ui/control_ids/save_downloaded_dialog.h"
#include "ui/control_ids/test_configuration_panel.h"
#include "ui/colour_scheme.h"
#include "ui/design_grid.h"

namespace lexivo {
namespace {

TEST(DesignGrid, ScalesInTwoStepsAndKeepsABandFreeAtTheBottom)
{
    const DesignGrid narrow(800, 600);
    EXPECT_EQ(narrow.x(0), 0);
    EXPECT_EQ(narrow.y(0), 0);
    EXPECT_EQ(narrow.x(22), 10);  // not 11, as 800 × 22 ÷ 1600 would give
    EXPECT_EQ(narrow.x(1600), 800);
    EXPECT_EQ(DesignGrid(1366, 758).y(45), 28);
    EXPECT_EQ(DesignGrid::fromWorkArea(1600, 1200).screenH(), 1190);
    EXPECT_EQ(DesignGrid::fromWorkArea(1366, 768).screenH(), 762);
    EXPECT_EQ(DesignGrid::fromWorkArea(1366, 768).screenW(), 1366);
}

TEST(ColourScheme, HoldsTheThreeSchemesAndIsReadFromTheColourFile)
{
    EXPECT_EQ(colourScheme(kSchemeCream).panelFrame(), rgb(0xD3CBC6));
    // In the grey scheme the main window and its panels share one colour.
    EXPECT_EQ(colourScheme(kSchemeGrey).mainColour, colourScheme(kSchemeGrey).panelColour);
    EXPECT_EQ(colourScheme(kSchemeGrey).panelColour.shifted(60), rgb(0xBEBEBE));
    EXPECT_EQ(colourScheme(kSchemeCream).titleText(), rgb(0x8B510A));
    EXPECT_EQ(rgb(0x101010).shifted(-20), rgb(0x000000));
    EXPECT_EQ(colourScheme(7).number, kSchemeCream);
    EXPECT_EQ(schemeFromColourFile("0"), kSchemeBlue);
    EXPECT_EQ(schemeFromColourFile("2\r\n"), kSchemeGrey);
    for (const char* unusable : {"", "3", "x"}) {
        EXPECT_EQ(schemeFromColourFile(unusable), std::nullopt) << unusable;
    }
}

// One row for each way a rule can match, and for the order in which later rules override.
TEST(ButtonTextHeight, FollowsTheRuleTable)
{
    struct Case {
        DesignGrid grid;
        WindowKind kind;
        int control;
        int expected;
    };
    const DesignGrid full(1600, 1200);
    const DesignGrid small(1366, 758);
    namespace configuration = test_configuration_panel_control;
    const Case cases[] = {
        {small, WindowKind::Main, main_window_control::Test, small.y(33)},                // no rule
        {full, WindowKind::PackageEditor, package_editor_control::DeleteSelected, 22},     // a control anywhere
        {full, WindowKind::Group, group_dialog_control::AddGroup, 18},                     // a whole window
        {small, WindowKind::Evaluation, evaluation_dialog_control::Ok, small.y(50)},       // all windows but one
        {small, WindowKind::Main, main_window_control::Quit, small.y(33)},                 // ... and that one
        {full, WindowKind::Rename, rename_dialog_control::Ok, 36},                         // a later rule wins
        {full, WindowKind::Rename, rename_dialog_control::Cancel, 17},
        {full, WindowKind::PackageEditor, package_editor_control::Change, 26},
        {full, WindowKind::SaveDownloaded, save_downloaded_dialog_control::ChangeGroup, 17},
        {DesignGrid(900, 675), WindowKind::Main, main_window_control::TransferWords, DesignGrid(900, 675).y(24)},
        {DesignGrid(901, 675), WindowKind::Main, main_window_control::TransferWords, DesignGrid(901, 675).y(19)},
        {DesignGrid(1499, 1124), WindowKind::TestConfiguration, configuration::SelectAll, DesignGrid(1499, 1124).y(25)},
        {full, WindowKind::TestConfiguration, configuration::AsLastTime, 23},
        {DesignGrid(899, 674), WindowKind::TestConfiguration, configuration::Start, DesignGrid(899, 674).y(50)},
        {DesignGrid(900, 675), WindowKind::TestConfiguration, configuration::Start, DesignGrid(900, 675).y(37)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bitmapButtonTextHeight(c.kind, c.control, c.grid), c.expected)
            << "kind " << static_cast<int>(c.kind) << ", control " << c.control << ", screen " << c.grid.screenW();
    }
}

}  // namespace
}  // namespace lexivo
