// `lrx convert` between data files and netCDF-CF, checked with outside readers: the netCDF C
// API compares every value with the source, ncdump and Python's xarray open the export, round
// trips keep every value, name, unit, time and axis, and damaged input leaves no output.
#include <gtest/gtest.h>
#include <netcdf.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "lrx/gbx.h"
#include "tools/toolrun.h"

namespace {

using namespace lrxtest;

struct NcReader {
    int id = -1;
    explicit NcReader(const std::string& path) { EXPECT_EQ(nc_open(path.c_str(), NC_NOWRITE, &id), NC_NOERR); }
    ~NcReader() {
        if (id >= 0) nc_close(id);
    }
    int var(const char* name) const {
        int var = -1;
        EXPECT_EQ(nc_inq_varid(id, name, &var), NC_NOERR) << name;
        return var;
    }
    std::vector<float> floats(const char* name, std::size_t count) const {
        std::vector<float> values(count);
        EXPECT_EQ(nc_get_var_float(id, var(name), values.data()), NC_NOERR) << name;
        return values;
    }
    std::string text(const char* name, const char* attribute) const {
        std::size_t length = 0;
        nc_inq_attlen(id, var(name), attribute, &length);
        std::string value(length, '\0');
        nc_get_att_text(id, var(name), attribute, value.data());
        return value;
    }
};

// Every value of the demo's items and static item, read through the data-file API.
struct DemoValues {
    std::vector<std::vector<float>> items{3};
    std::vector<float> bathymetry;
    float deleteValue = 0;
};

DemoValues readDemo(const std::string& path) {
    DemoValues values;
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    EXPECT_EQ(gbxFileRead(path.c_str(), &header, &file), 0);
    values.deleteValue = gbxGetDeleteValFloat(header);
    int code = 0;
    GbxVector* bathymetry = gbxStaticRead(file, &code);
    values.bathymetry.resize(200);
    EXPECT_EQ(gbxStaticGetData(bathymetry, values.bathymetry.data()), 0);
    gbxStaticDestroy(&bathymetry);
    std::vector<float> step(200);
    for (int t = 0; t < 100; ++t) {
        for (int n = 0; n < 3; ++n) {
            EXPECT_EQ(gbxReadItemTimeStep(header, file, nullptr, step.data()), 0);
            values.items[n].insert(values.items[n].end(), step.begin(), step.end());
        }
    }
    gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
    return values;
}

RunResult convert(const TempDir& dir, const std::string& in, const std::string& out,
                  const std::vector<std::string>& options = {}) {
    std::vector<std::string> args = {"convert", in, out};
    args.insert(args.end(), options.begin(), options.end());
    return runLrx(dir, args);
}

TEST(LrxToolConvert, ExportHoldsEveryValueOfTheSource) {
    TempDir dir;
    const std::string source = writeDemoFile(dir);
    const std::string exported = dir.path("harbour.nc");
    const RunResult result = convert(dir, source, exported);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    const DemoValues demo = readDemo(source);
    NcReader nc(exported);
    std::size_t steps = 0;
    int timeDim = -1;
    nc_inq_dimid(nc.id, "time", &timeDim);
    nc_inq_dimlen(nc.id, timeDim, &steps);
    ASSERT_EQ(steps, 100u);
    const char* names[3] = {"Water_level", "U_velocity", "V_velocity"};
    for (int n = 0; n < 3; ++n) {
        EXPECT_EQ(nc.floats(names[n], 100 * 200), demo.items[n]) << names[n];
        float fill = 0;
        nc_get_att_float(nc.id, nc.var(names[n]), "_FillValue", &fill);
        EXPECT_EQ(fill, demo.deleteValue);
    }
    EXPECT_EQ(nc.floats("Bathymetry", 200), demo.bathymetry);
    std::vector<double> time(100), x(20);
    nc_get_var_double(nc.id, nc.var("time"), time.data());
    nc_get_var_double(nc.id, nc.var("x"), x.data());
    for (int t = 0; t < 100; ++t)
        EXPECT_EQ(time[t], 3600.0 * t);
    EXPECT_EQ(nc.text("time", "units"), "seconds since 2026-01-01 00:00:00");
    EXPECT_EQ(nc.text("Water_level", "units"), "m");
    EXPECT_EQ(nc.text("U_velocity", "units"), "m s-1");
    EXPECT_EQ(nc.text("Water_level", "grid_mapping"), "crs");
    EXPECT_EQ(nc.text("crs", "grid_mapping_name"), "transverse_mercator");
    // The grid's origin lies at its geographic origin in UTM zone 32; cells 100 m apart.
    EXPECT_NEAR(x[0], 534567.3, 0.1);
    EXPECT_NEAR(x[19] - x[0], 1900.0, 1e-6);
}

TEST(LrxToolConvert, NcdumpAndXarrayReadTheExport) {
    TempDir dir;
    const std::string source = writeDemoFile(dir);
    const std::string exported = dir.path("harbour.nc");
    ASSERT_EQ(convert(dir, source, exported).status, 0);
    if (std::string(LRX_NCDUMP_PATH).empty() || std::string(LRX_NCDUMP_PATH).find("NOTFOUND") != std::string::npos)
        GTEST_SKIP() << "ncdump is not installed";
    const RunResult header = runProgram(dir, LRX_NCDUMP_PATH, {"-h", exported});
    ASSERT_EQ(header.status, 0) << header.err;
    EXPECT_NE(header.out.find(":Conventions = \"CF-1.8\" ;"), std::string::npos) << header.out;
    EXPECT_NE(header.out.find("float Water_level(time, y, x) ;"), std::string::npos) << header.out;

    const RunResult read = runProgram(dir, LRX_PYTHON_PATH, {LRX_TOOL_TEST_DIR "/xarray_check.py", exported});
    ASSERT_EQ(read.status, 0) << read.err;
    const std::vector<std::string> lines = linesOf(read.out);
    ASSERT_EQ(lines.size(), 3u) << read.out;
    EXPECT_EQ(lines[0], "2026-01-01T00:00:00 2026-01-05T03:00:00");
    // The land cells of every time step, and of the static item.
    EXPECT_EQ(lines[1], "1200 12");
    const DemoValues demo = readDemo(source);
    EXPECT_EQ(static_cast<float>(std::strtod(lines[2].c_str(), nullptr)), demo.items[0][5 * 200 + 3 * 20 + 7]);
}

// What a round trip must keep: every value and time (the dumps), and every item's name, type,
// unit and axis (the item lines of `lrx info`).
struct Description {
    std::string dump;
    std::string statics;
    std::vector<std::string> items;
};

Description describe(const TempDir& dir, const std::string& path) {
    Description description;
    description.dump = runLrx(dir, {"dump", path}).out;
    description.statics = runLrx(dir, {"dump", path, "--statics"}).out;
    // The time axis and the definitions of the dynamic items, up to the static items (a
    // compressed file's encoding keys are static items that an expanded copy no longer needs;
    // its delete counts grow by the cells that no key reaches).
    for (const std::string& line : linesOf(runLrx(dir, {"info", path}).out)) {
        if (line.rfind("static items", 0) == 0) break;
        if (line.rfind("    minimum", 0) == 0) continue;
        if (line.rfind("  ", 0) == 0 || line.rfind("time axis", 0) == 0) description.items.push_back(line);
    }
    return description;
}

TEST(LrxToolConvert, RoundTripKeepsValuesNamesUnitsTimesAndAxes) {
    TempDir dir;
    for (const std::string& source : {writeDemoFile(dir), writeCompressedFile(dir)}) {
        SCOPED_TRACE(source);
        const std::string exported = dir.path("exchange.nc");
        const std::string back = dir.path("back.gbx");
        ASSERT_EQ(convert(dir, source, exported).status, 0);
        const RunResult imported = convert(dir, exported, back);
        ASSERT_EQ(imported.status, 0) << imported.err;
        EXPECT_EQ(imported.err, "");
        const Description before = describe(dir, source);
        const Description after = describe(dir, back);
        ASSERT_FALSE(before.dump.empty());
        EXPECT_EQ(after.dump, before.dump);
        EXPECT_EQ(after.statics, before.statics);
        EXPECT_EQ(after.items, before.items);
        EXPECT_EQ(runLrx(dir, {"check", back}).status, 0);
    }
}

TEST(LrxToolConvert, ClassicAndDeflateChooseTheNetcdfForm) {
    TempDir dir;
    const std::string source = writeTimeSeriesFile(dir);
    ASSERT_EQ(convert(dir, source, dir.path("classic.nc"), {"--classic"}).status, 0);
    ASSERT_EQ(convert(dir, source, dir.path("deflated.nc"), {"--deflate", "4"}).status, 0);
    int format = 0, shuffle = 0, deflate = 0, level = 0;
    {
        NcReader nc(dir.path("classic.nc"));
        nc_inq_format(nc.id, &format);
        EXPECT_EQ(format, NC_FORMAT_64BIT_OFFSET);
        EXPECT_EQ(nc.floats("Level", 4)[1], 1.75f);
    }
    NcReader nc(dir.path("deflated.nc"));
    nc_inq_format(nc.id, &format);
    EXPECT_EQ(format, NC_FORMAT_NETCDF4);
    nc_inq_var_deflate(nc.id, nc.var("Flow"), &shuffle, &deflate, &level);
    EXPECT_EQ(level, 4);
    // A relative time axis: its unit, no invented reference date.
    EXPECT_EQ(nc.text("time", "units"), "s");
}

std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(LrxToolConvert, DamagedInputLeavesNoOutputBehind) {
    TempDir dir;
    const std::string folder = dir.path("work");
    std::filesystem::create_directory(folder);
    const std::string source = writeDemoFile(dir, "work/harbour.gbx");
    Bytes bytes = readBytes(source);
    bytes.resize(bytes.size() - 1000);
    writeBytes(source, bytes);
    const RunResult exported = convert(dir, source, folder + "/harbour.nc");
    EXPECT_EQ(exported.status, 1);
    EXPECT_NE(exported.err.find(source + ": cannot read time step 99 (end of file)"), std::string::npos)
        << exported.err;

    const std::string broken = folder + "/broken.nc";
    writeBytes(broken, Bytes{'C', 'D', 'F', 1, 0, 0});
    const RunResult imported = convert(dir, broken, folder + "/broken.gbx");
    EXPECT_EQ(imported.status, 1);
    EXPECT_NE(imported.err.find(broken + ": cannot open"), std::string::npos) << imported.err;
    EXPECT_EQ(folderEntries(folder), (std::vector<std::string>{"broken.nc", "harbour.gbx"}));
}

// A netCDF-CF file as other tools write it: sea surface temperature on an irregular latitude
// and a regular longitude axis with a fill value, a static depth along longitude, a level
// packed into shorts, a variable of an unknown unit, and one of four spatial dimensions that
// a data file cannot hold.
void writeForeignFile(const std::string& path) {
    int id = -1, time = -1, lat = -1, lon = -1, extra[3] = {-1, -1, -1};
    ASSERT_EQ(nc_create(path.c_str(), NC_NETCDF4 | NC_CLOBBER, &id), NC_NOERR);
    nc_def_dim(id, "time", NC_UNLIMITED, &time);
    nc_def_dim(id, "lat", 3, &lat);
    nc_def_dim(id, "lon", 4, &lon);
    for (int i = 0; i < 3; ++i) {
        const std::string name = "e" + std::to_string(i);
        nc_def_dim(id, name.c_str(), 2, &extra[i]);
    }
    int timeVar, latVar, lonVar, sst, depth, odd, wave, level;
    nc_def_var(id, "time", NC_DOUBLE, 1, &time, &timeVar);
    nc_put_att_text(id, timeVar, "units", 26, "hours since 2000-01-01 0:0");
    nc_def_var(id, "lat", NC_DOUBLE, 1, &lat, &latVar);
    nc_put_att_text(id, latVar, "units", 13, "degrees_north");
    nc_def_var(id, "lon", NC_DOUBLE, 1, &lon, &lonVar);
    nc_put_att_text(id, lonVar, "units", 12, "degrees_east");
    const int sstDims[3] = {time, lat, lon};
    nc_def_var(id, "sst", NC_FLOAT, 3, sstDims, &sst);
    nc_put_att_text(id, sst, "long_name", 23, "sea surface temperature");
    nc_put_att_text(id, sst, "units", 4, "degC");
    const float fill = -999.0f;
    nc_put_att_float(id, sst, "_FillValue", NC_FLOAT, 1, &fill);
    nc_def_var(id, "depth", NC_FLOAT, 1, &lon, &depth);
    nc_put_att_text(id, depth, "units", 1, "m");
    nc_def_var(id, "wave", NC_FLOAT, 1, &time, &wave);
    nc_put_att_text(id, wave, "units", 8, "furlongs");
    nc_def_var(id, "level", NC_SHORT, 1, &time, &level);
    const short packedFill = -32767;
    const double scale = 0.01, offset = 1.0;
    nc_put_att_short(id, level, "_FillValue", NC_SHORT, 1, &packedFill);
    nc_put_att_double(id, level, "scale_factor", NC_DOUBLE, 1, &scale);
    nc_put_att_double(id, level, "add_offset", NC_DOUBLE, 1, &offset);
    const int oddDims[5] = {time, lat, extra[0], extra[1], extra[2]};
    nc_def_var(id, "odd", NC_INT, 5, oddDims, &odd);
    nc_enddef(id);
    const double hours[3] = {0, 6, 18}, lats[3] = {10, 11, 13}, lons[4] = {0.5, 1, 1.5, 2};
    const std::size_t start[1] = {0}, count[1] = {3};
    nc_put_vara_double(id, timeVar, start, count, hours);
    nc_put_var_double(id, latVar, lats);
    nc_put_var_double(id, lonVar, lons);
    std::vector<float> values(3 * 12);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = i % 5 == 0 ? fill : 20.0f + 0.5f * static_cast<float>(i);
    const std::size_t sstStart[3] = {0, 0, 0}, sstCount[3] = {3, 3, 4};
    nc_put_vara_float(id, sst, sstStart, sstCount, values.data());
    const float depths[4] = {5, 6, 7, 8}, waves[3] = {1, 2, 3};
    const short levels[3] = {100, packedFill, 250};
    nc_put_var_float(id, depth, depths);
    nc_put_vara_float(id, wave, start, count, waves);
    nc_put_vara_short(id, level, start, count, levels);
    nc_close(id);
}

TEST(LrxToolConvert, ImportCarriesCfVariablesAndNamesWhatItSkips) {
    TempDir dir;
    const std::string foreign = dir.path("ocean.nc");
    writeForeignFile(foreign);
    const std::string imported = dir.path("ocean.gbx");
    const RunResult result = convert(dir, foreign, imported);
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_NE(result.err.find("variable odd has more than three spatial dimensions; skipped"), std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("the unit \"furlongs\" of variable wave is not known"), std::string::npos) << result.err;

    const RunResult sst = runLrx(dir, {"dump", imported, "--item", "sea surface temperature", "--steps", "2:2"});
    ASSERT_EQ(sst.status, 0) << sst.err;
    const std::vector<std::string> lines = linesOf(sst.out);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "time,i,j,x,y,sea surface temperature");
    // Every fifth value of the file is a fill value; the latitudes keep their irregular spacing.
    EXPECT_EQ(lines[1], "2000-01-01T18:00:00,0,0,0.5,10,32");
    EXPECT_EQ(lines[2], "2000-01-01T18:00:00,1,0,1,10,");
    EXPECT_EQ(lines[12], "2000-01-01T18:00:00,3,2,2,13,");
    const RunResult level = runLrx(dir, {"dump", imported, "--item", "level"});
    EXPECT_EQ(level.out, "time,level\n2000-01-01T00:00:00,2\n2000-01-01T06:00:00,\n2000-01-01T18:00:00,3.5\n");
    const RunResult info = runLrx(dir, {"info", imported});
    EXPECT_NE(info.out.find("time axis       4 F_CAL_NEQ_AXIS"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("unit deg C (2400), float"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("axis NeqD2 4 x 3"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("\"wave\"  Undefined (999), unit furlongs"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("\"depth\""), std::string::npos) << info.out;
}

}  // namespace
