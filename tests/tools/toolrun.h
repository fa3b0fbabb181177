// Running the `lrx` tool and other programs as a user runs them, and the data files the tool
// tests read: the demo, a compressed file on a non-equidistant calendar axis, a time series.
#pragma once

#include <string>
#include <vector>

#include "support/tempfiles.h"

namespace lrxtest {

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

RunResult runProgram(const TempDir& dir, const std::string& program, const std::vector<std::string>& args);
RunResult runLrx(const TempDir& dir, const std::vector<std::string>& args);

std::vector<std::string> linesOf(const std::string& text);
std::string readText(const std::string& path);

// The demo written by examples/grid_timeseries: three float items on a 20 x 10 grid, 100
// hourly steps of a calendar axis from 2026-01-01, land cells deleted, one static item.
std::string writeDemoFile(const TempDir& dir, const std::string& name = "harbour.gbx");

// A compressed file on a non-equidistant calendar axis in hours from 2024-02-28 22:00:00:
// a 6 x 4 grid of which 15 cells are stored, a float salinity item and an int32 item, five
// time steps at 0, 1.5, 3, 7.25 and 24 hours. Cell values: cellValue().
std::string writeCompressedFile(const TempDir& dir);
double cellValue(int step, int itemNo, int cell);
constexpr int kCompressedSteps = 5;
extern const double kCompressedHours[kCompressedSteps];

// A time series: two items of one value (float "Level" in m, double "Flow" in m^3/s) on an
// equidistant axis of 60 s starting at 100 s, four steps; step 2 of "Level" is deleted.
std::string writeTimeSeriesFile(const TempDir& dir);

}  // namespace lrxtest
