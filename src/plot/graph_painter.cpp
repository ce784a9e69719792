// The result graph's drawing. Everything is drawn without anti-aliasing and at whole-pixel positions, so that
// the picture is the same on every drawing and its lines keep their palette colours exactly.
#include "plot/graph_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QRectF>

#include <algorithm>
#include <cmath>

#include "plot/fonts.h"

namespace tessaroven {

const std::array<GraphAxisLabel, 10> kGraphAxisLabels{{
    {"yHundredLabel", "100", 600, 120, 495, 345, 15.75},
    {"yFiftyLabel", "50", 720, 3000, 330, 345, 15.75},
    {"yZeroLabel", "0", 840, 5760, 165, 345, 15.75},
    {"yTitleUpperLabel", "Relative", 120, 960, 885, 315, kGraphWindowPointSize},
    {"yTitleLowerLabel", "Exposure", 120, 1320, 1065, 315, kGraphWindowPointSize},
    {"xZeroLabel", "0", 1080, 6120, 165, 345, 15.75},
    {"xTenLabel", "10", 3480, 6120, 330, 345, 15.75},
    {"xTwentyLabel", "20", 6000, 6120, 330, 345, 15.75},
    {"xUnitLabel", "cm", 6600, 6120, 345, 315, kGraphWindowPointSize},
    {"xTitleLabel", "Off center", 4320, 6360, 1260, 345, 15.75},
}};

QPointF GraphToPixel(QPointF graphPoint, QSizeF clientSize) {
    return {(graphPoint.x() - kGraphLeft) * clientSize.width() / (kGraphRight - kGraphLeft),
            (kGraphTop - graphPoint.y()) * clientSize.height() / (kGraphTop - kGraphBottom)};
}

namespace {

// Values far outside the picture are pulled in to this bound before any arithmetic, so that no coordinate
// overflows. A segment's visible part changes by far less than a pixel: at this bound it is vertical.
constexpr double kCoordinateBound = 1.0e6;

// Segments are cut a little outside the picture, so that their pen ends lie beyond its edges and the
// painter's clip makes the visible end.
constexpr double kCutMarginX = 1.0;
constexpr double kCutMarginY = 4.0;

bool IsFinite(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

QPointF Bounded(QPointF p) {
    return {std::clamp(p.x(), -kCoordinateBound, kCoordinateBound),
            std::clamp(p.y(), -kCoordinateBound, kCoordinateBound)};
}

// Liang-Barsky: cuts the segment a-b to the picture's graph rectangle plus margins. False if nothing is left.
bool CutToPicture(QPointF& a, QPointF& b) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - (kGraphLeft - kCutMarginX), (kGraphRight + kCutMarginX) - a.x(),
                         a.y() - (kGraphBottom - kCutMarginY), (kGraphTop + kCutMarginY) - a.y()};
    double t0 = 0.0;
    double t1 = 1.0;
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0.0) {
            if (q[k] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    const QPointF start = a;
    a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

// The picture's drawing operations in graph units, on the painter and the retained drawing state.
class GraphSurface {
public:
    GraphSurface(QPainter& painter, QPointF origin, QSizeF size, const QColor& foreground,
                 GraphDrawState& state)
        : m_painter(painter), m_origin(origin), m_size(size), m_foreground(foreground), m_state(state) {
        m_painter.save();
        m_painter.setClipRect(QRectF(m_origin, m_size), Qt::IntersectClip);
        m_painter.setRenderHint(QPainter::Antialiasing, false);
    }
    ~GraphSurface() { m_painter.restore(); }
    GraphSurface(const GraphSurface&) = delete;
    GraphSurface& operator=(const GraphSurface&) = delete;

    void Clear() { m_painter.fillRect(QRectF(m_origin, m_size), Qt::white); }

    void SetPenWidth(int width) { m_state.penWidth = width; }
    void SetSolidFill(bool solid) { m_state.solidFill = solid; }
    void SetFillColour(const QColor& colour) { m_state.fillColour = colour; }

    void Line(QPointF from, QPointF to, const QColor& colour) {
        if (!IsFinite(from) || !IsFinite(to)) {
            return;
        }
        from = Bounded(from);
        to = Bounded(to);
        if (!CutToPicture(from, to)) {
            return;
        }
        UsePen(colour);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawLine(Snapped(from), Snapped(to));
    }

    void Box(QPointF corner1, QPointF corner2) {
        UsePen(m_foreground);
        UseFill();
        m_painter.drawRect(QRectF(Snapped(corner1), Snapped(corner2)).normalized());
    }

    void Circle(QPointF centre, double radiusX, const QColor& outline) {
        if (!IsFinite(centre)) {
            return;
        }
        const double radius = radiusX * m_size.width() / (kGraphRight - kGraphLeft);
        const QPointF c = ToPixel(Bounded(centre));
        const QRectF reach = QRectF(m_origin, m_size)
                                 .adjusted(-radius - m_state.penWidth, -radius - m_state.penWidth,
                                           radius + m_state.penWidth, radius + m_state.penWidth);
        if (!reach.contains(c)) {
            return;
        }
        UsePen(outline);
        UseFill();
        m_painter.drawEllipse(Snap(c), radius, radius);
    }

    // A dot of the pen's width; it becomes the current position.
    void Point(QPointF at, const QColor& colour) {
        m_state.current = at;
        if (!IsFinite(at)) {
            return;
        }
        const QPointF c = ToPixel(Bounded(at));
        if (!QRectF(m_origin, m_size).adjusted(-8, -8, 8, 8).contains(c)) {
            return;
        }
        const double w = m_state.penWidth;
        const QPointF centre = Snap(c);
        m_painter.fillRect(QRectF(centre.x() - w / 2, centre.y() - w / 2, w, w), colour);
    }

    // A line from the current position, whose end becomes the current position.
    void LineTo(QPointF to, const QColor& colour) {
        Line(m_state.current, to, colour);
        m_state.current = to;
    }

private:
    QPointF ToPixel(QPointF g) const { return m_origin + GraphToPixel(g, m_size); }

    // Pixel centres for odd pen widths, pixel corners for even ones: either way the pen covers whole pixels.
    QPointF Snap(QPointF pixel) const {
        const double shift = (m_state.penWidth % 2 == 1) ? 0.5 : 0.0;
        return {std::floor(pixel.x()) + shift, std::floor(pixel.y()) + shift};
    }
    QPointF Snapped(QPointF graphPoint) const { return Snap(ToPixel(graphPoint)); }

    void UsePen(const QColor& colour) {
        QPen pen(colour);
        pen.setWidth(m_state.penWidth);
        pen.setCapStyle(m_state.penWidth > 1 ? Qt::RoundCap : Qt::SquareCap);
        pen.setJoinStyle(Qt::MiterJoin);
        m_painter.setPen(pen);
    }
    void UseFill() {
        if (m_state.solidFill) {
            m_painter.setBrush(m_state.fillColour);
        } else {
            m_painter.setBrush(Qt::NoBrush);
        }
    }

    QPainter& m_painter;
    QPointF m_origin;
    QSizeF m_size;
    QColor m_foreground;
    GraphDrawState& m_state;
};

}  // namespace

void DrawProfileGraph(QPainter& painter, QPointF origin, QSizeF clientSize, const QColor& foreground,
                      const MeasurementRecord& record, GraphDrawState& state,
                      std::span<const double> errorBars) {
    GraphSurface surface(painter, origin, clientSize, foreground, state);
    surface.Clear();

    // Grid lines at the width the last drawing left (1).
    for (int x = 1; x <= 24; ++x) {
        surface.Line(QPointF(x, 0), QPointF(x, 100), kGraphGridColour);
    }
    for (int y = 10; y <= 90; y += 10) {
        surface.Line(QPointF(0, y), QPointF(25, y), kGraphGridColour);
    }

    surface.SetPenWidth(2);
    surface.Box(QPointF(0, 0), QPointF(25, 100));

    // Positions beyond the record's slots have nothing to draw.
    const int last = std::min(LastPositionIndex(record.lastPosition), kLastSlot);

    surface.SetPenWidth(1);
    for (int i = 0; i <= last && i < static_cast<int>(errorBars.size()); ++i) {
        const double q = record.relativePercent[i];
        const double u = errorBars[static_cast<std::size_t>(i)];
        if (!std::isfinite(q) || !std::isfinite(u) || u <= 0) {
            continue;
        }
        surface.Line(QPointF(i, q - u), QPointF(i, q + u), kGraphProfileColour);
        for (const double end : {q - u, q + u}) {
            surface.Line(QPointF(i - kErrorBarCapX, end), QPointF(i + kErrorBarCapX, end),
                         kGraphProfileColour);
        }
    }
    surface.SetPenWidth(2);

    surface.SetSolidFill(true);
    surface.SetFillColour(kGraphProfileColour);
    for (int i = 0; i <= last; ++i) {
        surface.Circle(QPointF(i, record.relativePercent[i]), kMarkerRadiusX, kGraphProfileColour);
    }

    // The line starts at the nominal centre value, not at relativePercent[0].
    surface.Point(QPointF(0, 100), kGraphProfileColour);
    for (int i = 1; i <= last; ++i) {
        surface.LineTo(QPointF(i, record.relativePercent[i]), kGraphProfileColour);
    }

    surface.SetPenWidth(1);
    surface.SetSolidFill(false);
}

namespace {

QImage NewPicture(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    // 96 dpi, so that point sizes come out as on a standard screen.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    return image;
}

}  // namespace

QImage RenderProfileGraph(const MeasurementRecord& record, QSize size, const QColor& foreground,
                          std::span<const double> errorBars) {
    QImage image = NewPicture(size);
    GraphDrawState state;
    QPainter painter(&image);
    DrawProfileGraph(painter, QPointF(0, 0), QSizeF(size), foreground, record, state, errorBars);
    return image;
}

void PaintAxisLabels(QPainter& painter, QPointF origin, const QColor& colour) {
    for (const GraphAxisLabel& label : kGraphAxisLabels) {
        painter.save();
        painter.setPen(colour);
        painter.setFont(LayoutFont(FontFace::TimesNewRoman, label.pointSize));
        // Placed and sized as the window's labels are: whole pixels, at least the text's size, text from the
        // top-left corner, cut at the label's edges.
        const QString text = QString::fromUtf8(label.text);
        const QFontMetrics metrics = painter.fontMetrics();
        const QSize size = QSize(TwipsToPixels(label.widthTwips), TwipsToPixels(label.heightTwips))
                               .expandedTo(QSize(metrics.horizontalAdvance(text), metrics.height()));
        const QRectF box(origin + QPointF(TwipsToPixels(label.leftTwips), TwipsToPixels(label.topTwips)),
                         size);
        painter.setClipRect(box, Qt::IntersectClip);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
        painter.restore();
    }
}

QImage RenderLabelledProfileGraph(const MeasurementRecord& record) {
    QImage image = RenderProfileGraph(record, kGraphClientSize);
    QPainter painter(&image);
    PaintAxisLabels(painter, QPointF(0, 0));
    return image;
}

}  // namespace tessaroven
