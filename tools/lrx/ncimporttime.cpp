// Reads the time coordinate of a netCDF file and decides the time axis it becomes. Calls
// netCDF-C and the unit library.
#include "ncimporttime.h"

#include <cctype>
#include <cmath>

#include "calendar.h"
#include "udunits.h"
#include "vnk/vnk.h"

namespace lrxtool {

namespace {

constexpr int64_t kMostTimeSteps = int64_t{1} << 27;

std::string lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool isCoordinateVariable(const NcFile& nc, int var, int* dim) {
    int dims = 0;
    char name[NC_MAX_NAME + 1] = {0};
    char dimName[NC_MAX_NAME + 1] = {0};
    if (nc_inq_varndims(nc.id(), var, &dims) != NC_NOERR || dims != 1) return false;
    nc_inq_varname(nc.id(), var, name);
    nc_inq_vardimid(nc.id(), var, dim);
    nc_inq_dimname(nc.id(), *dim, dimName);
    return std::string(name) == dimName;
}

bool looksLikeTime(const NcFile& nc, int var) {
    std::string text;
    if (nc.getText(var, "units", &text) && lower(text).find(" since ") != std::string::npos) return true;
    if (nc.getText(var, "standard_name", &text) && text == "time") return true;
    return nc.getText(var, "axis", &text) && (text == "T" || text == "t");
}

// The coordinate variable of the time dimension, or false when the file has none.
bool findTime(const NcFile& nc, ImportTime* time) {
    int vars = 0, unlimited = -1;
    nc_inq_nvars(nc.id(), &vars);
    nc_inq_unlimdim(nc.id(), &unlimited);
    int unlimitedVar = -1;
    for (int var = 0; var < vars; ++var) {
        int dim = -1;
        if (!isCoordinateVariable(nc, var, &dim)) continue;
        if (looksLikeTime(nc, var)) {
            time->varId = var;
            time->dimId = dim;
            return true;
        }
        if (dim == unlimited) unlimitedVar = var;
    }
    if (unlimitedVar < 0) return false;
    time->varId = unlimitedVar;
    time->dimId = unlimited;
    return true;
}

bool standardCalendar(const NcFile& nc, int var) {
    std::string calendar;
    if (!nc.getText(var, "calendar", &calendar)) return true;
    calendar = lower(calendar);
    return calendar == "standard" || calendar == "gregorian" || calendar == "proleptic_gregorian";
}

// Sets up a calendar axis from "UNIT since DATE"; false when the date cannot be carried.
bool calendarAxis(const std::string& date, ImportTime* time, const Warn& warn) {
    int64_t seconds = 0;
    double fraction = 0.0;
    if (!parseReferenceDate(date, &seconds, &fraction) || !dateAndTimeTexts(seconds, &time->date, &time->time)) {
        warn("the reference date \"" + date + "\" of the time coordinate cannot be carried over");
        return false;
    }
    double secondsPerUnit = 1.0;
    vnkConvertUnit(time->unit, 1.0, VNK_UNIT_SECOND, &secondsPerUnit);
    // A fraction of a second in the reference date moves every time by that much.
    for (double& value : time->values)
        value += fraction / secondsPerUnit;
    time->calendar = true;
    return true;
}

void decideUnit(const NcFile& nc, const Warn& warn, ImportTime* time) {
    std::string units;
    nc.getText(time->varId, "units", &units);
    const std::size_t since = lower(units).find(" since ");
    if (since != std::string::npos) {
        const std::string word = units.substr(0, since);
        if (timeUnitKey(word, &time->unit)) {
            if (!standardCalendar(nc, time->varId)) {
                warn(
                    "the time coordinate's calendar is not the standard one; its times are kept relative to their "
                    "reference date, without dates");
                return;
            }
            calendarAxis(units.substr(since + 7), time, warn);
            return;
        }
        warn("the time unit \"" + word + "\" cannot be carried over; the times are kept as numbers without unit");
        time->unit = 0;
        return;
    }
    if (!units.empty() && !unitKeyOf(units, &time->unit)) {
        warn("the time unit \"" + units + "\" is not known; the times are kept as numbers without unit");
        time->unit = 0;
    }
}

// Equidistant when every time lies on the first time plus a whole number of the first step.
void decideSpacing(ImportTime* time) {
    const std::vector<double>& t = time->values;
    time->equidistant = true;
    time->step = 1.0;
    if (t.size() < 2) return;
    const double step = t[1] - t[0];
    if (!(step > 0) || !std::isfinite(step)) {
        time->equidistant = false;
        return;
    }
    for (std::size_t i = 2; i < t.size(); ++i) {
        if (std::fabs(t[i] - (t[0] + static_cast<double>(i) * step)) > 1e-9 * step) {
            time->equidistant = false;
            return;
        }
    }
    time->step = step;
}

}  // namespace

bool timeUnitKey(const std::string& word, int* unit) {
    const std::string w = lower(word);
    static const struct {
        const char* words;
        int unit;
    } kUnits[] = {{"|s|sec|secs|second|seconds|", 1400},
                  {"|min|mins|minute|minutes|", 1401},
                  {"|h|hr|hrs|hour|hours|", 1402},
                  {"|d|day|days|", 1403},
                  {"|week|weeks|", 1404}};
    for (const auto& entry : kUnits) {
        if (std::string(entry.words).find("|" + w + "|") != std::string::npos) {
            *unit = entry.unit;
            return true;
        }
    }
    return false;
}

bool readImportTime(const NcFile& nc, const Warn& warn, ImportTime* time, std::string* problem) {
    if (!findTime(nc, time)) return true;
    time->present = true;
    std::size_t count = 0;
    nc_inq_dimlen(nc.id(), time->dimId, &count);
    // A data file counts its time steps in 32 bits; a damaged file may claim more.
    if (count > static_cast<std::size_t>(kMostTimeSteps)) {
        *problem = "the time coordinate claims " + std::to_string(count) + " times, more than a data file can hold";
        return false;
    }
    time->values.resize(count);
    if (count > 0 && nc_get_var_double(nc.id(), time->varId, time->values.data()) != NC_NOERR) {
        *problem = "cannot read the time coordinate";
        return false;
    }
    for (const double value : time->values) {
        if (!std::isfinite(value)) {
            *problem = "the time coordinate holds a missing or infinite time";
            return false;
        }
    }
    decideUnit(nc, warn, time);
    decideSpacing(time);
    return true;
}

}  // namespace lrxtool
