// The graph's mapping and picture, checked on the rendered pixels.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <cmath>
#include <limits>
#include <ostream>
#include <vector>

#include "measurement/measurement_record.h"
#include "plot/graph_painter.h"
#include "support/record_compare.h"

// Readable colours in failure messages.
inline void PrintTo(const QColor& colour, std::ostream* os) {
    *os << colour.name().toStdString();
}

namespace tessaroven {
namespace {

const QColor kRed(255, 0, 0);
const QColor kGrey(128, 128, 128);
const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);

// --- mapping
// -------------------------------------------------------------------------------------------------

struct MappingCase {
    double x, y;
    double width, height;
    double expectedX, expectedY;
};

void PrintTo(const MappingCase& c, std::ostream* os) {
    *os << "(" << c.x << ", " << c.y << ") in " << c.width << " x " << c.height;
}

class GraphToPixelTest : public ::testing::TestWithParam<MappingCase> {};

TEST_P(GraphToPixelTest, maps_graph_units_to_client_pixels) {
    const MappingCase& c = GetParam();
    const QPointF p = GraphToPixel(QPointF(c.x, c.y), QSizeF(c.width, c.height));
    EXPECT_NEAR(p.x(), c.expectedX, 1e-6);
    EXPECT_NEAR(p.y(), c.expectedY, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GraphToPixelTest,
    ::testing::Values(
        // One pixel per unit: x + 5 across, 105 - y down.
        MappingCase{-5, 105, 31, 120, 0, 0}, MappingCase{26, -15, 31, 120, 31, 120},
        MappingCase{0, 0, 31, 120, 5, 105}, MappingCase{25, 100, 31, 120, 30, 5},
        MappingCase{12.5, 50, 31, 120, 17.5, 55}, MappingCase{-10, 200, 31, 120, -5, -95},
        // The window's picture: 509 x 461 pixels.
        MappingCase{-5, 105, 509, 461, 0, 0}, MappingCase{26, -15, 509, 461, 509, 461},
        MappingCase{0, 100, 509, 461, 82.0967742, 19.2083333},  // 5 x 509 / 31, 5 x 461 / 120
        MappingCase{25, 0, 509, 461, 492.5806452, 403.375}));   // 30 x 509 / 31, 105 x 461 / 120

// --- picture
// -------------------------------------------------------------------------------------------------

// The pixel that holds graph point (x, y) in a picture of the window's size.
QPoint PixelAt(double x, double y) {
    const QPointF p = GraphToPixel(QPointF(x, y), QSizeF(kGraphClientSize));
    return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

QColor ColourAt(const QImage& image, double x, double y) {
    return image.pixelColor(PixelAt(x, y));
}

int CountColour(const QImage& image, const QColor& colour, const QRect& area) {
    int count = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (int x = r.left(); x <= r.right(); ++x) {
            count += image.pixelColor(x, y) == colour ? 1 : 0;
        }
    }
    return count;
}

using testing::RecordWithResults;

// The profile of the conversion's worked example (distance 60, five points).
MeasurementRecord WorkedExample() {
    return RecordWithResults({100, 93.600744, 79.008517, 57.105230, 27.858088});
}

TEST(GraphPicture, grid_is_grey_frame_in_foreground_and_margins_white) {
    const QImage image = RenderProfileGraph(WorkedExample());
    ASSERT_EQ(image.size(), kGraphClientSize);
    // Grid lines away from the profile: vertical at x = 12 and 24, horizontal at y = 30 and 90.
    EXPECT_EQ(ColourAt(image, 12, 45), kGrey);
    EXPECT_EQ(ColourAt(image, 24, 75), kGrey);
    EXPECT_EQ(ColourAt(image, 15.5, 30), kGrey);
    EXPECT_EQ(ColourAt(image, 20.5, 90), kGrey);
    // Between grid lines the plotting area is white.
    EXPECT_EQ(ColourAt(image, 12.5, 45), kWhite);
    // The frame's four sides.
    EXPECT_EQ(ColourAt(image, 0, 50), kBlack);
    EXPECT_EQ(ColourAt(image, 25, 50), kBlack);
    EXPECT_EQ(ColourAt(image, 12.5, 0), kBlack);
    EXPECT_EQ(ColourAt(image, 12.5, 100), kBlack);
    // Margins around the frame hold nothing.
    EXPECT_EQ(CountColour(image, kGrey, QRect(QPoint(0, 0), PixelAt(-1, -15))), 0);
    EXPECT_EQ(ColourAt(image, -3, 50), kWhite);
    EXPECT_EQ(ColourAt(image, 25.6, 50), kWhite);
    EXPECT_EQ(ColourAt(image, 12.5, 103), kWhite);
    EXPECT_EQ(ColourAt(image, 12.5, -8), kWhite);
}

TEST(GraphPicture, frame_takes_the_given_foreground_colour) {
    const QColor blue(0, 0, 255);
    const QImage image = RenderProfileGraph(WorkedExample(), kGraphClientSize, blue);
    EXPECT_EQ(ColourAt(image, 25, 50), blue);
    EXPECT_EQ(ColourAt(image, 12.5, 0), blue);
    EXPECT_EQ(CountColour(image, kBlack, image.rect()), 0);
}

TEST(GraphPicture, worked_example_has_a_red_marker_at_each_position_and_nothing_red_elsewhere) {
    const MeasurementRecord record = WorkedExample();
    const QImage image = RenderProfileGraph(record);
    for (int i = 0; i <= 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ColourAt(image, i, record.relativePercent[i]), kRed);
        // The marker is round on screen, about 3.3 pixels in radius both ways.
        const QPoint c = PixelAt(i, record.relativePercent[i]);
        EXPECT_EQ(image.pixelColor(c + QPoint(2, 0)), kRed);
        EXPECT_EQ(image.pixelColor(c + QPoint(0, 2)), kRed);
        EXPECT_EQ(image.pixelColor(c - QPoint(2, 0)), kRed);
        EXPECT_EQ(image.pixelColor(c - QPoint(0, 2)), kRed);
        // The line leaves the marker steeply, so its sides show where the marker ends.
        EXPECT_NE(image.pixelColor(c + QPoint(6, 0)), kRed);
        EXPECT_NE(image.pixelColor(c - QPoint(6, 0)), kRed);
    }
    // No red right of the last marker or left of the first, none below the lowest one.
    EXPECT_EQ(CountColour(image, kRed, QRect(PixelAt(4.5, 105), PixelAt(26, -15))), 0);
    EXPECT_EQ(CountColour(image, kRed, QRect(PixelAt(-5, 105), PixelAt(-0.4, -15))), 0);
    EXPECT_EQ(CountColour(image, kRed, QRect(PixelAt(-5, 20), PixelAt(26, -15))), 0);
    // The profile line joins the markers: red halfway between positions 3 and 4 ...
    const QPoint mid = PixelAt(3.5, (57.105230 + 27.858088) / 2);
    EXPECT_GT(CountColour(image, kRed, QRect(mid - QPoint(2, 2), QSize(5, 5))), 0);
    // ... but nowhere near the middle of a grid cell away from it.
    EXPECT_EQ(CountColour(image, kRed, QRect(PixelAt(1.2, 50), PixelAt(1.8, 40))), 0);
}

TEST(GraphPicture, no_positions_leaves_grid_frame_and_the_two_pixel_start_dot) {
    MeasurementRecord record = WorkedExample();
    record.lastPosition = -1;
    const QImage image = RenderProfileGraph(record);
    // The dot is two pixels across, at (0, 100) on the frame's corner.
    EXPECT_EQ(CountColour(image, kRed, image.rect()), 4);
    const QPoint start = PixelAt(0, 100);
    EXPECT_EQ(CountColour(image, kRed, QRect(start - QPoint(2, 2), QSize(5, 5))), 4);
    EXPECT_EQ(ColourAt(image, 12, 45), kGrey);
    EXPECT_EQ(ColourAt(image, 25, 50), kBlack);
}

TEST(GraphPicture, one_position_after_a_reset_puts_the_marker_on_the_lower_left_corner_without_a_line) {
    MeasurementRecord record;
    ResetMeasurement(record);  // lastPosition 0, relativePercent[0] 0
    const QImage image = RenderProfileGraph(record);
    EXPECT_EQ(ColourAt(image, 0, 0), kRed);
    EXPECT_EQ(ColourAt(image, 0, 100), kRed);
    // No segment: the left side of the frame stays black between the two.
    EXPECT_EQ(CountColour(image, kRed, QRect(PixelAt(-1, 90), PixelAt(1, 10))), 0);
    EXPECT_EQ(ColourAt(image, 0, 50), kBlack);
}

// The pixel that holds point (x cm, y %) of a picture drawn in frame.
QColor ColourIn(const QImage& image, const GraphFrame& frame, double x, double y) {
    return ColourAt(image, x * kStandardLastX / frame.lastX,
                    (y - frame.bottomY) * 100 / (frame.topY - frame.bottomY));
}

TEST(GraphPicture, values_beyond_0_to_100_stretch_the_frame_to_show_them) {
    const MeasurementRecord record = RecordWithResults({100, 200, -100, 104});
    const GraphFrame frame = GraphFrameOf(record);
    EXPECT_EQ(frame, (GraphFrame{.lastX = 25, .bottomY = -100, .topY = 200, .yStep = 50}));
    const QImage image = RenderProfileGraph(record);
    // 200 and -100 sit on the stretched frame, so nothing reaches the picture's edges.
    EXPECT_EQ(CountColour(image, kRed, QRect(0, 0, image.width(), 1)), 0);
    EXPECT_EQ(CountColour(image, kRed, QRect(0, image.height() - 1, image.width(), 1)), 0);
    EXPECT_EQ(ColourIn(image, frame, 1, 200), kRed);
    EXPECT_EQ(ColourIn(image, frame, 2, -100), kRed);
    EXPECT_EQ(ColourIn(image, frame, 3, 104), kRed);
    // The grid follows the frame: a line at 0, none at 10.
    EXPECT_EQ(ColourIn(image, frame, 10.5, 0), kGrey);
    EXPECT_EQ(ColourIn(image, frame, 10.5, 10), kWhite);

    // Error bars reaching below 0 lower it too; values and bars at 0 or above keep the standard frame.
    const std::vector<double> bars{0, 0, 0, 0, 5};
    EXPECT_EQ(GraphFrameOf(RecordWithResults({100, 50, 20, 10, 3}), bars).bottomY, -10);
    EXPECT_EQ(GraphFrameOf(RecordWithResults({100, 50, 20, 10, 5}), bars), GraphFrame{});
}

TEST(GraphPicture, extreme_and_non_numeric_values_neither_crash_nor_leak_beyond_the_picture) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double huge = std::numeric_limits<double>::max();
    const MeasurementRecord record = RecordWithResults({100, huge, -huge, inf, nan, 50, -inf, 1e300});
    const QImage image = RenderProfileGraph(record);
    ASSERT_FALSE(image.isNull());
    // The frame is stretched only as far as the coordinates' bound.
    EXPECT_EQ(GraphFrameOf(record).bottomY, -1e6);
    EXPECT_EQ(GraphFrameOf(record).topY, 1e6);
    // Finite values, however large, are drawn as steep lines to the frame's edges and no further.
    EXPECT_GT(CountColour(image, kRed, QRect(PixelAt(1.3, 100), PixelAt(1.7, 95))), 0);
    EXPECT_EQ(CountColour(image, kRed, QRect(PixelAt(-5, 105), PixelAt(26, 101))), 0);
    EXPECT_EQ(CountColour(image, kRed, QRect(PixelAt(-5, -1), PixelAt(26, -15))), 0);
    // The axis's seven-digit numbers fit left of the frame: nothing reaches the picture's left edge.
    EXPECT_EQ(CountColour(image, kWhite, QRect(0, 0, 2, image.height())), 2 * image.height());
    // Segments touching the non-numbers are left out.
    EXPECT_EQ(CountColour(image, kRed, QRect(PixelAt(3.4, 100), PixelAt(4.6, 0))), 0);
}

