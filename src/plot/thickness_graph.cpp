// The Al-equivalent thickness graph.
#include "plot/thickness_graph.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "calc/number_text.h"
#include "messages/catalogue.h"
#include "plot/fonts.h"

namespace tessaroven {

namespace {

constexpr double kFontPoints = 8;
constexpr double kMarkerRadius = 3.5;  // pixels
constexpr double kCapHalfWidth = 4;    // pixels
constexpr double kTickLength = 4;      // pixels
constexpr double kGap = 4;             // pixels between a text and what it labels
constexpr double kMostSteps = 8;
const QColor kGridColour{220, 220, 220};
const QColor kMarkerColour{0, 70, 160};

QString AxisText(Reason reason) {
    return QString::fromStdString(Message(reason));
}

// Enough decimals to tell the ticks of step apart.
int DecimalsFor(double step) {
    return std::max(0, static_cast<int>(std::ceil(-std::log10(step) - 1e-9)));
}

QString TickText(double value, double step) {
    const double shown = std::abs(value) < step * 1e-6 ? 0.0 : value;  // no "-0.00"
    return QString::fromStdString(FixedNumberText(shown, DecimalsFor(step)));
}

struct Point {
    double angle;
    double thickness;
    double bar;  // half-length of the error bar, 0 when the uncertainty is unknown
};

}  // namespace

ThicknessAxis AxisThrough(double low, double high) {
    if (!(low <= high) || !std::isfinite(low) || !std::isfinite(high)) {
        return {};
    }
    if (high - low < 1e-9 * std::max(1.0, std::abs(high))) {
        const double half = std::max(0.5, std::abs(high) * 0.1);
        low -= half;
        high += half;
    }
    const double rough = (high - low) / kMostSteps;
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = 10 * power;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (factor * power >= rough) {
            step = factor * power;
            break;
        }
    }
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

void DrawThicknessGraph(QPainter& painter, const QRectF& area, const AlEquivalentProfile& profile) {
    std::vector<Point> points;
    for (const AlEquivalentPosition& p : profile.positions) {
        if (p.thicknessMm && std::isfinite(*p.thicknessMm)) {
            const double bar = p.thicknessU && std::isfinite(*p.thicknessU) ? 2 * *p.thicknessU : 0.0;
            points.push_back({p.fanAngleDeg, *p.thicknessMm, bar});
        }
    }
    double angleLow = 0;
    double angleHigh = 0;
    double thicknessLow = 0;  // the centre's 0 is always in the picture
    double thicknessHigh = 0;
    for (const Point& p : points) {
        angleLow = std::min(angleLow, p.angle);
        angleHigh = std::max(angleHigh, p.angle);
        thicknessLow = std::min(thicknessLow, p.thickness - p.bar);
        thicknessHigh = std::max(thicknessHigh, p.thickness + p.bar);
    }
    const ThicknessAxis x = AxisThrough(angleLow, angleHigh);
    const ThicknessAxis y = AxisThrough(thicknessLow, thicknessHigh);

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    painter.setFont(LayoutFont(FontFace::Meiryo, kFontPoints));
    const QFontMetricsF metrics(painter.font());
    const double lineHeight = metrics.height();
    double tickWidth = 0;
    for (double v = y.low; v <= y.high + y.step / 2; v += y.step) {
        tickWidth = std::max(tickWidth, metrics.horizontalAdvance(TickText(v, y.step)));
    }
    const double lastTickHalf = metrics.horizontalAdvance(TickText(x.high, x.step)) / 2;
    // Room for the vertical title, the tick numbers and the ticks on the left; for the tick numbers and the
    // title below; for half a tick number on the right and half a line above.
    const QRectF frame =
        area.adjusted(lineHeight + 2 * kGap + tickWidth + kTickLength, lineHeight / 2 + kGap,
                      -std::max(lastTickHalf, kGap) - kGap, -(2 * lineHeight + 2 * kGap + kTickLength));
    if (frame.width() < 10 || frame.height() < 10) {
        painter.restore();
        return;
    }
    const auto toX = [&](double angle) {
        return frame.left() + (angle - x.low) / (x.high - x.low) * frame.width();
    };
    const auto toY = [&](double thickness) {
        return frame.bottom() - (thickness - y.low) / (y.high - y.low) * frame.height();
    };

    // Grid, ticks and tick numbers.
    painter.setPen(QPen(kGridColour, 1));
    for (double v = x.low; v <= x.high + x.step / 2; v += x.step) {
        painter.drawLine(QPointF(toX(v), frame.top()), QPointF(toX(v), frame.bottom()));
    }
    for (double v = y.low; v <= y.high + y.step / 2; v += y.step) {
        painter.drawLine(QPointF(frame.left(), toY(v)), QPointF(frame.right(), toY(v)));
    }
    painter.setPen(QPen(Qt::black, 1));
    for (double v = x.low; v <= x.high + x.step / 2; v += x.step) {
        const double px = toX(v);
        painter.drawLine(QPointF(px, frame.bottom()), QPointF(px, frame.bottom() + kTickLength));
        const QString text = TickText(v, x.step);
        const double width = metrics.horizontalAdvance(text);
        painter.drawText(
            QRectF(px - width / 2 - 1, frame.bottom() + kTickLength + kGap / 2, width + 2, lineHeight),
            Qt::AlignCenter, text);
    }
    for (double v = y.low; v <= y.high + y.step / 2; v += y.step) {
        const double py = toY(v);
        painter.drawLine(QPointF(frame.left() - kTickLength, py), QPointF(frame.left(), py));
        painter.drawText(
            QRectF(frame.left() - kTickLength - kGap - tickWidth, py - lineHeight / 2, tickWidth, lineHeight),
            Qt::AlignRight | Qt::AlignVCenter, TickText(v, y.step));
    }
    painter.drawRect(frame);
    if (y.low < 0 && y.high > 0) {
        painter.setPen(QPen(Qt::gray, 1, Qt::DashLine));
        painter.drawLine(QPointF(frame.left(), toY(0)), QPointF(frame.right(), toY(0)));
    }

    // Axis titles: the angle centred below, the thickness upright along the left edge.
    painter.setPen(Qt::black);
    painter.drawText(QRectF(frame.left(), area.bottom() - lineHeight - kGap / 2, frame.width(), lineHeight),
                     Qt::AlignCenter, AxisText(Reason::ColumnFanAngle));
    painter.save();
    painter.translate(area.left() + kGap / 2, frame.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-frame.height() / 2, 0, frame.height(), lineHeight), Qt::AlignCenter,
                     AxisText(Reason::ColumnAlEquivalent));
    painter.restore();

