// Speed of the data-file layer: opening a file whose header holds very many custom blocks,
// and closing it again after an edit, both of which must stay linear in the number of blocks.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

#include "lrx/gbx.h"

namespace {

std::string benchPath() {
    return "/tmp/lrx-bench-" + std::to_string(::getpid()) + ".gbx";
}

// A data file of one item whose header carries `blocks` small custom blocks.
void writeCustomBlockFile(const std::string& path, int blocks) {
    GbxHeader* header = nullptr;
    gbxHeaderCreate(1, "custom blocks", "bench", 1, 1, 1, &header);
    gbxSetEqTimeAxis(header, 1400, 0, 60, 0);
    gbxSetItemInfo(header, gbxItemD(header, 1), 100000, "level", 1000, 1);
    for (int i = 0; i < blocks; ++i) {
        const std::string name = "block " + std::to_string(i);
        gbxAddCustomBlock(header, 4, name.c_str(), 1, &i);
    }
    GbxFile* file = nullptr;
    gbxFileCreate(path.c_str(), header, &file);
    gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
}

void OpenFileWithManyCustomBlocks(benchmark::State& state) {
    const std::string path = benchPath();
    writeCustomBlockFile(path, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        GbxHeader* header = nullptr;
        GbxFile* file = nullptr;
        gbxFileRead(path.c_str(), &header, &file);
        gbxFileClose(header, &file);
        gbxHeaderDestroy(&header);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    ::unlink(path.c_str());
}
BENCHMARK(OpenFileWithManyCustomBlocks)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

void EditAndCloseFileWithManyCustomBlocks(benchmark::State& state) {
    const std::string path = benchPath();
    writeCustomBlockFile(path, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        GbxHeader* header = nullptr;
        GbxFile* file = nullptr;
        gbxFileEdit(path.c_str(), &header, &file);
        gbxFileClose(header, &file);
        gbxHeaderDestroy(&header);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    ::unlink(path.c_str());
}
BENCHMARK(EditAndCloseFileWithManyCustomBlocks)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
