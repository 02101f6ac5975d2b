#include "ui/dialog_frame.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QPainter>

#include "ui/program.h"

namespace lexivo {

FramedDialog::FramedDialog(Program& program, QWidget* mainWindow, QPoint topLeft, QSize size)
    : QDialog(mainWindow, Qt::Dialog | Qt::FramelessWindowHint), program_(program), mainWindow_(mainWindow)
{
    setModal(true);
    resize(size);
    moveOverMainWindow(topLeft);
    setBackground(toQColor(program.scheme().dialogColour));
}

void FramedDialog::moveOverMainWindow(QPoint topLeft)
{
    move(mainWindow_ ? mainWindow_->mapToGlobal(topLeft) : topLeft);
}

void FramedDialog::makeRoomBelow(int top, int growth)
{
    if (growth <= 0) {
        return;
    }
    for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (child->y() >= top) {
            child->move(child->x(), child->y() + growth);
        }
    }
    resize(width(), height() + growth);
}

void FramedDialog::showEvent(QShowEvent* event)
{
    keepWithinMainWindow();
    QDialog::showEvent(event);
}

void FramedDialog::keepWithinMainWindow()
{
    QRect bounds;
    if (mainWindow_ != nullptr && mainWindow_->isVisible()) {
        bounds = QRect(mainWindow_->mapToGlobal(QPoint(0, 0)), mainWindow_->size());
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        bounds = screen->availableGeometry();
    }
    if (bounds.isEmpty()) {
        return;
    }
    QRect place = geometry();
    place.moveRight(std::min(place.right(), bounds.right()));
    place.moveBottom(std::min(place.bottom(), bounds.bottom()));
    place.moveLeft(std::max(place.left(), bounds.left()));
    place.moveTop(std::max(place.top(), bounds.top()));
    move(place.topLeft());
}

void FramedDialog::setBackground(const QColor& colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colour);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);
}

void FramedDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Window).darker(160));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void FramedDialog::keyPressEvent(QKeyEvent* event)
{
    if (!isCloseKey(event->key())) {
        QDialog::keyPressEvent(event);
    } else if (closeKeys_ == CloseKeys::CloseWindow) {
        accept();
    }
}

bool isCloseKey(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape; }

QPoint centredCorner(const Program& program, int width, int above)
{
    return {program.grid.x(800) - width / 2, program.grid.y(600) - above};
}

}  // namespace lexivo
