// A small streaming JSON writer for `lrx info --json`: objects, arrays, keys and values,
// indented by two blanks, texts escaped, numbers in their shortest exact form.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace lrxtool {

class JsonWriter {
public:
    explicit JsonWriter(std::FILE* out) : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(const std::string& name);

    void value(const std::string& text);
    void value(const char* text) { value(std::string(text)); }
    // Not-a-number and infinities, which JSON cannot hold, are written as null.
    void value(double number);
    void value(float number);
    void value(int number) { integer(number); }
    void value(int64_t number) { integer(number); }
    void value(uint32_t number) { integer(number); }
    void value(bool flag);
    void null();
    // An array of numbers on one line; floats in their shortest float text.
    void numbers(const std::vector<double>& values, bool asFloat = false);

    template <typename T>
    void field(const std::string& name, const T& v) {
        key(name);
        value(v);
    }
    void nullField(const std::string& name) {
        key(name);
        null();
    }
    // Ends the output with a newline.
    void finish();

private:
    void integer(int64_t number);
    void beforeValue();
    void close(const char* bracket);
    void newline();
    void raw(const std::string& text);

    std::FILE* out_;
    std::vector<bool> firstInLevel_;
    bool afterKey_ = false;
};

// A text quoted and escaped for JSON.
std::string jsonQuoted(const std::string& text);

}  // namespace lrxtool
