// Failing system calls and allocations under cross-section files: writing a file of sections and
// loading it into a table. Every operation of one kind is made to fail in turn (see
// support/faultsweep.h): a run whose calls all report success wrote and loaded exactly the
// sections given, a file closed before the run stays as it was, and no descriptor or memory is
// lost.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "lrx/csn.h"
#include "support/faultsweep.h"
#include "support/tempfiles.h"

namespace {

using lrxtest::Fault;

constexpr int kSections = 3;
constexpr int kPoints = 4;
const char* const kKeys[kSections] = {"alpha", "beta", "gamma"};

double point(int section, int k) {
    return 100.0 * section + k;
}

struct FirstCode {
    int code = 0;
    void operator()(int result) {
        if (code == 0) code = result;
    }
};

// Sizes and fills the raw and selected points of a section; 2000 when memory runs out.
int fillPoints(CsnXsecRecord* section, int s) {
    if (csnXsecSetNoRaw(section, kPoints) != 1 || csnXsecSetNoSel(section, 2) != 1) return F_ERR_MEMORY;
    for (int k = 0; k < kPoints; ++k) {
        section->raw1[k] = point(s, k);
        section->raw2[k] = -point(s, k);
        section->raw3[k] = 0.5 * point(s, k);
        section->raw4[k] = 1.0;
        section->raw5[k] = static_cast<uint16_t>(k);
        section->raw6[k] = static_cast<uint16_t>(s);
    }
    section->sel[0] = 1;
    section->sel[1] = 2;
    return 0;
}

int writeSections(const std::string& path) {
    LrxFile* file = nullptr;
    FirstCode first;
    first(csnFileOpenCreate(path.c_str(), &file));
    for (int s = 0; s < kSections && first.code == 0; ++s) {
        CsnXsecRecord* section = csnXsecCreateEx(kKeys[s], 10.0 * s, "reach", "extra");
        first(section != nullptr ? fillPoints(section, s) : F_ERR_MEMORY);
        if (first.code == 0) first(csnXsecWrite(section, file));
        csnXsecFree(&section);
    }
    if (file != nullptr) first(csnFileClose(&file));
    return first.code;
}

bool holdsWhatWasWritten(const CsnXsecRecord* section, int s) {
    if (section == nullptr || std::strcmp(section->keyText1, kKeys[s]) != 0 || section->position != 10.0 * s ||
        std::strcmp(section->keyText2, "reach") != 0 || std::strcmp(section->extraText, "extra") != 0 ||
        section->noRaw != kPoints || section->noSel != 2 || section->sel[1] != 2) {
        return false;
    }
    for (int k = 0; k < kPoints; ++k) {
        if (section->raw1[k] != point(s, k) || section->raw2[k] != -point(s, k) || section->raw5[k] != k ||
            section->raw6[k] != s) {
            return false;
        }
    }
    return true;
}

struct Loaded {
    int code = 0;
    bool wrong = false;  // the table differs from what was written
};

// Loads the file and walks its table. Makes no allocation of its own.
Loaded loadSections(const std::string& path) {
    Loaded loaded;
    CsnXsecTable* table = nullptr;
    loaded.code = csnXsecTableLoad(path.c_str(), &table, 0);
    if (loaded.code == 0) {
        CsnXsecIterator at = nullptr;
        CsnXsecRecord* section = csnXsecFind(table, "", 0.0, "", &at);
        for (int s = 0; s < kSections; ++s) {
            if (!holdsWhatWasWritten(section, s)) loaded.wrong = true;
            section = csnXsecFindNext(table, &at);
        }
        if (section != nullptr) loaded.wrong = true;
    } else if (table != nullptr) {
        loaded.wrong = true;  // a failed load hands out no table
    }
    csnXsecTableFree(&table);
    return loaded;
}

class CsnFaults : public lrxtest::OneFileSweep {
protected:
    CsnFaults() : OneFileSweep("sections.csn", "bystander.csn") {}

    void SetUp() override {
        ASSERT_EQ(writeSections(path), 0);
        const Loaded loaded = loadSections(path);
        ASSERT_EQ(loaded.code, 0);
        ASSERT_FALSE(loaded.wrong);
        keepWritten();
    }
};

TEST_F(CsnFaults, NoWriteOrLoadReportsSuccessOverSectionsThatDifferFromThoseWritten) {
    Loaded loaded;
    int writeCode = 0;
    for (const Fault fault : lrxtest::kSystemCallFaults) {
        const lrxtest::SweepTally tally = lrxtest::sweepFault(
            fault,
            [&] {
                writeCode = writeSections(path);
                loaded = {writeCode, false};
                if (writeCode == 0) loaded = loadSections(path);
                return loaded.code == 0;
            },
            [&](int64_t k, bool) {
                EXPECT_FALSE(loaded.wrong) << lrxtest::faultName(fault) << " " << k;
                if (writeCode == 0) {
                    const Loaded reread = loadSections(path);
                    EXPECT_TRUE(reread.code == 0 && !reread.wrong) << lrxtest::faultName(fault) << " " << k;
                }
                checkLeftovers("xsec write+load", fault, k);
            });
        lrxtest::printTally("xsec write+load", fault, tally);
    }
}

// Whichever allocation fails while a table is loaded, the load ends in 2000 and hands out no
// table, or loads the table exactly.
TEST_F(CsnFaults, EveryFailingAllocationOfALoadEndsIn2000OrIsDoneWithout) {
    Loaded loaded;
    const lrxtest::SweepTally tally = lrxtest::sweepFault(
        Fault::Allocation,
        [&] {
            loaded = loadSections(path);
            return loaded.code == 0;
        },
        [&](int64_t k, bool succeeded) {
            EXPECT_FALSE(loaded.wrong) << "allocation " << k;
            if (!succeeded) {
                EXPECT_EQ(loaded.code, F_ERR_MEMORY) << "allocation " << k;
            }
            checkLeftovers("xsec load", Fault::Allocation, k);
        });
    lrxtest::printTally("xsec load", Fault::Allocation, tally);
    EXPECT_GT(tally.points, 10);
}

}  // namespace
