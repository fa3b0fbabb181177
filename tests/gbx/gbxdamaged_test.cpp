// Whole data files cut short: opened through the exported calls and read to the end, every
// cut gives an error code or the end of the file, never a crash, leak or hang.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lrx/gbx.h"
#include "support/tempfiles.h"

namespace {

using lrxtest::Bytes;
using lrxtest::TempDir;

constexpr int kSteps = 3;

// A compressed non-equidistant file: two items (float and double) on a 3 x 2 grid, an X and a
// Y key, one ordinary static item and three time steps.
void writeSmallFile(const std::string& path) {
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxHeaderCreate(F_NEQTIME_FIXEDSPACE_ALLITEMS, "cut", "tests", 1, 2, 2, &header), 0);
    gbxSetNeqCalendarAxis(header, "2000-01-01", "00:00:00", 1400, 0, 0);
    const int32_t x[3] = {0, 1, 2}, y[3] = {0, 1, 1};
    gbxSetEncodeKey(header, x, y, nullptr, 3);
    for (int n = 1; n <= 2; ++n) {
        gbxSetItemInfo(header, gbxItemD(header, n), 999, n == 1 ? "f" : "d", 0, n == 1 ? LRX_FLOAT : LRX_DOUBLE);
        gbxSetItemAxisEqD2(gbxItemD(header, n), 1000, 3, 2, 0, 0, 1, 1);
    }
    ASSERT_EQ(gbxFileCreate(path.c_str(), header, &file), 0);
    GbxVector* vector = nullptr;
    gbxStaticCreate(&vector);
    gbxSetItemInfo(header, gbxItemS(vector), 999, "s", 0, LRX_INT4);
    gbxSetItemAxisEqD1(gbxItemS(vector), 0, 2, 0, 1);
    const int32_t values[2] = {5, 6};
    ASSERT_EQ(gbxStaticWrite(vector, file, values), 0);
    gbxStaticDestroy(&vector);
    const float floats[6] = {1, 2, 3, 4, 5, 6};
    const double doubles[6] = {1, 2, 3, 4, 5, 6};
    for (int t = 0; t < kSteps; ++t) {
        ASSERT_EQ(gbxWriteItemTimeStep(header, file, 10.0 * t, floats), 0);
        ASSERT_EQ(gbxWriteItemTimeStep(header, file, 10.0 * t, doubles), 0);
    }
    ASSERT_EQ(gbxFileClose(header, &file), 0);
    gbxHeaderDestroy(&header);
}

// Opens the file and reads its static items and every stored time step; the first code that is
// not 0 (the end of the file included), or 0 when everything was read.
int readWholeFile(const std::string& path) {
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    int code = gbxFileRead(path.c_str(), &header, &file);
    for (int statics = 0; code == 0 && statics < 10; ++statics) {
        GbxVector* vector = gbxStaticRead(file, &code);
        if (vector == nullptr) break;
        gbxStaticDestroy(&vector);
    }
    double buffer[6];
    for (int read = 0; code == 0 && read < 2 * kSteps; ++read)
        code = gbxReadItemTimeStep(header, file, nullptr, buffer);
    if (file != nullptr) gbxFileClose(header, &file);
    if (header != nullptr) gbxHeaderDestroy(&header);
    return code;
}

}  // namespace

TEST(GbxDamagedFile, EveryCutIsAnErrorOrTheEndOfTheFile) {
    TempDir dir;
    const std::string path = dir.path("whole.gbx");
    writeSmallFile(path);
    ASSERT_EQ(readWholeFile(path), 0);
    const Bytes whole = lrxtest::readBytes(path);
    const std::string cut = dir.path("cut.gbx");
    for (std::size_t size = 0; size < whole.size(); ++size) {
        lrxtest::writeBytes(cut, Bytes(whole.begin(), whole.begin() + static_cast<long>(size)));
        EXPECT_NE(readWholeFile(cut), 0) << "cut at " << size;
    }
}
