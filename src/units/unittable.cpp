// The table of units: keys in blocks by kind of quantity, factors to the SI unit taken from
// the units' legal definitions. Pure data; calls nothing.
#include "src/units/unittable.h"

#include <numbers>

namespace vnk {
namespace {

// Defining constants. Every derived factor below is written from these, so that each
// reads as its definition; a product or quotient of them is exact to within one rounding.
constexpr double kFoot = 0.3048;  // international foot
constexpr double kUsSurveyFoot = 1200.0 / 3937.0;
constexpr double kInch = 0.0254;
constexpr double kYard = 0.9144;
constexpr double kMile = 1609.344;
constexpr double kNauticalMile = 1852.0;
constexpr double kSquareFoot = 0.09290304;
constexpr double kSquareInch = 0.00064516;
constexpr double kAcre = 4046.8564224;  // 43560 square feet
constexpr double kCubicFoot = 0.028316846592;
constexpr double kAcreFoot = 1233.48183754752;
constexpr double kUsGallon = 3.785411784e-3;
constexpr double kImperialGallon = 4.54609e-3;
constexpr double kPound = 0.45359237;
constexpr double kPoundForce = 4.4482216152605;  // pound times standard gravity 9.80665
constexpr double kMinute = 60.0;
constexpr double kHour = 3600.0;
constexpr double kDay = 86400.0;
constexpr double kYear = 365.0 * kDay;  // a year of 365 days, as annual totals are counted
constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kThermochemicalCalorie = 4.184;
constexpr double kBtu = 1055.05585262;  // international table BTU
// Conventional heads: water of 1000 kg/m^3 and mercury of 13595.1 kg/m^3 under standard
// gravity.
constexpr double kMetreOfWater = 9806.65;
constexpr double kMillimetreOfMercury = 133.322387415;
constexpr double kInchOfMercury = 3386.388640341;

using enum Dimension;

// Names are the symbols shown to users; spellings are what people type for the same unit.
// No two texts of the table may be equal when letter case is ignored, so "Mm3" (million
// cubic metres) and "ML" (megalitre) are deliberately absent: they would read as "mm3" and
// "ml".
constexpr UnitDef kUnits[] = {
    // Dimensionless: 0 to 99.
    {0, Dimensionless, "()", "-|none|dimensionless|nondimensional|fraction|1", 1.0, 0.0},
    {1, Dimensionless, "%", "percent|per cent|pct", 0.01, 0.0},
    {2, Dimensionless, "per mille", "permille|permil|\u2030|o/oo", 0.001, 0.0},
    {3, Dimensionless, "ppm", "parts per million", 1e-6, 0.0},
    {4, Dimensionless, "ppb", "parts per billion", 1e-9, 0.0},

    // Length: 1000 to 1099.
    {1000, Length, "m", "meter|metre|meters|metres", 1.0, 0.0},
    {1001, Length, "km", "kilometer|kilometre|kilometers|kilometres", 1000.0, 0.0},
    {1002, Length, "cm", "centimeter|centimetre|centimeters|centimetres", 0.01, 0.0},
    {1003, Length, "mm", "millimeter|millimetre|millimeters|millimetres", 0.001, 0.0},
    {1004, Length, "um", "\u00b5m|micrometer|micrometre|micrometers|micrometres|micron|microns", 1e-6, 0.0},
    {1005, Length, "ft", "foot|feet|international foot|international feet", kFoot, 0.0},
    {1006, Length, "ft US", "ftUS|usft|US ft|US survey foot|US survey feet|survey foot|survey feet", kUsSurveyFoot,
     0.0},
    {1007, Length, "in", "inch|inches", kInch, 0.0},
    {1008, Length, "yd", "yard|yards", kYard, 0.0},
    {1009, Length, "mi", "mile|miles|statute mile|statute miles", kMile, 0.0},
    {1010, Length, "nmi", "nautical mile|nautical miles", kNauticalMile, 0.0},
    {1011, Length, "dm", "decimeter|decimetre|decimeters|decimetres", 0.1, 0.0},

    // Time: 1400 to 1499.
    {1400, Time, "s", "sec|secs|second|seconds", 1.0, 0.0},
    {1401, Time, "min", "mins|minute|minutes", kMinute, 0.0},
    {1402, Time, "h", "hr|hrs|hour|hours", kHour, 0.0},
    {1403, Time, "day", "d|days", kDay, 0.0},
    {1404, Time, "week", "wk|weeks", 7.0 * kDay, 0.0},
    {1405, Time, "year", "yr|yrs|years", kYear, 0.0},
    {1406, Time, "ms", "msec|millisecond|milliseconds", 0.001, 0.0},

    // Mass: 1600 to 1699.
    {1600, Mass, "kg", "kilogram|kilograms|kilogramme|kilogrammes", 1.0, 0.0},
    {1601, Mass, "g", "gram|grams|gramme|grammes", 1e-3, 0.0},
    {1602, Mass, "mg", "milligram|milligrams", 1e-6, 0.0},
    {1603, Mass, "ug", "\u00b5g|microgram|micrograms", 1e-9, 0.0},
    {1604, Mass, "t", "tonne|tonnes|metric ton|metric tons", 1000.0, 0.0},
    {1605, Mass, "lb", "lbs|pound|pounds", kPound, 0.0},
    {1606, Mass, "short ton", "short tons|US ton|US tons|ton US", 2000.0 * kPound, 0.0},

    // Velocity and rates of depth per time: 2000 to 2099.
    {2000, Velocity, "m/s", "m/sec|m s-1|meter per second|metre per second|meters per second|metres per second", 1.0,
     0.0},
    {2001, Velocity, "km/h", "km/hr|kph|kilometer per hour|kilometre per hour|kilometers per hour|kilometres per hour",
     1000.0 / kHour, 0.0},
    {2002, Velocity, "cm/s", "cm/sec|centimeter per second|centimetre per second|centimeters per second", 0.01, 0.0},
    {2003, Velocity, "mm/s", "mm/sec|millimeter per second|millimetre per second|millimeters per second", 0.001, 0.0},
    {2004, Velocity, "ft/s", "ft/sec|fps|foot per second|feet per second", kFoot, 0.0},
    {2005, Velocity, "mph", "mi/h|mi/hr|mile per hour|miles per hour", kMile / kHour, 0.0},
    {2006, Velocity, "knot", "knots|kn|kt|kts", kNauticalMile / kHour, 0.0},
    {2007, Velocity, "m/day", "m/d|meter per day|metre per day|meters per day|metres per day", 1.0 / kDay, 0.0},
    {2008, Velocity, "ft/day", "ft/d|foot per day|feet per day", kFoot / kDay, 0.0},
    {2009, Velocity, "m/h", "m/hr|meter per hour|metre per hour|meters per hour|metres per hour", 1.0 / kHour, 0.0},
    {2010, Velocity, "mm/h",
     "mm/hr|mm/hour|millimeter per hour|millimetre per hour|millimeters per hour|millimetres per hour", 0.001 / kHour,
     0.0},
    {2011, Velocity, "mm/day", "mm/d|millimeter per day|millimetre per day|millimeters per day|millimetres per day",
     0.001 / kDay, 0.0},
    {2012, Velocity, "mm/year", "mm/yr|millimeter per year|millimetre per year|millimeters per year", 0.001 / kYear,
     0.0},
    {2013, Velocity, "cm/h", "cm/hr|centimeter per hour|centimetre per hour|centimeters per hour", 0.01 / kHour, 0.0},
    {2014, Velocity, "cm/day", "cm/d|centimeter per day|centimetre per day|centimeters per day", 0.01 / kDay, 0.0},
    {2015, Velocity, "in/h", "in/hr|inch per hour|inches per hour", kInch / kHour, 0.0},
    {2016, Velocity, "in/day", "in/d|inch per day|inches per day", kInch / kDay, 0.0},
    {2017, Velocity, "l/s/km^2",
     "l/s/km2|l/s/km\u00b2|litre per second per square kilometre|liter per second per square kilometer", 1e-3 / 1e6,
     0.0},

    // Angle: 2200 to 2299.
    {2200, Angle, "rad", "radian|radians", 1.0, 0.0},
    {2201, Angle, "deg", "\u00b0|degree|degrees", kDegree, 0.0},
    {2202, Angle, "grad", "gon|gradian|gradians", std::numbers::pi / 200.0, 0.0},
    {2203, Angle, "arcmin", "arcminute|arcminutes|arc minute|arc minutes", kDegree / 60.0, 0.0},
    {2204, Angle, "arcsec", "arcsecond|arcseconds|arc second|arc seconds", kDegree / 3600.0, 0.0},

    // Temperature: 2400 to 2499. Absolute readings: kelvin = (value + offset) * factor.
    {2400, Temperature, "deg C", "degC|\u00b0C|C|celsius|degree celsius|degrees celsius|centigrade", 1.0, 273.15},
    {2401, Temperature, "deg F", "degF|\u00b0F|F|fahrenheit|degree fahrenheit|degrees fahrenheit", 5.0 / 9.0, 459.67},
    {2402, Temperature, "K", "kelvin|kelvins|degK", 1.0, 0.0},
    {2403, Temperature, "deg R", "degR|\u00b0R|R|rankine|degree rankine|degrees rankine", 5.0 / 9.0, 0.0},

    // Area: 3000 to 3099.
    {3000, Area, "m^2", "m2|m\u00b2|sq m|square meter|square metre|square meters|square metres", 1.0, 0.0},
    {3001, Area, "km^2", "km2|km\u00b2|sq km|square kilometer|square kilometre|square kilometers|square kilometres",
     1e6, 0.0},
    {3002, Area, "ha", "hectare|hectares", 1e4, 0.0},
    {3003, Area, "cm^2", "cm2|cm\u00b2|square centimeter|square centimetre|square centimeters|square centimetres", 1e-4,
     0.0},
    {3004, Area, "ft^2", "ft2|ft\u00b2|sq ft|square foot|square feet", kSquareFoot, 0.0},
    {3005, Area, "in^2", "in2|in\u00b2|sq in|square inch|square inches", kSquareInch, 0.0},
    {3006, Area, "yd^2", "yd2|sq yd|square yard|square yards", kYard* kYard, 0.0},
    {3007, Area, "acre", "acres|ac", kAcre, 0.0},
    {3008, Area, "mi^2", "mi2|sq mi|square mile|square miles", kMile* kMile, 0.0},

    // Volume: 3200 to 3299.
    {3200, Volume, "m^3", "m3|m\u00b3|cu m|cubic meter|cubic metre|cubic meters|cubic metres", 1.0, 0.0},
    {3201, Volume, "l", "litre|liter|litres|liters|dm3|dm^3", 1e-3, 0.0},
    {3202, Volume, "ml", "millilitre|milliliter|millilitres|milliliters|cm3|cm^3|cc", 1e-6, 0.0},
    {3203, Volume, "10^6 m^3", "1e6 m3|mcm|million m3|million cubic meters|million cubic metres", 1e6, 0.0},
    {3204, Volume, "km^3", "km3|cubic kilometer|cubic kilometre|cubic kilometers|cubic kilometres", 1e9, 0.0},
    {3205, Volume, "ft^3", "ft3|ft\u00b3|cu ft|cubic foot|cubic feet", kCubicFoot, 0.0},
    {3206, Volume, "in^3", "in3|cu in|cubic inch|cubic inches", 1.6387064e-5, 0.0},
    {3207, Volume, "yd^3", "yd3|cu yd|cubic yard|cubic yards", 0.764554857984, 0.0},
    {3208, Volume, "gal", "US gal|USgal|gallon|gallons|US gallon|US gallons", kUsGallon, 0.0},
    {3209, Volume, "imp gal", "impgal|UK gal|imperial gallon|imperial gallons", kImperialGallon, 0.0},
    {3210, Volume, "acre-ft", "acre ft|ac-ft|af|acre-foot|acre-feet|acre foot|acre feet", kAcreFoot, 0.0},
    {3211, Volume, "Mgal", "million gallons|million US gallons", 1e6 * kUsGallon, 0.0},

    // Discharge, volume per time: 3400 to 3499.
    {3400, Discharge, "m^3/s",
     "m3/s|m\u00b3/s|cumec|cumecs|cms|cubic meter per second|cubic metre per second|cubic meters per second|cubic "
     "metres per second",
     1.0, 0.0},
    {3401, Discharge, "l/s", "lps|litre per second|liter per second|litres per second|liters per second", 1e-3, 0.0},
    {3402, Discharge, "m^3/h", "m3/h|m3/hr|cubic meter per hour|cubic metre per hour|cubic meters per hour",
     1.0 / kHour, 0.0},
    {3403, Discharge, "m^3/day", "m3/day|m3/d|cubic meter per day|cubic metre per day|cubic meters per day", 1.0 / kDay,
     0.0},
    {3404, Discharge, "l/min", "lpm|litre per minute|liter per minute|litres per minute|liters per minute",
     1e-3 / kMinute, 0.0},
    {3405, Discharge, "ft^3/s", "ft3/s|cfs|cusec|cusecs|cubic foot per second|cubic feet per second", kCubicFoot, 0.0},
    {3406, Discharge, "ft^3/min", "ft3/min|cfm|cubic foot per minute|cubic feet per minute", kCubicFoot / kMinute, 0.0},
    {3407, Discharge, "gal/min", "gpm|US gal/min|gallon per minute|gallons per minute", kUsGallon / kMinute, 0.0},
    {3408, Discharge, "Mgal/day", "MGD|Mgal/d|million gallons per day", 1e6 * kUsGallon / kDay, 0.0},
    {3409, Discharge, "acre-ft/day", "acre-ft/d|af/d|af/day|acre-foot per day|acre-feet per day", kAcreFoot / kDay,
     0.0},

    // Mass concentration and density, mass per volume: 3600 to 3699.
    {3600, MassConcentration, "kg/m^3", "kg/m3|kg/m\u00b3|kilogram per cubic meter|kilogram per cubic metre", 1.0, 0.0},
    {3601, MassConcentration, "g/m^3", "g/m3|g/m\u00b3|gram per cubic meter|gram per cubic metre", 1e-3, 0.0},
    {3602, MassConcentration, "mg/l",
     "milligram per litre|milligram per liter|milligrams per litre|milligrams per liter", 1e-3, 0.0},
    {3603, MassConcentration, "ug/l",
     "\u00b5g/l|microgram per litre|microgram per liter|micrograms per litre|micrograms per liter", 1e-6, 0.0},
    {3604, MassConcentration, "g/l", "gram per litre|gram per liter|grams per litre|grams per liter", 1.0, 0.0},
    {3605, MassConcentration, "mg/m^3", "mg/m3|milligram per cubic meter|milligram per cubic metre", 1e-6, 0.0},
    {3606, MassConcentration, "ng/l", "nanogram per litre|nanogram per liter|nanograms per litre", 1e-9, 0.0},
    {3607, MassConcentration, "t/m^3", "t/m3|tonne per cubic meter|tonne per cubic metre|tonnes per cubic metre",
     1000.0, 0.0},
    {3608, MassConcentration, "lb/ft^3", "lb/ft3|pcf|pound per cubic foot|pounds per cubic foot", kPound / kCubicFoot,
     0.0},

    // Salinity: 3800 to 3899. Models report salinity on the practical scale and call the
    // same numbers parts per thousand, so the two convert one to one.
    {3800, Salinity, "PSU", "PSS|practical salinity unit|practical salinity units", 1.0, 0.0},
    {3801, Salinity, "ppt", "parts per thousand", 1.0, 0.0},

    // Pressure and stress: 4000 to 4099.
    {4000, Pressure, "Pa", "pascal|pascals|N/m2|N/m^2|N/m\u00b2", 1.0, 0.0},
    {4001, Pressure, "hPa", "hectopascal|hectopascals", 100.0, 0.0},
    {4002, Pressure, "kPa", "kilopascal|kilopascals|kN/m2|kN/m^2", 1e3, 0.0},
    {4003, Pressure, "MPa", "megapascal|megapascals|N/mm2|N/mm^2", 1e6, 0.0},
    {4004, Pressure, "bar", "bars", 1e5, 0.0},
    {4005, Pressure, "mbar", "mb|millibar|millibars", 100.0, 0.0},
    {4006, Pressure, "atm", "atmosphere|atmospheres|standard atmosphere", 101325.0, 0.0},
    {4007, Pressure, "psi", "lbf/in2|lbf/in^2|pound per square inch|pounds per square inch", kPoundForce / kSquareInch,
     0.0},
    {4008, Pressure, "psf", "lbf/ft2|lbf/ft^2|pound per square foot|pounds per square foot", kPoundForce / kSquareFoot,
     0.0},
    {4009, Pressure, "mmHg", "millimeter of mercury|millimetre of mercury|millimeters of mercury", kMillimetreOfMercury,
     0.0},
    {4010, Pressure, "inHg", "inch of mercury|inches of mercury", kInchOfMercury, 0.0},
    {4011, Pressure, "mH2O", "m H2O|meter of water|metre of water|meters of water|metres of water", kMetreOfWater, 0.0},
    {4012, Pressure, "ftH2O", "ft H2O|foot of water|feet of water", kFoot* kMetreOfWater, 0.0},

    // Mass flux, mass per time: 4200 to 4299.
    {4200, MassFlux, "kg/s", "kilogram per second|kilograms per second", 1.0, 0.0},
    {4201, MassFlux, "g/s", "gram per second|grams per second", 1e-3, 0.0},
    {4202, MassFlux, "kg/h", "kg/hr|kilogram per hour|kilograms per hour", 1.0 / kHour, 0.0},
    {4203, MassFlux, "kg/day", "kg/d|kilogram per day|kilograms per day", 1.0 / kDay, 0.0},
    {4204, MassFlux, "t/day", "t/d|tonne per day|tonnes per day", 1000.0 / kDay, 0.0},
    {4205, MassFlux, "t/year", "t/yr|tonne per year|tonnes per year", 1000.0 / kYear, 0.0},
    {4206, MassFlux, "lb/s", "pound per second|pounds per second", kPound, 0.0},
    {4207, MassFlux, "lb/day", "lb/d|pound per day|pounds per day", kPound / kDay, 0.0},

    // Frequency and rate constants, per time: 4400 to 4499.
    {4400, Frequency, "1/s", "s^-1|s-1|Hz|hertz|per second", 1.0, 0.0},
    {4401, Frequency, "1/min", "min^-1|min-1|per minute", 1.0 / kMinute, 0.0},
    {4402, Frequency, "1/h", "h^-1|h-1|1/hr|per hour", 1.0 / kHour, 0.0},
    {4403, Frequency, "1/day", "1/d|d^-1|d-1|day^-1|per day", 1.0 / kDay, 0.0},
    {4404, Frequency, "1/year", "1/yr|yr^-1|per year", 1.0 / kYear, 0.0},

    // Heat flux and radiation, power per area: 4600 to 4699.
    {4600, HeatFlux, "W/m^2", "W/m2|W/m\u00b2|watt per square meter|watt per square metre|watts per square metre", 1.0,
     0.0},
    {4601, HeatFlux, "kW/m^2", "kW/m2|kilowatt per square meter|kilowatt per square metre", 1e3, 0.0},
    {4602, HeatFlux, "MJ/m^2/day", "MJ/m2/day|MJ/m2/d", 1e6 / kDay, 0.0},
    {4603, HeatFlux, "ly/day", "langley per day|langleys per day|cal/cm2/day|cal/cm^2/day",
     kThermochemicalCalorie * 1e4 / kDay, 0.0},
    {4604, HeatFlux, "BTU/ft^2/h", "BTU/ft2/h|BTU/ft2/hr", kBtu / kSquareFoot / kHour, 0.0},

    // Area per time: flux per unit width, diffusivity, viscosity: 4700 to 4799.
    {4700, AreaPerTime, "m^2/s",
     "m2/s|m\u00b2/s|m^3/s/m|m3/s/m|square meter per second|square metre per second|square meters per second|square "
     "metres per second",
     1.0, 0.0},
    {4701, AreaPerTime, "m^2/h", "m2/h|m2/hr|m^3/h/m|m3/h/m", 1.0 / kHour, 0.0},
    {4702, AreaPerTime, "m^2/day", "m2/day|m2/d|m^3/day/m|m3/d/m", 1.0 / kDay, 0.0},
    {4703, AreaPerTime, "cm^2/s", "cm2/s|St|stokes", 1e-4, 0.0},
    {4704, AreaPerTime, "mm^2/s", "mm2/s|cSt|centistokes", 1e-6, 0.0},
    {4705, AreaPerTime, "l/s/m", "litre per second per metre|liter per second per meter", 1e-3, 0.0},
    {4706, AreaPerTime, "ft^2/s", "ft2/s|ft^3/s/ft|ft3/s/ft|cfs/ft|square foot per second|square feet per second",
     kSquareFoot, 0.0},
    {4707, AreaPerTime, "ft^2/day", "ft2/day|ft2/d|square foot per day|square feet per day", kSquareFoot / kDay, 0.0},
};

}  // namespace

std::span<const UnitDef> unitTable() {
    return kUnits;
}

}  // namespace vnk
