// The record's readings seen as a table, a row per position and a column per repeat: what each cell holds,
// and edited cells written back as the entry writes a reading (the mean of the repeats, and the reading-list
// line). Plain C++ over the record, so the window only shows it.
#pragma once

#include <span>
#include <vector>

#include "calc/pasted_readings.h"
#include "measurement/measurement_record.h"

namespace tessaroven {

// The positions the table has: 0..lastPosition (none when lastPosition is negative), never beyond the slots.
int ReadingPositionCount(const MeasurementRecord& record);

// The readings of a position: its repeats, its one reading, or none when nothing was entered there.
std::vector<double> PositionReadings(const MeasurementRecord& record, int position);

// The columns the table shows: one beyond the most readings any position has, to type the next repeat into
// (at most kMaxReadingsPerPosition).
int ReadingColumnCount(const MeasurementRecord& record);

struct CellEdit {
    int position = 0;
    int reading = 0;  // the column, from 0
    ReadingCell value;
};

// Writes the edited cells into the record. A position's readings become its cells in column order: an empty
// cell removes its reading and the ones after it move up, so a position never has a gap. Each position edited
// gets its mean, repeats and reading-list line (at its point number, position + 1) as the entry gives them;
// one without readings is left as never entered. Returns whether any reading changed.
bool WriteReadingCells(MeasurementRecord& record, std::span<const CellEdit> edits, char decimalSeparator);

}  // namespace tessaroven
