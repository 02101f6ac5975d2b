#pragma once
// The quick-help pop-up: a right click on a control shows a one-line explanation next to it.
// It closes when the pointer leaves the control, after 4 seconds at the latest, and when the
// next one opens. Its clock and the pointer can be replaced, so that tests drive time.

#include <functional>

#include <QPointer>
#include <QWidget>

#include "ui/control_behaviour.h"

namespace lexivo {

struct Program;

// Time for the pop-up's watch and time-out; the calls stop when `owner` is destroyed.
class QuickHelpClock {
public:
    virtual ~QuickHelpClock() = default;
    virtual void every(QObject* owner, int intervalMs, std::function<void()> tick) = 0;
    virtual void after(QObject* owner, int delayMs, std::function<void()> fire) = 0;
};

// The event loop's timers.
QuickHelpClock& systemClock();

// Where the mouse pointer is, in screen coordinates.
using PointerPosition = std::function<QPoint()>;

class QuickHelpPopup : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWatchMs = 50;
    static constexpr int kTimeOutMs = 4000;

    QuickHelpPopup(const Program& program, QWidget* mainWindow, QWidget* control, const QString& text,
                   QuickHelpClock& clock, PointerPosition pointer);

    QString text() const { return text_; }
    // Where a pop-up of `size` goes for a control at `control` (screen coordinates): its corner
    // at the control's centre, 8 pixels lower, moved left and up to end within the work area.
    static QRect placement(const QRect& control, QSize size, int screenW, int screenH);

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch();

    QWidget* mainWindow_;
    QPointer<QWidget> control_;
    QRect controlArea_;
    QString text_;
    PointerPosition pointer_;
};

// Answers every right click of the shared control behaviour with a pop-up over the main window.
class QuickHelp final : public QuickHelpHandler {
public:
    QuickHelp(const Program& program, QWidget* mainWindow, QuickHelpClock& clock = systemClock(),
              PointerPosition pointer = {});
    ~QuickHelp() override;
    QuickHelp(const QuickHelp&) = delete;
    QuickHelp& operator=(const QuickHelp&) = delete;

    void showQuickHelp(QWidget* control, WindowKind windowKind, const QuickHelpState& state) override;
    void closeQuickHelp() override;
    // The open pop-up, or nullptr.
    QuickHelpPopup* popup() const { return popup_; }

private:
    const Program& program_;
    QWidget* mainWindow_;
    QuickHelpClock& clock_;
    PointerPosition pointer_;
    QPointer<QuickHelpPopup> popup_;
};

}  // namespace lexivo