TEST(GraphPicture, more_than_25_positions_widen_the_frame_up_to_slot_30_and_never_read_beyond_it) {
    MeasurementRecord record;
    ResetMeasurement(record);
    for (int i = 0; i < kSlotCount; ++i) {
        record.relativePercent[i] = 100 - 3 * i;
    }
    for (int count = 25; count <= 30; ++count) {
        SCOPED_TRACE(count);
        record.lastPosition = count;
        const GraphFrame frame = GraphFrameOf(record);
        EXPECT_EQ(frame.lastX, count);
        const QImage image = RenderProfileGraph(record);
        EXPECT_EQ(ColourIn(image, frame, count, 100 - 3 * count), kRed);
        EXPECT_EQ(ColourIn(image, frame, count - 1, 95), kGrey);  // the grid runs to the last position
        EXPECT_EQ(ColourAt(image, 25.5, 50), kWhite);             // and the frame stays in its place
    }
    const QImage upTo30 = RenderProfileGraph(record);
    for (double count : {31.0, 45.0, 1e9}) {
        SCOPED_TRACE(count);
        record.lastPosition = count;
        EXPECT_EQ(RenderProfileGraph(record), upTo30);
    }
}

TEST(GraphPicture, fractional_position_count_draws_the_whole_positions_below_it) {
    MeasurementRecord record = WorkedExample();
    record.lastPosition = 2.5;
    MeasurementRecord whole = WorkedExample();
    whole.lastPosition = 2;
    EXPECT_EQ(RenderProfileGraph(record), RenderProfileGraph(whole));
}

