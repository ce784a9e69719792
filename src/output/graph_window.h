// The graph window's handler for Command8 of the main window.
#pragma once

#include <QPointer>

#include "record/measurement_record.h"

namespace tessaroven {

class Form4;

// Creates the graph window if it does not exist (first use, or after its close box), draws the graph of
// record afresh and shows the window (brought to the front if already open). Returns the window.
Form4* ShowProfileGraph(QPointer<Form4>& window, const MeasurementRecord& record);

}  // namespace tessaroven
