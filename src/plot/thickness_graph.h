// The bow-tie's Al-equivalent thickness against fan angle, as the results-table window shows it beside the
// table: each position's thickness (relative to the centre, as in the table's column) as a marker with its
// error bar of +-2u, joined by a thin line, in a frame with grid lines and tick numbers on both axes.
#pragma once

#include <QRectF>

#include "calc/al_equivalent.h"

class QPainter;

namespace tessaroven {

// One axis's stretch and the spacing of its ticks: low and high are whole multiples of step, step is 1, 2 or
// 5 times a power of ten, and there are at most about eight steps.
struct ThicknessAxis {
    double low = 0;
    double high = 1;
    double step = 1;
};

// The axis that holds every value from low to high (a single value, or none when low > high, gets a stretch
// around it).
ThicknessAxis AxisThrough(double low, double high);

// Draws the graph into area: clears it to white, then grid, frame, tick numbers, axis titles, error bars,
// line and markers. Positions without a thickness are left out; without any, only the frame is drawn. The
// painter's own state is left as it was.
void DrawThicknessGraph(QPainter& painter, const QRectF& area, const AlEquivalentProfile& profile);

}  // namespace tessaroven
