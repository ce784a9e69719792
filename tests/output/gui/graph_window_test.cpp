// The graph window: layout, retained picture, Close and close box, drawing on every click.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <cmath>

#include "gui_fixture.h"
#include "output/graph_painter.h"
#include "output/graph_window.h"
#include "record/measurement_record.h"
#include "support/record_compare.h"
#include "ui/form4.h"

namespace tessaroven {
namespace {

using testing::GuiTest;

const QColor kRed(255, 0, 0);

MeasurementRecord WorkedExample() {
    return testing::RecordWithResults({100, 93.600744, 79.008517, 57.105230, 27.858088});
}

// Where graph point (x, y) shows inside Picture1 (its client area starts inside the 2-pixel border).
QPoint InPicture(const Form4& window, double x, double y) {
    const QPointF p = GraphToPixel(QPointF(x, y), QSizeF(kGraphClientSize));
    return window.Picture1->contentsRect().topLeft() +
           QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

QColor Shown(Form4& window, QPoint at) {
    return window.Picture1->grab().toImage().pixelColor(at);
}

class GraphWindowTest : public GuiTest {
protected:
    void TearDown() override {
        delete m_window.data();
        GuiTest::TearDown();
    }
    void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    QPointer<Form4> m_window;
};

TEST_F(GraphWindowTest, first_click_creates_the_window_with_its_layout) {
    messages.ExpectNone([&] { ShowProfileGraph(m_window, WorkedExample()); });
    ASSERT_FALSE(m_window.isNull());
    Form4& window = *m_window;
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.parentWidget(), nullptr);
    EXPECT_EQ(window.windowModality(), Qt::NonModal);
    EXPECT_EQ(window.windowTitle(), "Profile ");
    EXPECT_EQ(window.size(), QSize(533, 504));
    EXPECT_EQ(window.Picture1->geometry(), QRect(8, 8, 513, 465));
    EXPECT_EQ(window.Picture1->contentsRect(), QRect(2, 2, 509, 461));
    EXPECT_EQ(window.Command1->text(), "Close");
    EXPECT_EQ(window.Command1->geometry(), QRect(440, 472, 73, 25));
    EXPECT_EQ(window.childAt(450, 472), window.Picture1);  // the picture lies above the button's top row
    EXPECT_EQ(window.childAt(450, 473), window.Command1);
    // The labels lie inside the picture, placed from its client area.
    const struct {
        QLabel* label;
        const char* text;
        QPoint at;
    } labels[] = {
        {window.Label1, "100", {40, 8}},      {window.Label2, "50", {48, 200}},
        {window.Label3, "0", {56, 384}},      {window.Label4, "Relative", {8, 64}},
        {window.Label5, "Exposure", {8, 88}}, {window.Label6, "0", {72, 408}},
        {window.Label7, "10", {232, 408}},    {window.Label8, "20", {400, 408}},
        {window.Label9, "cm", {440, 408}},    {window.Label10, "Off center", {288, 424}},
    };
    for (const auto& l : labels) {
        SCOPED_TRACE(l.text);
        EXPECT_EQ(l.label->parentWidget(), window.Picture1);
        EXPECT_EQ(l.label->text(), l.text);
        EXPECT_EQ(l.label->pos(), l.at + QPoint(2, 2));
        EXPECT_FALSE(l.label->autoFillBackground());
    }
}

TEST_F(GraphWindowTest, the_picture_holds_the_graph_and_keeps_its_labels) {
    record = WorkedExample();
    ShowProfileGraph(m_window, record);
    Form4& window = *m_window;
    EXPECT_EQ(window.Picture1->picture(), RenderProfileGraph(record));
    // On screen: the markers, and the labels drawn over the picture.
    for (int i = 0; i <= 4; ++i) {
        EXPECT_EQ(Shown(window, InPicture(window, i, record.Result[i])), kRed) << i;
    }
    const QImage shown = window.Picture1->grab().toImage();
    const QRect label1 = window.Label1->geometry();
    EXPECT_NE(shown.copy(label1), QImage(window.Picture1->picture()).copy(label1.translated(-2, -2)));
    // Drawing again leaves the labels in place.
    ShowProfileGraph(m_window, record);
    EXPECT_EQ(window.Label1->parentWidget(), window.Picture1);
    EXPECT_TRUE(window.Label1->isVisible());
    EXPECT_EQ(window.Picture1->grab().toImage(), shown);
}

TEST_F(GraphWindowTest, clicking_twice_gives_the_same_picture) {
    record = WorkedExample();
    ShowProfileGraph(m_window, record);
    const QImage first = m_window->Picture1->picture();
    ShowProfileGraph(m_window, record);
    EXPECT_EQ(m_window->Picture1->picture(), first);
}

TEST_F(GraphWindowTest, the_picture_follows_the_record_only_on_the_next_click) {
    // State: graph shown. Action: the record changes (a new calculation), then the graph button again.
    record = WorkedExample();
    ShowProfileGraph(m_window, record);
    const QImage old = m_window->Picture1->picture();
    record.Result[4] = 5;
    EXPECT_EQ(m_window->Picture1->picture(), old);
    ShowProfileGraph(m_window, record);
    EXPECT_EQ(m_window->Picture1->picture(), RenderProfileGraph(record));
    EXPECT_EQ(Shown(*m_window, InPicture(*m_window, 4, 5)), kRed);
}

TEST_F(GraphWindowTest, close_hides_and_a_drawing_made_while_hidden_shows_when_shown) {
    ShowProfileGraph(m_window, WorkedExample());
    Form4* window = m_window;
    QTest::mouseClick(window->Command1, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    DeleteClosedWindows();
    ASSERT_FALSE(m_window.isNull());  // hidden, not destroyed

    MeasurementRecord other = WorkedExample();
    other.Result[2] = 20;
    window->Picture1->DrawProfileGraph(other);
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
    Form4* again = ShowProfileGraph(m_window, record);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(again->isVisible());
    EXPECT_EQ(again->Picture1->picture(), RenderProfileGraph(record));
    EXPECT_EQ(again->Label10->text(), "Off center");
}

TEST_F(GraphWindowTest, position_counts_beyond_the_slots_draw_up_to_slot_30_without_a_message) {
    record = WorkedExample();
    for (double count : {30.0, 31.0, 1000.0, -1.0, -1000.0}) {
        SCOPED_TRACE(count);
        record.PointCount = count;
        messages.ExpectNone([&] { ShowProfileGraph(m_window, record); });
        MeasurementRecord capped = record;
        capped.PointCount = std::min(count, 30.0);
        EXPECT_EQ(m_window->Picture1->picture(), RenderProfileGraph(capped));
    }
}

}  // namespace
}  // namespace tessaroven
