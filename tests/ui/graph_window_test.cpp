// The graph window: layout, retained picture, Close and close box, drawing on every click.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cmath>

#include "gui_fixture.h"
#include "measurement/measurement_record.h"
#include "plot/graph_painter.h"
#include "support/record_compare.h"
#include "ui/graph_window.h"
#include "ui/graph_window_handlers.h"

namespace tessaroven {
namespace {

using testing::GuiTest;

const QColor kRed(255, 0, 0);

MeasurementRecord WorkedExample() {
    return testing::RecordWithResults({100, 93.600744, 79.008517, 57.105230, 27.858088});
}

// Where graph point (x, y) shows inside plotArea (its client area starts inside the 2-pixel border).
QPoint InPicture(const GraphWindow& window, double x, double y) {
    const QPointF p = GraphToPixel(QPointF(x, y), QSizeF(kGraphClientSize));
    return window.plotArea->contentsRect().topLeft() +
           QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

QLabel* Label(const GraphWindow& window, const char* name) {
    return window.findChild<QLabel*>(QString::fromLatin1(name));
}

QColor Shown(GraphWindow& window, QPoint at) {
    return window.plotArea->grab().toImage().pixelColor(at);
}

class GraphWindowTest : public GuiTest {
protected:
    void TearDown() override {
        delete m_window.data();
        GuiTest::TearDown();
    }
    void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QPointer<GraphWindow> m_window;
};

TEST_F(GraphWindowTest, first_click_creates_the_window_with_its_layout) {
    messages.ExpectNone([&] { ShowProfileGraph(m_window, WorkedExample()); });
    ASSERT_FALSE(m_window.isNull());
    GraphWindow& window = *m_window;
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.parentWidget(), nullptr);
    EXPECT_EQ(window.windowModality(), Qt::NonModal);
    EXPECT_EQ(window.windowTitle(), "Profile ");
    EXPECT_EQ(window.size(), QSize(533, 504));
    EXPECT_EQ(window.plotArea->geometry(), QRect(8, 8, 513, 465));
    EXPECT_EQ(window.plotArea->contentsRect(), QRect(2, 2, 509, 461));
    EXPECT_EQ(window.closeButton->text(), "Close");
    EXPECT_EQ(window.closeButton->geometry(), QRect(440, 472, 73, 25));
    EXPECT_EQ(window.childAt(450, 472), window.plotArea);  // the picture lies above the button's top row
    EXPECT_EQ(window.childAt(450, 473), window.closeButton);
    // The labels lie inside the picture, placed from its client area.
    const struct {
        QLabel* label;
        const char* text;
        QPoint at;
    } labels[] = {
        {Label(window, "yHundredLabel"), "100", {40, 8}},
        {Label(window, "yFiftyLabel"), "50", {48, 200}},
        {Label(window, "yZeroLabel"), "0", {56, 384}},
        {Label(window, "yTitleUpperLabel"), "Relative", {8, 64}},
        {Label(window, "yTitleLowerLabel"), "Exposure", {8, 88}},
        {Label(window, "xZeroLabel"), "0", {72, 408}},
        {Label(window, "xTenLabel"), "10", {232, 408}},
        {Label(window, "xTwentyLabel"), "20", {400, 408}},
        {Label(window, "xUnitLabel"), "cm", {440, 408}},
        {Label(window, "xTitleLabel"), "Off center", {288, 424}},
    };
    for (const auto& l : labels) {
        SCOPED_TRACE(l.text);
        EXPECT_EQ(l.label->parentWidget(), window.plotArea);
        EXPECT_EQ(l.label->text(), l.text);
        EXPECT_EQ(l.label->pos(), l.at + QPoint(2, 2));
        EXPECT_FALSE(l.label->autoFillBackground());
    }
}

TEST_F(GraphWindowTest, the_picture_holds_the_graph_and_keeps_its_labels) {
    record = WorkedExample();
    ShowProfileGraph(m_window, record);
    GraphWindow& window = *m_window;
    EXPECT_EQ(window.plotArea->picture(), RenderProfileGraph(record));
    // On screen: the markers, and the labels drawn over the picture.
    for (int i = 0; i <= 4; ++i) {
        EXPECT_EQ(Shown(window, InPicture(window, i, record.relativePercent[i])), kRed) << i;
    }
    const QImage shown = window.plotArea->grab().toImage();
    const QRect hundredLabel = Label(window, "yHundredLabel")->geometry();
    EXPECT_NE(shown.copy(hundredLabel),
              QImage(window.plotArea->picture()).copy(hundredLabel.translated(-2, -2)));
    // Drawing again leaves the labels in place.
    ShowProfileGraph(m_window, record);
    EXPECT_EQ(Label(window, "yHundredLabel")->parentWidget(), window.plotArea);
    EXPECT_TRUE(Label(window, "yHundredLabel")->isVisible());
    EXPECT_EQ(window.plotArea->grab().toImage(), shown);
}

TEST_F(GraphWindowTest, clicking_twice_gives_the_same_picture) {
    record = WorkedExample();
    ShowProfileGraph(m_window, record);
    const QImage first = m_window->plotArea->picture();
    ShowProfileGraph(m_window, record);
    EXPECT_EQ(m_window->plotArea->picture(), first);
}

TEST_F(GraphWindowTest, the_picture_follows_the_record_only_on_the_next_click) {
    // State: graph shown. Action: the record changes (a new calculation), then the graph button again.
    record = WorkedExample();
    ShowProfileGraph(m_window, record);
    const QImage old = m_window->plotArea->picture();
    record.relativePercent[4] = 5;
    EXPECT_EQ(m_window->plotArea->picture(), old);
    ShowProfileGraph(m_window, record);
    EXPECT_EQ(m_window->plotArea->picture(), RenderProfileGraph(record));
    EXPECT_EQ(Shown(*m_window, InPicture(*m_window, 4, 5)), kRed);
}

TEST_F(GraphWindowTest, close_hides_and_a_drawing_made_while_hidden_shows_when_shown) {
    ShowProfileGraph(m_window, WorkedExample());
    GraphWindow* window = m_window;
    QTest::mouseClick(window->closeButton, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    DeleteClosedWindows();
    ASSERT_FALSE(m_window.isNull());  // hidden, not destroyed

    MeasurementRecord other = WorkedExample();
    other.relativePercent[2] = 20;
    window->plotArea->DrawProfileGraph(other);
    window->show();
    EXPECT_EQ(Shown(*window, InPicture(*window, 2, 20)), kRed);

    // The graph button shows it again, the same window.
    window->hide();
    EXPECT_EQ(ShowProfileGraph(m_window, WorkedExample()), window);
    EXPECT_TRUE(window->isVisible());
}

TEST_F(GraphWindowTest, the_close_box_destroys_the_window_and_the_next_click_creates_it_afresh) {
    ShowProfileGraph(m_window, WorkedExample());
    m_window->close();
    DeleteClosedWindows();
    EXPECT_TRUE(m_window.isNull());

    ResetMeasurement(record);
    GraphWindow* again = ShowProfileGraph(m_window, record);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->isVisible());
    EXPECT_EQ(again->plotArea->picture(), RenderProfileGraph(record));
    EXPECT_EQ(Label(*again, "xTitleLabel")->text(), "Off center");
}

TEST_F(GraphWindowTest, position_counts_beyond_the_slots_draw_up_to_slot_30_without_a_message) {
    record = WorkedExample();
    for (double count : {30.0, 31.0, 1000.0, -1.0, -1000.0}) {
        SCOPED_TRACE(count);
        record.lastPosition = count;
        messages.ExpectNone([&] { ShowProfileGraph(m_window, record); });
        MeasurementRecord capped = record;
        capped.lastPosition = std::min(count, 30.0);
        EXPECT_EQ(m_window->plotArea->picture(), RenderProfileGraph(capped));
        // The widened x axis has its numbers in the picture; the fixed ones give way.
        EXPECT_EQ(Label(*m_window, "xTwentyLabel")->isVisibleTo(m_window), count < 26);
        EXPECT_TRUE(Label(*m_window, "yZeroLabel")->isVisibleTo(m_window));
    }
    // A negative value lowers the y axis; back in the standard frame every fixed label shows again.
    record = WorkedExample();
    record.relativePercent[4] = -5;
    ShowProfileGraph(m_window, record);
    EXPECT_FALSE(Label(*m_window, "yZeroLabel")->isVisibleTo(m_window));
    EXPECT_TRUE(Label(*m_window, "xTwentyLabel")->isVisibleTo(m_window));
    ShowProfileGraph(m_window, WorkedExample());
    EXPECT_TRUE(Label(*m_window, "yZeroLabel")->isVisibleTo(m_window));
}

}  // namespace
}  // namespace tessaroven
