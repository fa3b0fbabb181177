// Writes and reads the same time series with lrx, with plain write(2)/read(2), and with
// netCDF-C (classic 64-bit offset and netCDF-4), in interleaved rounds, and prints the medians
// and the ratios taken within each round. Every run happens in a child process of its own, so
// that its peak memory is its own and no run warms the allocator for the next.
//
// Workloads: "grid" (3 float items of 200 x 200, 1000 steps), "scalar" (10 one-value items,
// 1,000,000 steps), "elements" (1 item of 1000 x 1000, 100 steps, statistics per element) and
// "random" (open, position at a random step of the grid file, read one item; 10,000 times).
//
// Usage: compare_formats [--rounds N] [--scale F] [--folder DIR] [--only WORKLOAD]
//   --scale shrinks the step counts (0.01 for a quick look); DIR holds the files (default /tmp);
//   --only runs one workload (random needs grid's files: it runs them too).
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "lrx/gbx.h"

#ifdef LRX_BENCH_NETCDF
#include <netcdf.h>
#endif

namespace {

struct Workload {
    std::string name;
    std::string file;  // files are named after it; the random reads use the grid's
    int items;
    int nx;
    int ny;
    int steps;
    int statsType;
    int64_t valuesPerItem() const { return static_cast<int64_t>(nx) * ny; }
};

struct Outcome {
    double seconds = 0;
    double checksum = 0;
    long peakKiB = 0;
};

using Run = std::function<double()>;  // returns a checksum

constexpr int kRandomReads = 10000;

void fill(std::vector<float>& values, int step, int item) {
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = static_cast<float>(step % 97) * 0.25f + static_cast<float>(item) + static_cast<float>(i % 13);
}

// ---- lrx ---------------------------------------------------------------------------------

double lrxWrite(const std::string& path, const Workload& w) {
    GbxHeader* header = nullptr;
    gbxHeaderCreate(1, w.name.c_str(), "compare_formats", 1, w.items, w.statsType, &header);
    gbxSetEqTimeAxis(header, 1400, 0, 60, 0);
    for (int item = 1; item <= w.items; ++item) {
        const std::string name = "item " + std::to_string(item);
        gbxSetItemInfo(header, gbxItemD(header, item), 100000, name.c_str(), 1000, 1);
        if (w.valuesPerItem() > 1) gbxSetItemAxisEqD2(gbxItemD(header, item), 1000, w.nx, w.ny, 0, 0, 1, 1);
    }
    GbxFile* file = nullptr;
    if (gbxFileCreate(path.c_str(), header, &file) != 0) std::abort();
    std::vector<float> values(static_cast<std::size_t>(w.valuesPerItem()));
    for (int step = 0; step < w.steps; ++step) {
        for (int item = 0; item < w.items; ++item) {
            fill(values, step, item);
            if (gbxWriteItemTimeStep(header, file, step, values.data()) != 0) std::abort();
        }
    }
    if (gbxFileClose(header, &file) != 0) std::abort();
    gbxHeaderDestroy(&header);
    return 0;
}

double lrxRead(const std::string& path, const Workload& w) {
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    if (gbxFileRead(path.c_str(), &header, &file) != 0) std::abort();
    std::vector<float> values(static_cast<std::size_t>(w.valuesPerItem()));
    double checksum = 0;
    for (int step = 0; step < w.steps; ++step) {
        for (int item = 0; item < w.items; ++item) {
            if (gbxReadItemTimeStep(header, file, nullptr, values.data()) != 0) std::abort();
            checksum += values[values.size() - 1];
        }
    }
    gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
    return checksum;
}

double lrxRandom(const std::string& path, const Workload& w) {
    std::mt19937 pick(7);
    std::vector<float> values(static_cast<std::size_t>(w.valuesPerItem()));
    double checksum = 0;
    for (int i = 0; i < kRandomReads; ++i) {
        GbxHeader* header = nullptr;
        GbxFile* file = nullptr;
        if (gbxFileRead(path.c_str(), &header, &file) != 0) std::abort();
        const int step = static_cast<int>(pick() % static_cast<unsigned>(w.steps));
        if (gbxFindItemDynamic(header, file, step, 1) != 0) std::abort();
        if (gbxReadItemTimeStep(header, file, nullptr, values.data()) != 0) std::abort();
        checksum += values[0];
        gbxFileClose(header, &file);
        gbxHeaderDestroy(&header);
    }
    return checksum;
}

// ---- write(2) and read(2) ------------------------------------------------------------------

// One call per item and step (the whole step of a one-value workload in one call), then one
// fsync, as a program that keeps nothing but its arrays would write them.
double rawWrite(const std::string& path, const Workload& w) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<float> values(static_cast<std::size_t>(w.valuesPerItem()));
    std::vector<float> step(static_cast<std::size_t>(w.items));
    for (int t = 0; t < w.steps; ++t) {
        for (int item = 0; item < w.items; ++item) {
            fill(values, t, item);
            if (w.valuesPerItem() > 1) {
                if (::write(fd, values.data(), values.size() * 4) < 0) std::abort();
            } else {
                step[static_cast<std::size_t>(item)] = values[0];
            }
        }
        if (w.valuesPerItem() == 1 && ::write(fd, step.data(), step.size() * 4) < 0) std::abort();
    }
    ::fsync(fd);
    ::close(fd);
    return 0;
}

