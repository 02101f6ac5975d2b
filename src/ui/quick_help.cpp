#include "ui/quick_help.h"

#include <QCursor>
#include <QEvent>
#include <QPainter>
#include <QTimer>

#include "ui/controls.h"
#include "ui/program.h"

namespace lexivo {
namespace {

constexpr int kPadding = 5;        // the text's distance from the edges
constexpr int kLineHeight = 26;    // the pop-up of one line
constexpr int kBelowCentre = 8;    // how far under the control's centre the pop-up starts
const QColor kBackground(0xFF, 0xFF, 0xDC);
const QColor kText(0x32, 0x32, 0x32);

QFont popupFont() { return cellFont(kTahoma, 16); }

class SystemClock final : public QuickHelpClock {
public:
    void every(QObject* owner, int intervalMs, std::function<void()> tick) override
    {
        auto* timer = new QTimer(owner);
        QObject::connect(timer, &QTimer::timeout, owner, std::move(tick));
        timer->start(intervalMs);
    }
    void after(QObject* owner, int delayMs, std::function<void()> fire) override
    {
        QTimer::singleShot(delayMs, owner, std::move(fire));
    }
};

// One line when it fits the work area's width; wrapped to that width otherwise, so that no
// text runs off the screen.
QSize popupSize(const QString& text, int screenW)
{
    const QFontMetrics metrics(popupFont());
    const int oneLine = metrics.horizontalAdvance(text) + 2 * kPadding + 2;
    if (oneLine <= screenW) {
        return {oneLine, kLineHeight};
    }
    const QRect wrapped = metrics.boundingRect(QRect(0, 0, screenW - 2 * kPadding, 100000), Qt::TextWordWrap, text);
    return {screenW, wrapped.height() + 2 * kPadding};
}

}  // namespace

QuickHelpClock& systemClock()
{
    static SystemClock clock;
    return clock;
}

QuickHelpPopup::QuickHelpPopup(const Program& program, QWidget* mainWindow, QWidget* control, const QString& text,
                               QuickHelpClock& clock, PointerPosition pointer)
    : QWidget(mainWindow, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      mainWindow_(mainWindow),
      control_(control),
      controlArea_(control->mapToGlobal(QPoint(0, 0)), control->size()),
      text_(text),
      pointer_(std::move(pointer))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(placement(controlArea_, popupSize(text, program.grid.screenW()), program.grid.screenW(),
                          program.grid.screenH()));
    // A window that closes or is destroyed takes its control's pop-up with it at once.
    control->installEventFilter(this);
    connect(control, &QObject::destroyed, this, &QWidget::close);
    clock.every(this, kWatchMs, [this] { watch(); });
    clock.after(this, kTimeOutMs, [this] { close(); });
}

QRect QuickHelpPopup::placement(const QRect& control, QSize size, int screenW, int screenH)
{
    QRect place(QPoint(control.left() + control.width() / 2, control.top() + control.height() / 2 + kBelowCentre), size);
    if (place.left() + place.width() > screenW) {
        place.moveLeft(screenW - place.width());
    }
    if (place.top() + place.height() > screenH) {
        place.moveTop(screenH - place.height());
    }
    return place;
}

void QuickHelpPopup::watch()
{
    if (control_.isNull() || !controlArea_.contains(pointer_())) {
        close();
    }
}

bool QuickHelpPopup::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == control_ && event->type() == QEvent::Hide) {
        close();
    }
    return QWidget::eventFilter(watched, event);
}

void QuickHelpPopup::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), kBackground);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setPen(kText);
    painter.setFont(popupFont());
    painter.drawText(rect().adjusted(kPadding, kPadding, -kPadding, -kPadding), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     text_);
}

void QuickHelpPopup::focusInEvent(QFocusEvent*)
{
    // The pop-up only shows; the keyboard stays with the program's window.
    if (mainWindow_ != nullptr) {
        mainWindow_->activateWindow();
    }
}

QuickHelp::QuickHelp(const Program& program, QWidget* mainWindow, QuickHelpClock& clock, PointerPosition pointer)
    : program_(program),
      mainWindow_(mainWindow),
      clock_(clock),
      pointer_(pointer ? std::move(pointer) : PointerPosition([] { return QCursor::pos(); }))
{
    setQuickHelpHandler(this);
}

QuickHelp::~QuickHelp()
{
    closeQuickHelp();
    if (quickHelpHandler() == this) {
        setQuickHelpHandler(nullptr);
    }
}

void QuickHelp::showQuickHelp(QWidget* control, WindowKind windowKind, const QuickHelpState& state)
{
    closeQuickHelp();
    const std::string_view text = quickHelpText(windowKind, controlId(control), state);
    popup_ = new QuickHelpPopup(program_, mainWindow_, control,
                                QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), clock_, pointer_);
    popup_->show();
}

void QuickHelp::closeQuickHelp()
{
    if (!popup_.isNull()) {
        popup_->close();
    }
}

}  // namespace lexivo
