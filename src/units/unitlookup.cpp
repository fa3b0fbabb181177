// Lookups over the unit and item-type tables. Reads only the two tables.
#include "src/units/unitlookup.h"

#include <algorithm>

namespace vnk {
namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

// ASCII only: the non-ASCII bytes of symbols such as the degree sign compare as they are.
char foldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return foldCase(x) == foldCase(y); });
}

bool spellingsContain(std::string_view spellings, std::string_view text) {
    while (!spellings.empty()) {
        const auto bar = spellings.find('|');
        if (equalIgnoringCase(spellings.substr(0, bar), text)) return true;
        if (bar == std::string_view::npos) break;
        spellings.remove_prefix(bar + 1);
    }
    return false;
}

// A plain loop: the tables are short, and the range algorithms would leave a global object
// of the standard library in the exports of the shared library.
template <typename Def>
const Def* findByKey(std::span<const Def> table, int key) {
    for (const Def& def : table) {
        if (def.key == key) return &def;
    }
    return nullptr;
}

}  // namespace

const UnitDef* findUnit(int key) {
    return findByKey(unitTable(), key);
}

const ItemTypeDef* findItemType(int key) {
    return findByKey(itemTypeTable(), key);
}

const UnitDef* findUnitByText(std::string_view text) {
    const std::string_view wanted = trimBlanks(text);
    if (wanted.empty()) return nullptr;
    for (const UnitDef& unit : unitTable()) {
        if (equalIgnoringCase(unit.name, wanted) || spellingsContain(unit.spellings, wanted)) return &unit;
    }
    return nullptr;
}

bool unitSuitsItemType(const ItemTypeDef& itemType, const UnitDef& unit) {
    return itemType.dimension == Dimension::Any || itemType.dimension == unit.dimension;
}

const UnitDef* userUnitOf(const ItemTypeDef& itemType, const UnitDef& unit) {
    if (itemType.userUnit == kUserUnitIsOwnUnit) return &unit;
    return findUnit(itemType.userUnit);
}

}  // namespace vnk
