// The second part of `lrx check`: recomputes every item's statistics from the values as they
// are stored (the item-wide extremes and delete count, and for files with per-element
// statistics the nine running sums of every element) and compares them with those stored.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "numbertext.h"

namespace lrxtool {

struct StatsMismatch {
    int itemNo = 0;
    int element = -1;  // -1: the item-wide statistics
    std::string what;  // "stored maximum 1.29, the values give 1.3"
};

class StatsRecomputer {
public:
    explicit StatsRecomputer(GbxHeader* header);

    // Adds one time step of item itemNo: count values of its data type as stored.
    void add(int itemNo, const void* values, int64_t count);

    // Compares with the statistics stored in the header; false with the first mismatch.
    bool agree(StatsMismatch* mismatch) const;

private:
    struct ItemSums {
        int dataType = 0;
        double minimum;
        double maximum;
        int64_t deletes = 0;
        std::vector<std::array<double, 9>> elements;  // per-element statistics types only
    };

    bool globalAgrees(int itemNo, const ItemSums& sums, StatsMismatch* mismatch) const;
    bool elementAgrees(int itemNo, int element, const std::array<double, 9>& sums, StatsMismatch* mismatch) const;

    GbxHeader* header_;
    DeleteValues deletes_;
    double none_;  // the double delete value: no value seen yet
    bool perElement_;
    std::vector<ItemSums> items_;
};

}  // namespace lrxtool
