// Speed of `lrx convert` to netCDF: a grid of 480 MB (one float item on 1000 x 1000 cells,
// 120 time steps) is converted by the tool, and the time is set against the least that such a
// conversion needs: an lrx read of the file plus a netCDF-C write of the same values (netCDF-4,
// one time step per chunk, as the tool writes). Seven rounds each time the baseline and the
// tool back to back on a warm page cache, every run starting with nothing left to write back.
// The figure is the ratio of the best times, which other work on the machine disturbs least;
// the median and range of the rounds' own ratios show how much it did. The target is at most
// 1.5.
//   convert_bench [FOLDER]   (default: a new folder below the system's temporary folder)
#include <lrx/gbx.h>
#include <netcdf.h>
#include <vnk/vnk.h>

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kNx = 1000;
constexpr int kNy = 1000;
constexpr int kSteps = 120;
constexpr int kRounds = 7;

void fail(const char* what, int code) {
    std::fprintf(stderr, "convert_bench: %s failed (%d)\n", what, code);
    std::exit(1);
}

void fillStep(std::vector<float>& grid, int step, float deleteValue) {
    for (int j = 0; j < kNy; ++j) {
        for (int i = 0; i < kNx; ++i) {
            const bool land = i < 100 && j < 100;
            grid[static_cast<std::size_t>(j) * kNx + i] =
                land ? deleteValue : static_cast<float>(std::sin(0.01 * i + 0.1 * step) + 0.001 * j);
        }
    }
}

void writeGrid(const std::string& path) {
    GbxHeader* header = nullptr;
    int code = gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "Benchmark grid", "convert_bench", 1, 1, 1, &header);
    if (code == 0) code = gbxSetEqCalendarAxis(header, "2026-01-01", "00:00:00", VNK_UNIT_SECOND, 0.0, 600.0, 0);
    GbxItem* item = gbxItemD(header, 1);
    if (code == 0) code = gbxSetItemInfo(header, item, VNK_ITEM_LEVEL, "Water level", VNK_UNIT_METRE, LRX_FLOAT);
    if (code == 0) code = gbxSetItemAxisEqD2(item, VNK_UNIT_METRE, kNx, kNy, 0.0f, 0.0f, 50.0f, 50.0f);
    GbxFile* file = nullptr;
    if (code == 0) code = gbxFileCreate(path.c_str(), header, &file);
    std::vector<float> grid(static_cast<std::size_t>(kNx) * kNy);
    for (int step = 0; step < kSteps && code == 0; ++step) {
        fillStep(grid, step, gbxGetDeleteValFloat(header));
        code = gbxWriteItemTimeStep(header, file, step * 600.0, grid.data());
    }
    if (file != nullptr) gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
    if (code != 0) fail("writing the benchmark grid", code);
}

// The netCDF file that the baseline writes: the variable as the tool defines it.
struct NcTarget {
    int id = -1, time = -1, values = -1;
    explicit NcTarget(const std::string& path) {
        int dims[3];
        check(nc_create(path.c_str(), NC_NETCDF4 | NC_CLOBBER, &id));
        check(nc_def_dim(id, "time", NC_UNLIMITED, &dims[0]));
        check(nc_def_dim(id, "y", kNy, &dims[1]));
        check(nc_def_dim(id, "x", kNx, &dims[2]));
        check(nc_def_var(id, "time", NC_DOUBLE, 1, dims, &time));
        check(nc_def_var(id, "Water_level", NC_FLOAT, 3, dims, &values));
        const std::size_t chunks[3] = {1, kNy, kNx};
        check(nc_def_var_chunking(id, values, NC_CHUNKED, chunks));
        const float fill = -1e-35f;
        check(nc_put_att_float(id, values, "_FillValue", NC_FLOAT, 1, &fill));
        check(nc_enddef(id));
    }
    void put(int step, const float* grid) {
        const std::size_t at = static_cast<std::size_t>(step);
        const double seconds = step * 600.0;
        check(nc_put_var1_double(id, time, &at, &seconds));
        const std::size_t start[3] = {at, 0, 0}, count[3] = {1, kNy, kNx};
        check(nc_put_vara_float(id, values, start, count, grid));
    }
    void close() { check(nc_close(id)); }
    static void check(int status) {
        if (status != NC_NOERR) fail(nc_strerror(status), status);
    }
};

// Reads every time step through the data-file API, handing each to write when it is given.
void readGrid(const std::string& path, const std::function<void(int, const float*)>& write) {
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    int code = gbxFileRead(path.c_str(), &header, &file);
    std::vector<float> grid(static_cast<std::size_t>(kNx) * kNy);
    for (int step = 0; step < kSteps && code == 0; ++step) {
        code = gbxReadItemTimeStep(header, file, nullptr, grid.data());
        if (code == 0 && write) write(step, grid.data());
    }
    if (file != nullptr) gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
    if (code != 0) fail("reading the benchmark grid", code);
}

// Times one run. Data that earlier runs left for the disk are written out first, so that no
// run is slowed by the write-back of another.
double seconds(const std::function<void()>& run) {
    ::sync();
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const bool ownFolder = argc < 2;
    const fs::path folder =
        ownFolder ? fs::temp_directory_path() / ("lrx-convert-bench-" + std::to_string(::getpid())) : fs::path(argv[1]);
    fs::create_directories(folder);
    const std::string grid = (folder / "grid.gbx").string();
    const std::string baseline = (folder / "baseline.nc").string();
    const std::string converted = (folder / "converted.nc").string();
    writeGrid(grid);
    const double megabytes = static_cast<double>(fs::file_size(grid)) / 1e6;

    const std::string command = std::string(LRX_TOOL_PATH) + " convert --quiet '" + grid + "' '" + converted + "'";
    double read = 1e300, readAndWrite = 1e300, convert = 1e300;
    std::vector<double> ratios;
    for (int round = 0; round < kRounds; ++round) {
        read = std::min(read, seconds([&] { readGrid(grid, nullptr); }));
        const double baselineRun = seconds([&] {
            NcTarget target(baseline);
            readGrid(grid, [&target](int step, const float* v) { target.put(step, v); });
            target.close();
        });
        const double convertRun = seconds([&] {
            if (std::system(command.c_str()) != 0) fail("lrx convert", 1);
        });
        readAndWrite = std::min(readAndWrite, baselineRun);
        convert = std::min(convert, convertRun);
        ratios.push_back(convertRun / baselineRun);
    }
    std::sort(ratios.begin(), ratios.end());

    std::printf("benchmark grid                     %.0f MB (%d x %d floats, %d time steps)\n", megabytes, kNx, kNy,
                kSteps);
    std::printf("lrx read                           best %.3f s (%.0f MB/s)\n", read, megabytes / read);
    std::printf("lrx read + netCDF-C write          best %.3f s\n", readAndWrite);
    std::printf("lrx convert                        best %.3f s\n", convert);
    std::printf("ratio convert / (read + write)     %.2f (target: at most 1.5)\n", convert / readAndWrite);
    std::printf("ratios of the rounds               median %.2f, from %.2f to %.2f in %d rounds\n",
                ratios[ratios.size() / 2], ratios.front(), ratios.back(), kRounds);
    std::error_code error;
    if (ownFolder) fs::remove_all(folder, error);
    return 0;
}
