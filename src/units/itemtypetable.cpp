// The table of item types: the quantities that hydrodynamic, hydrological and environmental
// models store, with their user units. Pure data; calls nothing.
#include "src/units/itemtypetable.h"

namespace vnk {
namespace {

using enum Dimension;

// User units by key, named here so the table reads as what it means.
constexpr int kNoUnit = 0;
constexpr int kPercent = 1;
constexpr int kMetre = 1000;
constexpr int kMillimetre = 1003;
constexpr int kSecond = 1400;
constexpr int kKilogram = 1600;
constexpr int kMetrePerSecond = 2000;
constexpr int kMillimetrePerHour = 2010;
constexpr int kMillimetrePerDay = 2011;
constexpr int kLitrePerSecondPerSquareKilometre = 2017;
constexpr int kDegree = 2201;
constexpr int kDegreeCelsius = 2400;
constexpr int kSquareMetre = 3000;
constexpr int kSquareKilometre = 3001;
constexpr int kCubicMetre = 3200;
constexpr int kCubicMetrePerSecond = 3400;
constexpr int kKilogramPerCubicMetre = 3600;
constexpr int kMilligramPerLitre = 3602;
constexpr int kPracticalSalinityUnit = 3800;
constexpr int kPascal = 4000;
constexpr int kHectopascal = 4001;
constexpr int kKilogramPerSecond = 4200;
constexpr int kKilogramPerDay = 4203;
constexpr int kPerDay = 4403;
constexpr int kWattPerSquareMetre = 4600;
constexpr int kSquareMetrePerSecond = 4700;

// Keys in blocks of ten by kind of quantity. 999 is the undefined type, carried by data
// without a known meaning such as encoding keys and the items of older files.
constexpr ItemTypeDef kItemTypes[] = {
    {999, "Undefined", Any, kUserUnitIsOwnUnit},

    {100000, "Water Level", Length, kMetre},
    {100001, "Water Depth", Length, kMetre},
    {100002, "Bed Level", Length, kMetre},
    {100003, "Ground Level", Length, kMetre},
    {100004, "Groundwater Level", Length, kMetre},
    {100005, "Rainfall", Length, kMillimetre},
    {100006, "Evaporation", Length, kMillimetre},
    {100007, "Significant Wave Height", Length, kMetre},
    {100008, "Bed Roughness", Length, kMetre},
    {100009, "Layer Thickness", Length, kMetre},

    {100010, "Discharge", Discharge, kCubicMetrePerSecond},
    {100011, "Lateral Inflow", Discharge, kCubicMetrePerSecond},
    {100012, "Runoff", Discharge, kCubicMetrePerSecond},

    {100020, "Current Speed", Velocity, kMetrePerSecond},
    {100021, "U Velocity", Velocity, kMetrePerSecond},
    {100022, "V Velocity", Velocity, kMetrePerSecond},
    {100023, "W Velocity", Velocity, kMetrePerSecond},
    {100024, "Wind Speed", Velocity, kMetrePerSecond},
    {100025, "Wind U Velocity", Velocity, kMetrePerSecond},
    {100026, "Wind V Velocity", Velocity, kMetrePerSecond},

    {100030, "Current Direction", Angle, kDegree},
    {100031, "Wind Direction", Angle, kDegree},
    {100032, "Wave Direction", Angle, kDegree},

    {100040, "Water Temperature", Temperature, kDegreeCelsius},
    {100041, "Air Temperature", Temperature, kDegreeCelsius},

    {100050, "Salinity", Salinity, kPracticalSalinityUnit},

    {100060, "Concentration", MassConcentration, kMilligramPerLitre},
    {100061, "Suspended Sediment Concentration", MassConcentration, kKilogramPerCubicMetre},
    {100062, "Dissolved Oxygen", MassConcentration, kMilligramPerLitre},
    {100063, "Density", MassConcentration, kKilogramPerCubicMetre},

    {100070, "Pressure", Pressure, kPascal},
    {100071, "Atmospheric Pressure", Pressure, kHectopascal},
    {100072, "Bed Shear Stress", Pressure, kPascal},

    {100080, "Flux per Unit Width", AreaPerTime, kSquareMetrePerSecond},
    {100081, "Eddy Viscosity", AreaPerTime, kSquareMetrePerSecond},
    {100082, "Dispersion Coefficient", AreaPerTime, kSquareMetrePerSecond},

    {100090, "Rainfall Rate", Velocity, kMillimetrePerHour},
    {100091, "Evaporation Rate", Velocity, kMillimetrePerDay},
    {100092, "Infiltration Rate", Velocity, kMillimetrePerHour},
    {100093, "Specific Runoff", Velocity, kLitrePerSecondPerSquareKilometre},

    {100100, "Volume", Volume, kCubicMetre},
    {100101, "Storage", Volume, kCubicMetre},

    {100110, "Area", Area, kSquareMetre},
    {100111, "Catchment Area", Area, kSquareKilometre},

    {100120, "Time", Time, kSecond},
    {100121, "Wave Period", Time, kSecond},

    {100130, "Dimensionless", Dimensionless, kNoUnit},
    {100131, "Courant Number", Dimensionless, kNoUnit},
    {100132, "Froude Number", Dimensionless, kNoUnit},
    {100133, "Relative Humidity", Dimensionless, kPercent},
    {100134, "Cloud Cover", Dimensionless, kNoUnit},
    {100135, "Porosity", Dimensionless, kNoUnit},

    {100140, "Sediment Mass", Mass, kKilogram},
    {100141, "Sediment Transport Rate", MassFlux, kKilogramPerSecond},
    {100142, "Pollutant Load", MassFlux, kKilogramPerDay},

    {100150, "Decay Rate", Frequency, kPerDay},

    {100160, "Solar Radiation", HeatFlux, kWattPerSquareMetre},
    {100161, "Heat Flux", HeatFlux, kWattPerSquareMetre},

    // Coordinates of the spatial axes of 0 to 3 dimensions.
    {100185, "Geometry 0D", Length, kMetre},
    {100186, "Geometry 1D", Length, kMetre},
    {100187, "Geometry 2D", Length, kMetre},
    {100188, "Geometry 3D", Length, kMetre},
};

}  // namespace

std::span<const ItemTypeDef> itemTypeTable() {
    return kItemTypes;
}

}  // namespace vnk
