#pragma once
// Helpers every window uses: numbered controls, fonts by cell height, scheme colours.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>

#include "ui/design_grid.h"

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

// A rectangle given in design-grid units, in pixels.
QRect gridRect(const DesignGrid& grid, int x, int y, int width, int height);

enum class TextStyle { Plain, Bold, Underlined, BoldUnderlined };

// Heights in the layouts are cell heights (ascent plus descent), as the windows were measured;
// Qt sizes fonts by their em, which is a little smaller.
QFont cellFont(const QString& family, int cellHeight, TextStyle style = TextStyle::Plain);

// The font made smaller until `text` fits `width` pixels, so that no caption is cut off.
QFont fittedFont(QFont font, const QString& text, int width);
// The font made smaller until `text`, wrapped at the width of `area`, fits its height.
QFont fittedWrappedFont(QFont font, const QString& text, QSize area);

// Places given in the dialog units of a window template's font, in pixels as the desktop maps
// them: x × (the average width of A–Z and a–z, in whole pixels) ÷ 4, y × (the font's height) ÷ 8.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& templateFont);
    int x(int units) const { return units * baseWidth_ / 4; }
    int y(int units) const { return units * baseHeight_ / 8; }
    QRect rect(int x, int y, int width, int height) const;

private:
    int baseWidth_;
    int baseHeight_;
};

// A template's font, given in points at the 96 dots per inch the templates were drawn for.
QFont templateFont(const QString& family, int points);

// The faces the layouts name; the program maps them to installed metric-compatible fonts.
inline const QString kArial = QStringLiteral("Arial");
inline const QString kTahoma = QStringLiteral("Tahoma");
void installFontSubstitutes();

}  // namespace lexivo
