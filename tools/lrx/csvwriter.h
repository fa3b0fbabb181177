// Rows of delimited text on standard output, buffered: fields that hold the delimiter, a
// quote or a line break are quoted, with quotes doubled.
#pragma once

#include <cstdio>
#include <string>

namespace lrxtool {

class CsvWriter {
public:
    CsvWriter(std::FILE* out, std::string delimiter) : out_(out), delimiter_(std::move(delimiter)) {}
    ~CsvWriter() { flush(); }
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    // Adds a field to the current row; text fields that need it are quoted.
    void field(const std::string& text);
    // Adds a field known to need no quoting (numbers).
    void plainField(const std::string& text);
    void endRow();
    // False when writing to the output failed.
    bool flush();

private:
    void separate();

    std::FILE* out_;
    std::string delimiter_;
    std::string buffer_;
    bool rowStarted_ = false;
    bool failed_ = false;
};

}  // namespace lrxtool
