#pragma once
// The height of the bold text on owner-drawn bitmap buttons, by window kind and control.

#include "ui/design_grid.h"

namespace lexivo {

// Window kinds: each window tells the shared painting and control behaviour who it is.
enum WindowKind : int {
    kTestRunWindow = 0,
    kGroupWindow = 1,
    kMainWindow = 2,
    kTestConfigurationWindow = 3,
    kAboutWindow = 4,
    kPackageEditorWindow = 5,
    kRenameWindow = 6,
    kUnfinishedTestWindow = 7,
    kEvaluationWindow = 8,
    kTestInformationWindow = 9,
    kExportWindow = 10,
    kAddPackageWindow = 11,
    kTransferWindow = 12,
    kSettingsWindow = 13,
    kTipsWindow = 14,
    kRightFeedbackWindow = 15,
    kWrongFeedbackWindow = 16,
    kOnlineCatalogueWindow = 20,
    kOnlineLoginWindow = 21,
    kOnlineSavingWindow = 22,
};

// Large windows use the large button faces and text colour.
bool isLargeWindow(int kind);

// Text height in pixels: scaleY(33) unless a rule says otherwise; the last matching rule wins.
int bitmapButtonTextHeight(int kind, int controlId, const DesignGrid& grid);

}  // namespace lexivo
