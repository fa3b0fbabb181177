// Writes the seed inputs of the fuzz targets: small valid files that the library itself writes
// (data files of several file types, axes and time axes, a compressed one, a legacy pair, a
// cross-section file, a file of the example plug-in's data type, calendar texts), each with a
// choice stream that walks the calls of its target. Run as: make_seeds <folder>; the seeds land
// in <folder>/<target>/.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "lrx/csn.h"
#include "lrx/gbx.h"

namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

fs::path gScratch;

Bytes fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A seed: the choice count, the choices, then the parts.
void writeSeed(const fs::path& folder, const std::string& name, const Bytes& choices, const std::vector<Bytes>& parts) {
    fs::create_directories(folder);
    Bytes seed{static_cast<uint8_t>(choices.size())};
    seed.insert(seed.end(), choices.begin(), choices.end());
    for (const Bytes& part : parts)
        seed.insert(seed.end(), part.begin(), part.end());
    std::ofstream(folder / name, std::ios::binary).write(reinterpret_cast<const char*>(seed.data()), seed.size());
}

Bytes lengthPrefixed(const Bytes& part) {
    Bytes out{static_cast<uint8_t>(part.size()), static_cast<uint8_t>(part.size() >> 8)};
    out.insert(out.end(), part.begin(), part.end());
    return out;
}

// The choices of datafiledriver.cpp: describe the header, read the statics, jump to time step
// 1, read an item and pass over one, the span, item 2 of step 0, then read on with compression.
const Bytes kDriving = {0, 3, 3, 4, 9, 1, 5, 6, 14, 10, 1, 2, 5, 16, 17, 2, 1, 1, 13, 7, 5, 15, 5, 5, 8, 12, 3, 11, 1, 3};

void write(GbxHeader* header, const fs::path& path, int steps, int statics) {
    GbxFile* file = nullptr;
    if (gbxFileCreate(path.c_str(), header, &file) != 0) return;
    for (int s = 0; s < statics; ++s) {
        GbxVector* vector = nullptr;
        gbxStaticCreate(&vector);
        gbxSetItemInfo(header, gbxItemS(vector), 999, "static", 0, LRX_FLOAT);
        gbxSetItemAxisEqD1(gbxItemS(vector), 1000, 4, 5.0f, 0.5f);
        const float values[4] = {7, 8, 9, static_cast<float>(s)};
        gbxStaticWrite(vector, file, values);
        gbxStaticDestroy(&vector);
    }
    std::vector<uint8_t> values(1 << 12);
    for (int t = 0; t < steps; ++t) {
        for (int n = 1; n <= gbxGetNoOfItems(header); ++n) {
            for (std::size_t k = 0; k < values.size(); ++k)
                values[k] = static_cast<uint8_t>(t * 16 + n + k % 3);
            gbxWriteItemTimeStep(header, file, 30.0 * t, values.data());
        }
    }
    gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
}

GbxHeader* newHeader(int fileType, int items, int statsType) {
    GbxHeader* header = nullptr;
    gbxHeaderCreate(fileType, "seed", "make_seeds", 1, items, statsType, &header);
    return header;
}

