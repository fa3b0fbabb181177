// The progress bar of long commands, drawn on standard error with a carriage return so that
// it stays on one line and is cleared at the end.
#include "progress.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform.h"

namespace lrxtool {

namespace {

constexpr std::uintmax_t kLargeFile = 8u << 20;
constexpr int kBarWidth = 24;

std::string durationText(double seconds) {
    const auto whole = static_cast<long long>(seconds + 0.5);
    char text[32];
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60, whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    }
    return text;
}

}  // namespace

bool progressWanted(bool quiet, const std::string& path) {
    if (quiet || !stderrIsTerminal()) return false;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return !error && size > kLargeFile;
}

Progress::Progress(std::string label, int64_t total, bool enabled)
    : label_(std::move(label)),
      total_(total),
      enabled_(enabled && total > 0),
      start_(std::chrono::steady_clock::now()),
      lastDraw_(start_) {}

Progress::~Progress() {
    finish();
}

void Progress::update(int64_t done) {
    if (!enabled_) return;
    const auto now = std::chrono::steady_clock::now();
    if (drawn_ && now - lastDraw_ < std::chrono::milliseconds(100) && done < total_) return;
    lastDraw_ = now;
    draw(done);
}

void Progress::draw(int64_t done) {
    const double elapsed = std::chrono::duration<double>(lastDraw_ - start_).count();
    const double rate = elapsed > 0 ? done / elapsed : 0.0;
    const int filled = static_cast<int>(kBarWidth * done / total_);
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.resize(kBarWidth, '.');
    const std::string left = rate > 0 ? durationText((total_ - done) / rate) + " left" : "";
    std::fprintf(stderr, "\r%s [%s] %lld/%lld steps, %.1f steps/s, %s\033[K", label_.c_str(), bar.c_str(),
                 static_cast<long long>(done), static_cast<long long>(total_), rate, left.c_str());
    std::fflush(stderr);
    drawn_ = true;
}

void Progress::finish() {
    if (!drawn_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    drawn_ = false;
}

}  // namespace lrxtool
