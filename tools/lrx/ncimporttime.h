// The time coordinate of a netCDF-CF file as the time axis of a data file: "UNIT since DATE"
// on a standard, Gregorian or proleptic Gregorian calendar becomes a calendar axis, any other
// unit a relative axis; times of one constant step an equidistant axis, others a
// non-equidistant one.
#pragma once

#include <string>
#include <vector>

#include "ncexportplan.h"
#include "ncfile.h"

namespace lrxtool {

struct ImportTime {
    bool present = false;
    int dimId = -1;
    int varId = -1;
    std::vector<double> values;  // in the axis unit, counted from the axis start date (calendar)
    bool calendar = false;
    bool equidistant = true;
    int unit = 0;
    std::string date;  // calendar axes: "yyyy-mm-dd"
    std::string time;  // calendar axes: "hh:mm:ss"
    double step = 1.0;
};

// Finds the time coordinate (a coordinate variable with "since" in its units, standard name
// time or axis T, else that of the unlimited dimension) and reads it.
bool readImportTime(const NcFile& nc, const Warn& warn, ImportTime* time, std::string* problem);

// The unit key of a time unit word ("seconds", "hours", ...); false for none.
bool timeUnitKey(const std::string& word, int* unit);

}  // namespace lrxtool
