// The profile table's text and its safe writing.
#include "formats/profile_table.h"

#include <optional>
#include <utility>

#include "messages/number_chars.h"

namespace tessaroven {

namespace {

// The shortest text that reads back to the same double, whatever the locale.
void AppendNumber(std::string& text, double value) {
    char buffer[32];
    const std::to_chars_result written = DoubleToChars(buffer, buffer + sizeof buffer, value);
    text.append(buffer, written.ptr);
}

void AppendCell(std::string& text, const std::optional<double>& value) {
    text += ',';
    if (value) {
        AppendNumber(text, *value);
    }
}

void AppendCell(std::string& text, double value) {
    text += ',';
    AppendNumber(text, value);
}

std::string FirstLine(const ProfileEvaluation& evaluation, std::string_view comment) {
    std::string line = "# distance_cm=";
    AppendNumber(line, evaluation.distanceCm);
    // Named only for the isotropic model, so that a table of the compatible one stays as it always was.
    if (evaluation.model == ConversionModel::Isotropic) {
        line += " model=isotropic";
    }
    line += " comment=";
    for (char c : comment) {
        line += c == '\r' || c == '\n' ? ' ' : c;
    }
    line += " uncertainty=standard (k=1)";
    return line;
}

void AppendBaseline(std::string& firstLine, const BaselineComparison& baseline) {
    firstLine += " baseline_distance_cm=";
    AppendNumber(firstLine, baseline.baselineDistanceCm);
    firstLine += " tolerance_percent=";
    AppendNumber(firstLine, baseline.tolerancePercent);
}

void AppendBaselineCells(std::string& row, const BaselineComparison& baseline, int position) {
    if (const PositionComparison* c = FindComparison(baseline, position)) {
        AppendCell(row, c->baselinePercent);
        AppendCell(row, c->deltaPercent);
        row += c->flagged ? ",1" : ",0";
    } else {
        row += ",,,";
    }
}

}  // namespace

std::string ProfileTableText(const ProfileEvaluation& evaluation, std::string_view comment,
                             const BaselineComparison* baseline) {
    std::string text = FirstLine(evaluation, comment);
    if (baseline) {
        AppendBaseline(text, *baseline);
    }
    text += '\n';
    text += kProfileTableHeader;
    if (baseline) {
        text += ',';
        text += kProfileTableBaselineColumns;
    }
    text += '\n';
    for (const PositionEvaluation& p : evaluation.positions) {
        text += std::to_string(p.position);
        AppendCell(text, p.fanAngleDeg);
        AppendCell(text, p.reading);
        AppendCell(text, p.readingU);
        AppendCell(text, p.profile);
        AppendCell(text, p.profileU);
        AppendCell(text, p.relativePercent);
        AppendCell(text, p.relativePercentU);
        AppendCell(text, p.relativeOnArcPercent);
        AppendCell(text, p.relativeOnArcPercentU);
        if (baseline) {
            AppendBaselineCells(text, *baseline, p.position);
        }
        text += '\n';
    }
    return text;
}

void AppendAlEquivalentColumns(std::string& table, const AlEquivalentProfile& profile) {
    std::string text;
    std::size_t line = 0;  // 0 the first line, 1 the names, then the positions
    for (std::size_t start = 0, end; (end = table.find('\n', start)) != std::string::npos; start = end + 1) {
        text.append(table, start, end - start);
        if (line == 1) {
            text += ',';
            text += kAlEquivalentColumns;
        } else if (line >= 2 && line - 2 < profile.positions.size()) {
            const AlEquivalentPosition& p = profile.positions[line - 2];
            AppendCell(text, p.thicknessMm);
            AppendCell(text, p.thicknessU);
            AppendCell(text, p.hvlMm);
            AppendCell(text, p.fluenceTransmission);
        }
        text += '\n';
        ++line;
    }
    table = std::move(text);
}

}  // namespace tessaroven
