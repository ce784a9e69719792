// The reading-list line of one point.
#include "entry/entry_line.h"

#include "calc/number_text.h"

namespace tessaroven {

std::string EntryLineText(double pointNumber, double slot, double reading, char decimalSeparator) {
    return " (" + GeneralNumberText(pointNumber, decimalSeparator) + ")  " +
           GeneralNumberText(slot, decimalSeparator) + "  :  " + GeneralNumberText(reading, decimalSeparator);
}

}  // namespace tessaroven
