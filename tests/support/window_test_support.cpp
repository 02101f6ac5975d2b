#include "support/window_test_support.h"

#include <QDir>
#include <QImage>

namespace lexivo::testing {

void RecordingDialogs::showMessage(QWidget*, const Message& message) { messages.push_back(message); }

bool RecordingDialogs::askYesNo(QWidget*, const Message& question)
{
    questions.push_back(question);
    if (answers.empty()) {
        return false;
    }
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

TestProgram::TestProgram(int screenW, int screenH) : program(temp.tree(), dialogs, shell)
{
    program.grid = DesignGrid(screenW, screenH);
}

QImage screenshot(QWidget& widget, const QString& name)
{
    const QImage image = widget.grab().toImage();
    const QDir directory(LEXIVO_SCREENSHOT_DIR);
    directory.mkpath(".");
    image.save(directory.filePath(name + ".png"));
    return image;
}

bool paintsColour(const QImage& image, const QRect& area, const QColor& colour)
{
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (image.pixelColor(x, y).rgb() == colour.rgb()) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace lexivo::testing