    // Error bars, the line and the markers.
    painter.setClipRect(frame.adjusted(-kMarkerRadius, -kMarkerRadius, kMarkerRadius, kMarkerRadius));
    painter.setPen(QPen(kMarkerColour, 1));
    for (const Point& p : points) {
        if (p.bar > 0) {
            const double px = toX(p.angle);
            const double top = toY(p.thickness + p.bar);
            const double bottom = toY(p.thickness - p.bar);
            painter.drawLine(QPointF(px, top), QPointF(px, bottom));
            painter.drawLine(QPointF(px - kCapHalfWidth, top), QPointF(px + kCapHalfWidth, top));
            painter.drawLine(QPointF(px - kCapHalfWidth, bottom), QPointF(px + kCapHalfWidth, bottom));
        }
    }
    if (points.size() > 1) {
        QPainterPath line(QPointF(toX(points.front().angle), toY(points.front().thickness)));
        for (std::size_t i = 1; i < points.size(); ++i) {
            line.lineTo(toX(points[i].angle), toY(points[i].thickness));
        }
        painter.drawPath(line);
    }
    painter.setBrush(kMarkerColour);
    for (const Point& p : points) {
        painter.drawEllipse(QPointF(toX(p.angle), toY(p.thickness)), kMarkerRadius, kMarkerRadius);
    }
    painter.restore();
}

}  // namespace tessaroven
