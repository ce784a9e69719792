// What the measurement's one-page report says beside its graph: the lines of what was measured and how, the
// positions whose readings cannot be trusted, and the columns of its table. The desktop's PDF and the browser
// edition's print view both take them from here, so that the two reports say the same.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "calc/result_columns.h"
#include "measurement/measurement_record.h"

namespace tessaroven {

// The measurement file a baseline was read from, as the report names it.
struct ReportBaseline {
    std::string file;        // its path (the page: its name)
    std::string measuredOn;  // the day it was measured, empty when the file does not say
};

// Label and text of each line: the file (or that there is none), the comment unless it is still the default,
// the distance, the model unless it is the compatible one, the baseline's file and day when baseline is
// given, and every measuring condition that is set but the notes.
std::vector<std::pair<std::string, std::string>> ReportConditionTexts(
    const MeasurementRecord& record, const std::string& fileName, const ReportBaseline* baseline = nullptr);

// The positions (cm) with a reading or a repeat of 0 or less: they convert, into a profile that cannot be
// trusted.
std::vector<int> NonPositivePositions(const MeasurementRecord& record);

// The columns of the report's table, in order: the results table's without the values on the arc and the
// baseline's own values, which a page's width has no room for.
std::vector<ResultColumn> ReportColumnsOf(const ResultSet& results);

}  // namespace tessaroven
