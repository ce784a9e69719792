// The reading-list line of one point, as the entry writes it. Plain C++ on top of the core's number texts, so
// the line layout is tested without windows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "messages/outcome.h"

namespace tessaroven {

// " (" point ")  " slot "  :  " reading, each number in the general number text.
std::string EntryLineText(double pointNumber, double slot, double reading, char decimalSeparator = '.');

// The line of a position measured several times: the line of their mean, the mean given to one more decimal
// than the most any repeat has (in its shortest exact form), then " (n=3)".
std::string RepeatsLineText(double pointNumber, double slot, const std::vector<double>& repeats,
                            char decimalSeparator = '.');

// The lines of a list, each with blanks put in front of its point number and its slot where these are
// shorter than the list's longest, so that the readings start in one column of a fixed-pitch font from point
// 10 on as well. Lines of the list's widest numbers, and lines of other forms, are kept as they are.
std::vector<std::string> AlignedEntryLines(const std::vector<std::string>& lines);

// Reads "100.2; 100.0; 99.9": the repeats of one position, separated by ";". Refused, naming the part, when a
// part is empty or not a number.
Expected<std::vector<double>> ParseRepeats(std::string_view utf8);

}  // namespace tessaroven
