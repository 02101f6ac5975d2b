#include "editing/card_animation.h"

#include <QPainter>
#include <QWidget>

#include "ui/artwork.h"
#include "ui/program.h"

namespace lexivo {
namespace {

// The card picture, stretched to the card's size.
class Card : public QWidget {
public:
    Card(int scheme, QWidget* window) : QWidget(window), scheme_(scheme)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        paintArt(painter, Art::FlyingCard, scheme_, QRectF(rect()));
    }

private:
    int scheme_;
};

}  // namespace

CardAnimation::CardAnimation(const Program& program, QWidget* window, CardFlight flight)
    : QObject(window), frames_(std::move(flight.frames))
{
    moving_ = new Card(program.schemeNumber, window);
    if (flight.stayingCard) {
        staying_ = new Card(program.schemeNumber, window);
        const int size = frames_.empty() ? 0 : frames_.front().size;
        staying_->setGeometry(flight.stayingCard->x, flight.stayingCard->y, size, size);
        staying_->show();
    }
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &CardAnimation::showNextFrame);
    showNextFrame();
}

CardAnimation::~CardAnimation()
{
    delete moving_.data();
    delete staying_.data();
}

void CardAnimation::showNextFrame()
{
    if (next_ >= frames_.size() || moving_.isNull()) {
        next_ = frames_.size();  // the last frame has had its time: both cards go
        delete moving_.data();
        delete staying_.data();
        return;
    }
    const CardFrame& frame = frames_[next_++];
    moving_->setGeometry(frame.x, frame.y, frame.size, frame.size);
    moving_->show();
    moving_->raise();
    // While the two cards of a copy overlap, the one left behind is on top.
    if (staying_ && frame.stayingCardOnTop) {
        staying_->raise();
    }
    timer_.start(frame.delayMs);
}

}  // namespace lexivo