TEST(GraphPicture, drawing_twice_on_one_picture_gives_the_same_picture_and_puts_the_state_back) {
    const MeasurementRecord record = WorkedExample();
    QImage image(kGraphClientSize, QImage::Format_RGB32);
    image.fill(Qt::green);
    GraphDrawState state;
    QPen callerPen(QColor(0, 0, 255), 7);
    {
        QPainter painter(&image);
        painter.setPen(callerPen);
        painter.setBrush(Qt::yellow);
        DrawProfileGraph(painter, QPointF(0, 0), QSizeF(kGraphClientSize), Qt::black, record, state);
        EXPECT_EQ(painter.pen(), callerPen);
        EXPECT_EQ(painter.brush().color(), QColor(Qt::yellow));
    }
    EXPECT_EQ(state.penWidth, 1);
    EXPECT_FALSE(state.solidFill);
    const QImage first = image.copy();
    EXPECT_EQ(first, RenderProfileGraph(record));
    {
        QPainter painter(&image);
        DrawProfileGraph(painter, QPointF(0, 0), QSizeF(kGraphClientSize), Qt::black, record, state);
    }
    EXPECT_EQ(image, first);

    // A state left at pen width 2 with solid fill (as a drawing interrupted half-way would leave it) is also
    // put back; the grid then comes out at width 2, as the drawing order implies.
    GraphDrawState thick;
    thick.penWidth = 2;
    thick.solidFill = true;
    QImage other(kGraphClientSize, QImage::Format_RGB32);
    {
        QPainter painter(&other);
        DrawProfileGraph(painter, QPointF(0, 0), QSizeF(kGraphClientSize), Qt::black, record, thick);
    }
    EXPECT_EQ(thick.penWidth, 1);
    EXPECT_FALSE(thick.solidFill);
}

