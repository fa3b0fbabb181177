// Positioning: the section searches, moves to a time step by skipping and by measuring one
// time step and seeking, moves to an item, the range codes, static items, and the span of a
// non-equidistant time axis read from its last time step.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/timestepfiles.h"

using namespace gbxtest;
using lrxtest::Bytes;
using lrxtest::TempDir;

namespace {

constexpr int kSteps = 14;
constexpr double kStepLength = 7;

// A file of type 4 with three items and kSteps time steps, 7 seconds apart from 1000 on;
// the heads of the steps in `damaged` get another block id.
std::string writeSteps(const TempDir& dir, const std::vector<int>& damaged = {}, bool statics = false) {
    const std::string path = dir.path("steps.gbx");
    HeaderPtr header = stepHeader(F_NEQTIME_FIXEDSPACE_ALLITEMS, {{LRX_FLOAT, 2}, {LRX_DOUBLE}, {LRX_FLOAT}});
    StepFile data(path, header.get());
    if (statics) {
        data.addStatic("first", 1.5f);
        data.addStatic("second", 2.5f);
    }
    std::vector<double> times;
    for (int step = 0; step < kSteps; ++step)
        times.push_back(1000 + kStepLength * step);
    data.write(times);
    data.close();
    Bytes bytes = lrxtest::readBytes(path);
    for (int step : damaged)
        bytes[data.stepStart(step) + 1] ^= 0x03;  // block id 50001 becomes 50002
    lrxtest::writeBytes(path, bytes);
    return path;
}

// Offsets of the heads of the time steps of writeSteps from the first: every step takes the
// same bytes.
int64_t stepOffset(int step) {
    constexpr int64_t head = 3 + 5 + 8 + 1;
    constexpr int64_t items = (5 + 2 * 4) + (5 + 8) + (5 + 4);
    return step * (head + items);
}

// The next read gives item itemNo of time step `step`, with its time and values.
void expectNext(GbxHeader* header, GbxFile* file, int step, int itemNo) {
    ASSERT_EQ(header->currentTimeStep, step);
    ASSERT_EQ(header->currentItem, itemNo - 1);
    double time = -1;
    int code = -1;
    const std::vector<double> values = readNext(header, file, &time, &code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(time, kStepLength * step);
    EXPECT_EQ(values, stepValues(header, step, itemNo));
}

// The offset of the file relative to the head of time step 0.
int64_t offset(GbxFile* file, int64_t firstHead) {
    return lrxTell64(file) - firstHead;
}

}  // namespace

TEST(GbxPositionFindTimeStep, ShortForwardMovesSkipTimeSteps) {
    TempDir dir;
    OpenedFile opened = openForReading(writeSteps(dir));
    GbxHeader* header = opened.header.get();
    GbxFile* file = opened.file.get();
    ASSERT_EQ(gbxFindTimeStep(header, file, 1), 0);
    const int64_t firstHead = lrxTell64(file) - stepOffset(1);
    ASSERT_EQ(gbxFindTimeStep(header, file, 3), 0);
    // Passed over, not sought: the last item's record is still pending.
    EXPECT_GT(file->pendingSkip, 0);
    EXPECT_EQ(offset(file, firstHead), stepOffset(3));
    expectNext(header, file, 3, 1);
    // From within a time step the first skip finishes it.
    ASSERT_EQ(gbxFindTimeStep(header, file, 5), 0);
    expectNext(header, file, 5, 1);
}

TEST(GbxPositionFindTimeStep, LongForwardMovesMeasureOneStepAndSeekOverTheRest) {
    TempDir dir;
    // Steps 3 to 6 cannot be passed over: only a seek crosses them.
    OpenedFile opened = openForReading(writeSteps(dir, {3, 4, 5, 6}));
    GbxHeader* header = opened.header.get();
    GbxFile* file = opened.file.get();
    ASSERT_EQ(gbxFindTimeStep(header, file, 2), 0);
    const int64_t firstHead = lrxTell64(file) - stepOffset(2);
    EXPECT_EQ(gbxFindTimeStep(header, file, 7), 0);
    EXPECT_EQ(file->pendingSkip, 0);
    EXPECT_EQ(offset(file, firstHead), stepOffset(7));
    expectNext(header, file, 7, 1);
    // Within step 7: finish it, measure step 8, seek over 9 to 12.
    EXPECT_EQ(gbxFindTimeStep(header, file, 13), 0);
    expectNext(header, file, 13, 1);
    // Four steps are below the threshold: they are skipped, and the damaged head stops the move.
    ASSERT_EQ(gbxFindTimeStep(header, file, 2), 0);
    ReportedCodes reported;
    EXPECT_EQ(gbxFindTimeStep(header, file, 6), F_ERR_DATA);
    EXPECT_EQ(reported.codes(), std::vector<int>{F_ERR_DATA});
}

TEST(GbxPositionFindTimeStep, BackwardMovesStartAgainFromTheDynamicSection) {
    TempDir dir;
    OpenedFile opened = openForReading(writeSteps(dir));
    GbxHeader* header = opened.header.get();
    GbxFile* file = opened.file.get();
    ASSERT_EQ(gbxFindTimeStep(header, file, 5), 0);
    expectNext(header, file, 5, 1);
    ASSERT_EQ(gbxFindTimeStep(header, file, 2), 0);
    expectNext(header, file, 2, 1);
    // Past the first item of the wanted step counts as behind it.
    ASSERT_EQ(gbxFindTimeStep(header, file, 2), 0);
    expectNext(header, file, 2, 1);
}

TEST(GbxPositionFindItem, MovesToItemsOfTheSameEarlierOrLaterTimeStep) {
    TempDir dir;
    OpenedFile opened = openForReading(writeSteps(dir));
    GbxHeader* header = opened.header.get();
    GbxFile* file = opened.file.get();
    ASSERT_EQ(gbxFindItemDynamic(header, file, 4, 1), 0);
    expectNext(header, file, 4, 1);
    // Standing before item 2, item 3 is one double record further.
    const int64_t before = lrxTell64(file);
    ASSERT_EQ(gbxFindItemDynamic(header, file, 4, 3), 0);
    EXPECT_EQ(lrxTell64(file) - before, 5 + 8);
    expectNext(header, file, 4, 3);
    ASSERT_EQ(gbxFindItemDynamic(header, file, 4, 2), 0);
    expectNext(header, file, 4, 2);
    ASSERT_EQ(gbxFindItemDynamic(header, file, 11, 3), 0);
    expectNext(header, file, 11, 3);
    const int64_t there = lrxTell64(file);
    ASSERT_EQ(gbxFindItemDynamic(header, file, 12, 1), 0);
    EXPECT_EQ(lrxTell64(file), there);
    expectNext(header, file, 12, 1);
}

TEST(GbxPositionRange, StepsAndItemsOutsideTheFileAreReturnedUnreported) {
    TempDir dir;
    OpenedFile opened = openForReading(writeSteps(dir));
    GbxHeader* header = opened.header.get();
    GbxFile* file = opened.file.get();
    const int64_t before = lrxTell64(file);
    ReportedCodes reported;
    EXPECT_EQ(gbxFindTimeStep(header, file, -1), F_ERR_STEP_RANGE);
    EXPECT_EQ(gbxFindTimeStep(header, file, kSteps), F_ERR_STEP_RANGE);
    EXPECT_EQ(gbxFindItemDynamic(header, file, kSteps, 1), F_ERR_STEP_RANGE);
    EXPECT_EQ(gbxFindItemDynamic(header, file, 0, 0), F_ERR_ITEM_RANGE);
    EXPECT_EQ(gbxFindItemDynamic(header, file, 0, 4), F_ERR_ITEM_RANGE);
    header->timeAxisType = F_UNDEFINED_TAXIS;
    EXPECT_EQ(gbxFindTimeStep(header, file, 0), F_ERR_STEP_RANGE);
    EXPECT_EQ(gbxFindItemDynamic(header, file, 0, 1), F_ERR_STEP_RANGE);
    EXPECT_TRUE(reported.codes().empty());
    EXPECT_EQ(lrxTell64(file), before);
    EXPECT_EQ(file->positionState, 1);
    EXPECT_EQ(gbxFindTimeStep(nullptr, file, 0), F_ERR_USAGE);
    EXPECT_EQ(gbxFindBlockDynamic(header, nullptr), F_ERR_USAGE);
    EXPECT_EQ(reported.codes(), std::vector<int>(2, F_ERR_USAGE));
}

TEST(GbxPositionStatic, FindsStaticItemsBeforeAndAfterTheTimeStepsBegan) {
    TempDir dir;
    OpenedFile opened = openForReading(writeSteps(dir, {}, true));
    GbxHeader* header = opened.header.get();
    GbxFile* file = opened.file.get();
    const auto nextStaticName = [file]() {
        int code = -1;
        GbxVector* vector = gbxStaticRead(file, &code);
        EXPECT_EQ(code, 0);
        const char* name = nullptr;
        gbxGetItemInfo_(gbxItemS(vector), nullptr, &name, nullptr, nullptr);
        const std::string text = name != nullptr ? name : "(none)";
        gbxStaticDestroy(&vector);
        return text;
    };
    // Right after opening the static section is next: nothing is read.
    const int64_t before = lrxTell64(file);
    EXPECT_EQ(gbxFindBlockStatic(header, file), 0);
    EXPECT_EQ(lrxTell64(file), before);
    EXPECT_EQ(gbxFindItemStatic(header, file, 1), 0);
    EXPECT_EQ(nextStaticName(), "first");

    expectNext(header, file, 0, 1);
    EXPECT_EQ(gbxFindItemStatic(header, file, 2), 0);
    EXPECT_EQ(header->currentItem, 0);
    EXPECT_EQ(nextStaticName(), "second");
    ReportedCodes reported;
    EXPECT_EQ(gbxFindItemStatic(header, file, 3), 0);  // behind the last: the next read gives none
    EXPECT_EQ(gbxFindItemStatic(header, file, 4), F_ERR_ITEM_RANGE);
    EXPECT_EQ(gbxFindItemStatic(header, file, 0), F_ERR_ITEM_RANGE);
    EXPECT_TRUE(reported.codes().empty());
    // Reading time steps goes on from the static section.
    EXPECT_EQ(gbxFindBlockStatic(header, file), 0);
    expectNext(header, file, 0, 1);
}

TEST(GbxPositionSpan, NonEquidistantSpanIsTheLastTimeAndReadingGoesOn) {
    struct Case {
        int axisType;
        bool staticSection;
    };
    for (const Case& c : {Case{F_TM_NEQ_AXIS, true}, Case{F_TM_NEQ_AXIS, false}, Case{F_CAL_NEQ_AXIS, false}}) {
        SCOPED_TRACE(c.staticSection ? "with static section" : "without static section");
        TempDir dir;
        const std::string path = dir.path("span.gbx");
        HeaderPtr written = stepHeader(F_NEQTIME_FIXEDSPACE_ALLITEMS, {{LRX_FLOAT, 2}, {LRX_DOUBLE}}, c.axisType);
        StepFile data(path, written.get(), c.staticSection);
        data.write({100, 250, 460});
        data.close();

        OpenedFile opened = openForReading(path);
        GbxHeader* header = opened.header.get();
        GbxFile* file = opened.file.get();
        double span = 0;
        // Before any read and between the items of a time step: the reader goes on where it stood.
        EXPECT_EQ(_gbxGetTimeAxisSpan(header, file, &span), 0);
        EXPECT_EQ(span, 360.0);
        EXPECT_EQ(file->positionState, 1);
        expectNext(header, file, 0, 1);
        EXPECT_EQ(_gbxGetTimeAxisSpan(header, file, &span), 0);
        EXPECT_EQ(lrxPeekError(file), 0);
        expectNext(header, file, 0, 2);
    }
}

// A damaged file: the last time step is cut off inside its head, so the span's read fails part
// way. The reader stands where it stood, and the next read fills the buffer of the item it asked for.
TEST(GbxPositionSpan, SpanThatFailsPartWayLeavesTheReaderWhereItStood) {
    TempDir dir;
    const std::string path = dir.path("cut.gbx");
    HeaderPtr written = stepHeader(F_NEQTIME_FIXEDSPACE_ALLITEMS, {{LRX_DOUBLE, 24}, {LRX_DOUBLE}});
    StepFile data(path, written.get());
    data.write({100, 250, 460});
    data.close();
    Bytes bytes = lrxtest::readBytes(path);
    bytes.resize(bytes.size() - 215);
    lrxtest::writeBytes(path, bytes);

    OpenedFile opened = openForReading(path);
    GbxHeader* header = opened.header.get();
    GbxFile* file = opened.file.get();
    expectNext(header, file, 0, 1);
    double span = 0;
    EXPECT_NE(_gbxGetTimeAxisSpan(header, file, &span), 0);
    std::vector<double> second(1);
    EXPECT_EQ(gbxReadItemTimeStep(header, file, nullptr, second.data()), 0);
    EXPECT_EQ(second, stepValues(header, 0, 2));
}

// A reader whose section search starts it afresh at item 1 must not hand item 1's values to a
// buffer sized for the item it asked for: the read is refused and writes nothing.
TEST(GbxPositionSearch, ReadNeverHandsTheCallerAnotherItem) {
    TempDir dir;
    const std::string path = writeSteps(dir);
    OpenedFile opened = openForReading(path);
    GbxHeader* header = opened.header.get();
    GbxFile* file = opened.file.get();
    expectNext(header, file, 0, 1);
    file->positionState = 1;
    std::vector<double> second(1, -7.0);
    EXPECT_EQ(gbxReadItemTimeStep(header, file, nullptr, second.data()), F_ERR_DATA);
    EXPECT_EQ(second[0], -7.0);
}

TEST(GbxPositionSpan, AxisWithoutTimeStepsSpansNothing) {
    TempDir dir;
    const std::string path = dir.path("empty.gbx");
    HeaderPtr written = stepHeader(F_NEQTIME_FIXEDSPACE_ALLITEMS, {{LRX_FLOAT}});
    StepFile data(path, written.get(), true);
    data.close();
    OpenedFile opened = openForReading(path);
    double span = -1;
    EXPECT_EQ(_gbxGetTimeAxisSpan(opened.header.get(), opened.file.get(), &span), 0);
    EXPECT_EQ(span, 0.0);
}
