/*
 * vnk: the unit library of the lrx family.
 *
 * Item types (what a value is: a water level, a discharge, a temperature) and units (what it
 * is measured in: metres, cubic feet per second, degrees Fahrenheit) are integer keys. This
 * header declares the calls that name them, turn a unit text into a key, tell whether a unit
 * suits an item type and convert values between units. Every item type has a user unit, the
 * unit in which its values are handed to users by default.
 *
 * Keys with a fixed meaning: unit 0 is no unit (dimensionless); unit 1000 is the metre, 1400
 * the second, 4700 the square metre per second; item type 999 is undefined and accepts every
 * unit, its user unit being the unit itself; item type 100000 is a level (lengths), 100080 a
 * flux per unit width (area per time), 100185 to 100188 the geometry of 0- to 3-dimensional
 * axes (lengths). Every other key is listed by the library's tables; ask for its name.
 *
 * All calls are plain lookups and arithmetic on constant tables: they allocate nothing, keep
 * no state and may be called from any thread.
 */
#ifndef VNK_VNK_H
#define VNK_VNK_H

#if defined(_WIN32) && !defined(_WIN64)
#define VNK_CALL __stdcall
#else
#define VNK_CALL
#endif

#if defined(_WIN32)
#if defined(VNK_BUILDING)
#define VNK_EXPORT __declspec(dllexport)
#else
#define VNK_EXPORT __declspec(dllimport)
#endif
#else
#define VNK_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Unit keys and item type keys with a fixed meaning. */
#define VNK_UNIT_NONE 0
#define VNK_UNIT_METRE 1000
#define VNK_UNIT_SECOND 1400
#define VNK_UNIT_SQUARE_METRE_PER_SECOND 4700
#define VNK_ITEM_UNDEFINED 999
#define VNK_ITEM_LEVEL 100000
#define VNK_ITEM_FLUX_PER_UNIT_WIDTH 100080
#define VNK_ITEM_GEOMETRY_0D 100185
#define VNK_ITEM_GEOMETRY_1D 100186
#define VNK_ITEM_GEOMETRY_2D 100187
#define VNK_ITEM_GEOMETRY_3D 100188

/*
 * Names an item type.
 *
 * itemType  item type key
 * name      receives the item type's name ("Water Level"), or the empty text when the key
 *           is unknown; must not be null
 *
 * Returns non-zero for a known key; 0 for an unknown key or a null name. The text is a
 * constant of the library: never freed, valid for as long as the library is loaded.
 */
VNK_EXPORT int VNK_CALL vnkGetItemTypeKey(int itemType, const char** name);

/*
 * Names a unit.
 *
 * unit  unit key
 * name  receives the unit's name, its usual symbol ("m", "m^3/s", "deg C"; "()" for no
 *       unit), or the empty text when the key is unknown; must not be null
 *
 * Returns non-zero for a known key; 0 for an unknown key or a null name. The text is a
 * constant of the library: never freed, valid for as long as the library is loaded.
 */
VNK_EXPORT int VNK_CALL vnkGetUnitKey(int unit, const char** name);

/*
 * Turns a unit text into its key. The text may be the unit's name or any of the spellings
 * people type for it ("m", "metre", "meters"; "cfs", "ft3/s", "ft^3/s"); letter case and
 * blanks around the text do not matter.
 *
 * name  the unit text, zero-terminated; not kept
 * unit  receives the unit key when the text is known; left as it was otherwise
 *
 * Returns non-zero when the text names a unit; 0 for an unknown or blank text, or when
 * either argument is null, and then nothing is written.
 */
VNK_EXPORT int VNK_CALL vnkGetUnitTag(const char* name, int* unit);

/*
 * Tells whether a unit suits an item type: the unit measures what the item type is (a
 * length for a level, a volume per time for a discharge). Item type 999 suits every known
 * unit.
 *
 * Returns non-zero when both keys are known and the unit suits the item type, else 0.
 */
