// `lrx info FILE`: what a user wants to know of a data file, in the spirit of a header dump:
// titles, types, time axis, geographic information, items with their axes and statistics,
// static items, custom blocks and compression. Uses the exported data-file API only; the
// JSON form is infojson.cpp.
#include <cstdio>
#include <string>
#include <vector>

#include "calendar.h"
#include "commands.h"
#include "datafile.h"
#include "infoaxis.h"
#include "infojson.h"
#include "timeaxis.h"

namespace lrxtool {

namespace {

void printTitles(GbxHeader* header) {
    std::printf("title           %s\n", gbxGetFileTitle(header));
    std::printf("application     %s (version %d)\n", gbxGetAppTitle(header), gbxGetAppVersionNo(header));
    const int fileType = gbxGetFileType(header);
    std::printf("file type       %d %s\n", fileType, gbxFileTypeStr(fileType));
    std::printf("data type       %d\n", gbxGetDataType(header));
    std::printf("statistics      type %d\n", gbxGetItemStatsType(header));
}

// The time of the last time step: a date and time on calendar axes, else a value in the unit.
void printEnd(const TimeAxis& axis, double last) {
    if (axis.calendar && axis.startKnown) {
        std::string text = isoText(axis.startSeconds, relativeSeconds(axis, axis.start + last));
        text[10] = ' ';
        std::printf("  end           %s\n", text.c_str());
    } else if (!axis.calendar) {
        std::printf("  end           %g %s\n", axis.start + last, axis.unitName.c_str());
    }
}

void printTimeAxis(GbxHeader* header, GbxFile* file) {
    const int axisType = gbxGetTimeAxisType(header);
    std::printf("time axis       %d %s\n", axisType, gbxTimeAxisTypeStr(axisType));
    int unit = 0, steps = 0, index = 0;
    const char* unitText = "";
    const char* date = "";
    const char* time = "";
    double start = 0, step = 0;
    switch (axisType) {
        case F_TM_EQ_AXIS:
            gbxGetEqTimeAxis(header, &unit, &unitText, &start, &step, &steps, &index);
            break;
        case F_TM_NEQ_AXIS:
            gbxGetNeqTimeAxis(header, &unit, &unitText, &start, &step, &steps, &index);
            break;
        case F_CAL_EQ_AXIS:
            gbxGetEqCalendarAxis(header, &unit, &unitText, &date, &time, &start, &step, &steps, &index);
            break;
        case F_CAL_NEQ_AXIS:
            gbxGetNeqCalendarAxis(header, &unit, &unitText, &date, &time, &start, &step, &steps, &index);
            break;
        default:
            return;
    }
    if (axisType == F_CAL_EQ_AXIS || axisType == F_CAL_NEQ_AXIS) {
        std::printf("  start         %s %s\n", date, time);
    } else {
        std::printf("  start         %g %s\n", start, unitText);
    }
    const bool equidistant = axisType == F_TM_EQ_AXIS || axisType == F_CAL_EQ_AXIS;
    double span = 0;
    if (!equidistant && _gbxGetTimeAxisSpan(header, file, &span) == 0) step = span;
    std::printf("  %-13s %g %s\n", equidistant ? "step" : "span", step, unitText);
    std::printf("  time steps    %d\n", steps);
    if (steps > 0) printEnd(readTimeAxis(header), equidistant ? (steps - 1) * step : span);
    std::printf("  unit          %d %s\n", unit, unitText);
}

void printDeleteValues(GbxHeader* header) {
    std::printf("delete values   float %g, double %g, byte %d, int %d, unsigned %u\n", gbxGetDeleteValFloat(header),
                gbxGetDeleteValDouble(header), gbxGetDeleteValByte(header), gbxGetDeleteValInt(header),
                gbxGetDeleteValUnsignedInt(header));
}

void printGeoInfo(GbxHeader* header) {
    if (gbxGetGeoInfoType(header) != 1) {
        std::printf("geographic      none\n");
        return;
    }
    char* projection = nullptr;
    double longitude = 0, latitude = 0, orientation = 0;
    gbxGetGeoInfoUTMProj(header, &projection, &longitude, &latitude, &orientation);
    std::printf("geographic      %s, origin longitude %g latitude %g, orientation %g\n",
                projection != nullptr ? projection : "", longitude, latitude, orientation);
}

// Two lines of an item: its definition, then its axis.
std::string itemText(GbxItem* item) {
    int itemType = 0, unit = 0, dataType = 0;
    const char *typeName = "", *name = "", *unitName = "";
    gbxGetItemInfo(item, &itemType, &typeName, &name, &unit, &unitName, &dataType);
    char line[1024];
    std::snprintf(line, sizeof line, "\"%s\"  %s (%d), unit %s (%d), %s\n", name, typeName, itemType, unitName, unit,
                  gbxSimpleTypeStr(dataType));
    return line + ("    axis " + describeAxis(item) + "\n");
}

void printItems(GbxHeader* header) {
    const int items = gbxGetNoOfItems(header);
    std::printf("items           %d\n", items);
    for (int number = 1; number <= items; ++number) {
        GbxItem* item = gbxItemD(header, number);
        std::printf("  %d %s", number, itemText(item).c_str());
        double min = 0, max = 0;
        int deletes = 0;
        gbxGetItemStatsGlobal(item, &min, &max, &deletes);
        std::printf("    minimum %g, maximum %g, delete values %d\n", min, max, deletes);
    }
}

void printStaticItems(GbxHeader* header, GbxFile* file) {
    std::vector<std::string> items;
    const int code = forEachStatic(header, file, [&](GbxVector* vector, int) {
        items.push_back(itemText(gbxItemS(vector)));
        return true;
    });
    std::printf("static items    %zu%s\n", items.size(), code != 0 ? " (reading stopped with an error)" : "");
    for (std::size_t i = 0; i < items.size(); ++i)
        std::printf("  %zu %s", i + 1, items[i].c_str());
}

void printCustomBlocks(GbxHeader* header) {
    GbxCustomBlock* block = nullptr;
    gbxGetCustomBlockRef(header, &block);
    int count = 0;
    for (GbxCustomBlock* walk = block; walk != nullptr; ++count) {
        gbxGetCustomBlock(walk, nullptr, nullptr, nullptr, nullptr, &walk);
    }
    std::printf("custom blocks   %d\n", count);
    while (block != nullptr) {
        int type = 0, values = 0;
        char* name = nullptr;
        gbxGetCustomBlock(block, &type, &name, &values, nullptr, &block);
        std::printf("  \"%s\"  %s x %d\n", name != nullptr ? name : "", gbxSimpleTypeStr(type), values);
    }
}

void printCompression(GbxHeader* header) {
    if (gbxIsFileCompressed(header) == 0) {
        std::printf("compression     none\n");
        return;
    }
    std::printf("compression     encoding keys of %d entries\n", gbxGetEncodeKeySize(header));
}

}  // namespace

int runInfo(const InfoOptions& options) {
    DataFile data;
    if (!data.open(options.path)) return kExitFailure;
    if (!options.noPlugin) data.enablePlugin();
    if (options.json) return printInfoJson(data);
    std::printf("file            %s\n", options.path.c_str());
    printTitles(data.header());
    printTimeAxis(data.header(), data.file());
    printDeleteValues(data.header());
    printGeoInfo(data.header());
    printCompression(data.header());
    printItems(data.header());
    printStaticItems(data.header(), data.file());
    printCustomBlocks(data.header());
    return kExitOk;
}

}  // namespace lrxtool
