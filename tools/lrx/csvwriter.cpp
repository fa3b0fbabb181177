// Delimited rows collected in a buffer and written in large pieces.
#include "csvwriter.h"

namespace lrxtool {

namespace {

constexpr std::size_t kFlushSize = 1 << 20;

}  // namespace

void CsvWriter::separate() {
    if (rowStarted_) buffer_ += delimiter_;
    rowStarted_ = true;
}

void CsvWriter::field(const std::string& text) {
    separate();
    if (text.find_first_of("\"\r\n") == std::string::npos && text.find(delimiter_) == std::string::npos) {
        buffer_ += text;
        return;
    }
    buffer_ += '"';
    for (const char c : text) {
        if (c == '"') buffer_ += '"';
        buffer_ += c;
    }
    buffer_ += '"';
}

void CsvWriter::plainField(const std::string& text) {
    separate();
    buffer_ += text;
}

void CsvWriter::endRow() {
    buffer_ += '\n';
    rowStarted_ = false;
    if (buffer_.size() >= kFlushSize) flush();
}

bool CsvWriter::flush() {
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), out_) != buffer_.size()) failed_ = true;
    buffer_.clear();
    if (std::fflush(out_) != 0) failed_ = true;
    return !failed_;
}

}  // namespace lrxtool
