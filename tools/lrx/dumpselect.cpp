// Reading the step range, the item choice and the delimiter of `lrx dump`. Pure text work.
#include "dumpselect.h"

#include <cctype>
#include <charconv>

namespace lrxtool {

namespace {

// A whole non-negative number, or -1 for an empty text; -2 when the text is no number.
int boundOf(const std::string& text) {
    if (text.empty()) return -1;
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || value < 0) return -2;
    return value;
}

std::vector<std::string> splitAtColons(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t colon = text.find(':', start);
        parts.push_back(text.substr(start, colon - start));
        if (colon == std::string::npos) return parts;
        start = colon + 1;
    }
}

}  // namespace

bool parseStepRange(const std::string& text, StepRange* range, std::string* problem) {
    const std::vector<std::string> parts = splitAtColons(text);
    *problem = "--steps " + text + ": expected FIRST:LAST[:STRIDE] with whole numbers from 0";
    if (parts.size() < 2 || parts.size() > 3) return false;
    const int first = boundOf(parts[0]);
    const int last = boundOf(parts[1]);
    const int stride = parts.size() == 3 ? boundOf(parts[2]) : 1;
    if (first == -2 || last == -2 || stride == -2 || stride == 0) return false;
    range->first = first < 0 ? 0 : first;
    range->last = last;
    range->stride = stride < 0 ? 1 : stride;
    if (range->last >= 0 && range->last < range->first) {
        *problem = "--steps " + text + ": LAST lies before FIRST";
        return false;
    }
    return true;
}

bool resolveItems(const std::vector<std::string>& wanted, const std::vector<std::string>& names,
                  std::vector<int>* numbers, std::string* problem) {
    numbers->clear();
    for (const std::string& item : wanted) {
        int found = 0;
        for (std::size_t i = 0; i < names.size() && found == 0; ++i) {
            if (names[i] == item) found = static_cast<int>(i) + 1;
        }
        const int number = boundOf(item);
        if (found == 0 && number >= 1 && number <= static_cast<int>(names.size())) found = number;
        if (found == 0) {
            *problem = "no item \"" + item + "\" (there are " + std::to_string(names.size()) + ")";
            return false;
        }
        numbers->push_back(found);
    }
    return true;
}

bool parseDelimiter(const std::string& text, std::string* delimiter) {
    if (text == "\\t" || text == "tab") {
        *delimiter = "\t";
        return true;
    }
    if (text.size() != 1) return false;
    const auto c = static_cast<unsigned char>(text[0]);
    if (std::isalnum(c) || c == '.' || c == '-' || c == '+' || c == '"' || c == '\n' || c == '\r') return false;
    *delimiter = text;
    return true;
}

}  // namespace lrxtool