void dataFileSeeds(const fs::path& out) {
    // Equidistant in time, a float grid and an integer line, custom block, geographic information.
    GbxHeader* header = newHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, 2, 2);
    gbxSetEqTimeAxis(header, 1400, 0.0, 60.0, 0);
    gbxSetItemInfo(header, gbxItemD(header, 1), 100000, "level", 1000, LRX_FLOAT);
    gbxSetItemAxisEqD2(gbxItemD(header, 1), 1000, 3, 2, 0, 0, 1, 1);
    gbxSetItemInfo(header, gbxItemD(header, 2), 999, "count", 0, LRX_INT4);
    gbxSetItemAxisEqD1(gbxItemD(header, 2), 1000, 2, 0, 1);
    gbxSetAssocStatic(header, 1, 1);
    const int32_t note[3] = {1, 2, 3};
    gbxAddCustomBlock(header, LRX_INT4, "note", 3, note);
    gbxSetGeoInfoUTMProj(header, "UTM-32", 9.0, 54.0, 0.0);
    write(header, gScratch / "equidistant.gbx", 3, 1);

    // Non-equidistant calendar axis, a double item on points, a byte item on a 3-D grid.
    header = newHeader(F_NEQTIME_FIXEDSPACE_ALLITEMS, 2, 1);
    gbxSetNeqCalendarAxis(header, "2020-02-28", "23:00:00", 1400, 3600.0, 0);
    const float points[6] = {0, 0, 0, 1, 2, 3};
    gbxSetItemInfo(header, gbxItemD(header, 1), 999, "points", 0, LRX_DOUBLE);
    gbxSetItemAxisNeqD1(gbxItemD(header, 1), 1000, 2, points, 0);
    gbxSetItemInfo(header, gbxItemD(header, 2), 999, "cube", 0, LRX_BYTE);
    gbxSetItemAxisEqD3(gbxItemD(header, 2), 1000, 2, 2, 2, 0, 0, 0, 1, 1, 1);
    write(header, gScratch / "calendar.gbx", 2, 0);

    // Grids of edges and nodes, statistics per element, an unsigned item.
    header = newHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, 2, 3);
    gbxSetEqCalendarAxis(header, "1999-12-31", "12:00:00", 1400, 0.0, 900.0, 0);
    const double x[3] = {0, 1, 3}, y[2] = {0, 2};
    gbxSetItemInfo(header, gbxItemD(header, 1), 999, "edges", 0, LRX_FLOAT);
    gbxSetItemAxisNeqD2(gbxItemD(header, 1), 1000, 2, 1, x, y, 0);
    const double nodesX[6] = {0, 1, 2, 0, 1, 2}, nodesY[6] = {0, 0, 0, 1, 1, 1};
    gbxSetItemInfo(header, gbxItemD(header, 2), 999, "curved", 0, LRX_UINT4);
    gbxSetItemAxisCurveLinearD2(gbxItemD(header, 2), 1000, 2, 1, nodesX, nodesY, 0);
    write(header, gScratch / "grids.gbx", 2, 0);

    // Compressed: X and Y keys as the first static items, one float item on a 3 x 2 grid.
    header = newHeader(F_NEQTIME_FIXEDSPACE_ALLITEMS, 1, 2);
    gbxSetNeqTimeAxis(header, 1400, 0.0, 0);
    const int32_t keyX[3] = {0, 1, 2}, keyY[3] = {0, 1, 1};
    gbxSetEncodeKey(header, keyX, keyY, nullptr, 3);
    gbxSetItemInfo(header, gbxItemD(header, 1), 999, "packed", 0, LRX_FLOAT);
    gbxSetItemAxisEqD2(gbxItemD(header, 1), 1000, 3, 2, 0, 0, 1, 1);
    write(header, gScratch / "compressed.gbx", 3, 1);

    for (const char* name : {"equidistant.gbx", "calendar.gbx", "grids.gbx", "compressed.gbx"}) {
        const Bytes file = fileBytes(gScratch / name);
        writeSeed(out / "datafile", std::string(name) + ".read", {}, {file});
        writeSeed(out / "datafile", std::string(name) + ".driven", kDriving, {file});
    }
}

void legacySeeds(const fs::path& out) {
    GbxHeader* header = newHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, 2, 1);
    gbxSetEqCalendarAxis(header, "2001-03-04", "05:06:07", 1400, 0.0, 60.0, 0);
    for (int n = 1; n <= 2; ++n) {
        gbxSetItemInfo(header, gbxItemD(header, n), 999, n == 1 ? "first" : "second", 0, LRX_FLOAT);
        gbxSetItemAxisEqD1(gbxItemD(header, n), 1000, 4, 5.0f, 0.5f);
    }
    write(header, gScratch / "pair.dt1", 3, 1);
    const Bytes headerFile = lengthPrefixed(fileBytes(gScratch / "pair.ct1"));
    const Bytes dataFile = fileBytes(gScratch / "pair.dt1");
    // The first two choices: the digit 1, opened by the data file or by the header file.
    for (const uint8_t byHeaderFile : {0, 1}) {
        Bytes choices = {1, byHeaderFile};
        writeSeed(out / "legacy", "pair1." + std::to_string(byHeaderFile) + ".read", choices, {headerFile, dataFile});
        choices.insert(choices.end(), kDriving.begin(), kDriving.end());
        writeSeed(out / "legacy", "pair1." + std::to_string(byHeaderFile) + ".driven", choices,
                  {headerFile, dataFile});
    }
}

