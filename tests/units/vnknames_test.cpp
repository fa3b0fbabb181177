// Naming item types and units by key, and reading unit texts back into keys whatever their
// letter case and surrounding blanks.
#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <string_view>

#include "src/units/itemtypetable.h"
#include "src/units/unittable.h"
#include "vnk/vnk.h"

namespace {

// The text with its ASCII letters changed by change; the bytes of symbols such as the degree
// sign stay as they are.
std::string withCase(std::string_view text, int (*change)(int)) {
    std::string out(text);
    for (char& c : out) {
        if (static_cast<unsigned char>(c) < 0x80) c = static_cast<char>(change(c));
    }
    return out;
}

int readTag(const std::string& text) {
    int unit = -7;
    const int found = vnkGetUnitTag(text.c_str(), &unit);
    EXPECT_EQ(found != 0, unit != -7) << "'" << text << "'";
    return unit;
}

TEST(VnkNames, NamesKnownKeys) {
    const char* name = nullptr;
    EXPECT_NE(vnkGetUnitKey(0, &name), 0);
    EXPECT_STREQ(name, "()");
    // Older files record only the first letter of a unit text: m for metres, s for seconds.
    EXPECT_NE(vnkGetUnitKey(1000, &name), 0);
    EXPECT_STREQ(name, "m");
    EXPECT_NE(vnkGetUnitKey(1400, &name), 0);
    EXPECT_STREQ(name, "s");
    EXPECT_NE(vnkGetUnitKey(4700, &name), 0);
    EXPECT_STREQ(name, "m^2/s");
    EXPECT_NE(vnkGetItemTypeKey(999, &name), 0);
    EXPECT_STREQ(name, "Undefined");
    EXPECT_NE(vnkGetItemTypeKey(100000, &name), 0);
    EXPECT_STREQ(name, "Water Level");
    EXPECT_NE(vnkGetItemTypeKey(100187, &name), 0);
    EXPECT_STREQ(name, "Geometry 2D");
}

TEST(VnkNames, UnknownKeyGivesZeroAndTheEmptyName) {
    for (int key : {-1, 5, 999999}) {
        const char* name = nullptr;
        EXPECT_EQ(vnkGetUnitKey(key, &name), 0) << key;
        EXPECT_STREQ(name, "") << key;
        name = nullptr;
        EXPECT_EQ(vnkGetItemTypeKey(key, &name), 0) << key;
        EXPECT_STREQ(name, "") << key;
    }
    EXPECT_EQ(vnkGetUnitKey(1000, nullptr), 0);
    EXPECT_EQ(vnkGetItemTypeKey(100000, nullptr), 0);
}

TEST(VnkNames, EveryUnitNameReadsBackAsItsKeyInAnyCaseBetweenBlanks) {
    for (const vnk::UnitDef& unit : vnk::unitTable()) {
        const char* name = nullptr;
        ASSERT_NE(vnkGetUnitKey(unit.key, &name), 0);
        for (const std::string& text : {std::string(name), withCase(name, std::toupper), withCase(name, std::tolower),
                                        " \t" + std::string(name) + " \r\n"}) {
            EXPECT_EQ(readTag(text), unit.key) << "'" << text << "'";
        }
    }
}

TEST(VnkNames, EverySpellingReadsBackAsItsUnit) {
    for (const vnk::UnitDef& unit : vnk::unitTable()) {
        std::string_view rest = unit.spellings;
        while (!rest.empty()) {
            const auto bar = rest.find('|');
            const std::string spelling(rest.substr(0, bar));
            EXPECT_EQ(readTag(withCase(spelling, std::toupper)), unit.key) << spelling;
            EXPECT_EQ(readTag("  " + spelling + "\t"), unit.key) << spelling;
            if (bar == std::string_view::npos) break;
            rest.remove_prefix(bar + 1);
        }
    }
}

TEST(VnkNames, ReadsWhatPeopleType) {
    const struct {
        const char* text;
        int unit;
    } cases[] = {
        {"Meters", 1000},    {"  CFS ", 3405}, {"deg c", 2400},  {"\u00b0F", 2401},
        {"M^3/S", 3400},     {"mm/hr", 2010},  {"Knots", 2006},  {"US survey feet", 1006},
        {"acre-feet", 3210}, {"MG/L", 3602},   {"Hours", 1402},  {"-", 0},
        {"PSU", 3800},       {"hPa", 4001},    {"m3/s/m", 4700},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readTag(c.text), c.unit) << "'" << c.text << "'";
}

TEST(VnkNames, UnknownOrBlankTextLeavesTheKeyAsItWas) {
    for (const char* text : {"", "   ", "furlong", "m/s/s", "m m", "mm/", "degs"}) {
        int unit = -1;
        EXPECT_EQ(vnkGetUnitTag(text, &unit), 0) << "'" << text << "'";
        EXPECT_EQ(unit, -1) << "'" << text << "'";
    }
    int unit = -1;
    EXPECT_EQ(vnkGetUnitTag(nullptr, &unit), 0);
    EXPECT_EQ(unit, -1);
    EXPECT_EQ(vnkGetUnitTag("m", nullptr), 0);
}

}  // namespace
