#pragma once
// The small modal windows that open over the main window: frameless, placed in the main
// window's coordinates, closed by the keys and clicks their window allows.

#include <QDialog>

namespace lexivo {

struct Program;

class FramedDialog : public QDialog {
    Q_OBJECT
public:
    // `topLeft` and `size` are pixels relative to the main window's top-left corner.
    FramedDialog(Program& program, QWidget* mainWindow, QPoint topLeft, QSize size);

protected:
    Program& program_;

    void setBackground(const QColor& colour);
    // Enter and Esc close the window; a window without that way out swallows them instead.
    enum class CloseKeys { CloseWindow, Swallow };
    void setCloseKeys(CloseKeys keys) { closeKeys_ = keys; }
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveOverMainWindow(QPoint topLeft);
    // Moves the controls from `top` down by `growth` pixels and makes the window that much taller,
    // for a text that needs more lines than its place gives it.
    void makeRoomBelow(int top, int growth);

private:
    // A window that grew with its text moves up as far as it must to stay within the main
    // window, which fills the screen's work area.
    void keepWithinMainWindow();

    QWidget* mainWindow_;
    CloseKeys closeKeys_ = CloseKeys::CloseWindow;
};

// Enter and Esc: the keys that close the small windows.
bool isCloseKey(int key);

// The top-left corner of a window centred on the design grid: (scaleX(800) − half its width,
// scaleY(600) − `above`).
QPoint centredCorner(const Program& program, int width, int above);

}  // namespace lexivo