void xsecSeeds(const fs::path& out) {
    const fs::path path = gScratch / "sections.csn";
    LrxFile* file = nullptr;
    if (csnFileOpenCreate(path.c_str(), &file) != 0) return;
    const char* const keys[3] = {"river", "river", "canal"};
    for (int s = 0; s < 3; ++s) {
        CsnXsecRecord* section = csnXsecCreateEx(keys[s], 100.0 * s, "main", s == 0 ? nullptr : "surveyed");
        csnXsecSetNoRaw(section, 3);
        csnXsecSetNoSel(section, s);
        csnXsecSetNoPrc(section, s == 2 ? 2 : 0);
        for (int k = 0; k < 3; ++k) {
            section->raw1[k] = k;
            section->raw2[k] = 10.0 - k;
            section->raw5[k] = static_cast<uint16_t>(k);
        }
        csnXsecWrite(section, file);
        csnXsecFree(&section);
    }
    csnFileClose(&file);
    // Finds: "river" at 100 on "main", then "canal" at 0 with an empty second key.
    const Bytes finds = {5, 'r' - '@' + 0, 'i' - '@', 'v' - '@', 'e' - '@', 'r' - '@', 4, 'm' - '@', 'a' - '@', 'i' - '@',
                         'n' - '@', 1, 100, 0, 0, 0, 0};
    writeSeed(out / "xsec", "sections.walk", {}, {fileBytes(path)});
    writeSeed(out / "xsec", "sections.finds", finds, {fileBytes(path)});
}

void pluginSeeds(const fs::path& out) {
    GbxHeader* header = newHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, 3, 2);
    gbxSetEqTimeAxis(header, 1400, 0.0, 60.0, 0);
    gbxSetDataType(header, 7);
    const int types[3] = {100000, 100021, 100022};
    const int units[3] = {1000, 2000, 2000};
    const char* const names[3] = {"level", "u", "v"};
    for (int n = 1; n <= 3; ++n) {
        gbxSetItemInfo(header, gbxItemD(header, n), types[n - 1], names[n - 1], units[n - 1], LRX_FLOAT);
        gbxSetItemAxisEqD2(gbxItemD(header, n), 1000, 4, 3, 0, 0, 1, 1);
    }
    write(header, gScratch / "currents.gbx", 2, 0);
    const Bytes file = fileBytes(gScratch / "currents.gbx");
    writeSeed(out / "plugin", "currents.read", {}, {file});
    writeSeed(out / "plugin", "currents.driven", kDriving, {file});
}

void calendarSeeds(const fs::path& out) {
    // Date, time of day and legacy text, each ended by a zero byte.
    static const char kFirst[] = "2023-05-17\0" "12:30:00\0" "2023/05/17 12:30:00";
    static const char kSecond[] = "1900-02-28\0" "23:59:59\0" "1900 2 28 23 59 59";
    static const char kThird[] = "0000-13-40\0" "-1:99:99\0" "2100-12-31";
    const std::string texts[] = {std::string(kFirst, sizeof kFirst - 1), std::string(kSecond, sizeof kSecond - 1),
                                 std::string(kThird, sizeof kThird - 1)};
    // Legacy text size, the seconds (two words), the unit, the offset (two words and a choice).
    const Bytes choices = {31, 0, 0, 0, 0, 64, 81, 1, 0, 2, 0, 0, 0, 0, 16, 14, 0, 0, 0};
    for (int n = 0; n < 3; ++n) {
        const Bytes text(texts[n].begin(), texts[n].end());
        writeSeed(out / "calendar", "texts" + std::to_string(n), n == 0 ? Bytes{} : choices, {text});
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <folder>\n");
        return 2;
    }
    const fs::path out = argv[1];
    gScratch = fs::temp_directory_path() / "lrx-make-seeds";
    fs::remove_all(gScratch);
    fs::create_directories(gScratch);
    dataFileSeeds(out);
    legacySeeds(out);
    xsecSeeds(out);
    pluginSeeds(out);
    calendarSeeds(out);
    fs::remove_all(gScratch);
    return 0;
}
