#include "ui/controls.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>
#include <QtMath>
#include <QVariant>

namespace lexivo {
namespace {

constexpr const char* kControlIdProperty = "controlId";
// Ascent plus descent of Arial and its metric twins, in em.
constexpr double kCellPerEm = 1.117;

}  // namespace

void setControlId(QWidget* control, int id)
{
    control->setProperty(kControlIdProperty, id);
    control->setObjectName(QStringLiteral("control%1").arg(id));
}

int controlId(const QObject* control)
{
    const QVariant id = control ? control->property(kControlIdProperty) : QVariant();
    return id.isValid() ? id.toInt() : -1;
}

QWidget* findControl(const QWidget* window, int id)
{
    return window->findChild<QWidget*>(QStringLiteral("control%1").arg(id));
}

QLabel* addStatic(QWidget* parent, int id, const QString& text, QRect place, const QFont& font, const QColor& colour)
{
    auto* label = new QLabel(text, parent);
    setControlId(label, id);
    label->setGeometry(place);
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    return label;
}

QRect gridRect(const DesignGrid& grid, int x, int y, int width, int height)
{
    return QRect(grid.x(x), grid.y(y), grid.x(width), grid.y(height));
}

QFont cellFont(const QString& family, int cellHeight, TextStyle style)
{
    QFont font(family);
    font.setPixelSize(std::max(1, qRound(cellHeight / kCellPerEm)));
    font.setBold(style == TextStyle::Bold || style == TextStyle::BoldUnderlined);
    font.setUnderline(style == TextStyle::Underlined || style == TextStyle::BoldUnderlined);
    return font;
}

int readablePixelSize(const QFont& font)
{
    constexpr int kSmallestReadable = 10;
    const int size = font.pixelSize();
    return std::min(size, std::max(kSmallestReadable, size - size / 6));
}

QFont fittedFont(QFont font, const QString& text, int width)
{
    const int floor = readablePixelSize(font);
    while (font.pixelSize() > floor && QFontMetrics(font).horizontalAdvance(text) > width) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}

QFont fittedWrappedFont(QFont font, const QString& text, QSize area)
{
    const int floor = readablePixelSize(font);
    while (font.pixelSize() > floor && wrappedTextHeight(font, text, area.width()) > area.height()) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}

namespace {

// Lays `text` out in lines of `width`; the same layout measures and draws.
int layOutWrapped(QTextLayout& layout, int width, Qt::Alignment alignment)
{
    QTextOption option(alignment & Qt::AlignHorizontal_Mask);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return qCeil(height);
}

QString withLineSeparators(QString text) { return text.replace('\n', QChar::LineSeparator); }

}  // namespace

int wrappedTextHeight(const QFont& font, const QString& text, int width)
{
    QTextLayout layout(withLineSeparators(text), font);
    return layOutWrapped(layout, width, Qt::AlignLeft);
}

int wrappedLineCount(const QFont& font, const QString& text, int width)
{
    QTextLayout layout(withLineSeparators(text), font);
    layOutWrapped(layout, width, Qt::AlignLeft);
    return layout.lineCount();
}

void drawWrappedText(QPainter& painter, const QRect& area, Qt::Alignment alignment, const QString& text)
{
    QTextLayout layout(withLineSeparators(text), painter.font());
    const int height = layOutWrapped(layout, area.width(), alignment);
    int top = area.top();
    if (alignment & Qt::AlignVCenter) {
        top += (area.height() - height) / 2;
    } else if (alignment & Qt::AlignBottom) {
        top += area.height() - height;
    }
    layout.draw(&painter, QPointF(area.left(), top));
}

int growLabelToText(QLabel* label)
{
    const int needed = label->heightForWidth(label->width());
    const int growth = std::max(0, needed - label->height());
    label->resize(label->width(), label->height() + growth);
    return growth;
}

int widenLabelToText(QLabel* label)
{
    const int needed = QFontMetrics(label->font()).horizontalAdvance(label->text()) + 2 * label->margin();
    const int growth = std::max(0, needed - label->width());
    label->resize(label->width() + growth, label->height());
    return growth;
}

void installFontSubstitutes()
{
    // Liberation Sans has Arial's metrics; Tahoma has no free twin, and Liberation Sans is the
    // closest in width among what Debian ships.
    QFont::insertSubstitutions(kArial, {"Liberation Sans", "Arimo", "DejaVu Sans"});
    QFont::insertSubstitutions(kTahoma, {"Liberation Sans", "DejaVu Sans"});
}

}  // namespace lexivo
