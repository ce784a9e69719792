// The readings table's cells over the record.
#include "entry/reading_cells.h"

#include <algorithm>
#include <map>

#include "entry/entry_line.h"
#include "formats/measurement_file.h"

namespace tessaroven {

int ReadingPositionCount(const MeasurementRecord& record) {
    return std::min(LastPositionIndex(record.lastPosition), kLastSlot) + 1;
}

std::vector<double> PositionReadings(const MeasurementRecord& record, int position) {
    const auto k = static_cast<std::size_t>(position);
    if (!record.repeats[k].empty()) {
        return record.repeats[k];
    }
    // A typed 0 is a reading too: its list line tells it from a position never entered.
    if (record.reading[k] != 0 || !record.readingLines[k + 1].empty()) {
        return {record.reading[k]};
    }
    return {};
}

int ReadingColumnCount(const MeasurementRecord& record) {
    std::size_t most = 0;
    for (int k = 0; k < ReadingPositionCount(record); ++k) {
        most = std::max(most, PositionReadings(record, k).size());
    }
    return std::min(static_cast<int>(most) + 1, kMaxReadingsPerPosition);
}

bool WriteReadingCells(MeasurementRecord& record, std::span<const CellEdit> edits, char decimalSeparator) {
    std::map<int, std::vector<ReadingCell>> positions;
    for (const CellEdit& edit : edits) {
        auto [cells, first] = positions.try_emplace(edit.position);
        if (first) {
            const std::vector<double> readings = PositionReadings(record, edit.position);
            cells->second.assign(readings.begin(), readings.end());
        }
        std::vector<ReadingCell>& row = cells->second;
        row.resize(std::max(row.size(), static_cast<std::size_t>(edit.reading) + 1));
        row[static_cast<std::size_t>(edit.reading)] = edit.value;
    }
    bool changed = false;
    for (const auto& [position, cells] : positions) {
        std::vector<double> readings;
        for (const ReadingCell& cell : cells) {
            if (cell) {
                readings.push_back(*cell);
            }
        }
        if (readings == PositionReadings(record, position)) {
            continue;
        }
        changed = true;
        const auto k = static_cast<std::size_t>(position);
        std::string& line = record.readingLines[k + 1];
        record.repeats[k].clear();
        if (readings.empty()) {
            record.reading[k] = 0;
            line.clear();
        } else if (readings.size() == 1) {
            record.reading[k] = readings.front();
            line = EntryLineText(position + 1, position, readings.front(), decimalSeparator);
        } else {
            record.reading[k] = MeanOfRepeats(readings);
            line = RepeatsLineText(position + 1, position, readings, decimalSeparator);
            record.repeats[k] = std::move(readings);
        }
    }
    return changed;
}

}  // namespace tessaroven
