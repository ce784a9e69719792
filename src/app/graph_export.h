// ファイル → 書き出す ▸ グラフ画像 (PNG)…: the graph as the graph window shows it (axis inscriptions, error
// bars, baseline, the other model and the legend), drawn by the same drawing code and written as a PNG file.
#pragma once

#include <QObject>

#include <functional>

#include "app/measurement_files.h"
#include "plot/graph_painter.h"

namespace tessaroven {

class MainWindow;

class GraphExport : public QObject {
    Q_OBJECT
public:
    // The overlays the graph shows at the moment of the export.
    using OverlaysNow = std::function<GraphOverlays()>;

    // window and record must outlive this object.
    GraphExport(MainWindow& window, const MeasurementRecord& record, OverlaysNow overlays);

    void setFileChooser(MeasurementFiles::FileChooser chooser) { m_chooser = std::move(chooser); }

    // Asks for the file (in the folder of the last export), adds ".png" to a name without it, writes the
    // picture safely and says where it went. False when cancelled or refused.
    bool exportPng();

private:
    MainWindow& m_window;
    const MeasurementRecord& m_record;
    OverlaysNow m_overlays;
    MeasurementFiles::FileChooser m_chooser;
};

}  // namespace tessaroven
