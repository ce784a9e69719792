// The reading-list line of one point, as the entry writes it. Plain C++ on top of the core's number texts, so
// the line layout is tested without windows.
#pragma once

#include <string>

namespace tessaroven {

// " (" point ")  " slot "  :  " reading, each number in the general number text.
std::string EntryLineText(double pointNumber, double slot, double reading, char decimalSeparator = '.');

}  // namespace tessaroven
