// The vocabulary of the data-file format: the tags of its logical blocks, the section a file
// handle stands in, the item statistics types, the unit-conversion modes, the geographic
// information types, the default delete values and the file kind. Every other file of the
// data-file layer names these through here; none spells a tag or state as a number.
//
// A data file as a reader meets it, behind the record-file header. Records are simple type x
// count; "text" is a byte record holding the characters and their terminating zero.
//
//   tag            records                                  meaning
//   -------------  ---------------------------------------  -----------------------------------------
//   10000          none                                     the attribute section begins
//   10004          int2 x 1                                 file type (its low 16 bits)
//   10001          text                                     file title
//   10002          text                                     application title
//   10003          int4 x 1                                 application version number
//   10012          int4 x 1                                 data type
//   10013          int4 x 1                                 compressed (1: grids stored by encoding keys)
//   10005          int4 x 1                                 item statistics type
//   10006..10010   float, double, byte, int4, uint4 x 1     the delete values, one per value type
//   10011          text; double x 3                         projection; longitude, latitude, orientation
//                                                           (only with geographic information)
//   20000          none                                     the time section begins
//   20051..20054   [date, time texts;] int4 unit key;       time axis of type 1 to 4; the calendar
//                  double start, step or span;              types 3 and 4 begin with the start date
//                  int4 x 2 time steps, index               (11 bytes) and time of day (9 bytes)
//   20001..20004   as 20051..20054 with a unit text         older forms, read and updated in place,
//                  in place of the key                      never written; 20002 and 20004 hold no span
//   30000          none                                     the item section begins
//   30001          int4 x 1                                 number of items
//     per item:
//     30005        int4 type; text name; int4 unit key;     item definition, unit as a key
//                  int4 data type; double x 3 statistics;
//                  float x 3 reference; float x 3 orient.
//     30002        as 30005 with a unit text                item definition, unit as text
//     30006        int4 x 1                                 value type
//     31051..31060 int4 axis unit and sizes; float origins  axis of code 1 to 10 (31001..31010: older
//                  and spacings or coordinate arrays        forms without the axis unit)
//     31061, 31062 as above                                 curvilinear axes of 2 and 3 dimensions
//     30003        double x (elements x 9)                  element statistics (statistics types 2, 3)
//     30004        uint4 x n                                numbers of the associated static items
//   60000          text; values of any simple type          one custom block, in list order
//   40000          none                                     the static section begins
//     per static item: its definition blocks (30005 or 30002, 30006, axis), then
//     40001        values x elements                        the static item's values
//   50000          none                                     the dynamic section begins
//     per time step:
//     50001        none, or double x 1                      time-step head; the time of the step for
//                                                           the non-equidistant file types
//     then one record of values per item, in item order
#pragma once

#include <bit>
#include <cstdint>

// The tags of the logical blocks of a data file.
enum GbxTag : uint16_t {
    GBX_TAG_ATTRIBUTES = 10000,
    GBX_TAG_FILE_TITLE = 10001,
    GBX_TAG_APP_TITLE = 10002,
    GBX_TAG_APP_VERSION = 10003,
    GBX_TAG_FILE_TYPE = 10004,
    GBX_TAG_STATS_TYPE = 10005,
    GBX_TAG_DELETE_FLOAT = 10006,
    GBX_TAG_DELETE_DOUBLE = 10007,
    GBX_TAG_DELETE_BYTE = 10008,
    GBX_TAG_DELETE_INT = 10009,
    GBX_TAG_DELETE_UNSIGNED = 10010,
    GBX_TAG_GEO_INFO = 10011,
    GBX_TAG_DATA_TYPE = 10012,
    GBX_TAG_COMPRESSED = 10013,

    GBX_TAG_TIME = 20000,
    GBX_TAG_OLD_TM_EQ_AXIS = 20001,  // the older forms: time-axis type 1 to 4 with a unit text
    GBX_TAG_OLD_TM_NEQ_AXIS = 20002,
    GBX_TAG_OLD_CAL_EQ_AXIS = 20003,
    GBX_TAG_OLD_CAL_NEQ_AXIS = 20004,
    GBX_TAG_TM_EQ_AXIS = 20051,  // the current forms: time-axis type 1 to 4 with a unit key
    GBX_TAG_TM_NEQ_AXIS = 20052,
    GBX_TAG_CAL_EQ_AXIS = 20053,
    GBX_TAG_CAL_NEQ_AXIS = 20054,

