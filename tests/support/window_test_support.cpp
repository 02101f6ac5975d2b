#include "support/window_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QDir>
#include <QElapsedTimer>
#include <utility>
#include <QTest>
#include <QImage>

#include "ui/controls.h"
#include "ui/owner_drawn.h"

namespace lexivo::testing {

void RecordingDialogs::showMessage(QWidget*, const Message& message) { messages.push_back(message); }

bool RecordingDialogs::askYesNo(QWidget*, const Message& question)
{
    questions.push_back(question);
    if (answers.empty()) {
        return false;
    }
    const bool yes = answers.front();
    answers.pop_front();
    return yes;
}

TestProgram::TestProgram(int screenW, int screenH) : program(temp.tree(), dialogs, shell, voice)
{
    program.grid = DesignGrid(screenW, screenH);
}

namespace {

bool watchdogFired = false;

class ModalWatchdog : public QObject {
public:
    ModalWatchdog() : QObject(QApplication::instance()) { startTimer(100); }

protected:
    void timerEvent(QTimerEvent*) override
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != watched_) {
            watched_ = modal;
            since_.start();
            return;
        }
        if (modal != nullptr && since_.elapsed() > 5000) {
            qWarning("closing a modal window that no test handled: %s", modal->metaObject()->className());
            watchdogFired = true;
            modal->close();
        }
    }

private:
    QPointer<QWidget> watched_;
    QElapsedTimer since_;
};

}  // namespace

void installModalWatchdog()
{
    static ModalWatchdog* watchdog = new ModalWatchdog;
    (void)watchdog;
}

bool modalWatchdogFired() { return std::exchange(watchdogFired, false); }

ModalDriver::ModalDriver() { timer_ = startTimer(2); }

ModalDriver::~ModalDriver() { killTimer(timer_); }

void ModalDriver::then(std::function<void(QWidget*)> action) { actions_.push_back(std::move(action)); }

void ModalDriver::thenPressEnter()
{
    then([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
}

void ModalDriver::timerEvent(QTimerEvent*)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || (actions_.empty() && !otherwise_) || (!lastHandled_.isNull() && modal == lastHandled_)) {
        return;
    }
    lastHandled_ = modal;
    if (actions_.empty()) {
        otherwise_(modal);
        return;
    }
    auto action = std::move(actions_.front());
    actions_.pop_front();
    action(modal);
}

void click(QWidget* window, int id)
{
    QWidget* control = findControl(window, id);
    const bool box = qobject_cast<QRadioButton*>(control) || qobject_cast<QCheckBox*>(control);
    QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier,
                      box ? QPoint(8, control->height() / 2) : control->rect().center());
}

QString labelText(QWidget* window, int id) { return findControlAs<QLabel>(window, id)->text(); }

bool shown(QWidget* window, int id) { return findControl(window, id)->isVisibleTo(window); }

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar character : text) {
        const auto key = character.isLetterOrNumber() && character.unicode() < 128 ? Qt::Key(character.toUpper().unicode())
                                                                                   : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, widget, key, QString(character), Qt::NoModifier);
    }
}

QImage screenshot(QWidget& widget, const QString& name)
{
    const QImage image = widget.grab().toImage();
    const QDir directory(LEXIVO_SCREENSHOT_DIR);
    directory.mkpath(".");
    image.save(directory.filePath(name + ".png"));
    return image;
}

QStringList layoutFaults(QWidget& window, const QRect& workArea)
{
    QStringList faults;
    const QRect placed = window.isWindow() ? window.geometry() : QRect(window.mapToGlobal(QPoint(0, 0)), window.size());
    if (window.isWindow() && !workArea.contains(placed)) {
        faults << QString("%1 lies outside the work area").arg(window.metaObject()->className());
    }
    for (QWidget* control : window.findChildren<QWidget*>()) {
        const int id = controlId(control);
        if (id < 0 || !control->isVisibleTo(&window)) {
            continue;
        }
        const QString name = QString("control %1").arg(id);
        if (!window.rect().contains(QRect(control->mapTo(&window, QPoint(0, 0)), control->size()))) {
            faults << name + " lies outside its window";
        }
        const QFontMetrics metrics(control->font());
        if (auto* label = qobject_cast<QLabel*>(control); label && !label->text().isEmpty()) {
            const bool cut = label->wordWrap() ? label->heightForWidth(label->width()) > label->height()
                                               : metrics.horizontalAdvance(label->text()) > label->contentsRect().width() ||
                                                     metrics.tightBoundingRect(label->text()).height() > label->height();
            if (cut) {
                faults << name + " cuts its text off: " + label->text();
            }
            if (label->font().pixelSize() < 10) {
                faults << name + " is too small to read";
            }
        }
        auto* button = qobject_cast<OwnerDrawnButton*>(control);
        if (button && button->look() == OwnerDrawnButton::Look::Bitmap &&
            QFontMetrics(button->textFont()).horizontalAdvance(button->text()) > button->width()) {
            faults << name + " cuts its caption off";
        }
    }
    return faults;
}

bool paintsColour(const QImage& image, const QRect& area, const QColor& colour)
{
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (image.pixelColor(x, y).rgb() == colour.rgb()) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace lexivo::testing
