#include "ui/owner_drawn.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QPainter>
#include <QPainterPath>

#include "ui/artwork.h"
#include "ui/button_font.h"
#include "ui/control_ids/about_dialog.h"
#include "ui/control_ids/online_choice_dialog.h"
#include "ui/controls.h"
#include "ui/program.h"

namespace lexivo {
namespace {

constexpr int kMaxButtonText = 254;
constexpr int kMaxLinkText = 249;
constexpr int kMaxItemText = 499;
// Controls drawn as links in every window.
bool isLinkControl(int id)
{
    return id == about_dialog_control::ProjectLink || id == about_dialog_control::ContactLink ||
           id == online_choice_dialog_control::HelpLink || id == online_choice_dialog_control::GuideLink;
}

}  // namespace

OwnerDrawnButton::OwnerDrawnButton(Program& program, WindowKind windowKind, int id, const QString& text, QWidget* parent,
                                   Look look)
    : QPushButton(text, parent), program_(program), windowKind_(windowKind), look_(look)
{
    setControlId(this, id);
    if (look_ == Look::Bitmap && isLinkControl(id)) {
        look_ = Look::Link;
    }
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(false);
}

void OwnerDrawnButton::setArrow(Arrow arrow, int penWidth)
{
    arrow_ = arrow;
    arrowPen_ = penWidth;
    update();
}

QFont OwnerDrawnButton::textFont() const
{
    const int id = controlId(this);
    switch (look_) {
    case Look::Link: {
        const bool small = id == online_choice_dialog_control::GuideLink || id == online_choice_dialog_control::HelpLink;
        const TextStyle style =
            id == online_choice_dialog_control::HelpLink ? TextStyle::Plain : TextStyle::Underlined;
        return cellFont(kTahoma, small ? 13 : windowKind_ == WindowKind::About ? 20 : 21, style);
    }
    case Look::WebLink: return cellFont(kTahoma, 15, TextStyle::Underlined);
    case Look::WordBox: return cellFont(kArial, 20);
    case Look::Speaker: return font();
    case Look::Bitmap: break;
    }
    return cellFont(kTahoma, bitmapButtonTextHeight(windowKind_, id, program_.grid), TextStyle::Bold);
}

QRect OwnerDrawnButton::textRect() const
{
    QRect area = rect();
    if (isDown()) {
        area.setLeft(area.left() + 2);
        area.setTop(area.top() + 2);
    }
    return area;
}

void OwnerDrawnButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    switch (look_) {
    case Look::Bitmap: paintBitmap(painter); break;
    case Look::Link: paintLink(painter); break;
    case Look::WebLink: paintWebLink(painter); break;
    case Look::WordBox: paintWordBox(painter); break;
    case Look::Speaker: paintArt(painter, Art::Speaker, program_.schemeNumber, isDown() ? QRectF(1, 1, 24, 22) : QRectF(0, 0, 24, 22)); break;
    }
    if (hasFocus()) {
        paintFocus(painter);
    }
}

// The button that Enter presses shows it as the desktop does: a dotted rectangle inside its edge,
// in the colour of its text.
void OwnerDrawnButton::paintFocus(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(focusColour(), 1, Qt::DotLine));
    painter.drawRect(focusRect().adjusted(0, 0, -1, -1));  // a stroked rectangle is one pixel larger
    painter.restore();
}

QRect OwnerDrawnButton::focusRect() const
{
    const int inset = look_ == Look::Bitmap ? 3 : 1;
    return rect().adjusted(inset, inset, -inset, -inset);
}

QColor OwnerDrawnButton::focusColour() const
{
    const ColourScheme& scheme = program_.scheme();
    switch (look_) {
    case Look::Bitmap: return toQColor(isLargeWindow(windowKind_) ? scheme.largeButtonText : scheme.smallButtonText);
    case Look::Link: return toQColor(fixed_colour::kLinkText);
    case Look::WebLink: return toQColor(scheme.webLinkText);
    case Look::WordBox:
    case Look::Speaker: return toQColor(fixed_colour::kControlText);
    }
    return Qt::black;
}

void OwnerDrawnButton::paintBitmap(QPainter& painter)
{
    const bool large = isLargeWindow(windowKind_);
    const ColourScheme& scheme = program_.scheme();
    paintArt(painter, large ? Art::LargeButtonFace : Art::SmallButtonFace, program_.schemeNumber, rect());
    painter.setPen(toQColor(large ? scheme.largeButtonText : scheme.smallButtonText));
    paintArrow(painter);
    painter.setFont(textFont());
    painter.drawText(textRect(), Qt::AlignCenter | Qt::TextSingleLine, text().left(kMaxButtonText));
    if (showsProhibition()) {
        paintProhibition(painter);
    }
}

