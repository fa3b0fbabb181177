// Tables loaded from cross-section files: a round trip of random sections, the table order,
// lookups and walks, loading without points, and what a table's sections may be used for.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <thread>

#include "xsec/xsecfiles.h"

using namespace lrxtest;

namespace {

// Every field of a section as text (the point sets only when withPoints); an array shows
// whether it exists, then its values.
std::string describe(const CsnXsecRecord* s, bool withPoints = true) {
    std::ostringstream out;
    out.precision(17);
    out << s->keyText1 << '|' << s->keyText2 << '|' << s->extraText << '|' << s->position << '|';
    for (uint16_t code : s->codes)
        out << code << ',';
    for (double value : s->values)
        out << value << ',';
    if (!withPoints) return out.str();
    const auto list = [&](const auto* array, int count) {
        out << (array != nullptr ? " [" : " -[");
        for (int i = 0; i < count; ++i)
            out << array[i] << ',';
        out << ']';
    };
    for (const double* a : {s->raw1, s->raw2, s->raw3, s->raw4})
        list(a, s->noRaw);
    for (const uint16_t* a : {s->raw5, s->raw6})
        list(a, s->noRaw);
    list(s->sel, s->noSel);
    for (const double* a : {s->prc1, s->prc2, s->prc3, s->prc4, s->prc5, s->prc6})
        list(a, s->noPrc);
    return out.str();
}

// A section whose keys come from few texts (so that keys repeat and differ in case only),
// with random codes, values and point sets.
SectionPtr randomSection(std::mt19937& random) {
    static const char* const texts[] = {"Rhine", "rhine", "Elbe", "", "Odra", "ODRA"};
    const auto pick = [&](int n) { return static_cast<uint16_t>(random() % static_cast<unsigned>(n)); };
    SectionPtr s = makeSection(texts[pick(6)], pick(4) * 0.5, texts[pick(6)], pick(2) ? "x y" : nullptr);
    csnXsecSetNoRaw(s.get(), pick(4));
    csnXsecSetNoSel(s.get(), pick(3));
    csnXsecSetNoPrc(s.get(), pick(4));
    const auto fill = [&](auto* array, int count) {
        for (int i = 0; i < count; ++i)
            array[i] = static_cast<std::remove_reference_t<decltype(*array)>>(random() % 60000) / 8;
    };
    fill(s->codes, CSN_CODE_COUNT);
    fill(s->values, CSN_VALUE_COUNT);
    for (double* a : {s->raw1, s->raw2, s->raw3, s->raw4})
        fill(a, s->noRaw);
    fill(s->raw5, s->noRaw);
    fill(s->raw6, s->noRaw);
    fill(s->sel, s->noSel);
    for (double* a : {s->prc1, s->prc2, s->prc3, s->prc4, s->prc5, s->prc6})
        fill(a, s->noPrc);
    return s;
}

}  // namespace

TEST(CsnTable, RandomSectionsReadBackInTableOrderFieldByField) {
    TempDir dir;
    const std::string path = dir.path("random.csn");
    std::mt19937 random(13);
    std::vector<SectionPtr> owned;
    std::vector<CsnXsecRecord*> written;
    for (int i = 0; i < 400; ++i) {
        owned.push_back(randomSection(random));
        written.push_back(owned.back().get());
    }
    writeSections(path, written);
    const auto key = [](const CsnXsecRecord* r) {
        std::string k = std::string(r->keyText1) + '\1' + r->keyText2;
        std::transform(k.begin(), k.end(), k.begin(), [](unsigned char c) { return std::tolower(c); });
        return std::make_pair(k, r->position);
    };
    std::stable_sort(written.begin(), written.end(), [&](auto* a, auto* b) { return key(a) < key(b); });

    for (int flags : {0, CSN_LOAD_NO_POINTS}) {
        TablePtr table = loadTable(path, flags);
        CsnXsecIterator at = nullptr;
        CsnXsecRecord* loaded = csnXsecFind(table.get(), "", 0.0, "", &at);
        for (const CsnXsecRecord* expected : written) {
            ASSERT_NE(loaded, nullptr);
            EXPECT_EQ(describe(loaded, flags == 0), describe(expected, flags == 0));
            EXPECT_TRUE(flags == 0 || loaded->noRaw + loaded->noSel + loaded->noPrc == 0);
            loaded = csnXsecFindNext(table.get(), &at);
        }
        EXPECT_EQ(loaded, nullptr);
        EXPECT_EQ(at, nullptr);
    }
}

