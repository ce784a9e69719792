// Form4's layout table, construction and retained picture.
#include "ui/form4.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>

#include <vector>

#include "ui/layout.h"

namespace tessaroven {

namespace {

// clang-format off
const ControlRow kForm4Controls[] = {
    {.name = "Picture1", .kind = ControlKind::Picture, .left = 120, .top = 120, .width = 7695, .height = 6975, .backColor = 0xFFFFFF, .tabIndex = 1, .border = PictureBorder::Sunken3D},
    {.name = "Command1", .kind = ControlKind::Button, .caption = "Close", .left = 6600, .top = 7080, .width = 1095, .height = 375, .font = {FontFace::TimesNewRoman, 12}, .tabIndex = 0},
};
// clang-format on

// Tab places of Label1 .. Label10 (labels never take the focus; kept as in the table).
constexpr int kLabelTabIndex[10] = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2};

// The full table: the two controls, then the axis labels inside Picture1 from the graph's own label table, so
// that the window and the command line's plot show the same inscriptions.
std::vector<ControlRow> Form4Table() {
    std::vector<ControlRow> table(std::begin(kForm4Controls), std::end(kForm4Controls));
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
                         .parent = "Picture1"});
    }
    return table;
}

}  // namespace

GraphPicture::GraphPicture(QWidget* parent) : QFrame(parent) {
    FitPictureToClientArea();
}

void GraphPicture::DrawProfileGraph(const MeasurementRecord& record) {
    FitPictureToClientArea();
    QPainter painter(&m_picture);
    tessaroven::DrawProfileGraph(painter, QPointF(0, 0), QSizeF(m_picture.deviceIndependentSize()),
                                 palette().color(QPalette::ButtonText), record, m_state);
    update();
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

Form4::Form4(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    SetUpFixedDialog(this, {.caption = "Profile ",
                            .clientWidth = 7995,
                            .clientHeight = 7560,
                            .font = {FontFace::TimesNewRoman, 14.25},
                            .centred = true});
    const std::vector<ControlRow> table = Form4Table();
    BuildControls(this, table, [](const ControlRow&, QWidget* parent) { return new GraphPicture(parent); });
    Picture1 = ControlNamed<GraphPicture>(this, "Picture1");
    Command1 = ControlNamed<QPushButton>(this, "Command1");
    Label1 = ControlNamed<QLabel>(this, "Label1");
    Label2 = ControlNamed<QLabel>(this, "Label2");
    Label3 = ControlNamed<QLabel>(this, "Label3");
    Label4 = ControlNamed<QLabel>(this, "Label4");
    Label5 = ControlNamed<QLabel>(this, "Label5");
    Label6 = ControlNamed<QLabel>(this, "Label6");
    Label7 = ControlNamed<QLabel>(this, "Label7");
    Label8 = ControlNamed<QLabel>(this, "Label8");
    Label9 = ControlNamed<QLabel>(this, "Label9");
    Label10 = ControlNamed<QLabel>(this, "Label10");

    // Controls inside a picture area are placed from its client area, inside the border.
    const QPoint client = Picture1->contentsRect().topLeft();
    for (QLabel* label : {Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10}) {
        label->move(label->pos() + client);
    }

    // The button's top edge tucks one pixel under the picture's lower edge: the picture lies above it.
    Picture1->raise();

    connect(Command1, &QPushButton::clicked, this, &QWidget::hide);
}

}  // namespace tessaroven
