// The result graph's drawing. Everything is drawn without anti-aliasing and at whole-pixel positions, so that
// the picture is the same on every drawing and its lines keep their palette colours exactly.
#include "plot/graph_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QRectF>

#include <algorithm>
#include <cmath>
#include <vector>

#include "calc/conversion.h"
#include "messages/catalogue.h"
#include "plot/fonts.h"

namespace tessaroven {

const std::array<GraphAxisLabel, 10> kGraphAxisLabels{{
    {"yHundredLabel", "100", 600, 120, 495, 345, 15.75, GraphAxis::YTop},
    {"yFiftyLabel", "50", 720, 3000, 330, 345, 15.75, GraphAxis::Y},
    {"yZeroLabel", "0", 840, 5760, 165, 345, 15.75, GraphAxis::Y},
    {"yTitleUpperLabel", "Relative", 120, 960, 885, 315, kGraphWindowPointSize},
    {"yTitleLowerLabel", "Exposure", 120, 1320, 1065, 315, kGraphWindowPointSize},
    {"xZeroLabel", "0", 1080, 6120, 165, 345, 15.75},
    {"xTenLabel", "10", 3480, 6120, 330, 345, 15.75, GraphAxis::X},
    {"xTwentyLabel", "20", 6000, 6120, 330, 345, 15.75, GraphAxis::X},
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

// Segments are cut a little outside the picture's left and right edges, so that their pen ends lie beyond
// them and the painter's clip makes the visible end; above and below they end at the frame, which is made to
// hold every value it can (a value beyond the coordinates' bound is cut there).
constexpr double kCutMarginX = 1.0;
constexpr double kFrameSlackY = 1e-6;

bool IsFinite(QPointF p) {
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

QPointF Bounded(QPointF p) {
    return {std::clamp(p.x(), -kCoordinateBound, kCoordinateBound),
            std::clamp(p.y(), -kCoordinateBound, kCoordinateBound)};
}

// Whether a y of the standard frame lies within the frame.
bool InsideFrameY(double y) {
    return y >= -kFrameSlackY && y <= 100 + kFrameSlackY;
}

// Liang-Barsky: cuts the segment a-b (in the standard frame's units) to the picture's width and the frame's
// height. False if nothing is left.
bool CutToPicture(QPointF& a, QPointF& b) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - (kGraphLeft - kCutMarginX), (kGraphRight + kCutMarginX) - a.x(),
                         a.y() + kFrameSlackY, (100 + kFrameSlackY) - a.y()};
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
                 GraphDrawState& state, const GraphFrame& frame)
        : m_painter(painter),
          m_origin(origin),
          m_size(size),
          m_foreground(foreground),
          m_state(state),
          m_scaleX(kStandardLastX / static_cast<double>(frame.lastX)),
          m_bottomY(frame.bottomY),
          m_scaleY(100.0 / (frame.topY - frame.bottomY)) {
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
    // Dashed lines, for the baseline; never carried over between drawings.
    void SetDashed(bool dashed) { m_dashed = dashed; }
    // Dotted lines, for the other model's profile.
    void SetDotted(bool dotted) { m_dotted = dotted; }

    // Points are in the frame's units: cm and percent.
    void Line(QPointF from, QPointF to, const QColor& colour) {
        from = Standard(from);
        to = Standard(to);
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
        m_painter.drawRect(QRectF(Snapped(Standard(corner1)), Snapped(Standard(corner2))).normalized());
    }

    // The radius is in cm of the standard frame, so markers keep their size in every frame.
    void Circle(QPointF centre, double radiusX, const QColor& outline) {
        centre = Standard(centre);
        if (!IsFinite(centre) || !InsideFrameY(centre.y())) {
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
        const QPointF standard = Standard(at);
        if (!IsFinite(standard)) {
            return;
        }
        const QPointF c = ToPixel(Bounded(standard));
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

    // Where a point of the frame lies in the standard frame's units, in which the picture is laid out. The
    // standard frame maps every point onto itself, bit for bit.
    QPointF Standard(QPointF p) const { return {p.x() * m_scaleX, (p.y() - m_bottomY) * m_scaleY}; }
    QPointF ToPixel(QPointF g) const { return m_origin + GraphToPixel(g, m_size); }

private:
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
        if (m_dashed) {
            pen.setStyle(Qt::DashLine);
        } else if (m_dotted) {
            pen.setStyle(Qt::DotLine);
        }
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
    double m_scaleX;
    double m_bottomY;
    double m_scaleY;
    bool m_dashed = false;
    bool m_dotted = false;
};

// The y grid steps tried in turn for a stretched axis: the first that keeps the frame to this many steps.
constexpr double kGridSteps[] = {10,  20,  50,  100, 200, 500, 1e3, 2e3, 5e3,
                                 1e4, 2e4, 5e4, 1e5, 2e5, 5e5, 1e6, 2e6};
constexpr double kMostGridSteps = 12;

// The next step of the 1-2-5 progression: 50, 100, 200, 500, 1000, ...
double NextRoundStep(double step) {
    const double decade = std::pow(10.0, std::floor(std::log10(step)));
    const double leading = std::round(step / decade);
    return (leading == 2 ? 2.5 : 2.0) * step;
}

// Tick numbers painted for a widened axis: the size of the fixed inscriptions (15.75 pt at 96 dpi), their row
// below the frame and the right edge of their column left of it, and the least room between two numbers.
constexpr int kTickPixelSize = 21;
constexpr int kXTickTopTwips = 6120;
constexpr int kYTickRightTwips = 1005;
constexpr double kLeastTickGap = 24;
constexpr double kTickLeftMargin = 2;
constexpr int kLeastTickPixelSize = 10;

// The legend: its text size, its inner margins and the length of its line samples, in pixels.
constexpr int kLegendPixelSize = 13;
constexpr double kLegendPadding = 6;
constexpr double kLegendSample = 28;

QString TickText(double value) {
    return QString::number(value, 'g', 7);
}

// The y axis's numbers: every labelled step leaves room for a number; 0 and 50 are labelled where the step
// allows, then the frame's ends where they are not too close to another number (the upper end always, when
// it is not the fixed inscription's 100).
std::vector<double> YTickValues(const GraphSurface& surface, const GraphFrame& frame) {
    const double pixelsPerPercent = std::abs(surface.ToPixel(surface.Standard(QPointF(0, 0))).y() -
                                             surface.ToPixel(surface.Standard(QPointF(0, 100))).y()) /
                                    100.0;
    double labelStep = 50;
    while (labelStep * pixelsPerPercent < kLeastTickGap && labelStep < 1e7) {
        labelStep = NextRoundStep(labelStep);
    }
    std::vector<double> placed{frame.topY};
    std::vector<double> values;
    for (double y = std::ceil(frame.bottomY / labelStep) * labelStep; y < frame.topY; y += labelStep) {
        values.push_back(y);
    }
    values.push_back(frame.bottomY);
    for (const double y : values) {
        if (std::none_of(placed.begin(), placed.end(), [&](double other) {
                return std::abs(other - y) * pixelsPerPercent < kLeastTickGap;
            })) {
            placed.push_back(y);
        }
    }
    if (!frame.topRaised()) {
        placed.erase(placed.begin());  // the fixed inscription shows it
    }
    return placed;
}

void PaintTickNumbers(QPainter& painter, const GraphSurface& surface, QPointF origin, QSizeF size,
                      const QColor& colour, const GraphFrame& frame) {
    painter.save();
    painter.setClipRect(QRectF(origin, size), Qt::IntersectClip);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QFont font = LayoutFont(FontFace::TimesNewRoman, kGraphWindowPointSize);
    font.setPixelSize(kTickPixelSize);
    const std::vector<double> yValues =
        frame.yExtended() ? YTickValues(surface, frame) : std::vector<double>{};
    // Long numbers (a frame stretched to a million) get a smaller size, so they stay left of the frame
    // instead of running past the picture's left edge.
    double widest = 0;
    for (const double y : yValues) {
        widest = std::max(widest, QFontMetricsF(font).horizontalAdvance(TickText(y)));
    }
    const double room = TwipsToPixels(kYTickRightTwips) - kTickLeftMargin;
    if (widest > room) {
        font.setPixelSize(std::max(kLeastTickPixelSize, static_cast<int>(kTickPixelSize * room / widest)));
    }
    painter.setFont(font);
    painter.setPen(colour);
    const QFontMetricsF metrics(font);
    if (frame.xExtended()) {
        std::vector<int> ticks;
        for (int x = 10; x <= frame.lastX; x += 10) {
            ticks.push_back(x);
        }
        if (frame.lastX % 10 >= 3) {
            ticks.push_back(frame.lastX);
        }
        for (const int x : ticks) {
            const QString text = TickText(x);
            const double width = metrics.horizontalAdvance(text);
            const double centre = surface.ToPixel(surface.Standard(QPointF(x, 0))).x();
            painter.drawText(QRectF(centre - width / 2, origin.y() + TwipsToPixels(kXTickTopTwips), width + 1,
                                    metrics.height() + 1),
                             Qt::AlignLeft | Qt::AlignTop, text);
        }
    }
    for (const double y : yValues) {
        const QString text = TickText(y);
        const double width = metrics.horizontalAdvance(text);
        const double middle = surface.ToPixel(surface.Standard(QPointF(0, y))).y();
        const QRectF box(origin.x() + TwipsToPixels(kYTickRightTwips) - width, middle - metrics.height() / 2,
                         width + 1, metrics.height() + 1);
        // A number that would run into a fixed inscription (the axis title) is left out.
        const bool covered =
            std::any_of(kGraphAxisLabels.begin(), kGraphAxisLabels.end(), [&](const auto& label) {
                const QRectF fixed(
                    origin + QPointF(TwipsToPixels(label.leftTwips), TwipsToPixels(label.topTwips)),
                    QSizeF(TwipsToPixels(label.widthTwips), TwipsToPixels(label.heightTwips)));
                return AxisLabelFits(label, frame) && fixed.intersects(box);
            });
        if (!covered) {
            painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
        }
    }
    painter.restore();
}

// One row of the legend: a sample of what is drawn and its name.
struct LegendEntry {
    QString name;
    QColor colour;
    Qt::PenStyle line;  // Qt::NoPen: the sample is a ring alone
    bool filled;
};

// The entries for what the drawing adds to the measurement's profile: the two models' lines, or the
// measurement's alone when only a baseline is shown; then the baseline and the rings of the flagged
// positions.
std::vector<LegendEntry> LegendEntries(const BaselineOverlay* overlay, const ModelOverlay* models) {
    const auto catalogue = [](Reason reason) {
        const std::string_view text = MessageText(reason);
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    };
    std::vector<LegendEntry> entries;
    if (models != nullptr) {
        entries.push_back({models->shownName, kGraphProfileColour, Qt::SolidLine, true});
        entries.push_back({models->otherName, kGraphOtherModelColour, Qt::DotLine, false});
    } else if (overlay != nullptr) {
        entries.push_back(
            {catalogue(Reason::GraphLegendMeasurement), kGraphProfileColour, Qt::SolidLine, true});
    }
    if (overlay != nullptr) {
        entries.push_back(
            {catalogue(Reason::GraphLegendBaseline), kGraphBaselineColour, Qt::DashLine, false});
        if (!overlay->flagged.empty()) {
            entries.push_back({catalogue(Reason::GraphLegendFlagged), kGraphFlagColour, Qt::NoPen, false});
        }
    }
    return entries;
}

// The legend: a white box in the frame's upper right corner, where the profile (highest at the centre, on the
// left) leaves room, with a sample of each line and its name.
void PaintLegend(QPainter& painter, QPointF origin, QSizeF size, const QColor& foreground,
                 const std::vector<LegendEntry>& entries) {
    painter.save();
    painter.setClipRect(QRectF(origin, size), Qt::IntersectClip);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    QFont font = LayoutFont(FontFace::Meiryo, 0);
    font.setPixelSize(kLegendPixelSize);
    painter.setFont(font);
    const QFontMetricsF metrics(font);
    const double row = std::ceil(metrics.height()) + 2;
    double textWidth = 0;
    for (const LegendEntry& entry : entries) {
        textWidth = std::max(textWidth, std::ceil(metrics.horizontalAdvance(entry.name)));
    }
    const double width = kLegendPadding * 3 + kLegendSample + textWidth;
    const double height = kLegendPadding * 2 + row * static_cast<double>(entries.size());
    // The frame's upper right corner (25 cm, 100 %), a little inside it.
    const QPointF corner = origin + GraphToPixel(QPointF(kStandardLastX, 100), size);
    const QRectF box(std::floor(corner.x() - width - 4) + 0.5, std::floor(corner.y() + 4) + 0.5, width,
                     height);
    painter.setPen(QPen(foreground, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    double y = box.top() + kLegendPadding;
    for (const LegendEntry& entry : entries) {
        const double middle = std::floor(y + row / 2);
        const double left = box.left() + kLegendPadding;
        const QPointF centre(left + kLegendSample / 2, middle);
        if (entry.line == Qt::NoPen) {
            painter.setPen(QPen(entry.colour, 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(centre, 6, 6);
        } else {
            QPen pen(entry.colour, 2);
            pen.setStyle(entry.line);
            painter.setPen(pen);
            painter.setBrush(Qt::NoBrush);
            painter.drawLine(QPointF(left, middle), QPointF(left + kLegendSample, middle));
            painter.setBrush(entry.filled ? QBrush(entry.colour) : QBrush(Qt::NoBrush));
            painter.setPen(QPen(entry.colour, 2));
            painter.drawEllipse(centre, 3, 3);
        }
        painter.setPen(foreground);
        painter.drawText(QRectF(left + kLegendSample + kLegendPadding, y, textWidth + 1, row),
                         Qt::AlignLeft | Qt::AlignVCenter, entry.name);
        y += row;
    }
    painter.restore();
}

}  // namespace

BaselineOverlay BaselineOverlayOf(const BaselineComparison& comparison) {
    BaselineOverlay overlay;
    for (const PositionComparison& c : comparison.positions) {
        overlay.baseline.emplace_back(c.position, c.baselinePercent);
        if (c.flagged) {
            overlay.flagged.emplace_back(c.position, c.relativePercent);
        }
    }
    return overlay;
}

ModelOverlay ModelOverlayOf(const MeasurementRecord& shown, const MeasurementRecord& other) {
    ModelOverlay overlay;
    const int last = std::min(LastPositionIndex(other.lastPosition), kLastSlot);
    for (int i = 0; i <= last; ++i) {
        overlay.other.emplace_back(i, other.relativePercent[static_cast<std::size_t>(i)]);
    }
    const auto name = [](ConversionModel model) {
        const std::string_view text = ConversionModelName(model);
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    };
    overlay.shownName = name(shown.convertedModel);
    overlay.otherName = name(other.convertedModel);
    return overlay;
}

GraphFrame GraphFrameOf(const MeasurementRecord& record, std::span<const double> errorBars,
                        const BaselineOverlay* overlay, const ModelOverlay* models) {
    GraphFrame frame;
    const int last = std::min(LastPositionIndex(record.lastPosition), kLastSlot);
    frame.lastX = std::max(kStandardLastX, last);
    double lowest = 0;
    for (int i = 0; i <= last; ++i) {
        const double q = record.relativePercent[i];
        if (!std::isfinite(q)) {
            continue;
        }
        lowest = std::min(lowest, q);
        if (i < static_cast<int>(errorBars.size())) {
            const double u = errorBars[static_cast<std::size_t>(i)];
            if (std::isfinite(u) && u > 0) {
                lowest = std::min(lowest, q - u);
            }
        }
    }
    double highest = 100;
    for (int i = 0; i <= last; ++i) {
        const double q = record.relativePercent[i];
        if (!std::isfinite(q)) {
            continue;
        }
        highest = std::max(highest, q);
        if (i < static_cast<int>(errorBars.size())) {
            const double u = errorBars[static_cast<std::size_t>(i)];
            if (std::isfinite(u) && u > 0) {
                highest = std::max(highest, q + u);
            }
        }
    }
    std::vector<QPointF> drawn;
    if (overlay != nullptr) {
        drawn = overlay->baseline;
    }
    if (models != nullptr) {
        drawn.insert(drawn.end(), models->other.begin(), models->other.end());
    }
    for (const QPointF& point : drawn) {
        if (std::isfinite(point.y())) {
            lowest = std::min(lowest, point.y());
            highest = std::max(highest, point.y());
        }
    }
    lowest = std::max(lowest, -kCoordinateBound);
    highest = std::min(highest, kCoordinateBound);
    if (lowest < 0 || highest > 100) {
        for (const double step : kGridSteps) {
            frame.yStep = step;
            frame.bottomY = lowest < 0 ? -std::ceil(-lowest / step) * step : 0;
            frame.topY = highest > 100 ? std::ceil(highest / step) * step : 100;
            if ((frame.topY - frame.bottomY) / step <= kMostGridSteps) {
                break;
            }
        }
    }
    return frame;
}

void DrawProfileGraph(QPainter& painter, QPointF origin, QSizeF clientSize, const QColor& foreground,
                      const MeasurementRecord& record, GraphDrawState& state,
                      std::span<const double> errorBars, const BaselineOverlay* overlay,
                      const ModelOverlay* models) {
    const GraphFrame frame = GraphFrameOf(record, errorBars, overlay, models);
    GraphSurface surface(painter, origin, clientSize, foreground, state, frame);
    surface.Clear();

    // Grid lines at the width the last drawing left (1).
    for (int x = 1; x < frame.lastX; ++x) {
        surface.Line(QPointF(x, frame.bottomY), QPointF(x, frame.topY), kGraphGridColour);
    }
    for (int i = 1;; ++i) {
        const double y = frame.bottomY + i * frame.yStep;
        if (y >= frame.topY) {
            break;
        }
        surface.Line(QPointF(0, y), QPointF(frame.lastX, y), kGraphGridColour);
    }

    surface.SetPenWidth(2);
    surface.Box(QPointF(0, frame.bottomY), QPointF(frame.lastX, frame.topY));

    // Positions beyond the record's slots have nothing to draw.
    const int last = std::min(LastPositionIndex(record.lastPosition), kLastSlot);

    if (overlay != nullptr) {
        surface.SetPenWidth(1);
        surface.SetDashed(true);
        for (std::size_t i = 1; i < overlay->baseline.size(); ++i) {
            surface.Line(overlay->baseline[i - 1], overlay->baseline[i], kGraphBaselineColour);
        }
        surface.SetDashed(false);
        surface.SetPenWidth(2);
        for (const QPointF& point : overlay->baseline) {
            surface.Circle(point, kMarkerRadiusX, kGraphBaselineColour);
        }
    }

    if (models != nullptr) {
        surface.SetPenWidth(2);
        surface.SetDotted(true);
        for (std::size_t i = 1; i < models->other.size(); ++i) {
            surface.Line(models->other[i - 1], models->other[i], kGraphOtherModelColour);
        }
        surface.SetDotted(false);
        for (const QPointF& point : models->other) {
            surface.Circle(point, kMarkerRadiusX, kGraphOtherModelColour);
        }
    }

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

    if (overlay != nullptr) {
        surface.SetSolidFill(false);
        for (const QPointF& point : overlay->flagged) {
            surface.Circle(point, kFlagRingRadiusX, kGraphFlagColour);
        }
    }

    surface.SetPenWidth(1);
    surface.SetSolidFill(false);

    if (frame.xExtended() || frame.yExtended()) {
        PaintTickNumbers(painter, surface, origin, clientSize, foreground, frame);
    }
    if (overlay != nullptr || models != nullptr) {
        PaintLegend(painter, origin, clientSize, foreground, LegendEntries(overlay, models));
    }
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

bool AxisLabelFits(const GraphAxisLabel& label, const GraphFrame& frame) {
    switch (label.tickOf) {
        case GraphAxis::X:
            return !frame.xExtended();
        case GraphAxis::Y:
            return !frame.yExtended();
        case GraphAxis::YTop:
            return !frame.topRaised();
        case GraphAxis::None:
            break;
    }
    return true;
}

void PaintAxisLabels(QPainter& painter, QPointF origin, const QColor& colour, const GraphFrame& frame) {
    for (const GraphAxisLabel& label : kGraphAxisLabels) {
        if (!AxisLabelFits(label, frame)) {
            continue;
        }
        painter.save();
        painter.setPen(colour);
        // In pixels of the 96-dpi picture, so that the texts keep their place and size on any device and
        // under any scaling (a PDF page, a printer).
        QFont font = LayoutFont(FontFace::TimesNewRoman, 0);
        font.setPixelSize(static_cast<int>(std::lround(label.pointSize * 96 / 72)));
        painter.setFont(font);
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

QImage RenderLabelledProfileGraph(const MeasurementRecord& record, std::span<const double> errorBars,
                                  const BaselineOverlay* overlay, const ModelOverlay* models) {
    QImage image = NewPicture(kGraphClientSize);
    GraphDrawState state;
    QPainter painter(&image);
    DrawProfileGraph(painter, QPointF(0, 0), QSizeF(kGraphClientSize), Qt::black, record, state, errorBars,
                     overlay, models);
    PaintAxisLabels(painter, QPointF(0, 0), Qt::black, GraphFrameOf(record, errorBars, overlay, models));
    return image;
}

}  // namespace tessaroven
