// The graph window's handlers.
#include "ui/graph_window_handlers.h"

#include <QPushButton>

#include <vector>

#include "calc/uncertainty.h"
#include "ui/graph_window.h"
#include "ui/layout.h"

namespace tessaroven {

GraphWindowHandlers::GraphWindowHandlers(GraphWindow& window) : QObject(&window), m_window(window) {
    connect(m_window.closeButton, &QPushButton::clicked, this, &GraphWindowHandlers::close);
}

void GraphWindowHandlers::close() {
    m_window.hide();
}

GraphWindow* ShowProfileGraph(QPointer<GraphWindow>& window, const MeasurementRecord& record) {
    if (window.isNull()) {
        window = new GraphWindow();
        new GraphWindowHandlers(*window);
    }
    // Error bars of twice the standard uncertainty of each relative value, where it is known.
    std::vector<double> errorBars;
    if (const Expected<ProfileEvaluation> evaluation = EvaluateProfile(record);
        evaluation && evaluation->uncertaintyKnown) {
        for (const PositionEvaluation& position : evaluation->positions) {
            errorBars.push_back(2 * position.relativePercentU.value_or(0));
        }
    }
    window->plotArea->DrawProfileGraph(record, errorBars);
    ShowInFront(window);
    return window;
}

}  // namespace tessaroven