VNK_EXPORT int VNK_CALL vnkItemUnitEqv(int itemType, int unit);

/*
 * Converts a value given in a unit into the user unit of an item type.
 *
 * itemType  item type key; its user unit is the target (for 999 the unit itself)
 * unit      unit key of value; must suit the item type
 * value     the value to convert
 * out       receives the converted value; on failure it receives value unchanged
 *
 * Returns non-zero on success; 0 for an unknown key, a unit that does not suit the item
 * type, or a null out.
 */
VNK_EXPORT int VNK_CALL vnkConvertToUserUnit(int itemType, int unit, double value, double* out);

/*
 * Converts a value given in the user unit of an item type into a unit: the inverse of
 * vnkConvertToUserUnit, with the same arguments, failures and results.
 */
VNK_EXPORT int VNK_CALL vnkConvertFromUserUnit(int itemType, int unit, double value, double* out);

/*
 * Converts a value between two units of the same kind of quantity. Temperatures are
 * absolute readings: 0 deg C converts to 32 deg F and 273.15 K.
 *
 * fromUnit  unit key of value
 * value     the value to convert
 * toUnit    unit key of the result; must measure what fromUnit measures
 * out       receives the converted value; on failure it receives value unchanged
 *
 * Returns non-zero on success; 0 for an unknown key, units of different kinds of quantity,
 * or a null out.
 */
VNK_EXPORT int VNK_CALL vnkConvertUnit(int fromUnit, double value, int toUnit, double* out);

/*
 * Converts an array of values in place from a unit into the user unit of an item type.
 * Values exactly equal to deleteValue mark missing values and are left untouched.
 *
 * itemType     item type key; its user unit is the target (for 999 the unit itself)
 * unit         unit key of the values; must suit the item type
 * values       count values, converted in place; may be null only when count is 0
 * count        number of values; 0 converts nothing and succeeds
 * deleteValue  the missing-value mark
 *
 * Returns non-zero on success; 0 for an unknown key, a unit that does not suit the item
 * type, a negative count or null values with a positive count, and then no value is
 * changed. A float result beyond the range of float becomes an infinity of its sign.
 */
VNK_EXPORT int VNK_CALL vnkConvertItemArrayToUserUnitF(int itemType, int unit, float* values, int count,
                                                       float deleteValue);
VNK_EXPORT int VNK_CALL vnkConvertItemArrayToUserUnitD(int itemType, int unit, double* values, int count,
                                                       double deleteValue);

/*
 * Converts an array of values in place from the user unit of an item type into a unit: the
 * inverse of vnkConvertItemArrayToUserUnitF and ...D, with the same arguments, failures and
 * results.
 */
VNK_EXPORT int VNK_CALL vnkConvertItemArrayFromUserUnitF(int itemType, int unit, float* values, int count,
                                                         float deleteValue);
VNK_EXPORT int VNK_CALL vnkConvertItemArrayFromUserUnitD(int itemType, int unit, double* values, int count,
                                                         double deleteValue);

/*
 * Converts an array of values in place between two units of the same kind of quantity.
 * Values exactly equal to deleteValue mark missing values and are left untouched.
 *
 * fromUnit     unit key of the values
 * toUnit       unit key of the results; must measure what fromUnit measures
 * values       count values, converted in place; may be null only when count is 0
 * count        number of values; 0 converts nothing and succeeds
 * deleteValue  the missing-value mark
 *
 * Returns non-zero on success; 0 for an unknown key, units of different kinds of quantity,
 * a negative count or null values with a positive count, and then no value is changed. A
 * float result beyond the range of float becomes an infinity of its sign.
 */
VNK_EXPORT int VNK_CALL vnkConvertItemArrayF(int fromUnit, int toUnit, float* values, int count, float deleteValue);
VNK_EXPORT int VNK_CALL vnkConvertItemArrayD(int fromUnit, int toUnit, double* values, int count, double deleteValue);

#ifdef __cplusplus
}
#endif

#endif /* VNK_VNK_H */
