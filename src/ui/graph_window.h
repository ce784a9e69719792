// GraphWindow, the graph window: the drawing surface plotArea with its ten axis labels (rows of the layout
// table, named after the graph's label table), and the Close button.
#pragma once

#include <QFrame>
#include <QImage>
#include <QWidget>

#include <span>

#include "measurement/measurement_record.h"
#include "plot/graph_painter.h"

class QPushButton;

namespace tessaroven {

// plotArea: a picture area that keeps its drawing. The graph is drawn into a retained image, which paintEvent
// only copies, so a drawing made while the window is hidden shows as soon as it is shown and survives being
// covered and repainted.
class GraphPicture : public QFrame {
    Q_OBJECT
public:
    explicit GraphPicture(QWidget* parent = nullptr);

    // Clears the picture and draws the graph of record on it (the drawing state carries over between calls);
    // returns the frame it was drawn in.
    GraphFrame DrawProfileGraph(const MeasurementRecord& record, std::span<const double> errorBars = {},
                                const BaselineOverlay* overlay = nullptr,
                                const ModelOverlay* models = nullptr);
    // What the picture holds now, at the client area's size.
    const QImage& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void FitPictureToClientArea();

    QImage m_picture;
    GraphDrawState m_state;
};

class GraphWindow : public QWidget {
    Q_OBJECT
public:
    // Closing the window with its close box destroys it; "Close" only hides it.
    explicit GraphWindow(QWidget* parent = nullptr);

    // Draws the graph into plotArea and shows the fixed axis labels that fit its frame; the tick numbers of a
    // widened axis are in the picture itself.
    void drawProfileGraph(const MeasurementRecord& record, std::span<const double> errorBars = {},
                          const BaselineOverlay* overlay = nullptr, const ModelOverlay* models = nullptr);

    GraphPicture* plotArea;
    QPushButton* closeButton;  // "Close"
};

}  // namespace tessaroven
