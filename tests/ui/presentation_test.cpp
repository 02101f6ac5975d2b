#include <gtest/gtest.h>

#include "ui/button_font.h"
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

struct FontCase {
    int kind;
    int control;
    int expected;
};

void expectHeights(const DesignGrid& grid, std::initializer_list<FontCase> cases)
{
    for (const FontCase& c : cases) {
        EXPECT_EQ(bitmapButtonTextHeight(c.kind, c.control, grid), c.expected)
            << "kind " << c.kind << ", control " << c.control << ", screen " << grid.screenW();
    }
}

const DesignGrid kFull(1600, 1200);
const DesignGrid kSmall(1366, 758);

TEST(ButtonTextHeight, DefaultsToThirtyThreeGridUnits)
{
    expectHeights(kFull, {{kMainWindow, 6, 33}, {kTestRunWindow, 134, 50}});
    expectHeights(kSmall, {{kMainWindow, 6, kSmall.y(33)}});
}

TEST(ButtonTextHeight, ControlRulesApplyInEveryWindow)
{
    expectHeights(kFull, {{kPackageEditorWindow, 168, 22}, {kPackageEditorWindow, 109, 26}, {kTestRunWindow, 169, 21},
                          {kTestRunWindow, 172, 21}, {kTestConfigurationWindow, 1254, 13}});
}

TEST(ButtonTextHeight, CloseButtonsAreLargeExceptInTheMainWindow)
{
    expectHeights(kSmall, {{kEvaluationWindow, 159, kSmall.y(50)}, {kTestRunWindow, 134, kSmall.y(50)},
                           {kAboutWindow, 179, kSmall.y(50)}, {kMainWindow, 2, kSmall.y(33)}});
}

TEST(ButtonTextHeight, WindowRulesAndTheirExceptions)
{
    expectHeights(kFull, {{kGroupWindow, 94, 18},
                          {kAboutWindow, 11, 17},
                          {kRenameWindow, 2, 17},
                          {kRenameWindow, 1, 36},  // the rename window's rule overrides the close buttons'
                          {kUnfinishedTestWindow, 155, 18},
                          {kTestInformationWindow, 2, 25},
                          {kPackageEditorWindow, 180, 17},
                          {kPackageEditorWindow, 116, 23},
                          {kPackageEditorWindow, 115, 26},
                          {kExportWindow, 184, 15},
                          {kExportWindow, 181, 22},
                          {kAddPackageWindow, 2, 16},
                          {kAddPackageWindow, 201, 32},
                          {kTipsWindow, 2, 34},
                          {kTipsWindow, 208, 22},
                          {kOnlineLoginWindow, 1, 32},
                          {kOnlineLoginWindow, 2, 16},
                          {kOnlineCatalogueWindow, 2, 17},
                          {kOnlineCatalogueWindow, 1, 21},
                          {kOnlineCatalogueWindow, 1285, 19},
                          {kOnlineSavingWindow, 2, 17},
                          {kOnlineSavingWindow, 1286, 17},
                          {kOnlineSavingWindow, 1, 23}});
}

TEST(ButtonTextHeight, NarrowScreensGetLargerText)
{
    expectHeights(DesignGrid(900, 675), {{kMainWindow, 12, DesignGrid(900, 675).y(24)}});
    expectHeights(DesignGrid(901, 675), {{kMainWindow, 12, DesignGrid(901, 675).y(19)}});
    expectHeights(DesignGrid(1499, 1124), {{kTestConfigurationWindow, 130, DesignGrid(1499, 1124).y(25)}});
    expectHeights(kFull, {{kTestConfigurationWindow, 131, 23}, {kTestConfigurationWindow, 160, 23}});
    expectHeights(DesignGrid(899, 674), {{kTestConfigurationWindow, 127, DesignGrid(899, 674).y(50)}});
    expectHeights(DesignGrid(900, 675), {{kTestConfigurationWindow, 127, DesignGrid(900, 675).y(37)}});
}

TEST(ButtonTextHeight, LargeWindows)
{
    EXPECT_TRUE(isLargeWindow(kTestRunWindow));
    EXPECT_TRUE(isLargeWindow(kMainWindow));
    EXPECT_TRUE(isLargeWindow(kTestConfigurationWindow));
    EXPECT_FALSE(isLargeWindow(kEvaluationWindow));
}

}  // namespace
}  // namespace lexivo
