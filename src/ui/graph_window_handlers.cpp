// The graph window's handlers.
#include "ui/graph_window_handlers.h"

#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>

#include <vector>

#include "calc/uncertainty.h"
#include "ui/graph_window.h"
#include "ui/layout.h"

namespace tessaroven {

GraphWindowHandlers::GraphWindowHandlers(GraphWindow& window) : QObject(&window), m_window(window) {
    connect(m_window.closeButton, &QPushButton::clicked, this, &GraphWindowHandlers::close);
    // Escape closes the graph as Close does, as it closes a dialog.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), &m_window);
    connect(escape, &QShortcut::activated, this, &GraphWindowHandlers::close);
}

void GraphWindowHandlers::close() {
    m_window.hide();
}

GraphWindow* ShowProfileGraph(QPointer<GraphWindow>& window, const MeasurementRecord& record,
                              const BaselineOverlay* overlay, const ModelOverlay* models) {
    if (window.isNull()) {
        window = new GraphWindow();
        new GraphWindowHandlers(*window);
    }
    window->drawProfileGraph(record, RelativeErrorBars(record), overlay, models);
    ShowInFront(window);
    return window;
}

}  // namespace tessaroven