double rawRead(const std::string& path, const Workload& w) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    const std::size_t perCall = static_cast<std::size_t>(w.valuesPerItem() > 1 ? w.valuesPerItem() : w.items);
    std::vector<float> values(perCall);
    const int64_t calls = w.valuesPerItem() > 1 ? static_cast<int64_t>(w.steps) * w.items : w.steps;
    double checksum = 0;
    for (int64_t i = 0; i < calls; ++i) {
        if (::read(fd, values.data(), perCall * 4) < 0) std::abort();
        checksum += values[perCall - 1];
    }
    ::close(fd);
    return checksum;
}

double rawRandom(const std::string& path, const Workload& w) {
    std::mt19937 pick(7);
    std::vector<float> values(static_cast<std::size_t>(w.valuesPerItem()));
    const int64_t bytes = w.valuesPerItem() * 4;
    double checksum = 0;
    for (int i = 0; i < kRandomReads; ++i) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        const int step = static_cast<int>(pick() % static_cast<unsigned>(w.steps));
        if (::pread(fd, values.data(), static_cast<std::size_t>(bytes), step * bytes * w.items) < 0) std::abort();
        checksum += values[0];
        ::close(fd);
    }
    return checksum;
}

// ---- netCDF ------------------------------------------------------------------------------

#ifdef LRX_BENCH_NETCDF
void check(int status) {
    if (status != NC_NOERR) {
        std::fprintf(stderr, "netCDF: %s\n", nc_strerror(status));
        std::abort();
    }
}

double ncWrite(const std::string& path, const Workload& w, int format) {
    int nc = 0;
    check(nc_create(path.c_str(), NC_CLOBBER | format, &nc));
    int dims[3];
    check(nc_def_dim(nc, "time", NC_UNLIMITED, &dims[0]));
    const bool grid = w.valuesPerItem() > 1;
    if (grid) {
        check(nc_def_dim(nc, "y", static_cast<size_t>(w.ny), &dims[1]));
        check(nc_def_dim(nc, "x", static_cast<size_t>(w.nx), &dims[2]));
    }
    std::vector<int> vars(static_cast<std::size_t>(w.items));
    for (int item = 0; item < w.items; ++item) {
        const std::string name = "item" + std::to_string(item + 1);
        check(nc_def_var(nc, name.c_str(), NC_FLOAT, grid ? 3 : 1, dims, &vars[static_cast<std::size_t>(item)]));
    }
    check(nc_enddef(nc));
    std::vector<float> values(static_cast<std::size_t>(w.valuesPerItem()));
    for (int t = 0; t < w.steps; ++t) {
        const size_t start[3] = {static_cast<size_t>(t), 0, 0};
        const size_t count[3] = {1, static_cast<size_t>(w.ny), static_cast<size_t>(w.nx)};
        for (int item = 0; item < w.items; ++item) {
            fill(values, t, item);
            check(nc_put_vara_float(nc, vars[static_cast<std::size_t>(item)], start, count, values.data()));
        }
    }
    check(nc_close(nc));
    return 0;
}

double ncRead(const std::string& path, const Workload& w) {
    int nc = 0;
    check(nc_open(path.c_str(), NC_NOWRITE, &nc));
    std::vector<float> values(static_cast<std::size_t>(w.valuesPerItem()));
    double checksum = 0;
    for (int t = 0; t < w.steps; ++t) {
        const size_t start[3] = {static_cast<size_t>(t), 0, 0};
        const size_t count[3] = {1, static_cast<size_t>(w.ny), static_cast<size_t>(w.nx)};
        for (int item = 0; item < w.items; ++item) {
            check(nc_get_vara_float(nc, item, start, count, values.data()));
            checksum += values[values.size() - 1];
        }
    }
    check(nc_close(nc));
    return checksum;
}

double ncRandom(const std::string& path, const Workload& w) {
    std::mt19937 pick(7);
    std::vector<float> values(static_cast<std::size_t>(w.valuesPerItem()));
    double checksum = 0;
    for (int i = 0; i < kRandomReads; ++i) {
        int nc = 0;
        check(nc_open(path.c_str(), NC_NOWRITE, &nc));
        const size_t start[3] = {pick() % static_cast<unsigned>(w.steps), 0, 0};
        const size_t count[3] = {1, static_cast<size_t>(w.ny), static_cast<size_t>(w.nx)};
        check(nc_get_vara_float(nc, 0, start, count, values.data()));
        checksum += values[0];
        check(nc_close(nc));
    }
    return checksum;
}
#endif

// ---- Measuring -----------------------------------------------------------------------------

