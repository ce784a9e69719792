// The result graph: the mapping from graph units to pixels, and the drawing of the whole picture (grid,
// frame, markers, start dot, profile line) onto any QPainter, so that the graph window and the command line's
// plot share one picture.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <QSizeF>
#include <QString>

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "calc/comparison.h"
#include "measurement/measurement_record.h"

class QPainter;

namespace tessaroven {

// Graph units at the edges of the picture; y grows upwards.
inline constexpr double kGraphLeft = -5.0;
inline constexpr double kGraphRight = 26.0;
inline constexpr double kGraphTop = 105.0;
inline constexpr double kGraphBottom = -15.0;

// The picture's client area at 96 dpi (7635 x 6915 twips).
inline constexpr QSize kGraphClientSize{509, 461};

// Palette colours 8 and 12 of the standard 16-colour palette.
inline const QColor kGraphGridColour{128, 128, 128};
inline const QColor kGraphProfileColour{255, 0, 0};

// A baseline drawn over the graph: a grey dashed line with hollow markers, and rings around the flagged
// positions' markers.
inline const QColor kGraphBaselineColour{128, 128, 128};
inline const QColor kGraphFlagColour{0, 0, 255};
inline constexpr double kFlagRingRadiusX = 0.45;

// Marker radius, measured along the x axis; markers stay round on screen.
inline constexpr double kMarkerRadiusX = 0.2;
// Half the width of an error bar's caps, along the x axis.
inline constexpr double kErrorBarCapX = 0.25;

// What a comparison with a baseline adds to the graph.
struct BaselineOverlay {
    std::vector<QPointF>
        baseline;                  // (position cm, the baseline's relative value %) of the compared positions
    std::vector<QPointF> flagged;  // (position cm, the measurement's relative value %) of the flagged ones
};

BaselineOverlay BaselineOverlayOf(const BaselineComparison& comparison);

// The same readings converted with the other model, drawn beside the measurement's profile in a line of its
// own (dark green, dotted, hollow markers). A legend in the frame's upper right names what is drawn whenever
// a baseline or the other model is: the two models, the baseline and the flagged positions' rings.
inline const QColor kGraphOtherModelColour{0, 128, 0};
struct ModelOverlay {
    std::vector<QPointF> other;  // (position cm, the other model's relative value %)
    QString shownName;           // the legend's names: the measurement's model
    QString otherName;           // and the other one
};

// The overlay of other (the record converted with the other model) beside shown, named in the catalogue's
// language.
ModelOverlay ModelOverlayOf(const MeasurementRecord& shown, const MeasurementRecord& other);

// What a drawing of a record shows besides its profile, as far as it is shown.
struct GraphOverlays {
    std::optional<BaselineOverlay> baseline;
    std::optional<ModelOverlay> models;
};

// Position in pixels, from the top-left corner of a client area of the given size, of a point in graph units.
QPointF GraphToPixel(QPointF graphPoint, QSizeF clientSize);

// The stretch of the axes that a drawing shows. The standard frame runs from 0 to 25 cm and from 0 to 100 %;
// a record with positions beyond 25 cm widens the x axis to its last position, a relative value or an error
// bar below 0 lowers the y axis to a whole grid step below it, and one above 100 raises it to a whole grid
// step above it, in either direction no further than a million percent. The frame keeps its place in the
// picture either way; only the scale inside it changes, and the tick numbers that moved are painted in the
// picture. Nothing drawn leaves the frame above or below: a value beyond it is cut at its edge.
inline constexpr int kStandardLastX = 25;
struct GraphFrame {
    int lastX = kStandardLastX;  // cm at the frame's right edge
    double bottomY = 0;          // percent at the frame's lower edge
    double topY = 100;           // percent at its upper edge
    double yStep = 10;           // spacing of the horizontal grid lines
    bool xExtended() const { return lastX != kStandardLastX; }
    bool yExtended() const { return bottomY != 0 || topY != 100; }
    bool topRaised() const { return topY != 100; }
    bool operator==(const GraphFrame&) const = default;
};

// The frame that shows every position of record (up to the last slot), every finite relative value outside
// 0..100 %, the ends of the error bars (as DrawProfileGraph takes them) and the baseline's and the other
// model's values.
GraphFrame GraphFrameOf(const MeasurementRecord& record, std::span<const double> errorBars = {},
                        const BaselineOverlay* overlay = nullptr, const ModelOverlay* models = nullptr);

// Drawing state that the picture keeps between drawings. Every drawing sets it back to pen width 1 and no
// fill, so that nothing carries over from one drawing to the next.
struct GraphDrawState {
    int penWidth = 1;
    bool solidFill = false;
    QColor fillColour = Qt::black;
    QPointF current{0.0, 0.0};  // current position in graph units
};

// Draws the whole graph of record (positions 0..lastPosition, at most up to slot 30) into the client area at
// origin with size clientSize: clears it to white, then grid, frame in the foreground colour, markers, start
// dot and profile line, clipped at the client area's edges, in the frame GraphFrameOf gives; with a widened
// axis the tick numbers of that axis are painted too. The painter's own state is left as it was.
// errorBars, when given, holds for each position the half-length of its error bar in percent (the expanded
// uncertainty of the relative value); the bars are drawn in the marker colour, a 1-pixel line with short
// caps, before the markers. Without it the picture is the plain graph. overlay, when given, is drawn under
// the measurement's markers, with its rings over them; models, when given, likewise; the legend of either
// lies on top.
void DrawProfileGraph(QPainter& painter, QPointF origin, QSizeF clientSize, const QColor& foreground,
                      const MeasurementRecord& record, GraphDrawState& state,
                      std::span<const double> errorBars = {}, const BaselineOverlay* overlay = nullptr,
                      const ModelOverlay* models = nullptr);

// The graph of record alone, as an image of the given size at 96 dpi, with a fresh drawing state.
QImage RenderProfileGraph(const MeasurementRecord& record, QSize size = kGraphClientSize,
                          const QColor& foreground = Qt::black, std::span<const double> errorBars = {});

// Which axis a fixed inscription is a tick number of; those of a widened axis no longer sit at their value
// and give way to the numbers painted in the picture. The 100 at the top (YTop) stays until the top moves.
enum class GraphAxis { None, X, Y, YTop };

// The fixed axis inscriptions inside the picture, placed from the client area's top-left corner, with their
// sizes at 96 dpi. All are set in "Times New Roman" (its nearest installed equivalent).
struct GraphAxisLabel {
    const char* name;
    const char* text;
    int leftTwips;
    int topTwips;
    int widthTwips;
    int heightTwips;
    double pointSize;
    GraphAxis tickOf = GraphAxis::None;
};

// Whether the fixed inscription still belongs in a picture drawn in frame.
bool AxisLabelFits(const GraphAxisLabel& label, const GraphFrame& frame);
inline constexpr double kGraphWindowPointSize = 14.25;
extern const std::array<GraphAxisLabel, 10> kGraphAxisLabels;

// Paints the axis inscriptions' texts that fit frame at their places, for pictures made without the window's
// labels.
void PaintAxisLabels(QPainter& painter, QPointF origin, const QColor& colour = Qt::black,
                     const GraphFrame& frame = {});

// The graph with its axis inscriptions, as the picture area of the graph window shows it (509 x 461 at 96
// dpi), with the overlays when given. Needs a QGuiApplication for the fonts.
QImage RenderLabelledProfileGraph(const MeasurementRecord& record, std::span<const double> errorBars = {},
                                  const BaselineOverlay* overlay = nullptr,
                                  const ModelOverlay* models = nullptr);

}  // namespace tessaroven
