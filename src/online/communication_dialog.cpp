#include "online/communication_dialog.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>

#include "ui/control_ids/communication_dialog.h"
#include "ui/controls.h"
#include "ui/program.h"

namespace lexivo {
namespace {

namespace control = communication_dialog_control;

constexpr int kDotInterval = 500;  // ms

}  // namespace

CommunicationDialog::CommunicationDialog(Program& program, const OnlineSession& session, ServerRequest request,
                                         QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), session_(session), request_(std::move(request))
{
    setModal(true);
    const DialogUnits units(templateFont(kTahoma, 8));
    resize(units.size(182, 43));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, toQColor(program.scheme().dialogColour.shifted(30)));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setAutoFillBackground(true);

    text_ = addStatic(this, control::Text, QString::fromUtf8(kCommunicationText.data(), kCommunicationText.size()),
                      units.rect(50, 7, 125, 29), cellFont(kArial, 16, TextStyle::Bold));
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    const QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    move(screen->availableGeometry().center() - rect().center());

    dots_.setInterval(kDotInterval);
    connect(&dots_, &QTimer::timeout, this,
            [this] { text_->setText(QString::fromStdString(nextCommunicationText(text_->text().toStdString()))); });
}

CommunicationDialog::~CommunicationDialog()
{
    if (worker_.joinable()) {
        worker_.join();
    }
}

QString CommunicationDialog::shownText() const { return text_->text(); }

void CommunicationDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!worker_.joinable() && !received_) {
        startWorker();
    }
}

void CommunicationDialog::startWorker()
{
    dots_.start();
    // The worker reads its own copies; the window's fields are touched only on this thread.
    worker_ = std::thread([this, exchange = session_.exchange, request = request_, limits = session_.limits] {
        ServerReply reply = exchange(request, limits);
        QMetaObject::invokeMethod(
            this, [this, reply = std::move(reply)]() mutable { receive(std::move(reply)); }, Qt::QueuedConnection);
    });
}

void CommunicationDialog::receive(ServerReply reply)
{
    reply_ = std::move(reply);
    received_ = true;
    dots_.stop();
    accept();
}

void CommunicationDialog::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Window).darker(160));  // the thin border
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CommunicationDialog::closeEvent(QCloseEvent* event)
{
    if (!received_) {
        event->ignore();
    }
}

std::optional<std::string> runServerRequest(Program& program, const OnlineSession& session, QWidget* owner,
                                            const ServerRequest& request)
{
    CommunicationDialog dialog(program, session, request, owner);
    dialog.exec();
    const ServerReply& reply = dialog.reply();
    if (!showRequestError(program, owner, reply.code)) {
        return std::nullopt;
    }
    const ReplyVerdict verdict = judgeReply(reply);
    if (verdict.message) {
        program.dialogs.showMessage(owner, *verdict.message);
    }
    if (verdict.kind != ReplyVerdict::Kind::Delivered) {
        return std::nullopt;
    }
    return *reply.body;
}

bool showRequestError(Program& program, QWidget* owner, int code)
{
    if (code == request_code::kSuccess) {
        return true;
    }
    program.dialogs.showMessage(owner, requestErrorMessage(code));
    return false;
}

ServerAddress serverAddress(Program& program, QWidget* owner)
{
    ServerAddress address = loadServerAddress(program.tree.programDirectory());
    if (address.problem) {
        program.dialogs.showMessage(owner, *address.problem);
    }
    return address;
}

}  // namespace lexivo
