#pragma once
// Owner-drawn buttons and list items: the one look that every window shares.

#include <functional>

#include <QPushButton>
#include <QStyledItemDelegate>

#include "ui/window_kind.h"

namespace lexivo {

struct Program;

class OwnerDrawnButton : public QPushButton {
    Q_OBJECT
public:
    enum class Look {
        Bitmap,   // the scheme's button face with bold text
        Link,     // red text on the dialog colour
        WebLink,  // the main window's address button
        WordBox,  // the test run window's word box
        Speaker,  // the feedback windows' small speaker button
    };
    enum class Arrow { None, Right, Left, RightThenDown, LeftThenDown };

    OwnerDrawnButton(Program& program, WindowKind windowKind, int id, const QString& text, QWidget* parent,
                     Look look = Look::Bitmap);

    Look look() const { return look_; }
    void setArrow(Arrow arrow, int penWidth);
    // The prohibition sign is drawn while this answers true; the button still takes clicks.
    void setProhibited(std::function<bool()> prohibited) { prohibited_ = std::move(prohibited); }
    bool showsProhibition() const { return prohibited_ && prohibited_(); }

    // Where the text is drawn: shifted right and down by 2 pixels while pressed.
    QRect textRect() const;
    QFont textFont() const;
    // The dotted rectangle that shows the keyboard focus, and its colour.
    QRect focusRect() const;
    QColor focusColour() const;
    // The word box draws its whole text wrapped inside a 3-pixel margin.
    static QRect wordBoxTextRect(const QRect& box) { return box.adjusted(3, 3, -3, -3); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void paintBitmap(QPainter& painter);
    void paintLink(QPainter& painter);
    void paintWebLink(QPainter& painter);
    void paintWordBox(QPainter& painter);
    void paintArrow(QPainter& painter);
    void paintProhibition(QPainter& painter);
    void paintFocus(QPainter& painter);

    Program& program_;
    WindowKind windowKind_;
    Look look_;
    Arrow arrow_ = Arrow::None;
    int arrowPen_ = 3;
    std::function<bool()> prohibited_;
};

// List items: dialog-coloured rows, the selection in blue with a 1-pixel gap between adjacent
// selected rows, and a dot before words that have an example (marker role set to 1).
class OwnerDrawnItemDelegate : public QStyledItemDelegate {
public:
    static constexpr int kMarkerRole = Qt::UserRole + 1;

    OwnerDrawnItemDelegate(Program& program, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The rectangle filled for an item: one pixel less at the bottom when selected, and one less
    // at the top too when it is the only selected item.
    static QRect fillRect(const QRect& itemRect, bool selected, int selectedCount);

private:
    Program& program_;
};

}  // namespace lexivo
