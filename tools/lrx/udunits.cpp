// A table from the unit library's unit keys to UDUNITS texts, for the `units` attributes of
// exported netCDF files and for reading them back. Units without a sure UDUNITS text are left
// out: the exporter writes their own name then, with a warning.
#include "udunits.h"

#include <cctype>

#include "vnk/vnk.h"

namespace lrxtool {

namespace {

struct UnitText {
    int unit;
    const char* text;
};

constexpr UnitText kUnitTexts[] = {
    {0, "1"},
    {1, "percent"},
    {2, "1e-3"},
    {3, "1e-6"},
    {4, "1e-9"},
    {1000, "m"},
    {1001, "km"},
    {1002, "cm"},
    {1003, "mm"},
    {1004, "um"},
    {1005, "ft"},
    {1006, "US_survey_foot"},
    {1007, "in"},
    {1008, "yd"},
    {1009, "mi"},
    {1010, "nautical_mile"},
    {1011, "dm"},
    {1400, "s"},
    {1401, "min"},
    {1402, "h"},
    {1403, "day"},
    {1404, "week"},
    {1405, "common_year"},
    {1406, "ms"},
    {1600, "kg"},
    {1601, "g"},
    {1602, "mg"},
    {1603, "ug"},
    {1604, "t"},
    {1605, "lb"},
    {1606, "short_ton"},
    {2000, "m s-1"},
    {2001, "km h-1"},
    {2002, "cm s-1"},
    {2003, "mm s-1"},
    {2004, "ft s-1"},
    {2005, "mi h-1"},
    {2006, "knot"},
    {2007, "m day-1"},
    {2008, "ft day-1"},
    {2009, "m h-1"},
    {2010, "mm h-1"},
    {2011, "mm day-1"},
    {2012, "mm common_year-1"},
    {2013, "cm h-1"},
    {2014, "cm day-1"},
    {2015, "in h-1"},
    {2016, "in day-1"},
    {2017, "L s-1 km-2"},
    {2200, "rad"},
    {2201, "degree"},
    {2203, "arc_minute"},
    {2204, "arc_second"},
    {2400, "degC"},
    {2401, "degF"},
    {2402, "K"},
    {2403, "degR"},
    {3000, "m2"},
    {3001, "km2"},
    {3002, "ha"},
    {3003, "cm2"},
    {3004, "ft2"},
    {3005, "in2"},
    {3006, "yd2"},
    {3007, "acre"},
    {3008, "mi2"},
    {3200, "m3"},
    {3201, "L"},
    {3202, "mL"},
    {3203, "1e6 m3"},
    {3204, "km3"},
    {3205, "ft3"},
    {3206, "in3"},
    {3207, "yd3"},
    {3208, "gallon"},
    {3210, "acre_foot"},
    {3211, "1e6 gallon"},
    {3400, "m3 s-1"},
    {3401, "L s-1"},
    {3402, "m3 h-1"},
    {3403, "m3 day-1"},
    {3404, "L min-1"},
    {3405, "ft3 s-1"},
    {3406, "ft3 min-1"},
    {3407, "gallon min-1"},
    {3408, "1e6 gallon day-1"},
    {3409, "acre_foot day-1"},
    {3600, "kg m-3"},
    {3601, "g m-3"},
    {3602, "mg L-1"},
    {3603, "ug L-1"},
    {3604, "g L-1"},
    {3605, "mg m-3"},
    {3606, "ng L-1"},
    {3607, "t m-3"},
    {3608, "lb ft-3"},
    {3800, "1e-3"},
    {4000, "Pa"},
    {4001, "hPa"},
    {4002, "kPa"},
    {4003, "MPa"},
    {4004, "bar"},
    {4005, "mbar"},
    {4006, "atm"},
    {4007, "psi"},
    {4009, "mmHg"},
    {4010, "inHg"},
    {4200, "kg s-1"},
    {4201, "g s-1"},
    {4202, "kg h-1"},
    {4203, "kg day-1"},
    {4204, "t day-1"},
    {4205, "t common_year-1"},
    {4206, "lb s-1"},
    {4207, "lb day-1"},
    {4400, "s-1"},
    {4401, "min-1"},
    {4402, "h-1"},
    {4403, "day-1"},
    {4404, "common_year-1"},
    {4600, "W m-2"},
    {4601, "kW m-2"},
    {4602, "MJ m-2 day-1"},
    {4700, "m2 s-1"},
    {4701, "m2 h-1"},
    {4702, "m2 day-1"},
    {4703, "cm2 s-1"},
    {4704, "mm2 s-1"},
    {4705, "L s-1 m-1"},
    {4706, "ft2 s-1"},
    {4707, "ft2 day-1"},
};

// Spellings that netCDF files use for units the table writes otherwise.
constexpr UnitText kReadOnlyTexts[] = {
    {0, ""},
    {0, "-"},
    {1400, "second"},
    {1400, "seconds"},
    {1401, "minutes"},
    {1402, "hours"},
    {1403, "days"},
    {2201, "degrees"},
    {2201, "degrees_east"},
    {2201, "degrees_north"},
    {2201, "degree_east"},
    {2201, "degree_north"},
    {2201, "degree_E"},
    {2201, "degree_N"},
    {2400, "Celsius"},
    {2400, "degree_Celsius"},
    {2402, "kelvin"},
    {3800, "psu"},
};

std::string trimmed(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(text[first])))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(text[last - 1])))
        --last;
    return text.substr(first, last - first);
}

}  // namespace

const char* udunitsText(int unit) {
    for (const UnitText& entry : kUnitTexts) {
        if (entry.unit == unit) return entry.text;
    }
    return nullptr;
}

bool unitKeyOf(const std::string& text, int* unit) {
    const std::string wanted = trimmed(text);
    for (const UnitText& entry : kUnitTexts) {
        if (wanted == entry.text) {
            *unit = entry.unit;
            return true;
        }
    }
    for (const UnitText& entry : kReadOnlyTexts) {
        if (wanted == entry.text) {
            *unit = entry.unit;
            return true;
        }
    }
    return vnkGetUnitTag(wanted.c_str(), unit) != 0;
}

}  // namespace lrxtool
