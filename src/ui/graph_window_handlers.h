// The graph window's handlers: showing the graph for the main window's graph button, and Close.
#pragma once

#include <QObject>
#include <QPointer>

#include "plot/graph_painter.h"

#include "measurement/measurement_record.h"

namespace tessaroven {

class GraphWindow;

// The window's Close button and Escape. Owned by the window.
class GraphWindowHandlers : public QObject {
    Q_OBJECT
public:
    explicit GraphWindowHandlers(GraphWindow& window);

    // Close or Escape: hides the window (its close box destroys it instead).
    void close();

private:
    GraphWindow& m_window;
};

// Creates the graph window with its handlers if it does not exist (first use, or after its close box), draws
// the graph of record afresh and shows the window (brought to the front if already open). Returns the window.
GraphWindow* ShowProfileGraph(QPointer<GraphWindow>& window, const MeasurementRecord& record,
                              const BaselineOverlay* overlay = nullptr, const ModelOverlay* models = nullptr);

}  // namespace tessaroven
