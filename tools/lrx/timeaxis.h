// The time axis of a data file as the commands use it: its kind, unit, start, step or span and
// count, the time of each time step relative to the start, and that time as text.
#pragma once

#include <cstdint>
#include <string>

#include "lrx/gbx.h"

namespace lrxtool {

struct TimeAxis {
    int type = F_UNDEFINED_TAXIS;
    bool calendar = false;
    bool equidistant = false;
    int unit = 0;
    std::string unitName;
    // Relative axes: the start in the axis unit. Calendar axes: the part of the start offset
    // that could not be folded into the start date (normally 0).
    double start = 0.0;
    std::string startDate;     // calendar axes: "yyyy-mm-dd", the offset folded in
    std::string startTime;     // calendar axes: "hh:mm:ss"
    int64_t startSeconds = 0;  // calendar axes: the start as seconds since 1970
    bool startKnown = false;   // calendar axes: the start texts name a valid date and time
    double step = 0.0;         // equidistant axes: the step; others: the stored span
    int count = 0;
    // Seconds in one axis unit; 0 when the unit is no unit of time.
    double secondsPerUnit = 0.0;
};

TimeAxis readTimeAxis(GbxHeader* header);

// The time of time step index relative to the start of the axis, in the axis unit: the index
// times the step on equidistant axes, the time that reading the step gave on the others.
double relativeTime(const TimeAxis& axis, int index, double readTime);

// Seconds since the axis start of a relative time (the relative time itself when the axis
// unit is no unit of time).
double relativeSeconds(const TimeAxis& axis, double relative);

// The time of a time step as text: ISO 8601 on calendar axes, seconds (the start included) on
// the others, or the value in the axis unit when that unit is no unit of time.
std::string timeText(const TimeAxis& axis, double relative);

// The time of the last time step relative to the start (0 without time steps).
double lastRelativeTime(const TimeAxis& axis);

}  // namespace lrxtool
