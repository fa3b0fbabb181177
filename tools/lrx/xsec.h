// `lrx xsec FILE`: lists a cross-section file, one line per section in table order.
#pragma once

#include <ostream>
#include <string>

namespace lrxtool {

// Loads the cross-section file at path and writes one line per section in table order:
// both key texts in double quotes, the position, the counts of raw, selected and processed
// points and `valid`. Returns 0, or 1 (with a message on standard error) when the file
// cannot be loaded.
int listCrossSections(const std::string& path, std::ostream& out);

}  // namespace lrxtool
