// The time axis of a data file read through the exported time-axis getters, and the times of
// its time steps. Calls the unit library to turn the axis unit into seconds.
#include "timeaxis.h"

#include "calendar.h"
#include "numbertext.h"
#include "vnk/vnk.h"

namespace lrxtool {

namespace {

void readCalendar(GbxHeader* header, TimeAxis* axis) {
    const char* unitText = "";
    const char* date = "";
    const char* time = "";
    if (axis->equidistant) {
        gbxGetEqCalendarAxis(header, &axis->unit, &unitText, &date, &time, &axis->start, &axis->step, &axis->count,
                             nullptr);
    } else {
        gbxGetNeqCalendarAxis(header, &axis->unit, &unitText, &date, &time, &axis->start, &axis->step, &axis->count,
                              nullptr);
    }
    axis->unitName = unitText != nullptr ? unitText : "";
    axis->startDate = date != nullptr ? date : "";
    axis->startTime = time != nullptr ? time : "";
    axis->startKnown = epochSeconds(axis->startDate, axis->startTime, &axis->startSeconds);
}

void readRelative(GbxHeader* header, TimeAxis* axis) {
    const char* unitText = "";
    if (axis->equidistant) {
        gbxGetEqTimeAxis(header, &axis->unit, &unitText, &axis->start, &axis->step, &axis->count, nullptr);
    } else {
        gbxGetNeqTimeAxis(header, &axis->unit, &unitText, &axis->start, &axis->step, &axis->count, nullptr);
    }
    axis->unitName = unitText != nullptr ? unitText : "";
}

}  // namespace

TimeAxis readTimeAxis(GbxHeader* header) {
    TimeAxis axis;
    axis.type = gbxGetTimeAxisType(header);
    axis.calendar = axis.type == F_CAL_EQ_AXIS || axis.type == F_CAL_NEQ_AXIS;
    axis.equidistant = axis.type == F_TM_EQ_AXIS || axis.type == F_CAL_EQ_AXIS;
    if (axis.calendar) {
        readCalendar(header, &axis);
    } else if (axis.type == F_TM_EQ_AXIS || axis.type == F_TM_NEQ_AXIS) {
        readRelative(header, &axis);
    }
    double seconds = 0.0;
    if (vnkConvertUnit(axis.unit, 1.0, VNK_UNIT_SECOND, &seconds) != 0) axis.secondsPerUnit = seconds;
    return axis;
}

double relativeTime(const TimeAxis& axis, int index, double readTime) {
    return axis.equidistant ? index * axis.step : readTime;
}

double relativeSeconds(const TimeAxis& axis, double relative) {
    return axis.secondsPerUnit != 0.0 ? relative * axis.secondsPerUnit : relative;
}

std::string timeText(const TimeAxis& axis, double relative) {
    if (axis.calendar && axis.startKnown) {
        return isoText(axis.startSeconds, relativeSeconds(axis, axis.start + relative));
    }
    return numberText(relativeSeconds(axis, axis.start + relative));
}

double lastRelativeTime(const TimeAxis& axis) {
    if (axis.count <= 0) return 0.0;
    return axis.equidistant ? (axis.count - 1) * axis.step : axis.step;
}

}  // namespace lrxtool
