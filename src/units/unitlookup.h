// Lookups over the unit and item-type tables: by key, by unit text, whether a unit suits an
// item type and which unit is an item type's user unit.
#ifndef UNITS_UNITLOOKUP_H
#define UNITS_UNITLOOKUP_H

#include <string_view>

#include "src/units/itemtypetable.h"
#include "src/units/unittable.h"

namespace vnk {

// The unit or item type with this key, or null when there is none.
const UnitDef* findUnit(int key);
const ItemTypeDef* findItemType(int key);

// The unit whose name or one of whose spellings is text, ignoring ASCII letter case and
// blanks around the text; null for an unknown or blank text.
const UnitDef* findUnitByText(std::string_view text);

// Whether values of the item type may be given in the unit.
bool unitSuitsItemType(const ItemTypeDef& itemType, const UnitDef& unit);

// The user unit of the item type for values given in unit: unit itself for an item type
// that takes every unit. Null when the table names a user unit that it does not hold.
const UnitDef* userUnitOf(const ItemTypeDef& itemType, const UnitDef& unit);

}  // namespace vnk

#endif
