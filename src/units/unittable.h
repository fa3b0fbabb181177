// The unit library's table of units: what each unit measures, how it converts to the SI unit
// of its kind of quantity, its name and the spellings people type for it. Pure data; the
// lookups over it live in unitlookup.
#ifndef UNITS_UNITTABLE_H
#define UNITS_UNITTABLE_H

#include <span>

namespace vnk {

// The kind of quantity a unit measures. Two units convert into each other exactly when they
// measure the same kind; an item type takes the units of one kind.
enum class Dimension {
    Dimensionless,
    Length,
    Time,
    Mass,
    Angle,
    Temperature,
    Velocity,  // length per time: speeds and also rainfall, evaporation and runoff rates
    Area,
    Volume,
    Discharge,          // volume per time
    AreaPerTime,        // flux per unit width, diffusivity, viscosity
    MassConcentration,  // mass per volume: concentrations and densities
    Salinity,
    Pressure,   // also stresses
    MassFlux,   // mass per time
    Frequency,  // per time: rate constants
    HeatFlux,   // power per area
    Any         // only item type 999 has it: it takes every unit
};

// One unit. A value v in this unit is (v + offset) * factor in the SI unit of its kind;
// the offset is 0 for everything but temperatures on a scale whose zero is not absolute.
struct UnitDef {
    int key;
    Dimension dimension;
    const char* name;       // the usual symbol, handed out as the unit's name
    const char* spellings;  // further accepted texts, separated by '|'; may be empty
    double factor;
    double offset;
};

// Every unit, in ascending key order.
std::span<const UnitDef> unitTable();

}  // namespace vnk

#endif
