// Speed of loading cross-section tables: a file of 100,000 sections written in random key
// order, loaded with and without its point sets. The load sorts once and holds the table by
// index, so its cost grows as n log n.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "lrx/csn.h"

namespace {

constexpr int kSections = 100000;

std::string benchPath() {
    return "/tmp/lrx-bench-" + std::to_string(::getpid()) + ".csn";
}

// Sections named by river and station in shuffled order, each with 8 raw points, 2 selected
// values and 4 processed rows.
void writeSectionFile(const std::string& path) {
    std::vector<int> order(kSections);
    for (int i = 0; i < kSections; ++i)
        order[static_cast<size_t>(i)] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(42));
    LrxFile* file = nullptr;
    csnFileOpenCreate(path.c_str(), &file);
    for (int i : order) {
        const std::string river = "river " + std::to_string(i % 97);
        const std::string station = "km " + std::to_string(i / 97);
        CsnXsecRecord* section = csnXsecCreate(river.c_str(), i * 0.25, station.c_str());
        csnXsecSetNoRaw(section, 8);
        csnXsecSetNoSel(section, 2);
        csnXsecSetNoPrc(section, 4);
        csnXsecWrite(section, file);
        csnXsecFree(&section);
    }
    csnFileClose(&file);
}

void LoadTable(benchmark::State& state) {
    const std::string path = benchPath();
    writeSectionFile(path);
    const int flags = static_cast<int>(state.range(0));
    for (auto _ : state) {
        CsnXsecTable* table = nullptr;
        if (csnXsecTableLoad(path.c_str(), &table, flags) != 0) state.SkipWithError("load failed");
        csnXsecTableFree(&table);
    }
    state.SetItemsProcessed(state.iterations() * kSections);
    ::unlink(path.c_str());
}
BENCHMARK(LoadTable)->ArgName("flags")->Arg(0)->Arg(CSN_LOAD_NO_POINTS)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