    GBX_TAG_ITEMS = 30000,
    GBX_TAG_ITEM_COUNT = 30001,
    GBX_TAG_ITEM_UNIT_TEXT = 30002,
    GBX_TAG_ITEM_STATS = 30003,
    GBX_TAG_ITEM_ASSOC = 30004,
    GBX_TAG_ITEM_UNIT_KEY = 30005,
    GBX_TAG_ITEM_VALUE_TYPE = 30006,
    GBX_TAG_AXIS_CURVELINEAR_D2 = 31061,
    GBX_TAG_AXIS_CURVELINEAR_D3 = 31062,

    GBX_TAG_STATICS = 40000,
    GBX_TAG_STATIC_VALUES = 40001,

    GBX_TAG_TIME_STEPS = 50000,
    GBX_TAG_TIME_STEP_HEAD = 50001,

    GBX_TAG_CUSTOM = 60000
};

// The axis blocks of axis codes 1 to 10: these bases plus the code; the older blocks carry no
// axis unit.
constexpr int GBX_TAG_OLD_AXIS = 31000;
constexpr int GBX_TAG_AXIS = 31050;

// Where a data file's handle stands (positionState of the record file): set when the file is
// opened, moved on by the section markers written, read or searched for. A handle never goes
// back to an earlier state except by a search from the start of the file.
enum GbxPositionState : int32_t {
    GBX_IN_HEADER = 1,      // nothing behind the header has been passed
    GBX_IN_STATICS = 2,     // the static-section marker has been passed
    GBX_IN_TIME_STEPS = 3,  // the dynamic-section marker has been passed
};

// Item statistics types: global figures only, or figures per element as well (2 and 3 keep
// the same figures).
constexpr int32_t GBX_STATS_GLOBAL = 1;
constexpr int32_t GBX_STATS_PER_ELEMENT = 2;
constexpr int32_t GBX_STATS_PER_ELEMENT_AND_TIME = 3;
constexpr bool gbxKeepsElementStats(int32_t statsType) {
    return statsType == GBX_STATS_PER_ELEMENT || statsType == GBX_STATS_PER_ELEMENT_AND_TIME;
}
// The statistics of one element in memory and in the element-statistics block, in this order.
// Maximum, minimum and the previous time step's value start at the double delete value, the
// sums and counts at 0.
enum GbxStatsEntry : int {
    GBX_STAT_MAXIMUM = 0,
    GBX_STAT_MINIMUM = 1,
    GBX_STAT_SUM = 2,
    GBX_STAT_SUM_OF_SQUARES = 3,
    GBX_STAT_SUM_OF_PAIR_PRODUCTS = 4,
    GBX_STAT_PREVIOUS = 5,
    GBX_STAT_VALID_COUNT = 6,
    GBX_STAT_PAIR_COUNT = 7,
    GBX_STAT_DELETE_COUNT = 8,
};
constexpr int GBX_STATS_ENTRIES = 9;

// Unit-conversion modes of item values (convMode) and axis coordinates (axisConvMode); any
// other mode converts nothing.
enum GbxConversionMode : int32_t {
    GBX_CONV_USER_UNIT = 1,  // to and from the item type's user unit
    GBX_CONV_UNIT = 2,       // to and from the item's conversion unit
};

// Geographic information types of a header.
constexpr int32_t GBX_GEO_UNDEFINED = 0;
constexpr int32_t GBX_GEO_UTM = 1;

// The default delete values: the float whose bit pattern is 0x8554AD2E (-1e-35, also used for
// unset reference coordinates and orientations), the double 0x8AFE07B27DD78B14 (-1e-255), and
// 2147483647 for the signed and unsigned integers alike.
constexpr uint32_t GBX_DELETE_FLOAT_BITS = 0x8554AD2Eu;
constexpr uint64_t GBX_DELETE_DOUBLE_BITS = 0x8AFE07B27DD78B14ull;
constexpr int32_t GBX_DELETE_INT = 2147483647;
constexpr float gbxDefaultDeleteFloat() {
    return std::bit_cast<float>(GBX_DELETE_FLOAT_BITS);
}
constexpr double gbxDefaultDeleteDouble() {
    return std::bit_cast<double>(GBX_DELETE_DOUBLE_BITS);
}

// The data-file kind of the record stream: tag "GBX_" (first character in the lowest byte),
// format version 206.
constexpr int32_t GBX_KIND_TAG = 0x5F584247;
constexpr int32_t GBX_FORMAT_VERSION = 206;
