// The statistics update against the rule it implements, value by value: random steps of every
// data type with delete values, zeros of both signs, infinities and NaN must give the same
// bits in every figure, for the item and for each element.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "src/gbx/common/gbxformat.h"
#include "src/gbx/header/gbxheader.h"
#include "src/gbx/items/gbxitemstats.h"

namespace {

// The rule: an extreme equal to the delete value is unset and taken by the next valid value.
void takeMaximum(double& extreme, double value, double D) {
    if (extreme == D || value >= extreme) extreme = value;
}
void takeMinimum(double& extreme, double value, double D) {
    if (extreme == D || value <= extreme) extreme = value;
}

struct Figures {
    double maximum, minimum, deletes;
    std::vector<double> entries;  // 9 per element
};

void addByRule(Figures& f, bool deleted, double value, double D, double* e) {
    if (deleted) {
        f.deletes += 1.0;
        if (e != nullptr) {
            e[GBX_STAT_DELETE_COUNT] += 1.0;
            e[GBX_STAT_PREVIOUS] = D;
        }
        return;
    }
    if (e != nullptr) {
        takeMaximum(e[GBX_STAT_MAXIMUM], value, D);
        takeMinimum(e[GBX_STAT_MINIMUM], value, D);
        e[GBX_STAT_SUM] += value;
        e[GBX_STAT_SUM_OF_SQUARES] += value * value;
        e[GBX_STAT_VALID_COUNT] += 1.0;
        if (e[GBX_STAT_PREVIOUS] != D) {
            e[GBX_STAT_SUM_OF_PAIR_PRODUCTS] += value * e[GBX_STAT_PREVIOUS];
            e[GBX_STAT_PAIR_COUNT] += 1.0;
        }
        e[GBX_STAT_PREVIOUS] = value;
    }
    takeMaximum(f.maximum, value, D);
    takeMinimum(f.minimum, value, D);
}

bool sameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Values of a kind: 0 ordinary ones; 1 zeros of both signs with negatives, so that a zero is the
// maximum; 2 the same with positives for the minimum; 3 infinities and NaN among them.
template <typename T>
T pick(std::mt19937& random, T deleteValue, int kind) {
    const auto ordinary = static_cast<T>(static_cast<int>(random() % 2001) - 1000) / T(8);
    const T zero = kind == 1 && (random() & 1) != 0 && std::is_floating_point_v<T> ? -T(0) : T(0);
    switch (random() % 5) {
        case 0:
            return deleteValue;
        case 1:
            if (kind == 1 || kind == 2) return zero;
            if (kind == 3 && std::is_floating_point_v<T>) return std::numeric_limits<T>::infinity();
            return ordinary;
        case 2:
            if (kind == 3 && std::is_floating_point_v<T>) return std::numeric_limits<T>::quiet_NaN();
            return kind == 1 || kind == 2 ? -zero : ordinary;
        default:
            if (kind == 1) return ordinary > T(0) ? T(-1) * ordinary : ordinary;
            if (kind == 2) return ordinary < T(0) ? T(-1) * ordinary : ordinary;
            return ordinary;
    }
}

template <typename T>
void compareWithRule(int dataType, int statsType, int kind) {
    SCOPED_TRACE(testing::Message() << "data type " << dataType << ", statistics type " << statsType
                                    << ", values of kind " << kind);
    constexpr int kElements = 37;
    GbxHeader* header = nullptr;
    ASSERT_EQ(gbxHeaderCreate(F_EQTIME_FIXEDSPACE_ALLITEMS, "stats", "test", 1, 1, statsType, &header), 0);
    gbxSetItemInfo(header, gbxItemD(header, 1), 100000, "x", 1000, dataType);
    gbxSetItemAxisEqD1(gbxItemD(header, 1), 1000, kElements, 0, 1);
    GbxItem* item = gbxItemD(header, 1);
    const double D = header->deleteValueDouble;
    T deleteValue{};
    std::memcpy(&deleteValue, dataType == LRX_FLOAT    ? static_cast<const void*>(&header->deleteValueFloat)
                              : dataType == LRX_DOUBLE ? static_cast<const void*>(&header->deleteValueDouble)
                              : dataType == LRX_BYTE   ? static_cast<const void*>(&header->deleteValueByte)
                              : dataType == LRX_INT4   ? static_cast<const void*>(&header->deleteValueInt)
                                                       : static_cast<const void*>(&header->deleteValueUnsigned),
                sizeof deleteValue);
    Figures rule{item->maxValue, item->minValue, item->deleteCount,
                 std::vector<double>(item->elementStats != nullptr ? item->elementStats : nullptr,
                                     item->elementStats != nullptr ? item->elementStats + kElements * 9 : nullptr)};
    std::mt19937 random(static_cast<unsigned>(dataType * 10 + statsType));
    for (int step = 0; step < 40; ++step) {
        std::vector<T> values(kElements);
        for (T& value : values)
            value = pick(random, deleteValue, kind);
        ASSERT_EQ(gbxCalcStatistics(header, 1, values.data()), 0);
        for (int i = 0; i < kElements; ++i)
            addByRule(rule, values[i] == deleteValue, static_cast<double>(values[i]), D,
                      rule.entries.empty() ? nullptr : &rule.entries[i * 9]);
        ASSERT_TRUE(sameBits(item->maxValue, rule.maximum)) << "step " << step;
        ASSERT_TRUE(sameBits(item->minValue, rule.minimum)) << "step " << step;
        ASSERT_TRUE(sameBits(item->deleteCount, rule.deletes)) << "step " << step;
        for (std::size_t k = 0; k < rule.entries.size(); ++k)
            ASSERT_TRUE(sameBits(item->elementStats[k], rule.entries[k])) << "step " << step << " entry " << k;
    }
    gbxHeaderDestroy(&header);
}

TEST(GbxStatsUpdate, EveryFigureHasTheBitsOfTheValueByValueRule) {
    for (int statsType : {1, 2}) {
        for (int kind = 0; kind < 4; ++kind) {
            compareWithRule<float>(LRX_FLOAT, statsType, kind);
            compareWithRule<double>(LRX_DOUBLE, statsType, kind);
            compareWithRule<int8_t>(LRX_BYTE, statsType, kind);
            compareWithRule<int32_t>(LRX_INT4, statsType, kind);
            compareWithRule<uint32_t>(LRX_UINT4, statsType, kind);
        }
    }
}

}  // namespace
