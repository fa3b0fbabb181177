// The unit and item-type tables as a whole: sizes, key order and blocks, unambiguous unit
// texts, user units that suit their item types, and which units suit which item types.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "src/units/itemtypetable.h"
#include "src/units/unitlookup.h"
#include "src/units/unittable.h"
#include "vnk/vnk.h"

namespace {

using vnk::Dimension;

std::string folded(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::vector<std::string_view> textsOf(const vnk::UnitDef& unit) {
    std::vector<std::string_view> texts{unit.name};
    std::string_view rest = unit.spellings;
    while (!rest.empty()) {
        const auto bar = rest.find('|');
        texts.push_back(rest.substr(0, bar));
        if (bar == std::string_view::npos) break;
        rest.remove_prefix(bar + 1);
    }
    return texts;
}

TEST(VnkTables, CoverEnoughUnitsAndItemTypes) {
    EXPECT_GE(vnk::unitTable().size(), 80u);
    EXPECT_GE(vnk::itemTypeTable().size(), 40u);
}

TEST(VnkTables, KeysAscendWithoutRepeats) {
    int previous = -1;
    for (const vnk::UnitDef& unit : vnk::unitTable()) {
        EXPECT_GT(unit.key, previous) << unit.name;
        previous = unit.key;
    }
    previous = -1;
    for (const vnk::ItemTypeDef& type : vnk::itemTypeTable()) {
        EXPECT_GT(type.key, previous) << type.name;
        previous = type.key;
    }
}

TEST(VnkTables, EachHundredBlockOfUnitKeysHoldsOneDimension) {
    std::map<int, Dimension> dimensionOfBlock;
    std::map<Dimension, int> blockOfDimension;
    for (const vnk::UnitDef& unit : vnk::unitTable()) {
        const int block = unit.key / 100;
        const auto [byBlock, newBlock] = dimensionOfBlock.emplace(block, unit.dimension);
        const auto [byDimension, newDimension] = blockOfDimension.emplace(unit.dimension, block);
        EXPECT_EQ(byBlock->second, unit.dimension) << unit.name;
        EXPECT_EQ(byDimension->second, block) << unit.name;
    }
}

// Ignoring letter case is safe only when no two texts of the table then read the same.
TEST(VnkTables, NoTwoUnitTextsAreEqualIgnoringCase) {
    std::map<std::string, int> owner;
    for (const vnk::UnitDef& unit : vnk::unitTable()) {
        for (std::string_view text : textsOf(unit)) {
            const auto [it, inserted] = owner.emplace(folded(text), unit.key);
            EXPECT_TRUE(inserted) << "'" << text << "' of unit " << unit.key << " also names unit " << it->second;
        }
    }
}

TEST(VnkTables, EveryItemTypeHasANameAndAUserUnitOfItsDimension) {
    for (const vnk::ItemTypeDef& type : vnk::itemTypeTable()) {
        EXPECT_STRNE(type.name, "") << type.key;
        if (type.dimension == Dimension::Any) continue;
        const vnk::UnitDef* userUnit = vnk::findUnit(type.userUnit);
        ASSERT_NE(userUnit, nullptr) << type.name;
        EXPECT_EQ(userUnit->dimension, type.dimension) << type.name;
    }
}

TEST(VnkTables, EquivalenceFollowsDimensionAndUndefinedTakesEveryUnit) {
    for (const vnk::UnitDef& unit : vnk::unitTable()) {
        EXPECT_NE(vnkItemUnitEqv(999, unit.key), 0) << unit.name;
        const bool isLength = unit.dimension == Dimension::Length;
        for (int lengthType : {100000, 100185, 100186, 100187, 100188})
            EXPECT_EQ(vnkItemUnitEqv(lengthType, unit.key) != 0, isLength) << lengthType << " " << unit.name;
        EXPECT_EQ(vnkItemUnitEqv(100080, unit.key) != 0, unit.dimension == Dimension::AreaPerTime) << unit.name;
    }
    for (const vnk::ItemTypeDef& type : vnk::itemTypeTable()) {
        for (const vnk::UnitDef& unit : vnk::unitTable()) {
            const bool suits = type.dimension == Dimension::Any || type.dimension == unit.dimension;
            ASSERT_EQ(vnkItemUnitEqv(type.key, unit.key) != 0, suits) << type.name << " " << unit.name;
        }
    }
    EXPECT_EQ(vnkItemUnitEqv(999, -1), 0);
    EXPECT_EQ(vnkItemUnitEqv(100000, 999999), 0);
    EXPECT_EQ(vnkItemUnitEqv(-5, 1000), 0);
}

}  // namespace
