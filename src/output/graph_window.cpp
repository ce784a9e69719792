// The graph window's handler.
#include "output/graph_window.h"

#include "ui/form4.h"
#include "ui/layout.h"

namespace tessaroven {

Form4* ShowProfileGraph(QPointer<Form4>& window, const MeasurementRecord& record) {
    if (window.isNull()) {
        window = new Form4();
    }
    window->Picture1->DrawProfileGraph(record);
    ShowInFront(window);
    return window;
}

}  // namespace tessaroven
