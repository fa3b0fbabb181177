// The in-memory header of a data file and its serialisation as tagged logical blocks:
// creation, initialisation, destruction, encoding keys, writing, reading and updating in place.
#pragma once

#include <cstdint>

#include "gbx/gbxitem.h"
#include "lrx/gbx.h"
#include "lrx/gbxext.h"

// The header's time axis. Time axes (types 1 and 2) use start; calendar axes (types 3 and 4)
// use the start date and time of day, with start holding the start offset. step is the
// constant step of an equidistant axis and the span of a non-equidistant one.
struct GbxTimeAxisRecord {
    char startDate[11];
    char startTime[9];
    char* unitText;  // owned; set when a file gave the unit as text
    int32_t unitKey;
    double start;
    double step;
    int32_t noOfTimeSteps;
    int32_t index;
};

// A named typed array kept in the header and stored in the file as block 60000.
struct GbxCustomBlock {
    int32_t type;  // simple type
    char* name;    // owned
    int32_t count;
    void* data;  // owned; null for types outside 1 to 7
    GbxCustomBlock* next;
};

// The entry points of a derived-item library; null where the library has none.
struct GbxPluginEntries {
    GbxExtInitializeFn initialize;
    GbxExtTerminateFn terminate;
    GbxExtGetNoOfItemsFn getNoOfItems;
    GbxExtGetItemInfoFn getItemInfo;
    GbxExtGetItemAxisTypeFn getItemAxisType;
    GbxExtGetItemAxisEqFn getItemAxisEq;
    GbxExtIsItemDerivedFn isItemDerived;
    GbxExtGetItemStatsGlobalFn getItemStatsGlobal;
    GbxExtGetItemValueTypeFn getItemValueType;
    GbxExtNewTimeStepFn newTimeStep;
    GbxExtReadItemTimeStepFn readItemTimeStep;
};

// A loaded derived-item library and its entry points (all null when none is loaded). busy is
// 1 while the library runs one of its calls for the header, so that the header's time-step
// calls made from there take the ordinary path.
struct GbxPluginSlot {
    void* library;
    GbxPluginEntries entries;
    int32_t busy;
};

struct GbxHeader {
    int32_t fileType;
    char* fileTitle;  // owned
    char* appTitle;   // owned
    int32_t appVersionNo;
    int32_t dataType;
    int32_t compressed;
    int32_t itemStatsType;
    float deleteValueFloat;
    double deleteValueDouble;
    int8_t deleteValueByte;
    int32_t deleteValueInt;
    uint32_t deleteValueUnsigned;
    int32_t geoInfoType;
    char* projection;  // owned
    double longitude;
    double latitude;
    double orientation;
    int32_t timeAxisType;
    GbxTimeAxisRecord timeAxis;
    char foldedDate[11];      // the calendar getters' start date and time with the offset folded
    char foldedTime[9];       // in; the stored texts and offset stay as set
    int32_t currentTimeStep;  // time-step position of the reader or writer
    int32_t currentItem;
    double currentTime;
    double lastTime;
    int32_t noOfItems;
    int32_t fileItemCount;  // items of the file itself, set when a plug-in replaces the items
    GbxItem* items;  // owned array of noOfItems items
    GbxCustomBlock* customBlocks;
    GbxCustomBlock* lastCustomBlock;  // the list's tail, so that adding a block takes constant time
    int32_t itemCompression;
    int32_t** encodeKeyRef;  // the key triple used by compression: the header's own slots
    void* legacyFile;        // non-null for a file of the legacy family
    int32_t* encodeKeyX;     // owned
    int32_t* encodeKeyY;
    int32_t* encodeKeyZ;
    int32_t encodeKeySize;
    GbxPluginSlot plugin;
};

constexpr int32_t GBX_DELETE_INT = 2147483647;

int gbxInitHeader(GbxHeader* header);
int gbxInitHeaderItems(GbxHeader* header);
GbxHeader* gbxReadHeader(GbxFile* file, int* error);
int gbxWriteHeader(GbxHeader* header, GbxFile* file);
int gbxUpdateHeader(GbxHeader* header, int force, GbxFile* file);
