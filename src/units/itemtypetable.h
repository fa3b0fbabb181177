// The unit library's table of item types: what each item type is, which kind of quantity it
// takes and its user unit. Pure data; the lookups over it live in unitlookup.
#ifndef UNITS_ITEMTYPETABLE_H
#define UNITS_ITEMTYPETABLE_H

#include <span>

#include "src/units/unittable.h"

namespace vnk {

// The user unit of an item type whose user unit is whatever unit its values are given in.
inline constexpr int kUserUnitIsOwnUnit = -1;

// One item type. It takes the units of its dimension (every unit for Dimension::Any), and
// hands values to users in userUnit, a unit key of that dimension.
struct ItemTypeDef {
    int key;
    const char* name;
    Dimension dimension;
    int userUnit;
};

// Every item type, in ascending key order.
std::span<const ItemTypeDef> itemTypeTable();

}  // namespace vnk

#endif
