#pragma once
// Every exchange with the web service runs under this small modal window: "Probíhá komunikace."
// with dots that move every 500 ms while a worker thread talks to the server. The reply comes
// back to the window's thread with a queued call, which closes the window; only that thread
// touches widgets.

#include <optional>
#include <string>
#include <thread>

#include <QDialog>
#include <QTimer>

#include "online/online_session.h"

class QLabel;

namespace lexivo {

struct Program;

class CommunicationDialog : public QDialog {
    Q_OBJECT
public:
    CommunicationDialog(Program& program, const OnlineSession& session, ServerRequest request, QWidget* owner);
    // Waits for a worker that is still talking: it ends by its own time-outs.
    ~CommunicationDialog() override;

    // The reply, once the window has closed.
    const ServerReply& reply() const { return reply_; }
    QString shownText() const;

public slots:
    // Nothing but the reply ends the window: Esc and closing are ignored.
    void reject() override {}

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void startWorker();
    void receive(ServerReply reply);

    const OnlineSession& session_;
    ServerRequest request_;
    ServerReply reply_;
    bool received_ = false;
    QLabel* text_ = nullptr;
    QTimer dots_;
    std::thread worker_;
};

// Runs one exchange under the progress window and shows what went wrong: a failed exchange, or
// the script's own refusal. The body when the script delivered, nothing otherwise.
std::optional<std::string> runServerRequest(Program& program, const OnlineSession& session, QWidget* owner,
                                            const ServerRequest& request);

// True for 200; otherwise shows the message for `code` over `owner` and returns false.
bool showRequestError(Program& program, QWidget* owner, int code);

// The address of the `server` file; an address that cannot be used is reported, and the
// default is used instead.
ServerAddress serverAddress(Program& program, QWidget* owner);

}  // namespace lexivo
