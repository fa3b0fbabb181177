// A small streaming JSON writer: tracks nesting to place commas and indentation.
#include "jsonwriter.h"

#include <cmath>

#include "numbertext.h"

namespace lrxtool {

std::string jsonQuoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\r':
                quoted += "\\r";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                if (byte < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
                    quoted += escaped;
                } else {
                    quoted += c;
                }
        }
    }
    return quoted + "\"";
}

void JsonWriter::raw(const std::string& text) {
    std::fputs(text.c_str(), out_);
}

void JsonWriter::newline() {
    raw("\n" + std::string(2 * firstInLevel_.size(), ' '));
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (firstInLevel_.empty()) return;
    if (!firstInLevel_.back()) raw(",");
    firstInLevel_.back() = false;
    newline();
}

void JsonWriter::beginObject() {
    beforeValue();
    raw("{");
    firstInLevel_.push_back(true);
}

void JsonWriter::close(const char* bracket) {
    const bool empty = firstInLevel_.back();
    firstInLevel_.pop_back();
    if (!empty) newline();
    raw(bracket);
}

void JsonWriter::endObject() {
    close("}");
}

void JsonWriter::beginArray() {
    beforeValue();
    raw("[");
    firstInLevel_.push_back(true);
}

void JsonWriter::endArray() {
    close("]");
}

void JsonWriter::key(const std::string& name) {
    beforeValue();
    raw(jsonQuoted(name) + ": ");
    afterKey_ = true;
}

void JsonWriter::value(const std::string& text) {
    beforeValue();
    raw(jsonQuoted(text));
}

void JsonWriter::value(double number) {
    beforeValue();
    raw(std::isfinite(number) ? numberText(number) : "null");
}

void JsonWriter::value(float number) {
    beforeValue();
    raw(std::isfinite(number) ? floatText(number) : "null");
}

void JsonWriter::integer(int64_t number) {
    beforeValue();
    raw(std::to_string(number));
}

void JsonWriter::value(bool flag) {
    beforeValue();
    raw(flag ? "true" : "false");
}

void JsonWriter::null() {
    beforeValue();
    raw("null");
}

void JsonWriter::numbers(const std::vector<double>& values, bool asFloat) {
    beforeValue();
    std::string text = "[";
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) text += ", ";
        const double v = values[i];
        text += !std::isfinite(v) ? "null" : asFloat ? floatText(static_cast<float>(v)) : numberText(v);
    }
    raw(text + "]");
}

void JsonWriter::finish() {
    raw("\n");
}

}  // namespace lrxtool
