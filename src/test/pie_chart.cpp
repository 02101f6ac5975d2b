#include "test/pie_chart.h"

#include <cmath>

#include <QPainter>

#include "test/answer_check.h"

namespace lexivo {

double rightShareSweep(int percent)
{
    const PieEnd end = pieEnd(percent);
    // Screen y grows downwards; angles grow counter-clockwise from three o'clock.
    const double endAngle = std::atan2(-end.dy, end.dx) * 180.0 / M_PI;
    const double sweep = std::fmod(endAngle - 90.0 + 720.0, 360.0);
    return sweep < 1e-9 ? 360.0 : sweep;
}

void paintSuccessPie(QPainter& painter, const QRectF& box, int percent)
{
    const double sweep = rightShareSweep(percent);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(0, 200, 0));
    if (sweep >= 360.0) {
        painter.drawEllipse(box);
    } else {
        painter.drawPie(box, 90 * 16, qRound(sweep * 16));
    }
    if (pieEnd(percent) != kFullPie) {
        // The wrong share runs on from the end of the right one back to twelve o'clock; when
        // both ends meet (no right answer) it is the whole disc, drawn last.
        const double wrongSweep = sweep >= 360.0 ? 360.0 : 360.0 - sweep;
        painter.setBrush(QColor(200, 0, 0));
        if (wrongSweep >= 360.0) {
            painter.drawEllipse(box);
        } else {
            painter.drawPie(box, qRound((90 + sweep) * 16), qRound(wrongSweep * 16));
        }
    }
    painter.restore();
}

}  // namespace lexivo
