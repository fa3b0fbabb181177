// Cross-section files for the tests: sections and tables that free themselves, and writers
// of files from sections or from hand-made blocks (older or damaged files).
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "lrx/csn.h"
#include "src/lrx/lrxblock.h"
#include "support/tempfiles.h"

namespace lrxtest {

struct SectionFree {
    void operator()(CsnXsecRecord* section) const { csnXsecFree(&section); }
};
using SectionPtr = std::unique_ptr<CsnXsecRecord, SectionFree>;

struct TableFree {
    void operator()(CsnXsecTable* table) const { csnXsecTableFree(&table); }
};
using TablePtr = std::unique_ptr<CsnXsecTable, TableFree>;

inline SectionPtr makeSection(const char* key1, double position, const char* key2, const char* extra = nullptr) {
    return SectionPtr(csnXsecCreateEx(key1, position, key2, extra));
}

inline void writeSections(const std::string& path, const std::vector<CsnXsecRecord*>& sections) {
    LrxFile* file = nullptr;
    ASSERT_EQ(csnFileOpenCreate(path.c_str(), &file), 0);
    for (CsnXsecRecord* section : sections)
        ASSERT_EQ(csnXsecWrite(section, file), 0);
    ASSERT_EQ(csnFileClose(&file), 0);
}

inline TablePtr loadTable(const std::string& path, int flags = 0, int* code = nullptr) {
    CsnXsecTable* table = nullptr;
    const int result = csnXsecTableLoad(path.c_str(), &table, flags);
    if (code != nullptr) *code = result;
    return TablePtr(table);
}

struct RawRecord {
    int type;
    int count;
    Bytes values;
};

template <typename T>
RawRecord record(int type, const std::vector<T>& values) {
    Bytes bytes(values.size() * sizeof(T));
    if (!bytes.empty()) std::memcpy(bytes.data(), values.data(), bytes.size());
    return {type, static_cast<int>(values.size()), bytes};
}

inline RawRecord textRecord(const std::string& text) {
    return {LRX_BYTE, static_cast<int>(text.size()), Bytes(text.begin(), text.end())};
}

struct RawBlock {
    uint16_t id;
    std::vector<RawRecord> records;
};

// A file of the cross-section kind created by application version `version`.
inline void writeBlocks(const std::string& path, int32_t version, const std::vector<RawBlock>& blocks) {
    static int32_t fileVersion;
    fileVersion = version;
    LrxFile* file = nullptr;
    const auto kind = [](int32_t* v) -> int32_t {
        *v = fileVersion;
        return 0x5F4E5343;  // "CSN_"
    };
    ASSERT_EQ(lrxFileOpenCreate(path.c_str(), nullptr, &file, kind), 0);
    for (const RawBlock& block : blocks) {
        LrxLrec* chain = nullptr;
        for (const RawRecord& r : block.records) {
            LrxLrec* node = lrxLrecCreate(r.type, r.count, r.values.data(), 1, chain);
            if (chain == nullptr) chain = node;
        }
        lrxBlockWrite(block.id, file, chain);
        lrxLrecChainFree(&chain);
    }
    ASSERT_EQ(lrxFileClose(&file), 0);
}

// A 257 block; without extra text when extra is null.
inline RawBlock textsBlock(const std::string& key1, double position, const std::string& key2,
                           const char* extra = "x") {
    RawBlock block{257, {textRecord(key1), record(LRX_DOUBLE, std::vector<double>{position}), textRecord(key2)}};
    if (extra != nullptr) block.records.push_back(textRecord(extra));
    return block;
}

// A 258 block of `codes` codes and `values` values, each numbered from 1.
inline RawBlock codesBlock(int codes, int values) {
    std::vector<uint16_t> c;
    std::vector<double> v;
    for (int i = 1; i <= codes; ++i)
        c.push_back(static_cast<uint16_t>(i));
    for (int i = 1; i <= values; ++i)
        v.push_back(i);
    return {258, {record(LRX_UINT2, c), record(LRX_DOUBLE, v)}};
}

}  // namespace lrxtest
