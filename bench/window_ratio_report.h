#pragma once
// The entry of a window benchmark: the windows on the offscreen platform (unless another is
// asked for), in the fonts the program uses, then the ratio report.

#include <vector>

#include <QApplication>

#include "ratio_report.h"
#include "ui/controls.h"

namespace lexivo::bench {

inline int runWindowBenchmarksWithRatios(int argc, char** argv, const std::vector<RatioPair>& pairs)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    installFontSubstitutes();
    return runWithRatios(argc, argv, pairs);
}

}  // namespace lexivo::bench
