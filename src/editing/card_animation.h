#pragma once
// The card that flies across the word transfer window while words are moved, copied, removed
// or deleted. It plays its frames on a timer and is gone when they end; nothing waits for it,
// and closing the window ends it with the window.

#include <vector>

#include <QObject>
#include <QPointer>
#include <QTimer>

#include "editing/card_flight.h"

class QWidget;

namespace lexivo {

struct Program;

class CardAnimation : public QObject {
    Q_OBJECT
public:
    CardAnimation(const Program& program, QWidget* window, CardFlight flight);
    ~CardAnimation() override;

    bool flying() const { return !moving_.isNull(); }

private:
    void showNextFrame();

    std::vector<CardFrame> frames_;
    std::size_t next_ = 0;
    QPointer<QWidget> moving_;
    QPointer<QWidget> staying_;
    QTimer timer_;
};

}  // namespace lexivo
