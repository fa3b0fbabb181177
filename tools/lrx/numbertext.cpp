// Values of the item data types as text and as doubles, and the delete-value test. Pure
// formatting; calls only the header's delete-value getters.
#include "numbertext.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace lrxtool {

namespace {

template <typename T>
T valueAt(const void* values, std::size_t index) {
    T value;
    std::memcpy(&value, static_cast<const unsigned char*>(values) + index * sizeof(T), sizeof(T));
    return value;
}

template <typename T>
std::string shortestText(T value, int precision) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char text[64];
    const auto result = precision > 0
                            ? std::to_chars(text, text + sizeof text, value, std::chars_format::general, precision)
                            : std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

}  // namespace

std::string numberText(double value) {
    return shortestText(value, 0);
}

std::string floatText(float value) {
    return shortestText(value, 0);
}

double tidyNumber(double value, double tolerance) {
    if (!std::isfinite(value) || !(tolerance > 0)) return value;
    char text[64];
    for (int precision = 1; precision <= 17; ++precision) {
        const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general, precision);
        double back = value;
        std::from_chars(text, written.ptr, back);
        if (std::fabs(back - value) <= tolerance) return back;
    }
    return value;
}

std::string valueText(int dataType, const void* values, std::size_t index, int precision) {
    switch (dataType) {
        case LRX_FLOAT:
            return shortestText(valueAt<float>(values, index), precision);
        case LRX_DOUBLE:
            return shortestText(valueAt<double>(values, index), precision);
        case LRX_BYTE:
            return std::to_string(static_cast<int>(valueAt<signed char>(values, index)));
        case LRX_INT4:
            return std::to_string(valueAt<int32_t>(values, index));
        case LRX_UINT4:
            return std::to_string(valueAt<uint32_t>(values, index));
        default:
            return "";
    }
}

double valueAsDouble(int dataType, const void* values, std::size_t index) {
    switch (dataType) {
        case LRX_FLOAT:
            return valueAt<float>(values, index);
        case LRX_DOUBLE:
            return valueAt<double>(values, index);
        case LRX_BYTE:
            return valueAt<signed char>(values, index);
        case LRX_INT4:
            return valueAt<int32_t>(values, index);
        case LRX_UINT4:
            return valueAt<uint32_t>(values, index);
        case LRX_INT2:
            return valueAt<int16_t>(values, index);
        case LRX_UINT2:
            return valueAt<uint16_t>(values, index);
        default:
            return 0.0;
    }
}

DeleteValues deleteValuesOf(GbxHeader* header) {
    DeleteValues deletes;
    deletes.floatValue = gbxGetDeleteValFloat(header);
    deletes.doubleValue = gbxGetDeleteValDouble(header);
    deletes.byteValue = static_cast<signed char>(gbxGetDeleteValByte(header));
    deletes.intValue = gbxGetDeleteValInt(header);
    deletes.unsignedValue = gbxGetDeleteValUnsignedInt(header);
    return deletes;
}

bool isDeleteValue(const DeleteValues& deletes, int dataType, const void* values, std::size_t index) {
    switch (dataType) {
        case LRX_FLOAT:
            return valueAt<float>(values, index) == deletes.floatValue;
        case LRX_DOUBLE:
            return valueAt<double>(values, index) == deletes.doubleValue;
        case LRX_BYTE:
            return valueAt<signed char>(values, index) == deletes.byteValue;
        case LRX_INT4:
            return valueAt<int32_t>(values, index) == deletes.intValue;
        case LRX_UINT4:
            return valueAt<uint32_t>(values, index) == deletes.unsignedValue;
        default:
            return false;
    }
}

}  // namespace lrxtool
