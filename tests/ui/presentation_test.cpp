#include <gtest/gtest.h>

#include "ui/button_font.h"
#include "ui/control_ids/about_dialog.h"
#include "ui/control_ids/add_package_dialog.h"
#include "ui/control_ids/evaluation_dialog.h"
#include "ui/control_ids/export_dialog.h"
#include "ui/control_ids/group_dialog.h"
#include "ui/control_ids/main_window.h"
#include "ui/control_ids/online_catalogue_dialog.h"
#include "ui/control_ids/online_choice_dialog.h"
#include "ui/control_ids/package_editor.h"
#include "ui/control_ids/rename_dialog.h"
#include "ui/control_ids/resume_dialog.h"
#include "ui/control_ids/save_downloaded_dialog.h"
#include "ui/control_ids/settings_dialog.h"
#include "ui/control_ids/test_configuration_panel.h"
#include "ui/control_ids/test_information_dialog.h"
#include "ui/control_ids/test_run_window.h"
#include "ui/control_ids/tips_dialog.h"
#include "ui/colour_scheme.h"
#include "ui/design_grid.h"

namespace lexivo {
namespace {

TEST(DesignGrid, ScalesInTwoSteps)
{
    const DesignGrid narrow(800, 600);
    EXPECT_EQ(narrow.x(0), 0);
    EXPECT_EQ(narrow.y(0), 0);
    EXPECT_EQ(narrow.x(22), 10);  // not 11, as 800 × 22 ÷ 1600 would give
    EXPECT_EQ(narrow.x(1600), 800);
    const DesignGrid exact(1600, 1200);
    EXPECT_EQ(exact.x(682), 682);
    EXPECT_EQ(exact.y(33), 33);
    EXPECT_EQ(DesignGrid(1366, 758).y(45), 28);
}

TEST(DesignGrid, KeepsABandFreeAtTheBottomOfTheWorkArea)
{
    EXPECT_EQ(DesignGrid::fromWorkArea(1600, 1200).screenH(), 1190);
    EXPECT_EQ(DesignGrid::fromWorkArea(1366, 768).screenH(), 762);
    EXPECT_EQ(DesignGrid::fromWorkArea(1366, 768).screenW(), 1366);
}

TEST(ColourScheme, HoldsTheThreeSchemes)
{
    EXPECT_EQ(colourScheme(kSchemeBlue).dialogColour, rgb(0xB8D3EA));
    EXPECT_EQ(colourScheme(kSchemeCream).mainColour, rgb(0xFBF3EE));
    EXPECT_EQ(colourScheme(kSchemeCream).panelFrame(), rgb(0xD3CBC6));
    // In the grey scheme the main window and its panels share one colour.
    EXPECT_EQ(colourScheme(kSchemeGrey).mainColour, colourScheme(kSchemeGrey).panelColour);
    EXPECT_EQ(colourScheme(kSchemeGrey).panelColour.shifted(60), rgb(0xBEBEBE));
    EXPECT_EQ(colourScheme(kSchemeCream).smallButtonText, rgb(0x773D00));
    EXPECT_EQ(colourScheme(kSchemeCream).titleText(), rgb(0x8B510A));
    EXPECT_EQ(rgb(0x101010).shifted(-20), rgb(0x000000));
    EXPECT_EQ(colourScheme(7).number, kSchemeCream);
}

TEST(ColourScheme, IsReadFromTheFirstByteOfTheColourFile)
{
    EXPECT_EQ(schemeFromColourFile("0"), kSchemeBlue);
    EXPECT_EQ(schemeFromColourFile("2\r\n"), kSchemeGrey);
    EXPECT_EQ(schemeFromColourFile(""), std::nullopt);
    EXPECT_EQ(schemeFromColourFile("3"), std::nullopt);
    EXPECT_EQ(schemeFromColourFile("x"), std::nullopt);
}

// One row per rule of the table, with the screen it is measured on; a later rule overrides an
// earlier one, so some rows check that the right one wins.
TEST(ButtonTextHeight, FollowsTheRuleTable)
{
    namespace editor = package_editor_control;
    namespace configuration = test_configuration_panel_control;
    namespace catalogue = online_catalogue_dialog_control;
    namespace saving = save_downloaded_dialog_control;
    struct Case {
        DesignGrid grid;
        WindowKind kind;
        int control;
        int expected;
    };
    const DesignGrid full(1600, 1200);
    const DesignGrid small(1366, 758);
    const Case cases[] = {
        {full, WindowKind::Main, main_window_control::Test, 33},
        {small, WindowKind::Main, main_window_control::Test, small.y(33)},
        {small, WindowKind::Main, main_window_control::Quit, small.y(33)},
        {full, WindowKind::PackageEditor, editor::DeleteSelected, 22},
        {full, WindowKind::PackageEditor, editor::Add, 26},
        {full, WindowKind::PackageEditor, editor::Change, 26},
        {full, WindowKind::PackageEditor, editor::Print, 17},
        {full, WindowKind::PackageEditor, editor::Delete, 23},
        {full, WindowKind::TestRun, test_run_window_control::PackageOfRemaining, 21},
        {full, WindowKind::TestRun, test_run_window_control::ShowSettings, 21},
        {small, WindowKind::TestRun, test_run_window_control::Confirm, small.y(50)},
        {small, WindowKind::Evaluation, evaluation_dialog_control::Ok, small.y(50)},
        {small, WindowKind::About, about_dialog_control::Ok, small.y(50)},
        {full, WindowKind::About, about_dialog_control::ShowManual, 17},
        {full, WindowKind::TestConfiguration, settings_dialog_control::SpeechSettings, 13},
        {full, WindowKind::Group, group_dialog_control::AddGroup, 18},
        {full, WindowKind::Rename, rename_dialog_control::Cancel, 17},
        {full, WindowKind::Rename, rename_dialog_control::Ok, 36},  // overrides the close buttons' rule
        {full, WindowKind::UnfinishedTest, resume_dialog_control::Continue, 18},
        {full, WindowKind::TestInformation, test_information_dialog_control::Ok, 25},
        {full, WindowKind::Export, export_dialog_control::SeparatingLine, 15},
        {full, WindowKind::Export, export_dialog_control::Continue, 22},
        {full, WindowKind::AddPackage, add_package_dialog_control::Cancel, 16},
        {full, WindowKind::AddPackage, add_package_dialog_control::Ok, 32},
        {full, WindowKind::Tips, tips_dialog_control::Ok, 34},
        {full, WindowKind::Tips, tips_dialog_control::NextTip, 22},
        {full, WindowKind::OnlineChoice, online_choice_dialog_control::Ok, 32},
        {full, WindowKind::OnlineChoice, online_choice_dialog_control::Cancel, 16},
        {full, WindowKind::OnlineCatalogue, catalogue::Cancel, 17},
        {full, WindowKind::OnlineCatalogue, catalogue::Download, 21},
        {full, WindowKind::OnlineCatalogue, catalogue::Preview, 19},
        {full, WindowKind::SaveDownloaded, saving::Cancel, 17},
        {full, WindowKind::SaveDownloaded, saving::ChangeGroup, 17},
        {full, WindowKind::SaveDownloaded, saving::Continue, 23},
        {DesignGrid(900, 675), WindowKind::Main, main_window_control::TransferWords, DesignGrid(900, 675).y(24)},
        {DesignGrid(901, 675), WindowKind::Main, main_window_control::TransferWords, DesignGrid(901, 675).y(19)},
        {DesignGrid(1499, 1124), WindowKind::TestConfiguration, configuration::SelectAll, DesignGrid(1499, 1124).y(25)},
        {full, WindowKind::TestConfiguration, configuration::SelectNone, 23},
        {full, WindowKind::TestConfiguration, configuration::AsLastTime, 23},
        {DesignGrid(899, 674), WindowKind::TestConfiguration, configuration::Start, DesignGrid(899, 674).y(50)},
        {DesignGrid(900, 675), WindowKind::TestConfiguration, configuration::Start, DesignGrid(900, 675).y(37)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(bitmapButtonTextHeight(c.kind, c.control, c.grid), c.expected)
            << "kind " << static_cast<int>(c.kind) << ", control " << c.control << ", screen " << c.grid.screenW();
    }
    EXPECT_TRUE(isLargeWindow(WindowKind::TestConfiguration));
    EXPECT_FALSE(isLargeWindow(WindowKind::Evaluation));
}

}  // namespace
}  // namespace lexivo
