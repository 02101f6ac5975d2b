#pragma once
// The pie of right and wrong answers: the right share in green, growing counter-clockwise
// from twelve o'clock, the rest in red.

#include <QRectF>

class QPainter;

namespace lexivo {

// Draws the pie for `percent` right answers into the circle `box`.
void paintSuccessPie(QPainter& painter, const QRectF& box, int percent);

// The counter-clockwise sweep in degrees from twelve o'clock to the end of the right share;
// 360 when the end lies on twelve o'clock's radius.
double rightShareSweep(int percent);

}  // namespace lexivo
