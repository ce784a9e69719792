// Form4, the graph window: the drawing surface Picture1 with its ten axis labels, and the Close button.
#pragma once

#include <QFrame>
#include <QImage>
#include <QWidget>

#include "output/graph_painter.h"
#include "record/measurement_record.h"

class QLabel;
class QPushButton;

namespace tessaroven {

// Picture1: a picture area that keeps its drawing. The graph is drawn into a retained image, which paintEvent
// only copies, so a drawing made while the window is hidden shows as soon as it is shown and survives being
// covered and repainted.
class GraphPicture : public QFrame {
    Q_OBJECT
public:
    explicit GraphPicture(QWidget* parent = nullptr);

    // Clears the picture and draws the graph of record on it (the drawing state carries over between calls).
    void DrawProfileGraph(const MeasurementRecord& record);
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

class Form4 : public QWidget {
    Q_OBJECT
public:
    // Closing the window with its close box destroys it; "Close" only hides it.
    explicit Form4(QWidget* parent = nullptr);

    GraphPicture* Picture1;
    QPushButton* Command1;  // "Close"
    QLabel* Label1;         // "100"
    QLabel* Label2;         // "50"
    QLabel* Label3;         // "0"
    QLabel* Label4;         // "Relative"
    QLabel* Label5;         // "Exposure"
    QLabel* Label6;         // "0"
    QLabel* Label7;         // "10"
    QLabel* Label8;         // "20"
    QLabel* Label9;         // "cm"
    QLabel* Label10;        // "Off center"
};

}  // namespace tessaroven