void OwnerDrawnButton::paintLink(QPainter& painter)
{
    painter.fillRect(rect(), toQColor(program_.scheme().dialogColour));
    painter.setPen(toQColor(isDown() ? fixed_colour::kLinkPressed : fixed_colour::kLinkText));
    painter.setFont(textFont());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text().left(kMaxLinkText));
}

void OwnerDrawnButton::paintWebLink(QPainter& painter)
{
    const QSize size = artSize(Art::WebLinkBackground, program_.schemeNumber);
    paintArt(painter, Art::WebLinkBackground, program_.schemeNumber, QRectF(QPointF(0, 0), size));
    painter.setPen(toQColor(isDown() ? fixed_colour::kWebLinkPressed : program_.scheme().webLinkText));
    painter.setFont(textFont());
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, text());
}

void OwnerDrawnButton::paintWordBox(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(rect(), toQColor(program_.scheme().editColour));
    painter.setPen(toQColor(fixed_colour::kWordBoxFrame));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(toQColor(fixed_colour::kControlText));
    painter.setFont(textFont());
    drawWrappedText(painter, wordBoxTextRect(rect()), Qt::AlignRight | Qt::AlignTop, text());
}

void OwnerDrawnButton::paintArrow(QPainter& painter)
{
    if (arrow_ == Arrow::None) {
        return;
    }
    using Line = std::vector<QPoint>;
    std::vector<Line> lines;
    switch (arrow_) {
    case Arrow::Right: lines = {{{10, 13}, {50, 13}, {37, 18}}, {{50, 13}, {37, 8}}}; break;
    case Arrow::Left: lines = {{{50, 13}, {10, 13}, {23, 18}}, {{10, 13}, {23, 8}}}; break;
    case Arrow::RightThenDown: lines = {{{50, 10}, {30, 10}, {30, 20}, {26, 16}}, {{30, 20}, {34, 16}}}; break;
    case Arrow::LeftThenDown: lines = {{{10, 10}, {30, 10}, {30, 20}, {26, 16}}, {{30, 20}, {34, 16}}}; break;
    case Arrow::None: break;
    }
    const QPoint offset = isDown() ? QPoint(1, 1) : QPoint(0, 0);
    painter.save();
    painter.setPen(QPen(painter.pen().color(), arrowPen_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (Line& line : lines) {
        for (QPoint& point : line) {
            point += offset;
        }
        painter.drawPolyline(line.data(), static_cast<int>(line.size()));
    }
    painter.restore();
}

// A red circle with a diagonal bar from its top right to its bottom left.
void OwnerDrawnButton::paintProhibition(QPainter& painter)
{
    const DesignGrid& grid = program_.grid;
    const QPointF centre(width() / 2, height() / 2);
    const double radius = grid.x(25);
    const QPointF barStart = centre + QPointF(grid.x(15), -grid.x(15));
    const QPointF arcStart = centre + QPointF(-radius * M_SQRT1_2, radius * M_SQRT1_2);
    painter.save();
    painter.setPen(QPen(toQColor(fixed_colour::kProhibition), 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(barStart, arcStart);
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
}

OwnerDrawnItemDelegate::OwnerDrawnItemDelegate(Program& program, QObject* parent)
    : QStyledItemDelegate(parent), program_(program)
{
}

QRect OwnerDrawnItemDelegate::fillRect(const QRect& itemRect, bool selected, int selectedCount)
{
    QRect fill = itemRect;
    if (selected) {
        fill.setBottom(fill.bottom() - 1);
        if (selectedCount == 1) {
            fill.setTop(fill.top() + 1);
        }
    }
    return fill;
}

void OwnerDrawnItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    const bool selected = option.state & QStyle::State_Selected;
    int selectedCount = 1;
    if (const auto* view = qobject_cast<const QAbstractItemView*>(option.widget); view && view->selectionModel()) {
        selectedCount = static_cast<int>(view->selectionModel()->selectedRows().size());
    }
    painter->save();
    // The background of the list shows wherever the fill leaves a gap.
    painter->fillRect(option.rect, option.palette.base());
    painter->fillRect(fillRect(option.rect, selected, selectedCount),
                      toQColor(selected ? fixed_colour::kSelectionFill : program_.scheme().dialogColour));
    const QColor textColour = selected ? toQColor(fixed_colour::kSelectionText) : QColor(Qt::black);
    if (index.data(kMarkerRole).toInt() == 1) {
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(textColour);
        painter->drawEllipse(QRect(option.rect.left() + 3, option.rect.top() + 5, 4, 4));
    }
    painter->setPen(textColour);
    painter->setFont(option.font);
    const QRect textArea = option.rect.adjusted(10, 0, 0, 0);
    painter->drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString().left(kMaxItemText));
    painter->restore();
}

}  // namespace lexivo