TEST(GraphPicture, drawing_at_an_offset_stays_inside_its_client_area) {
    const MeasurementRecord record = RecordWithResults({100, 500, -500});
    QImage image(kGraphClientSize + QSize(40, 40), QImage::Format_RGB32);
    image.fill(Qt::green);
    GraphDrawState state;
    {
        QPainter painter(&image);
        DrawProfileGraph(painter, QPointF(20, 20), QSizeF(kGraphClientSize), Qt::black, record, state);
    }
    const QColor green(0, 255, 0);
    const int outside = image.width() * image.height() - kGraphClientSize.width() * kGraphClientSize.height();
    EXPECT_EQ(CountColour(image, green, image.rect()), outside);
    EXPECT_EQ(image.copy(QRect(QPoint(20, 20), kGraphClientSize)), RenderProfileGraph(record));
}

TEST(GraphPicture, labelled_picture_adds_the_axis_texts_in_the_margins_only) {
    const MeasurementRecord record = WorkedExample();
    const QImage plain = RenderProfileGraph(record);
    const QImage labelled = RenderLabelledProfileGraph(record);
    ASSERT_EQ(labelled.size(), kGraphClientSize);
    // Every label puts dark pixels into its box.
    for (const GraphAxisLabel& label : kGraphAxisLabels) {
        SCOPED_TRACE(label.name);
        const QRect box(label.leftTwips / 15, label.topTwips / 15, label.widthTwips / 15,
                        label.heightTwips / 15);
        EXPECT_NE(labelled.copy(box), plain.copy(box));
    }
    // Inside the frame nothing changes.
    const QRect plot(PixelAt(0.5, 99), PixelAt(24.5, 1));
    EXPECT_EQ(labelled.copy(plot), plain.copy(plot));
}

}  // namespace
}  // namespace tessaroven
