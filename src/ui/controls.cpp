#include "ui/controls.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
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
    label->setTextFormat(Qt::PlainText);  // package and group names are shown as typed, never as markup
    setControlId(label, id);
    label->setGeometry(place);
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    return label;
}

void setFieldColours(QWidget* field, const QColor& base, const QColor& text, const QColor& disabledBase,
                     const QColor& disabledText)
{
    QPalette colours = field->palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool disabled = group == QPalette::Disabled;
        for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Button, QPalette::Window}) {
            colours.setColor(group, role, disabled ? disabledBase : base);
        }
        for (const QPalette::ColorRole role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText}) {
            colours.setColor(group, role, disabled ? disabledText : text);
        }
    }
    field->setPalette(colours);
}

void widenListToEntries(QComboBox* dropDown)
{
    QAbstractItemView* list = dropDown->view();
    list->setMinimumWidth(list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() + 8);
}

QRect gridRect(const DesignGrid& grid, int x, int y, int width, int height)
{
    return QRect(grid.x(x), grid.y(y), grid.x(width), grid.y(height));
}

DialogUnits::DialogUnits(const QFont& templateFont)
{
    const QFontMetricsF metrics(templateFont);
    const int letters = qRound(metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    averageWidth_ = (letters / 26 + 1) / 2;  // rounded, as the system rounds it
    // The system rounds the ascent and the descent up each; an 8-point face is 13 pixels high.
    height_ = qCeil(metrics.ascent()) + qCeil(metrics.descent());
}

int DialogUnits::x(int units) const { return qRound(units * averageWidth_ / 4.0); }
int DialogUnits::y(int units) const { return qRound(units * height_ / 8.0); }

QRect DialogUnits::rect(int x, int y, int width, int height) const
{
    return QRect(this->x(x), this->y(y), this->x(width), this->y(height));
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

QFont fittedFont(QFont font, std::initializer_list<std::pair<QString, int>> texts)
{
    const int floor = readablePixelSize(font);
    for (const auto& [text, width] : texts) {
        while (font.pixelSize() > floor && QFontMetrics(font).horizontalAdvance(text) > width) {
            font.setPixelSize(font.pixelSize() - 1);
        }
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

QFont templateFont(const QString& family, int points)
{
    QFont font(family);
    font.setPixelSize(qRound(points * 96 / 72.0));
    return font;
}

QRect DialogUnits::fromPixels(QRect pixels, QSize base) const
{
    const double sx = double(averageWidth_) / base.width();
    const double sy = double(height_) / base.height();
    return QRect(QPoint(qRound(pixels.left() * sx), qRound(pixels.top() * sy)),
                 QPoint(qRound((pixels.right() + 1) * sx) - 1, qRound((pixels.bottom() + 1) * sy) - 1));
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
