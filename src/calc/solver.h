// The Gauss-Jordan solver for the conversion's linear system.
#pragma once

#include "measurement/measurement_record.h"
#include "messages/outcome.h"

namespace tessaroven {

// Solves grid x profile = reading for positions 0..lastPosition: natural order, no row exchanges, no
// tolerance. The readings are copied into profile and reduced there, so reading is never touched. On success
// profile[0..n] holds the solution and the block 0..n of grid is the identity; cells and slots outside 0..n
// are untouched. A negative lastPosition does nothing. Refused without touching anything when lastPosition is
// above 30; refused when a pivot is 0, leaving grid and profile partly reduced (callers work on a copy).
MaybeRefusal SolveGrid(MeasurementRecord& record);

}  // namespace tessaroven
