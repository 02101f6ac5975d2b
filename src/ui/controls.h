#pragma once
// Helpers every window uses: numbered controls, fonts by cell height, scheme colours.

#include <initializer_list>
#include <utility>

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>

class QPainter;

#include "ui/design_grid.h"

class QComboBox;

namespace lexivo {

// Every control keeps its number: quick help, the button text rules and the tests find it by it.
void setControlId(QWidget* control, int id);
int controlId(const QObject* control);
QWidget* findControl(const QWidget* window, int id);

template <typename T>
T* findControlAs(const QWidget* window, int id)
{
    return qobject_cast<T*>(findControl(window, id));
}

// A static text with its number, place, font and text colour.
QLabel* addStatic(QWidget* parent, int id, const QString& text, QRect place, const QFont& font,
                  const QColor& colour = Qt::black);

// The colours of an edit field, drop-down or list: its text on its background, and while it is
// disabled (an option that is not chosen) `disabledText` on `disabledBase`.
void setFieldColours(QWidget* field, const QColor& base, const QColor& text, const QColor& disabledBase,
                     const QColor& disabledText);

// A drop-down's open list as wide as its longest entry, so that long names can be read there
// even when the closed box is narrower.
void widenListToEntries(QComboBox* dropDown);

// A rectangle given in design-grid units, in pixels.
QRect gridRect(const DesignGrid& grid, int x, int y, int width, int height);

enum class TextStyle { Plain, Bold, Underlined, BoldUnderlined };

// Heights in the layouts are cell heights (ascent plus descent), as the windows were measured;
// Qt sizes fonts by their em, which is a little smaller.
QFont cellFont(const QString& family, int cellHeight, TextStyle style = TextStyle::Plain);

// A text is never shrunk below this: the size its layout gives it, less a sixth, and never
// under 10 pixels. Text that does not fit at this size wraps, or its box grows.
int readablePixelSize(const QFont& font);
// The font made smaller, down to its readable size, until `text` fits `width` pixels on one line.
QFont fittedFont(QFont font, const QString& text, int width);
// One font for labels that stand side by side: `font`, made smaller until each text fits the
// width given with it.
QFont fittedFont(QFont font, std::initializer_list<std::pair<QString, int>> texts);

// Places given in the dialog units of a window template's font, in pixels as the desktop maps
// them: x × (the average width of A–Z and a–z, in whole pixels) ÷ 4, y × (the font's height) ÷ 8,
// each rounded.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& templateFont);
    int x(int units) const;
    int y(int units) const;
    QRect rect(int x, int y, int width, int height) const;
    QSize size(int width, int height) const { return {x(width), y(height)}; }
    // A place given in pixels for a template whose font measured `base` (average width, height):
    // moved and stretched with the font measured here, so that it stays beside the controls.
    QRect fromPixels(QRect pixels, QSize base) const;

private:
    int averageWidth_;
    int height_;
};

// A template's font, given in points at the 96 dots per inch the templates were drawn for; by
// default the system's 8-point sans-serif of the small dialogs.
QFont templateFont(const QString& family = QStringLiteral("Tahoma"), int points = 8);

// The font made smaller, down to its readable size, until `text`, wrapped at the width of `area`,
// fits its height.
QFont fittedWrappedFont(QFont font, const QString& text, QSize area);

// Painted text wraps between words, and inside a word only where the word is wider than a line,
// so that no part of it is cut off. '\n' starts a new line.
int wrappedTextHeight(const QFont& font, const QString& text, int width);
int wrappedLineCount(const QFont& font, const QString& text, int width);
// Draws `text` wrapped at the width of `area`; `alignment` places each line and the block.
void drawWrappedText(QPainter& painter, const QRect& area, Qt::Alignment alignment, const QString& text);

// Grows a word-wrapped label downwards until its whole text fits; returns by how much.
int growLabelToText(QLabel* label);
// Widens a one-line label to the right until its text fits; returns by how much.
int widenLabelToText(QLabel* label);

// The faces the layouts name; the program maps them to installed metric-compatible fonts.
inline const QString kArial = QStringLiteral("Arial");
inline const QString kTahoma = QStringLiteral("Tahoma");
void installFontSubstitutes();

}  // namespace lexivo
