// Speed of the record stream: writing and reading typed records and logical blocks, and
// skipping over records without reading their values.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "src/lrx/lrxblock.h"
#include "src/lrx/lrxrecord.h"

namespace {

int32_t benchKind(int32_t* version) {
    *version = 1;
    return 0x48434E42;
}

std::string benchPath() {
    return "/tmp/lrx-bench-" + std::to_string(::getpid()) + ".dat";
}

// A file of `records` float records of `values` values each.
void writeRecords(const std::string& path, int records, int values) {
    LrxFile* file = nullptr;
    lrxFileOpenCreate(path.c_str(), nullptr, &file, benchKind);
    const std::vector<float> data(static_cast<size_t>(values), 1.5f);
    for (int i = 0; i < records; ++i)
        lrxRecordWrite(file, LRX_FLOAT, values, data.data());
    lrxFileClose(&file);
}

void WriteFloatRecords(benchmark::State& state) {
    const int values = static_cast<int>(state.range(0));
    const std::string path = benchPath();
    for (auto _ : state)
        writeRecords(path, 1000, values);
    state.SetBytesProcessed(state.iterations() * 1000 * values * 4);
    ::unlink(path.c_str());
}
BENCHMARK(WriteFloatRecords)->Arg(1)->Arg(100)->Arg(10000);

void ReadFloatRecords(benchmark::State& state) {
    const int values = static_cast<int>(state.range(0));
    const std::string path = benchPath();
    writeRecords(path, 1000, values);
    std::vector<float> buffer(static_cast<size_t>(values));
    for (auto _ : state) {
        LrxFile* file = nullptr;
        int32_t tag = 0;
        lrxFileOpenRead(path.c_str(), &file, benchKind, &tag);
        for (int i = 0; i < 1000; ++i)
            lrxRecordRead(file, LRX_FLOAT, static_cast<unsigned>(values), buffer.data());
        lrxFileClose(&file);
    }
    state.SetBytesProcessed(state.iterations() * 1000 * values * 4);
    ::unlink(path.c_str());
}
BENCHMARK(ReadFloatRecords)->Arg(1)->Arg(100)->Arg(10000);

void SkipRecords(benchmark::State& state) {
    const std::string path = benchPath();
    writeRecords(path, 1000, 100);
    for (auto _ : state) {
        LrxFile* file = nullptr;
        int32_t tag = 0;
        lrxFileOpenRead(path.c_str(), &file, benchKind, &tag);
        while (lrxSkip(file) > 0) {
        }
        lrxFileClose(&file);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
    ::unlink(path.c_str());
}
BENCHMARK(SkipRecords);

void ReadBlocks(benchmark::State& state) {
    const std::string path = benchPath();
    {
        LrxFile* file = nullptr;
        lrxFileOpenCreate(path.c_str(), nullptr, &file, benchKind);
        const std::vector<double> values(10, 2.0);
        LrxLrec* chain = lrxLrecCreate(LRX_DOUBLE, 10, values.data(), 1, nullptr);
        lrxLrecCreate(LRX_INT4, 2, values.data(), 1, chain);
        for (int i = 0; i < 1000; ++i)
            lrxBlockWrite(static_cast<uint16_t>(i), file, chain);
        lrxLrecChainFree(&chain);
        lrxFileClose(&file);
    }
    for (auto _ : state) {
        LrxFile* file = nullptr;
        int32_t tag = 0;
        lrxFileOpenRead(path.c_str(), &file, benchKind, &tag);
        for (int i = 0; i < 1000; ++i) {
            LrxLrec* chain = nullptr;
            int records = 0;
            lrxBlockRead(file, &records, &chain);
            lrxLrecChainFree(&chain);
        }
        lrxFileClose(&file);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
    ::unlink(path.c_str());
}
BENCHMARK(ReadBlocks);

}  // namespace

BENCHMARK_MAIN();
