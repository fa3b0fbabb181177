// Legacy pairs for the tests: pairs assembled byte by byte (in either byte order), pairs
// written through the library, and the header and file handles they give.
#pragma once

#include <array>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "src/gbx/header/gbxheader.h"
#include "support/tempfiles.h"

namespace legacytest {

using lrxtest::Bytes;

struct HeaderDeleter {
    void operator()(GbxHeader* header) const { gbxHeaderDestroy(&header); }
};
using HeaderPtr = std::unique_ptr<GbxHeader, HeaderDeleter>;

// A header and its file, closed (when still open) and destroyed at the end of the scope.
struct Opened {
    int code = -99;
    HeaderPtr header;
    GbxFile* file = nullptr;
    Opened() = default;
    Opened(Opened&& other) noexcept
        : code(other.code), header(std::move(other.header)), file(std::exchange(other.file, nullptr)) {}
    ~Opened() {
        if (file != nullptr) gbxFileClose(header.get(), &file);
    }
};

inline Opened openPair(const std::string& path) {
    Opened opened;
    GbxHeader* header = nullptr;
    opened.code = gbxFileRead(path.c_str(), &header, &opened.file);
    opened.header.reset(header);
    return opened;
}

// The contents of a pair: words[k] is word k of the header file.
struct Pair {
    std::array<float, 151> words{};
    std::string title = "a legacy pair", timeUnit = "sec", axisUnit = "metre";
    std::vector<std::string> names;
    std::vector<std::vector<float>> records;
};

inline float recordValue(int record, int k) {
    return static_cast<float>(record * 10 + k);
}

// A 1-D pair of 4 values per record: items 3, static records 2, time steps 3, start 0, step 60
// seconds. Record r holds r * 10 + k at position k.
inline Pair onePair(int items = 3, int statics = 2, int steps = 3) {
    Pair pair;
    float* w = pair.words.data();
    w[4] = static_cast<float>(steps - 1);
    w[6] = 60;
    w[7] = static_cast<float>(items);
    w[8] = 1;
    w[9] = 7;
    w[10] = -1e-35f;
    w[11] = static_cast<float>(statics);
    w[12] = 100;
    w[20] = 3;
    w[28] = 2.5f;
    for (int i = 0; i < items; ++i) {
        pair.names.push_back("item " + std::to_string(i + 1));
        w[32 + 7 * i] = static_cast<float>(-i);
        w[33 + 7 * i] = static_cast<float>(i + 10);
    }
    for (int r = 1; r <= statics + items * steps; ++r)
        pair.records.push_back({recordValue(r, 0), recordValue(r, 1), recordValue(r, 2), recordValue(r, 3)});
    return pair;
}

inline void putWord(Bytes& out, const void* word, bool swapped) {
    unsigned char bytes[4];
    std::memcpy(bytes, word, 4);
    for (int i = 0; i < 4; ++i)
        out.push_back(bytes[swapped ? 3 - i : i]);
}

inline void putField(Bytes& out, const std::string& text, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i)
        out.push_back(i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
}

inline Bytes headerFileBytes(const Pair& pair, bool swapped) {
    Bytes out;
    const int32_t first = 600;
    const int32_t second = 436;
    putWord(out, &first, swapped);
    for (int k = 1; k <= 150; ++k)
        putWord(out, &pair.words[k], swapped);
    putWord(out, &first, swapped);
    putWord(out, &second, swapped);
    putField(out, pair.title, 40);
    putField(out, "", 6);
    putField(out, pair.timeUnit, 10);
    putField(out, pair.axisUnit, 40);
    for (int i = 0; i < 17; ++i)
        putField(out, i < static_cast<int>(pair.names.size()) ? pair.names[i] : "", 20);
    putWord(out, &second, swapped);
    return out;
}

inline Bytes dataFileBytes(const Pair& pair, bool swapped) {
    Bytes out;
    for (const std::vector<float>& record : pair.records) {
        for (const float& value : record)
            putWord(out, &value, swapped);
    }
    return out;
}

// Writes base.ctN and base.dtN; returns the path of the data file.
inline std::string writePair(const std::string& base, const Pair& pair, bool swapped = false) {
    const std::string digit = std::to_string(static_cast<int>(pair.words[8]));
    lrxtest::writeBytes(base + ".ct" + digit, headerFileBytes(pair, swapped));
    lrxtest::writeBytes(base + ".dt" + digit, dataFileBytes(pair, swapped));
    return base + ".dt" + digit;
}

// Word k of a header file as the machine reads it.
inline float wordOf(const Bytes& headerFile, int k) {
    float word = 0;
    std::memcpy(&word, headerFile.data() + 4 * k, 4);
    return word;
}

// A header for writing: file type 1, items float items of item type 999 on one equidistant
// 1-D axis of nx cells, time axis in seconds.
inline HeaderPtr newHeader(int items, int nx) {
    GbxHeader* header = nullptr;
    gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "written pair", "test", 1, items, 1, &header);
    for (int i = 1; i <= items; ++i) {
        GbxItem* item = gbxItemD(header, i);
        gbxSetItemInfo(header, item, 999, ("item " + std::to_string(i)).c_str(), 0, LRX_FLOAT);
        gbxSetItemAxisEqD1(item, 1000, nx, 5.0f, 0.5f);
    }
    gbxSetEqTimeAxis(header, 1400, 0.0, 60.0, 0);
    return HeaderPtr(header);
}

// Writes count records of values through the time-step call; returns the first failure.
inline int writeItems(GbxHeader* header, GbxFile* file, int count, const std::vector<float>& values) {
    for (int i = 0; i < count; ++i) {
        if (const int code = gbxWriteItemTimeStep(header, file, 0.0, values.data())) return code;
    }
    return 0;
}

}  // namespace legacytest