// Runs `run` in a child process; its time, checksum and peak resident memory come back.
Outcome measure(const Run& run) {
    int channel[2];
    if (::pipe(channel) != 0) std::abort();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const auto begin = std::chrono::steady_clock::now();
        const double checksum = run();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        const double result[2] = {seconds, checksum};
        if (::write(channel[1], result, sizeof result) != sizeof result) ::_exit(2);
        ::_exit(0);
    }
    ::close(channel[1]);
    double result[2] = {0, 0};
    const bool complete = ::read(channel[0], result, sizeof result) == sizeof result;
    ::close(channel[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    if (!complete || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "a run failed\n");
        std::exit(1);
    }
    return {result[0], result[1], usage.ru_maxrss};
}

struct Case {
    std::string workload;
    std::string operation;  // write, read, random
    std::string format;     // lrx, raw, nc-classic, nc4
    Run run;
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::vector<Case> cases(const std::vector<Workload>& workloads, const std::string& folder) {
    std::vector<Case> all;
    for (const Workload& w : workloads) {
        const std::string base = folder + "/compare-" + w.file;
        const bool random = w.name == "random";
        const Workload& data = w;
        auto add = [&](const std::string& format, const std::string& extension, std::function<double(const std::string&, const Workload&)> write,
                       std::function<double(const std::string&, const Workload&)> read) {
            const std::string path = base + extension;
            if (!random) all.push_back({w.name, "write", format, [=] { return write(path, data); }});
            if (!random || format != "nc4") all.push_back({w.name, random ? "random" : "read", format, [=] { return read(path, data); }});
        };
        add("lrx", ".gbx", lrxWrite, random ? lrxRandom : lrxRead);
        add("raw", ".raw", rawWrite, random ? rawRandom : rawRead);
#ifdef LRX_BENCH_NETCDF
        add("nc-classic", ".nc", [](const std::string& p, const Workload& x) { return ncWrite(p, x, NC_64BIT_OFFSET); },
            random ? ncRandom : ncRead);
        if (!random)
            add("nc4", ".nc4", [](const std::string& p, const Workload& x) { return ncWrite(p, x, NC_NETCDF4); }, ncRead);
#endif
    }
    return all;
}

void printTable(const std::vector<Case>& all, const std::vector<std::vector<Outcome>>& rounds) {
    std::printf("\n%-9s %-7s %-11s %10s %10s %12s %12s\n", "workload", "op", "format", "median s", "peak MiB",
                "lrx/this", "(per round)");
    for (std::size_t c = 0; c < all.size(); ++c) {
        std::vector<double> seconds, ratios;
        long peak = 0;
        for (const auto& round : rounds) {
            seconds.push_back(round[c].seconds);
            peak = std::max(peak, round[c].peakKiB);
            for (std::size_t l = 0; l < all.size(); ++l) {
                if (all[l].workload == all[c].workload && all[l].operation == all[c].operation && all[l].format == "lrx")
                    ratios.push_back(round[l].seconds / round[c].seconds);
            }
        }
        std::string perRound;
        for (double ratio : ratios)
            perRound += (perRound.empty() ? "" : " ") + std::to_string(ratio).substr(0, 4);
        std::printf("%-9s %-7s %-11s %10.3f %10.1f %12.2f   %s\n", all[c].workload.c_str(), all[c].operation.c_str(),
                    all[c].format.c_str(), median(seconds), peak / 1024.0, median(ratios), perRound.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    int roundCount = 3;
    double scale = 1.0;
    std::string folder = "/tmp";
    std::string only;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--rounds") roundCount = std::max(1, std::atoi(argv[i + 1]));
        if (option == "--scale") scale = std::atof(argv[i + 1]);
        if (option == "--folder") folder = argv[i + 1];
        if (option == "--only") only = argv[i + 1];
    }
    auto steps = [&](int n) { return std::max(2, static_cast<int>(n * scale)); };
    std::vector<Workload> workloads = {
        {"grid", "grid", 3, 200, 200, steps(1000), 1},
        {"scalar", "scalar", 10, 1, 1, steps(1000000), 1},
        {"elements", "elements", 1, 1000, 1000, steps(100), 2},
        {"random", "grid", 3, 200, 200, steps(1000), 1},
    };
    if (!only.empty()) {
        std::erase_if(workloads, [&](const Workload& w) { return w.name != only && !(only == "random" && w.name == "grid"); });
    }
#ifndef LRX_BENCH_NETCDF
    std::printf("netCDF-C was not found at build time: comparing with write(2)/read(2) only.\n");
#endif
    const std::vector<Case> all = cases(workloads, folder);
    std::vector<std::vector<Outcome>> rounds;
    for (int r = 0; r < roundCount; ++r) {
        std::vector<Outcome> round(all.size());
        // The random reads come last and use the grid files of the round.
        for (std::size_t c = 0; c < all.size(); ++c) {
            round[c] = measure(all[c].run);
            std::fprintf(stderr, "round %d %-8s %-6s %-10s %8.3f s\n", r + 1, all[c].workload.c_str(),
                         all[c].operation.c_str(), all[c].format.c_str(), round[c].seconds);
        }
        rounds.push_back(round);
    }
    printTable(all, rounds);
    for (const char* extension : {".gbx", ".raw", ".nc", ".nc4"}) {
        for (const Workload& w : workloads)
            std::remove((folder + "/compare-" + w.file + extension).c_str());
    }
    return 0;
}
