// `lrx info FILE --json`: titles, types, time axis, delete values, geographic information,
// compression, items with their axes and statistics, static items and custom blocks with their
// values, as one JSON object. Uses the exported data-file API only.
#include "infojson.h"

#include "axisgeometry.h"
#include "commands.h"
#include "errortext.h"
#include "jsonwriter.h"
#include "numbertext.h"
#include "timeaxis.h"
#include "vnk/vnk.h"

namespace lrxtool {

namespace {

void writeKeyAndName(JsonWriter& json, const std::string& field, int key, const std::string& name) {
    json.key(field);
    json.beginObject();
    json.field("key", key);
    json.field("name", name);
    json.endObject();
}

void writeTitles(JsonWriter& json, const DataFile& data) {
    GbxHeader* header = data.header();
    json.field("file", data.path());
    json.field("title", gbxGetFileTitle(header));
    json.key("application");
    json.beginObject();
    json.field("title", gbxGetAppTitle(header));
    json.field("version", gbxGetAppVersionNo(header));
    json.endObject();
    const int fileType = gbxGetFileType(header);
    writeKeyAndName(json, "file_type", fileType, gbxFileTypeStr(fileType));
    json.field("data_type", gbxGetDataType(header));
    json.field("statistics_type", gbxGetItemStatsType(header));
}

// A time of the axis: an ISO 8601 text on calendar axes, a number in the axis unit otherwise.
void writeTime(JsonWriter& json, const std::string& field, const TimeAxis& axis, double relative) {
    json.key(field);
    if (axis.calendar) {
        json.value(timeText(axis, relative));
    } else {
        json.value(axis.start + relative);
    }
}

void writeTimeAxis(JsonWriter& json, GbxHeader* header) {
    const TimeAxis axis = readTimeAxis(header);
    json.key("time_axis");
    if (axis.type == F_UNDEFINED_TAXIS) {
        json.null();
        return;
    }
    json.beginObject();
    writeKeyAndName(json, "type", axis.type, gbxTimeAxisTypeStr(axis.type));
    json.field("calendar", axis.calendar);
    json.field("equidistant", axis.equidistant);
    writeKeyAndName(json, "unit", axis.unit, axis.unitName);
    writeTime(json, "start", axis, 0.0);
    json.field(axis.equidistant ? "step" : "span", axis.step);
    json.field("count", axis.count);
    if (axis.count > 0) {
        writeTime(json, "end", axis, lastRelativeTime(axis));
    } else {
        json.nullField("end");
    }
    json.endObject();
}

void writeDeleteValues(JsonWriter& json, GbxHeader* header) {
    const DeleteValues deletes = deleteValuesOf(header);
    json.key("delete_values");
    json.beginObject();
    json.field("float", deletes.floatValue);
    json.field("double", deletes.doubleValue);
    json.field("byte", static_cast<int>(deletes.byteValue));
    json.field("int", deletes.intValue);
    json.field("unsigned", deletes.unsignedValue);
    json.endObject();
}

void writeGeographic(JsonWriter& json, GbxHeader* header) {
    char* projection = nullptr;
    double longitude = 0, latitude = 0, orientation = 0;
    if (gbxGetGeoInfoType(header) != 1 ||
        gbxGetGeoInfoUTMProj(header, &projection, &longitude, &latitude, &orientation) != 0) {
        json.nullField("geographic");
        return;
    }
    json.key("geographic");
    json.beginObject();
    json.field("projection", projection != nullptr ? projection : "");
    json.field("longitude", longitude);
    json.field("latitude", latitude);
    json.field("orientation", orientation);
    json.endObject();
}

void writeCompression(JsonWriter& json, GbxHeader* header) {
    if (gbxIsFileCompressed(header) == 0) {
        json.nullField("compression");
        return;
    }
    json.key("compression");
    json.beginObject();
    json.field("key_size", gbxGetEncodeKeySize(header));
    json.endObject();
}

void writeNumbers(JsonWriter& json, const std::string& field, const std::vector<double>& values, bool asFloat = false) {
    json.key(field);
    json.numbers(values, asFloat);
}

// Sizes of the axes that the geometry does not lay out (time-varying, curvilinear, 4-D).
std::vector<double> otherAxisSizes(GbxItem* item, int axisType) {
    int nx = 0, ny = 0, nz = 0, nt = 0;
    switch (axisType) {
        case 4:
            gbxGetItemAxisTvarD1(item, nullptr, nullptr, &nx);
            return {double(nx)};
        case 7:
            gbxGetItemAxisTvarD2(item, nullptr, nullptr, &nx, &ny);
            return {double(nx), double(ny)};
        case 10:
            gbxGetItemAxisTvarD3(item, nullptr, nullptr, &nx, &ny, &nz);
            return {double(nx), double(ny), double(nz)};
        case 11:
            gbxGetItemAxisEqD4(item, nullptr, nullptr, &nx, &ny, &nz, &nt, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr);
            return {double(nx), double(ny), double(nz), double(nt)};
        case 12:
            gbxGetItemAxisCurveLinearD2(item, nullptr, nullptr, &nx, &ny, nullptr, nullptr);
            return {double(nx), double(ny)};
        case 13:
            gbxGetItemAxisCurveLinearD3(item, nullptr, nullptr, &nx, &ny, &nz, nullptr, nullptr, nullptr);
            return {double(nx), double(ny), double(nz)};
        default:
            return {};
    }
}

void writeLaidOutAxis(JsonWriter& json, const AxisGeometry& geometry) {
    std::vector<double> sizes, origins, spacings;
    for (int d = 0; d < geometry.dimensions; ++d) {
        sizes.push_back(static_cast<double>(geometry.directions[d].size));
        origins.push_back(geometry.directions[d].origin);
        spacings.push_back(geometry.directions[d].spacing);
    }
    writeNumbers(json, "size", sizes);
    if (geometry.points) {
        static const char* const kNames[3] = {"x", "y", "z"};
        json.key("points");
        json.beginObject();
        for (int c = 0; c < 3; ++c)
            writeNumbers(json, kNames[c], geometry.pointCoords[c], true);
        json.endObject();
    } else if (geometry.dimensions > 0 && geometry.directions[0].equidistant) {
        writeNumbers(json, "origin", origins, true);
        writeNumbers(json, "spacing", spacings, true);
    } else if (geometry.dimensions > 0) {
        static const char* const kNames[3] = {"x", "y", "z"};
        json.key("edges");
        json.beginObject();
        for (int d = 0; d < geometry.dimensions; ++d)
            writeNumbers(json, kNames[d], geometry.directions[d].edges);
        json.endObject();
    }
}

void writeAxis(JsonWriter& json, GbxItem* item) {
    const AxisGeometry geometry = axisGeometry(item);
    json.key("axis");
    json.beginObject();
    writeKeyAndName(json, "type", geometry.axisType, geometry.typeName);
    writeKeyAndName(json, "unit", geometry.unit, geometry.unitName);
    if (geometry.supported) {
        writeLaidOutAxis(json, geometry);
    } else {
        writeNumbers(json, "size", otherAxisSizes(item, geometry.axisType));
    }
    json.endObject();
}

void writeDefinition(JsonWriter& json, GbxItem* item, int number) {
    const ItemInfo info = itemInfo(item);
    json.field("number", number);
    json.field("name", info.name);
    writeKeyAndName(json, "item_type", info.itemType, info.itemTypeName);
    writeKeyAndName(json, "unit", info.unit, info.unitName);
    json.field("data_type", gbxSimpleTypeStr(info.dataType));
    writeAxis(json, item);
}

// An extreme of the statistics: null while no valid value was seen; the values of float
// items in their shortest float text.
void writeExtreme(JsonWriter& json, const std::string& field, double value, double none, bool isFloat) {
    json.key(field);
    if (value == none) {
        json.null();
    } else if (isFloat) {
        json.value(static_cast<float>(value));
    } else {
        json.value(value);
    }
}

void writeStatistics(JsonWriter& json, GbxHeader* header, GbxItem* item) {
    double min = 0, max = 0;
    int deletes = 0;
    gbxGetItemStatsGlobal(item, &min, &max, &deletes);
    const double none = gbxGetDeleteValDouble(header);
    const bool isFloat = itemInfo(item).dataType == LRX_FLOAT;
    json.key("statistics");
    json.beginObject();
    writeExtreme(json, "minimum", min, none, isFloat);
    writeExtreme(json, "maximum", max, none, isFloat);
    json.field("delete_values", deletes);
    json.endObject();
}

void writeItems(JsonWriter& json, GbxHeader* header) {
    json.key("items");
    json.beginArray();
    for (int number = 1; number <= gbxGetNoOfItems(header); ++number) {
        GbxItem* item = gbxItemD(header, number);
        json.beginObject();
        writeDefinition(json, item, number);
        writeStatistics(json, header, item);
        json.endObject();
    }
    json.endArray();
}

// Returns the code that ended the reading of the static items.
int writeStatics(JsonWriter& json, const DataFile& data) {
    json.key("statics");
    json.beginArray();
    const int code = forEachStatic(data.header(), data.file(), [&](GbxVector* vector, int number) {
        json.beginObject();
        writeDefinition(json, gbxItemS(vector), number);
        json.endObject();
        return true;
    });
    json.endArray();
    return code;
}

void writeBlockValues(JsonWriter& json, int type, int count, const void* values) {
    std::vector<double> numbers;
    for (int i = 0; i < count && values != nullptr; ++i)
        numbers.push_back(valueAsDouble(type, values, static_cast<std::size_t>(i)));
    writeNumbers(json, "values", numbers, type == LRX_FLOAT);
}

void writeCustomBlocks(JsonWriter& json, GbxHeader* header) {
    GbxCustomBlock* block = nullptr;
    gbxGetCustomBlockRef(header, &block);
    json.key("custom_blocks");
    json.beginArray();
    while (block != nullptr) {
        int type = 0, count = 0;
        char* name = nullptr;
        void* values = nullptr;
        gbxGetCustomBlock(block, &type, &name, &count, &values, &block);
        json.beginObject();
        json.field("name", name != nullptr ? name : "");
        json.field("type", gbxSimpleTypeStr(type));
        writeBlockValues(json, type, count, type >= LRX_FLOAT && type <= LRX_UINT2 ? values : nullptr);
        json.endObject();
    }
    json.endArray();
}

}  // namespace

int printInfoJson(DataFile& data) {
    JsonWriter json(stdout);
    json.beginObject();
    writeTitles(json, data);
    writeTimeAxis(json, data.header());
    writeDeleteValues(json, data.header());
    writeGeographic(json, data.header());
    writeCompression(json, data.header());
    writeItems(json, data.header());
    const int code = writeStatics(json, data);
    writeCustomBlocks(json, data.header());
    json.endObject();
    json.finish();
    if (code != 0) {
        reportError(data.path(), "reading the static items stopped", code);
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace lrxtool
