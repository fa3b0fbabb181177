// The progress bar on standard error of commands that read a large file step by step: steps
// done, rate and time left, redrawn in place at most ten times a second.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace lrxtool {

// True when a command on path should show progress: not silenced, standard error is a
// terminal and the file is larger than a few megabytes.
bool progressWanted(bool quiet, const std::string& path);

class Progress {
public:
    Progress(std::string label, int64_t total, bool enabled);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Tells how many steps are done; redraws when the last drawing is old enough.
    void update(int64_t done);
    // Clears the bar.
    void finish();

private:
    void draw(int64_t done);

    std::string label_;
    int64_t total_;
    bool enabled_;
    bool drawn_ = false;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point lastDraw_;
};

}  // namespace lrxtool
