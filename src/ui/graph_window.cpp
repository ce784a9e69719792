// GraphWindow's layout table, construction and retained picture.
#include "ui/graph_window.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>

#include <vector>

#include "ui/layout.h"

namespace tessaroven {

namespace {

// clang-format off
const ControlRow kGraphWindowControls[] = {
    {.name = "plotArea", .kind = ControlKind::Picture, .left = 120, .top = 120, .width = 7695, .height = 6975, .backColor = 0xFFFFFF, .tabIndex = 1, .border = PictureBorder::Sunken3D},
    {.name = "closeButton", .kind = ControlKind::Button, .caption = "Close", .left = 6600, .top = 7080, .width = 1095, .height = 375, .font = {FontFace::TimesNewRoman, 12}, .tabIndex = 0},
};
// clang-format on

// Tab places of the axis labels in the order of the graph's label table (labels never take the focus; kept as
// in the table).
constexpr int kLabelTabIndex[10] = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2};

// The full table: the two controls, then the axis labels inside plotArea from the graph's own label table, so
// that the window and the command line's plot show the same inscriptions.
std::vector<ControlRow> GraphWindowTable() {
    std::vector<ControlRow> table(std::begin(kGraphWindowControls), std::end(kGraphWindowControls));
    for (std::size_t i = 0; i < kGraphAxisLabels.size(); ++i) {
        const GraphAxisLabel& label = kGraphAxisLabels[i];
        table.push_back({.name = label.name,
                         .kind = ControlKind::Label,
                         .caption = label.text,
                         .left = label.leftTwips,
                         .top = label.topTwips,
                         .width = label.widthTwips,
                         .height = label.heightTwips,
                         .font = {FontFace::TimesNewRoman, label.pointSize},
                         .transparent = true,
                         .tabIndex = kLabelTabIndex[i],
                         .parent = "plotArea"});
    }
    return table;
}

}  // namespace

GraphPicture::GraphPicture(QWidget* parent) : QFrame(parent) {
    FitPictureToClientArea();
}

GraphFrame GraphPicture::DrawProfileGraph(const MeasurementRecord& record, std::span<const double> errorBars,
                                          const BaselineOverlay* overlay, const ModelOverlay* models) {
    FitPictureToClientArea();
    QPainter painter(&m_picture);
    tessaroven::DrawProfileGraph(painter, QPointF(0, 0), QSizeF(m_picture.deviceIndependentSize()),
                                 palette().color(QPalette::ButtonText), record, m_state, errorBars, overlay,
                                 models);
    update();
    return GraphFrameOf(record, errorBars, overlay, models);
}

void GraphPicture::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(contentsRect().topLeft(), m_picture);
}

void GraphPicture::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    FitPictureToClientArea();
}

// The picture covers the client area (inside the border) at the screen's pixel density; a new size starts
// from a blank picture, as the layout never resizes it after construction.
void GraphPicture::FitPictureToClientArea() {
    const QSize client = contentsRect().size().expandedTo(QSize(1, 1));
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(client) * ratio).toSize();
    if (m_picture.size() == pixels && m_picture.devicePixelRatio() == ratio) {
        return;
    }
    m_picture = QImage(pixels, QImage::Format_RGB32);
    m_picture.setDevicePixelRatio(ratio);
    m_picture.fill(Qt::white);
}

GraphWindow::GraphWindow(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    SetUpFixedDialog(this, {.caption = "Profile ",
                            .clientWidth = 7995,
                            .clientHeight = 7560,
                            .font = {FontFace::TimesNewRoman, 14.25},
                            .centred = true});
    const std::vector<ControlRow> table = GraphWindowTable();
    BuildControls(this, table, [](const ControlRow&, QWidget* parent) { return new GraphPicture(parent); });
    plotArea = ControlNamed<GraphPicture>(this, "plotArea");
    closeButton = ControlNamed<QPushButton>(this, "closeButton");

    // Controls inside a picture area are placed from its client area, inside the border.
    const QPoint client = plotArea->contentsRect().topLeft();
    for (const GraphAxisLabel& axisLabel : kGraphAxisLabels) {
        QWidget* label = FindControl(this, axisLabel.name);
        label->move(label->pos() + client);
    }

    // The button's top edge tucks one pixel under the picture's lower edge: the picture lies above it.
    plotArea->raise();
}

void GraphWindow::drawProfileGraph(const MeasurementRecord& record, std::span<const double> errorBars,
                                   const BaselineOverlay* overlay, const ModelOverlay* models) {
    const GraphFrame frame = plotArea->DrawProfileGraph(record, errorBars, overlay, models);
    for (const GraphAxisLabel& axisLabel : kGraphAxisLabels) {
        FindControl(this, axisLabel.name)->setVisible(AxisLabelFits(axisLabel, frame));
    }
}

}  // namespace tessaroven
