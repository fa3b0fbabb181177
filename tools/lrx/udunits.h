// Unit texts that netCDF-CF readers understand (UDUNITS) for the unit library's keys, and the
// way back from a unit text to a key.
#pragma once

#include <string>

namespace lrxtool {

// The UDUNITS text of a unit key; null when the table has none.
const char* udunitsText(int unit);

// The unit key of a unit text: the table's UDUNITS texts first, then the unit library's
// names and spellings. False when neither knows the text.
bool unitKeyOf(const std::string& text, int* unit);

}  // namespace lrxtool
