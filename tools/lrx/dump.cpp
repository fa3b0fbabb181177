// `lrx dump FILE`: values as CSV on standard output. Time series (items of one value): one row
// per time step with the time and one column per item. Grids: one row per cell and time step
// with the time, the cell's indices and coordinates, and one column per item. With --statics
// the static items instead, without the time. Streams step by step.
#include <cstdio>
#include <string>
#include <vector>

#include "axisgeometry.h"
#include "commands.h"
#include "csvwriter.h"
#include "datafile.h"
#include "dumpselect.h"
#include "errortext.h"
#include "numbertext.h"
#include "progress.h"
#include "stepreader.h"
#include "timeaxis.h"

namespace lrxtool {

namespace {

// The columns that place a value: none for a time series, else indices and coordinates.
struct CellColumns {
    AxisGeometry geometry;
    bool timeSeries = true;
    std::vector<std::string> coordinateTexts[3];  // per direction (or point coordinate)
};

struct ValueFormat {
    DeleteValues deletes;
    std::string deleteAs;
    int precision = 0;
};

// One item's values to write: its data type and where they are.
struct Column {
    int dataType = 0;
    const void* values = nullptr;
};

CellColumns cellColumns(const AxisGeometry& geometry, bool timeSeries) {
    CellColumns columns;
    columns.geometry = geometry;
    columns.timeSeries = timeSeries;
    if (timeSeries) return columns;
    for (int d = 0; d < 3; ++d) {
        const std::vector<double>& values = geometry.points ? geometry.pointCoords[d] : geometry.directions[d].centres;
        for (const double v : values)
            columns.coordinateTexts[d].push_back(numberText(v));
    }
    return columns;
}

void writeHeaderRow(CsvWriter& csv, const CellColumns& cells, bool withTime, const std::vector<std::string>& names) {
    static const char* const kIndices[3] = {"i", "j", "k"};
    static const char* const kCoordinates[3] = {"x", "y", "z"};
    if (withTime) csv.field("time");
    if (!cells.timeSeries) {
        const int dimensions = cells.geometry.dimensions;
        for (int d = 0; d < dimensions; ++d)
            csv.field(kIndices[d]);
        const int coordinates = cells.geometry.points ? 3 : dimensions;
        for (int d = 0; d < coordinates; ++d)
            csv.field(kCoordinates[d]);
    }
    for (const std::string& name : names)
        csv.field(name);
    csv.endRow();
}

void writeValue(CsvWriter& csv, const ValueFormat& format, const Column& column, std::size_t cell) {
    if (isDeleteValue(format.deletes, column.dataType, column.values, cell)) {
        csv.field(format.deleteAs);
    } else {
        csv.plainField(valueText(column.dataType, column.values, cell, format.precision));
    }
}

// The rows of one time step (or of the static items): one per cell.
void writeRows(CsvWriter& csv, const CellColumns& cells, const std::string* time, const std::vector<Column>& columns,
               const ValueFormat& format) {
    const AxisGeometry& geometry = cells.geometry;
    const int64_t cellCount = cells.timeSeries ? 1 : geometry.cellCount();
    const int64_t nx = geometry.directions[0].size;
    const int64_t ny = geometry.directions[1].size;
    for (int64_t cell = 0; cell < cellCount; ++cell) {
        if (time != nullptr) csv.plainField(*time);
        if (!cells.timeSeries) {
            const int64_t index[3] = {cell % nx, cell / nx % ny, cell / (nx * ny)};
            for (int d = 0; d < geometry.dimensions; ++d)
                csv.plainField(std::to_string(index[d]));
            if (geometry.points) {
                for (int c = 0; c < 3; ++c)
                    csv.plainField(cells.coordinateTexts[c][static_cast<std::size_t>(cell)]);
            } else {
                for (int d = 0; d < geometry.dimensions; ++d)
                    csv.plainField(cells.coordinateTexts[d][static_cast<std::size_t>(index[d])]);
            }
        }
        for (const Column& column : columns)
            writeValue(csv, format, column, static_cast<std::size_t>(cell));
        csv.endRow();
    }
}

// One chosen item: its name, how many values it holds and where they lie.
struct Chosen {
    std::string name;
    int64_t size = 0;
    AxisGeometry geometry;
};

Chosen chosenItem(GbxItem* item) {
    return {itemInfo(item).name, gbxGetItemXYZSize(item), axisGeometry(item)};
}

// Decides how the chosen items are laid out: all of one value (a time series), or all on the
// same grid. False, with the problem described, otherwise.
bool layOut(const std::vector<Chosen>& chosen, CellColumns* cells, std::string* problem) {
    bool timeSeries = true;
    for (const Chosen& item : chosen)
        timeSeries = timeSeries && item.size == 1;
    if (!timeSeries) {
        for (const Chosen& item : chosen) {
            if (!item.geometry.supported) {
                *problem = "item \"" + item.name + "\" has " + item.geometry.limitation + ", which dump cannot lay out";
                return false;
            }
            if (!sameGeometry(chosen[0].geometry, item.geometry)) {
                *problem = "items \"" + chosen[0].name + "\" and \"" + item.name +
                           "\" lie on different axes; choose items of one axis with --item";
                return false;
            }
        }
    }
    *cells = cellColumns(chosen[0].geometry, timeSeries);
    return true;
}

std::vector<std::string> namesOf(const std::vector<Chosen>& chosen) {
    std::vector<std::string> names;
    for (const Chosen& item : chosen)
        names.push_back(item.name);
    return names;
}

ValueFormat valueFormat(GbxHeader* header, const DumpOptions& options) {
    ValueFormat format;
    format.deletes = deleteValuesOf(header);
    format.deleteAs = options.deleteAs;
    format.precision = options.precision;
    return format;
}

int usageError(const std::string& path, const std::string& problem) {
    reportError(path, problem);
    return kExitUsage;
}

int finishOutput(CsvWriter& csv, const std::string& path, int status) {
    if (!csv.flush()) {
        reportError(path, "cannot write the values to standard output");
        return kExitFailure;
    }
    return status;
}

int dumpSteps(const DataFile& data, const DumpOptions& options, CsvWriter& csv) {
    GbxHeader* header = data.header();
    std::vector<std::string> names;
    for (int n = 1; n <= gbxGetNoOfItems(header); ++n)
        names.push_back(itemInfo(gbxItemD(header, n)).name);
    std::vector<int> chosen;
    std::string problem;
    if (options.items.empty()) {
        for (std::size_t n = 1; n <= names.size(); ++n)
            chosen.push_back(static_cast<int>(n));
    } else if (!resolveItems(options.items, names, &chosen, &problem)) {
        return usageError(data.path(), problem);
    }
    StepRange range;
    if (!options.steps.empty() && !parseStepRange(options.steps, &range, &problem))
        return usageError(data.path(), problem);

    std::vector<Chosen> items;
    std::vector<bool> wanted(names.size(), false);
    for (const int n : chosen) {
        items.push_back(chosenItem(gbxItemD(header, n)));
        wanted[static_cast<std::size_t>(n - 1)] = true;
    }
    CellColumns cells;
    if (items.empty()) return usageError(data.path(), "the file holds no items");
    if (!layOut(items, &cells, &problem)) return usageError(data.path(), problem);
    StepReader reader(data, wanted);
    if (!reader.usable(&problem)) {
        reportError(data.path(), problem);
        return kExitFailure;
    }

    const TimeAxis axis = readTimeAxis(header);
    const int last = range.last < 0 || range.last >= axis.count ? axis.count - 1 : range.last;
    const ValueFormat format = valueFormat(header, options);
    writeHeaderRow(csv, cells, true, namesOf(items));
    Progress progress("dump", last - range.first + 1, progressWanted(options.quiet, data.path()));
    for (int step = range.first; step <= last; step += range.stride) {
        double readTime = 0.0;
        if (const int code = reader.read(step, &readTime); code != 0) {
            progress.finish();
            reportError(data.path(), "cannot read time step " + std::to_string(step), code);
            return finishOutput(csv, data.path(), kExitFailure);
        }
        std::vector<Column> columns;
        for (const int n : chosen)
            columns.push_back({reader.dataType(n), reader.values(n)});
        const std::string time = timeText(axis, relativeTime(axis, step, readTime));
        writeRows(csv, cells, &time, columns, format);
        progress.update(step - range.first + 1);
    }
    progress.finish();
    return finishOutput(csv, data.path(), kExitOk);
}

// The numbers of the static items to write: those asked for, or all but the encoding keys.
bool chooseStatics(const DataFile& data, const DumpOptions& options, std::vector<int>* numbers, std::string* problem) {
    std::vector<std::string> names;
    const int code = forEachStatic(data.header(), data.file(), [&](GbxVector* vector, int) {
        names.push_back(itemInfo(gbxItemS(vector)).name);
        return true;
    });
    if (code != 0) {
        *problem = "cannot read the static items (" + errorText(code) + ")";
        return false;
    }
    if (!options.items.empty()) return resolveItems(options.items, names, numbers, problem);
    const bool compressed = gbxIsFileCompressed(data.header()) != 0;
    for (std::size_t n = 1; n <= names.size(); ++n) {
        if (!compressed || !isEncodingKeyName(names[n - 1])) numbers->push_back(static_cast<int>(n));
    }
    if (numbers->empty()) *problem = "the file holds no static items to dump";
    return !numbers->empty();
}

// Keeps a static item's description and a copy of its values.
struct StaticValues {
    Chosen item;
    int dataType = 0;
    std::vector<unsigned char> values;
};

int dumpStatics(const DataFile& data, const DumpOptions& options, CsvWriter& csv) {
    std::vector<int> numbers;
    std::string problem;
    if (!chooseStatics(data, options, &numbers, &problem)) return usageError(data.path(), problem);
    // The chosen static items in the order asked, whatever their order in the file.
    std::vector<StaticValues> statics(numbers.size());
    const int code = forEachStatic(data.header(), data.file(), [&](GbxVector* vector, int number) {
        GbxItem* item = gbxItemS(vector);
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            if (numbers[i] != number) continue;
            statics[i].item = chosenItem(item);
            statics[i].dataType = itemInfo(item).dataType;
            statics[i].values.resize(static_cast<std::size_t>(gbxGetUsedItemBytes(item)));
            if (gbxStaticGetData(vector, statics[i].values.data()) != 0) statics[i].values.clear();
        }
        return true;
    });
    std::vector<Chosen> chosen;
    std::vector<Column> columns;
    for (const StaticValues& item : statics) {
        const auto needed = static_cast<std::size_t>(item.item.size * valueSize(item.dataType));
        if (item.values.size() < needed || needed == 0) {
            reportError(data.path(), "the static item \"" + item.item.name + "\" holds no values to dump", code);
            return kExitFailure;
        }
        chosen.push_back(item.item);
        columns.push_back({item.dataType, item.values.data()});
    }
    CellColumns cells;
    if (!layOut(chosen, &cells, &problem)) return usageError(data.path(), problem);
    writeHeaderRow(csv, cells, false, namesOf(chosen));
    writeRows(csv, cells, nullptr, columns, valueFormat(data.header(), options));
    return finishOutput(csv, data.path(), kExitOk);
}

}  // namespace

int runDump(const DumpOptions& options) {
    std::string delimiter;
    if (!parseDelimiter(options.delimiter, &delimiter))
        return usageError(options.path,
                          "--delimiter " + options.delimiter + ": one character that is no part of a number");
    DataFile data;
    if (!data.open(options.path)) return kExitFailure;
    CsvWriter csv(stdout, delimiter);
    return options.statics ? dumpStatics(data, options, csv) : dumpSteps(data, options, csv);
}

}  // namespace lrxtool
