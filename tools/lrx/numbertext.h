// Values of the item data types as text (the shortest text that reads back to the same value,
// or a given number of significant digits), and the test for the header's delete values.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "lrx/gbx.h"

namespace lrxtool {

// Shortest text that reads back as the same double; "nan", "inf", "-inf" for the others.
std::string numberText(double value);
std::string floatText(float value);

// The double with the shortest decimal text that lies within tolerance of value: turns sums
// of float origins and spacings such as 0.20000000298 back into the 0.2 that was meant.
double tidyNumber(double value, double tolerance);

// The value at index of an array of an item data type (1 float ... 5 uint32). precision 0
// gives the shortest exact text, a positive precision that many significant digits.
std::string valueText(int dataType, const void* values, std::size_t index, int precision = 0);

// The value at index of an array of a simple type 1 to 7, as a double; bytes are signed.
double valueAsDouble(int dataType, const void* values, std::size_t index);

// The delete values of a header, one per data type.
struct DeleteValues {
    float floatValue = 0;
    double doubleValue = 0;
    signed char byteValue = 0;
    int32_t intValue = 0;
    uint32_t unsignedValue = 0;
};

DeleteValues deleteValuesOf(GbxHeader* header);

// True when the value at index equals the delete value of its data type exactly.
bool isDeleteValue(const DeleteValues& deletes, int dataType, const void* values, std::size_t index);

}  // namespace lrxtool
