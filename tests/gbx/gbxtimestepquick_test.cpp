// The quick path of the time-step calls against the general one: the same file written with the
// trace off (quick) and on (general, which the trace forces) has the same bytes, and reading it
// both ways gives the same values, times and statistics.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "src/gbx/header/gbxheader.h"
#include "support/tempfiles.h"

namespace {

struct Series {
    std::vector<float> values;
    std::vector<double> times;
    double maximum = 0;
};

// Three items (scalar, a 4-cell row, a 2 x 2 grid of doubles) over 12 steps of file type 1 or 4.
void writeSeries(const std::string& path, int fileType, int statsType, bool traced) {
    GbxHeader* header = nullptr;
    ASSERT_EQ(gbxHeaderCreate(fileType, "quick", "test", 1, 3, statsType, &header), 0);
    if (fileType == F_EQTIME_FIXEDSPACE_ALLITEMS)
        gbxSetEqTimeAxis(header, 1400, 0, 60, 0);
    else
        gbxSetNeqTimeAxis(header, 1400, 0, 0);
    gbxSetItemInfo(header, gbxItemD(header, 1), 100000, "scalar", 1000, LRX_FLOAT);
    gbxSetItemInfo(header, gbxItemD(header, 2), 100000, "row", 1000, LRX_FLOAT);
    gbxSetItemAxisEqD1(gbxItemD(header, 2), 1000, 4, 0, 1);
    gbxSetItemInfo(header, gbxItemD(header, 3), 100000, "grid", 1000, LRX_DOUBLE);
    gbxSetItemAxisEqD2(gbxItemD(header, 3), 1000, 2, 2, 0, 0, 1, 1);
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileCreate(path.c_str(), header, &file), 0);
    if (traced) {
        gbxDebugOn(1);
        testing::internal::CaptureStdout();
    }
    for (int step = 0; step < 12; ++step) {
        const float scalar = step == 5 ? header->deleteValueFloat : 1.5f * step;
        const float row[4] = {-1.0f * step, 0.0f, -0.0f, 2.0f};
        const double grid[4] = {0.25 * step, 1, 2, step == 7 ? header->deleteValueDouble : 3.0};
        const double time = 100.0 + step * step;
        ASSERT_EQ(gbxWriteItemTimeStep(header, file, time, &scalar), 0);
        ASSERT_EQ(gbxWriteItemTimeStep(header, file, time, row), 0);
        ASSERT_EQ(gbxWriteItemTimeStep(header, file, time, grid), 0);
    }
    if (traced) {
        testing::internal::GetCapturedStdout();
        gbxDebugOn(0);
    }
    ASSERT_EQ(gbxFileClose(header, &file), 0);
    gbxHeaderDestroy(&header);
}

Series readSeries(const std::string& path, bool traced) {
    Series series;
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    EXPECT_EQ(gbxFileRead(path.c_str(), &header, &file), 0);
    if (header == nullptr) return series;
    if (traced) {
        gbxDebugOn(1);
        testing::internal::CaptureStdout();
    }
    for (int step = 0; step < 12; ++step) {
        float scalar = 0;
        float row[4] = {};
        double grid[4] = {};
        double time = 0;
        EXPECT_EQ(gbxReadItemTimeStep(header, file, &time, &scalar), 0);
        series.times.push_back(time);
        EXPECT_EQ(gbxReadItemTimeStep(header, file, &time, row), 0);
        EXPECT_EQ(gbxReadItemTimeStep(header, file, &time, grid), 0);
        series.values.insert(series.values.end(), {scalar, row[0], row[2], static_cast<float>(grid[3])});
    }
    if (traced) {
        testing::internal::GetCapturedStdout();
        gbxDebugOn(0);
    }
    gbxGetItemStatsGlobal(gbxItemD(header, 3), nullptr, &series.maximum, nullptr);
    gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
    return series;
}

TEST(GbxTimeStepQuick, QuickAndGeneralPathsWriteAndReadTheSame) {
    lrxtest::TempDir dir;
    for (int fileType : {F_EQTIME_FIXEDSPACE_ALLITEMS, F_NEQTIME_FIXEDSPACE_ALLITEMS}) {
        for (int statsType : {1, 2}) {
            SCOPED_TRACE(testing::Message() << "file type " << fileType << ", statistics type " << statsType);
            const std::string quick = dir.path("quick.gbx");
            const std::string general = dir.path("general.gbx");
            writeSeries(quick, fileType, statsType, false);
            writeSeries(general, fileType, statsType, true);
            lrxtest::Bytes quickBytes = lrxtest::readBytes(quick);
            lrxtest::Bytes generalBytes = lrxtest::readBytes(general);
            // The record-file header carries the creation time: compare what follows it.
            ASSERT_EQ(quickBytes.size(), generalBytes.size());
            EXPECT_TRUE(std::equal(quickBytes.begin() + 130, quickBytes.end(), generalBytes.begin() + 130));

            const Series viaQuick = readSeries(quick, false);
            const Series viaGeneral = readSeries(quick, true);
            EXPECT_EQ(viaQuick.values, viaGeneral.values);
            EXPECT_EQ(viaQuick.times, viaGeneral.times);
            EXPECT_EQ(viaQuick.maximum, viaGeneral.maximum);
            EXPECT_EQ(viaQuick.maximum, 3.0);
        }
    }
}

}  // namespace
