// What `lrx dump` is asked for: the range of time steps, the items by name or number, and the
// field delimiter, read from the texts of the command line.
#pragma once

#include <string>
#include <vector>

namespace lrxtool {

// Time steps first to last (both included, counted from 0) in strides; last -1 is the end.
struct StepRange {
    int first = 0;
    int last = -1;
    int stride = 1;
};

// Reads "FIRST:LAST[:STRIDE]"; either bound may be empty ("10:", ":20", "::5"). False with a
// description of the problem when the text is no such range.
bool parseStepRange(const std::string& text, StepRange* range, std::string* problem);

// Finds each wanted item, given by name or by number (from 1), among names. Gives the numbers
// in the order asked; false with a description of the first that is not there.
bool resolveItems(const std::vector<std::string>& wanted, const std::vector<std::string>& names,
                  std::vector<int>* numbers, std::string* problem);

// Reads a delimiter: one character ("\t" and "tab" for a tab) that cannot be part of a number
// or a quote. False when the text is none.
bool parseDelimiter(const std::string& text, std::string* delimiter);

}  // namespace lrxtool
