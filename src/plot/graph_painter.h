// The result graph: the mapping from graph units to pixels, and the drawing of the whole picture (grid,
// frame, markers, start dot, profile line) onto any QPainter, so that the graph window and the command line's
// plot share one picture.
#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>
#include <QSize>
#include <QSizeF>

#include <array>
#include <span>

#include "record/measurement_record.h"

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

// Marker radius, measured along the x axis; markers stay round on screen.
inline constexpr double kMarkerRadiusX = 0.2;
// Half the width of an error bar's caps, along the x axis.
inline constexpr double kErrorBarCapX = 0.25;

// Position in pixels, from the top-left corner of a client area of the given size, of a point in graph units.
QPointF GraphToPixel(QPointF graphPoint, QSizeF clientSize);

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
// dot and profile line, clipped at the client area's edges. The painter's own state is left as it was.
// errorBars, when given, holds for each position the half-length of its error bar in percent (the expanded
// uncertainty of the relative value); the bars are drawn in the marker colour, a 1-pixel line with short
// caps, before the markers. Without it the picture is the plain graph.
void DrawProfileGraph(QPainter& painter, QPointF origin, QSizeF clientSize, const QColor& foreground,
                      const MeasurementRecord& record, GraphDrawState& state,
                      std::span<const double> errorBars = {});

// The graph of record alone, as an image of the given size at 96 dpi, with a fresh drawing state.
QImage RenderProfileGraph(const MeasurementRecord& record, QSize size = kGraphClientSize,
                          const QColor& foreground = Qt::black, std::span<const double> errorBars = {});

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
};
inline constexpr double kGraphWindowPointSize = 14.25;
extern const std::array<GraphAxisLabel, 10> kGraphAxisLabels;

// Paints the axis inscriptions' texts at their places, for pictures made without the window's labels.
void PaintAxisLabels(QPainter& painter, QPointF origin, const QColor& colour = Qt::black);

// The graph with its axis inscriptions, as the picture area of the graph window shows it (509 x 461 at 96
// dpi). Needs a QGuiApplication for the fonts.
QImage RenderLabelledProfileGraph(const MeasurementRecord& record);

}  // namespace tessaroven