TEST(CsnTable, OrderIgnoresCaseAndKeepsEqualKeysInFileOrder) {
    TempDir dir;
    const std::string path = dir.path("order.csn");
    SectionPtr sections[] = {makeSection("Rhine", 2, "b", "1"), makeSection("rhine", 1, "A", "2"),
                             makeSection("RHINE", 1, "a", "3"), makeSection("Rhine", 0.5, "a", "4"),
                             makeSection("Elbe", 9, "z", "5")};
    writeSections(path, {sections[0].get(), sections[1].get(), sections[2].get(), sections[3].get(), sections[4].get()});
    TablePtr table = loadTable(path);

    std::string extras;
    for (CsnXsecRecord* s = csnXsecFind(table.get(), "", 0, "", nullptr); s != nullptr; s = csnXsecNext(table.get(), s))
        extras += s->extraText;
    EXPECT_EQ(extras, "54231");

    CsnXsecIterator at = nullptr;
    CsnXsecRecord* first = csnXsecFind(table.get(), "rHiNe", 1, "a", &at);
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(first->extraText, "2");
    EXPECT_STREQ(csnXsecFindNext(table.get(), &at)->extraText, "3");
    EXPECT_STREQ(csnXsecPrev(table.get(), first)->extraText, "4");
    EXPECT_EQ(csnXsecPrev(table.get(), csnXsecFind(table.get(), "ELBE", 9, "Z", nullptr)), nullptr);
    EXPECT_EQ(csnXsecFind(table.get(), "Rhine", 1.5, "a", &at), nullptr);
    EXPECT_EQ(at, nullptr);
    EXPECT_EQ(csnXsecFind(table.get(), nullptr, 1, "a", nullptr), nullptr);
}

TEST(CsnTable, EmptyKeyWalkOnAnEmptyTableFindsNothing) {
    TempDir dir;
    writeSections(dir.path("empty.csn"), {});
    TablePtr table = loadTable(dir.path("empty.csn"));
    ASSERT_NE(table, nullptr);
    CsnXsecIterator at = reinterpret_cast<CsnXsecIterator>(1);
    EXPECT_EQ(csnXsecFind(table.get(), "", 0, "", &at), nullptr);
    EXPECT_EQ(at, nullptr);
    at = reinterpret_cast<CsnXsecIterator>(7);  // a place beyond the table
    EXPECT_EQ(csnXsecFindNext(table.get(), &at), nullptr);
}

TEST(CsnTable, SectionsBelongToTheirTableOnly) {
    TempDir dir;
    const std::string path = dir.path("a.csn");
    SectionPtr mine = makeSection("a", 1, "b");
    writeSections(path, {mine.get()});
    TablePtr table = loadTable(path);
    TablePtr other = loadTable(path);
    CsnXsecRecord* inTable = csnXsecFind(table.get(), "A", 1, "B", nullptr);
    ASSERT_NE(inTable, nullptr);
    CsnXsecRecord* handle = inTable;
    csnXsecFree(&handle);  // refused: the table owns it
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(csnXsecSetNoSel(inTable, 2), 1);
    EXPECT_EQ(csnXsecNext(other.get(), inTable), nullptr);
    EXPECT_EQ(csnXsecNext(table.get(), mine.get()), nullptr);
    CsnXsecTable* freed = other.release();
    CsnXsecTable* copy = freed;
    csnXsecTableFree(&copy);
    EXPECT_EQ(copy, nullptr);
    EXPECT_EQ(csnXsecFind(freed, "a", 1, "b", nullptr), nullptr);
    csnXsecTableFree(&freed);
    EXPECT_EQ(csnXsecTableLoad(path.c_str(), nullptr, 0), F_ERR_USAGE);
}

TEST(CsnTable, DistinctTablesMayBeUsedFromSeveralThreads) {
    TempDir dir;
    std::vector<int> failures(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            const std::string path = dir.path(std::to_string(t) + ".csn");
            for (int round = 0; round < 20; ++round) {
                SectionPtr a = makeSection("a", t, "b");
                LrxFile* file = nullptr;
                csnFileOpenCreate(path.c_str(), &file);
                failures[t] += csnXsecWrite(a.get(), file) != 0;
                csnFileClose(&file);
                TablePtr table = loadTable(path);
                failures[t] += csnXsecFind(table.get(), "a", t, "b", nullptr) == nullptr;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}
