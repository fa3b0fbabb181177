// Dynamic data: the layout of the time steps on disk, times and values read back, passing over
// items, compressed grids, unit conversion on the way in and out, and the refusals.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "lrx/trace.h"
#include "support/timestepfiles.h"

using namespace gbxtest;
using lrxtest::Bytes;
using lrxtest::TempDir;

namespace {

constexpr float kDeleteFloat = -1e-35f;
constexpr double kDeleteDouble = -1e-255;

void putDouble(Bytes& out, double value) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    lrxtest::putLittle(out, bits, 8);
}

void putFloat(Bytes& out, double value) {
    const auto single = static_cast<float>(value);
    uint32_t bits;
    std::memcpy(&bits, &single, sizeof bits);
    lrxtest::putLittle(out, bits, 4);
}

// A logical block head (type -2 and its 16-bit id); a terminator closes the block.
void putBlockHead(Bytes& out, uint16_t id) {
    out.push_back(0xFE);
    lrxtest::putLittle(out, id, 2);
}

void putRecordHead(Bytes& out, int type, int count) {
    out.push_back(static_cast<unsigned char>(type));
    lrxtest::putLittle(out, static_cast<uint32_t>(count), 4);
}

Bytes fileTail(const std::string& path, int64_t from) {
    const Bytes all = lrxtest::readBytes(path);
    return Bytes(all.begin() + from, all.end());
}

// The three encoding keys of the compression tests name cells 0, 2 and 4 of a 3 x 2 grid.
const std::vector<int32_t> kKeyX{0, 2, 1};
const std::vector<int32_t> kKeyY{0, 0, 1};
const std::vector<int> kKeyCells{0, 2, 4};

void installKeys(GbxHeader* header) {
    gbxSetEncodeKey(header, kKeyX.data(), kKeyY.data(), nullptr, 3);
}

}  // namespace

TEST(GbxTimeStepLayout, NonEquidistantFileHoldsHeadsWithTimeThenItemsInOrder) {
    TempDir dir;
    const std::string path = dir.path("layout.gbx");
    HeaderPtr header = stepHeader(F_NEQTIME_FIXEDSPACE_ALLITEMS, {{LRX_FLOAT, 2}, {LRX_DOUBLE}});
    StepFile data(path, header.get());
    const std::vector<double> times{100, 130, 190};
    data.write(times);
    EXPECT_EQ(data.file()->positionState, 3);
    data.close();

    Bytes expected;
    putBlockHead(expected, 50000);
    expected.push_back(0xFF);
    for (int step = 0; step < 3; ++step) {
        putBlockHead(expected, 50001);
        putRecordHead(expected, LRX_DOUBLE, 1);
        putDouble(expected, times[step]);
        expected.push_back(0xFF);
        putRecordHead(expected, LRX_FLOAT, 2);
        putFloat(expected, cellValue(step, 1, 0));
        putFloat(expected, cellValue(step, 1, 1));
        putRecordHead(expected, LRX_DOUBLE, 1);
        putDouble(expected, cellValue(step, 2, 0));
    }
    EXPECT_EQ(fileTail(path, data.dynamicStart()), expected);
    EXPECT_EQ(header->timeAxis.start, 100.0);
    EXPECT_EQ(header->lastTime, 190.0);
    EXPECT_EQ(header->timeAxis.step, 90.0);  // the span that closing stores
    EXPECT_EQ(header->currentTimeStep, 3);
    EXPECT_EQ(header->currentItem, 0);
}

TEST(GbxTimeStepLayout, LastTimeIsTheLargestTimeWrittenAlsoBelowZero) {
    TempDir dir;
    HeaderPtr header = stepHeader(F_NEQTIME_FIXEDSPACE_ALLITEMS, {{LRX_FLOAT}});
    StepFile data(dir.path("last.gbx"), header.get());
    data.write({-50, -20, -40});
    EXPECT_EQ(header->timeAxis.start, -50.0);
    EXPECT_EQ(header->lastTime, -20.0);
}

TEST(GbxTimeStepRead, TimesAreRelativeToTheAxisStartOrTheStepIndex) {
    struct Case {
        int fileType;
        int axisType;
        std::vector<double> written;
        std::vector<double> read;
    };
    const Case cases[] = {
        {F_NEQTIME_FIXEDSPACE_ALLITEMS, F_TM_NEQ_AXIS, {100, 130, 190}, {0, 30, 90}},
        {F_NEQTIME_FIXEDSPACE_ALLITEMS, F_CAL_NEQ_AXIS, {100, 130, 190}, {0, 30, 90}},
        {F_EQTIME_FIXEDSPACE_ALLITEMS, F_TM_EQ_AXIS, {7, 7, 7}, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.axisType);
        TempDir dir;
        const std::string path = dir.path("times.gbx");
        HeaderPtr written = stepHeader(c.fileType, {{LRX_FLOAT, 2}, {LRX_DOUBLE}}, c.axisType);
        StepFile data(path, written.get(), true);
        data.write(c.written);
        data.close();

        OpenedFile opened = openForReading(path);
        ASSERT_NE(opened.header, nullptr);
        GbxHeader* header = opened.header.get();
        ReportedCodes reported;
        for (int step = 0; step < 3; ++step) {
            for (int itemNo = 1; itemNo <= 2; ++itemNo) {
                double time = -1;
                int code = -1;
                const std::vector<double> values = readNext(header, opened.file.get(), &time, &code);
                EXPECT_EQ(code, 0);
                EXPECT_EQ(time, c.read[step]) << "item " << itemNo;
                EXPECT_EQ(values, stepValues(header, step, itemNo));
            }
        }
        double time = 0;
        int code = -1;
        readNext(header, opened.file.get(), &time, &code);
        EXPECT_EQ(code, LRX_END_OF_FILE);
        EXPECT_TRUE(reported.codes().empty());
    }
}

TEST(GbxTimeStepRead, NullBufferPassesOverTheItemAndStillGivesItsTime) {
    TempDir dir;
    const std::string path = dir.path("null.gbx");
    HeaderPtr written = stepHeader(F_NEQTIME_FIXEDSPACE_ALLITEMS, {{LRX_DOUBLE, 3}, {LRX_DOUBLE}, {LRX_FLOAT, 2}});
    StepFile data(path, written.get());
    data.write({5, 8});
    data.close();

    OpenedFile opened = openForReading(path);
    GbxHeader* header = opened.header.get();
    GbxFile* file = opened.file.get();
    double time = -1;
    EXPECT_EQ(gbxReadItemTimeStep(header, file, &time, nullptr), 0);
    EXPECT_EQ(time, 0.0);
    int code = -1;
    EXPECT_EQ(readNext(header, file, &time, &code), stepValues(header, 0, 2));
    EXPECT_EQ(gbxReadItemTimeStep(header, file, nullptr, nullptr), 0);
    EXPECT_EQ(readNext(header, file, &time, &code), stepValues(header, 1, 1));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(time, 3.0);
}

TEST(GbxTimeStepRead, DamagedHeadIsReportedWithHeaderAndFile) {
    TempDir dir;
    const std::string path = dir.path("damaged.gbx");
    HeaderPtr written = stepHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, {{LRX_FLOAT}});
    StepFile data(path, written.get());
    data.write({0, 0});
    data.close();
    Bytes bytes = lrxtest::readBytes(path);
    bytes[data.stepStart(1) + 1] ^= 0x03;  // block id 50001 becomes 50002
    lrxtest::writeBytes(path, bytes);

    OpenedFile opened = openForReading(path);
    double time = 0;
    int code = -1;
    readNext(opened.header.get(), opened.file.get(), &time, &code);
    EXPECT_EQ(code, 0);
    ReportedCodes reported;
    readNext(opened.header.get(), opened.file.get(), &time, &code);
    EXPECT_EQ(code, F_ERR_DATA);
    ASSERT_EQ(reported.codes(), std::vector<int>{F_ERR_DATA});
    EXPECT_EQ(reported.all()[0].header, opened.header.get());
    EXPECT_EQ(reported.all()[0].file, opened.file.get());
}

TEST(GbxTimeStepSkip, PassingOverDoubleItemsLandsOnTheNextRecord) {
    TempDir dir;
    const std::string path = dir.path("skip.gbx");
    HeaderPtr written = stepHeader(F_NEQTIME_FIXEDSPACE_ALLITEMS, {{LRX_DOUBLE, 3}, {LRX_DOUBLE}, {LRX_FLOAT, 2}});
    StepFile data(path, written.get());
    data.write({5, 8, 13});
    data.close();

    OpenedFile opened = openForReading(path);
    GbxHeader* header = opened.header.get();
    GbxFile* file = opened.file.get();
    EXPECT_EQ(gbxSkipItem(header, file), 0);
    EXPECT_EQ(gbxSkipItem(header, file), 0);
    double time = -1;
    int code = -1;
    EXPECT_EQ(readNext(header, file, &time, &code), stepValues(header, 0, 3));
    // In the middle of a time step only its remaining items are passed over.
    EXPECT_EQ(gbxSkipItem(header, file), 0);
    EXPECT_EQ(gbxSkipTimeStep(header, file), 0);
    EXPECT_EQ(header->currentTimeStep, 2);
    EXPECT_EQ(header->currentItem, 0);
    EXPECT_EQ(readNext(header, file, &time, &code), stepValues(header, 2, 1));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(time, 8.0);
}

TEST(GbxTimeStepWrite, FileTypeOfTimeVaryingGeometryIsRefusedAndNothingWritten) {
    TempDir dir;
    HeaderPtr header = stepHeader(F_EQTIME_TVARSPACE_ALLITEMS, {{LRX_FLOAT}});
    StepFile data(dir.path("tvar.gbx"), header.get());
    const float value = 1;
    ReportedCodes reported;
    EXPECT_EQ(gbxWriteItemTimeStep(header.get(), data.file(), 0, &value), F_ERR_FILE_TYPE);
    EXPECT_EQ(reported.codes(), std::vector<int>{F_ERR_FILE_TYPE});
    EXPECT_EQ(lrxTell64(data.file()), data.dynamicStart());
    EXPECT_LT(data.file()->positionState, 3);
    EXPECT_EQ(header->currentItem, 0);
}

TEST(GbxTimeStepWrite, ConversionWorksOnACopyAndReadingConvertsBack) {
    TempDir dir;
    const std::string path = dir.path("units.gbx");
    HeaderPtr written = stepHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, {{LRX_FLOAT, 2}});
    ASSERT_EQ(gbxSetItemUnitConversion(gbxItemD(written.get(), 1), 2, kFoot), 0);
    StepFile data(path, written.get());
    const float feet[2] = {10.0f, kDeleteFloat};
    for (int step = 0; step < 2; ++step)
        ASSERT_EQ(gbxWriteItemTimeStep(written.get(), data.file(), 0, feet), 0);
    EXPECT_EQ(feet[0], 10.0f);
    data.close();

    OpenedFile opened = openForReading(path);
    GbxHeader* header = opened.header.get();
    float values[2] = {};
    ASSERT_EQ(gbxReadItemTimeStep(header, opened.file.get(), nullptr, values), 0);
    EXPECT_FLOAT_EQ(values[0], 3.048f);
    EXPECT_EQ(values[1], kDeleteFloat);
    ASSERT_EQ(gbxSetItemUnitConversion(gbxItemD(header, 1), 2, kFoot), 0);
    ASSERT_EQ(gbxReadItemTimeStep(header, opened.file.get(), nullptr, values), 0);
    EXPECT_FLOAT_EQ(values[0], 10.0f);
    EXPECT_EQ(values[1], kDeleteFloat);
}

TEST(GbxTimeStepCompression, StoresKeyCellsAndReadsThemBackIntoTheFullGrid) {
    TempDir dir;
    const std::string path = dir.path("compressed.gbx");
    HeaderPtr written = stepHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, {{LRX_FLOAT, 3, 2}, {LRX_DOUBLE, 3, 2}});
    installKeys(written.get());
    StepFile data(path, written.get());
    data.write({0, 0});
    // Head, then 3 of the 6 values of each item: floats and doubles.
    EXPECT_EQ(lrxTell64(data.file()) - data.dynamicStart(), 4 + 2 * (4 + (5 + 3 * 4) + (5 + 3 * 8)));
    // Statistics count the stored cells only: cell 5 of the last step would be the maximum.
    double min = 0;
    double max = 0;
    int deleted = -1;
    ASSERT_EQ(gbxGetItemStatsGlobal(gbxItemD(written.get(), 1), &min, &max, &deleted), 0);
    EXPECT_FLOAT_EQ(min, cellValue(0, 1, 0));
    EXPECT_FLOAT_EQ(max, cellValue(1, 1, 4));
    data.close();

    OpenedFile opened = openForReading(path);
    GbxHeader* header = opened.header.get();
    installKeys(header);
    for (int itemNo = 1; itemNo <= 2; ++itemNo) {
        const int dataType = gbxItemD(header, itemNo)->dataType;
        std::vector<double> expected(6, dataType == LRX_FLOAT ? static_cast<double>(kDeleteFloat) : kDeleteDouble);
        for (int cell : kKeyCells)
            expected[cell] = dataType == LRX_FLOAT ? static_cast<double>(static_cast<float>(cellValue(0, itemNo, cell)))
                                                   : cellValue(0, itemNo, cell);
        double time = 0;
        int code = -1;
        EXPECT_EQ(readNext(header, opened.file.get(), &time, &code), expected) << "item " << itemNo;
        EXPECT_EQ(code, 0);
    }
    // With the switch on the caller receives the stored cells as they are.
    gbxItemEnableCompression(header);
    std::vector<double> stored;
    for (int cell : kKeyCells)
        stored.push_back(cellValue(1, 1, cell));
    double time = 0;
    int code = -1;
    EXPECT_EQ(readNext(header, opened.file.get(), &time, &code),
              decodeValues(LRX_FLOAT, encodeValues(LRX_FLOAT, stored)));
    EXPECT_EQ(code, 0);
}

TEST(GbxTimeStepCompression, GridThatDoesNotHoldEveryKeyPositionIsRefused) {
    struct Case {
        const char* what;
        ItemShape shape;
        std::vector<int32_t> keyY;
    };
    const Case cases[] = {
        {"0-D item", {LRX_FLOAT}, {0, 0, 1}},
        {"row beyond the grid", {LRX_DOUBLE, 3, 2}, {0, 0, 2}},
        {"position beyond 32 bits", {LRX_FLOAT, 3, 2}, {0, 0, 2147483647}},
        {"negative key", {LRX_FLOAT, 3, 2}, {0, 0, -1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        HeaderPtr header = stepHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, {c.shape});
        gbxSetEncodeKey(header.get(), kKeyX.data(), c.keyY.data(), nullptr, 3);
        StepFile data(dir.path("refused.gbx"), header.get());
        const std::vector<double> grid(6, 1.0);
        ReportedCodes reported;
        EXPECT_EQ(gbxWriteItemTimeStep(header.get(), data.file(), 0, grid.data()), F_ERR_DATA);
        ASSERT_EQ(reported.codes(), std::vector<int>{F_ERR_DATA});
        EXPECT_EQ(reported.all()[0].header, header.get());
        EXPECT_EQ(lrxTell64(data.file()), data.dynamicStart());
        EXPECT_EQ(header->currentItem, 0);
    }
}

TEST(GbxTimeStepWrite, ItemsThatCannotBeWrittenLeaveFileAndPositionAlone) {
    struct Case {
        const char* what;
        int code;
        std::function<void(GbxHeader*, const void**)> spoil;
    };
    const Case cases[] = {
        {"item index past the items", F_ERR_ITEM_NO, [](GbxHeader* h, const void**) { h->currentItem = 1; }},
        {"item without axis", F_ERR_DATA, [](GbxHeader* h, const void**) { h->items[0].axisType = 0; }},
        {"time-varying axis", F_ERR_DATA,
         [](GbxHeader* h, const void**) {
             h->items[0].axisType = GBX_TVARD1;
             h->items[0].axis.sizes[0] = 1;
         }},
        {"value type without size", F_ERR_DATA, [](GbxHeader* h, const void**) { h->items[0].dataType = 9; }},
        // 2.4 GB of floats: more bytes than gbxGetItemBytes can tell a caller to give.
        {"time step beyond 32 bits of bytes", F_ERR_DATA,
         [](GbxHeader* h, const void**) {
             h->items[0].axisType = GBX_EQD2;
             h->items[0].axis.sizes[0] = 300000000;
             h->items[0].axis.sizes[1] = 2;
         }},
        {"null data", F_ERR_DATA, [](GbxHeader*, const void** values) { *values = nullptr; }},
        {"no file type", F_ERR_FILE_TYPE, [](GbxHeader* h, const void**) { h->fileType = 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        HeaderPtr header = stepHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, {{LRX_FLOAT}});
        StepFile data(dir.path("refused.gbx"), header.get());
        const float value = 1;
        const void* values = &value;
        c.spoil(header.get(), &values);
        ReportedCodes reported;
        EXPECT_EQ(gbxWriteItemTimeStep(header.get(), data.file(), 0, values), c.code);
        EXPECT_EQ(reported.codes(), std::vector<int>{c.code});
        EXPECT_EQ(lrxTell64(data.file()), data.dynamicStart());
        EXPECT_EQ(header->currentTimeStep, 0);
    }
    ReportedCodes reported;
    EXPECT_EQ(gbxWriteItemTimeStep(nullptr, nullptr, 0, nullptr), F_ERR_USAGE);
    EXPECT_EQ(gbxReadItemTimeStep(nullptr, nullptr, nullptr, nullptr), F_ERR_USAGE);
    EXPECT_EQ(gbxSkipItem(nullptr, nullptr), F_ERR_USAGE);
    EXPECT_EQ(gbxSkipTimeStep(nullptr, nullptr), F_ERR_USAGE);
    EXPECT_EQ(reported.codes(), std::vector<int>(4, F_ERR_USAGE));
}

TEST(GbxTimeStepFree, EntryPointsWithoutFunctionReturnOne) {
    double time = 0;
    int itemNo = 0;
    const int results[] = {
        gbxQueryFreeItemTimeStep(nullptr, nullptr, &itemNo),
        gbxReadFreeItemTimeStep(nullptr, nullptr, &time, nullptr),
        gbxWriteFreeItemTimeStep(nullptr, nullptr, 3, 0, nullptr),
        gbxReadItemTvarTimeStep(nullptr, nullptr, &time, nullptr),
        gbxWriteItemTvarTimeStep(nullptr, nullptr, nullptr, nullptr),
        gbxQueryFreeItemTvarTimeStep(nullptr, nullptr, &itemNo),
        gbxReadFreeItemTvarTimeStep(nullptr, nullptr, &time, nullptr, nullptr),
        gbxWriteFreeItemTvarTimeStep(nullptr, nullptr, 3, 0, nullptr, nullptr),
    };
    for (int result : results)
        EXPECT_EQ(result, 1);

    // Each writes its entry line alone; its name leaves the stack without a line.
    PutFunctionName("marker");
    gbxDebugOn(1);
    testing::internal::CaptureStdout();
    gbxWriteFreeItemTimeStep(nullptr, nullptr, 3, 0, nullptr);
    gbxReadFreeItemTimeStep(nullptr, nullptr, &time, nullptr);
    const std::string trace = testing::internal::GetCapturedStdout();
    gbxDebugOn(0);
    EXPECT_EQ(std::string(GetFunctionName()), "marker");
    EXPECT_EQ(trace, "->{gbxWriteFreeItemTimeStep item_no=3\n->{gbxReadFreeItemTimeStep\n");
}

// A stored record holding fewer values than the item: the values it leaves out read as the
// delete value, never as what the caller's buffer held, and the read says the record is short.
TEST(GbxTimeStepRead, ShortRecordFillsTheRestWithTheDeleteValue) {
    TempDir dir;
    const std::string path = dir.path("short.gbx");
    HeaderPtr written = stepHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, {{LRX_FLOAT, 4}});
    StepFile data(path, written.get());
    data.write({0});
    data.close();
    Bytes bytes = lrxtest::readBytes(path);
    bytes[bytes.size() - 4 * 4 - 4] = 2;  // the record's count: 2 of its 4 values
    lrxtest::writeBytes(path, bytes);

    OpenedFile opened = openForReading(path);
    std::vector<float> values(4, 99.0f);
    EXPECT_EQ(gbxReadItemTimeStep(opened.header.get(), opened.file.get(), nullptr, values.data()), F_ERR_SIZE);
    EXPECT_EQ(values, (std::vector<float>{10.5f, 11.5f, kDeleteFloat, kDeleteFloat}));
}

// Items of 16-bit integers among float items: written, read back, passed over and positioned
// past like the others; a static item of them round-trips too. Compressed storage needs a
// delete value, which 16-bit integers lack.
TEST(GbxTimeStepSixteenBit, ItemsAreWrittenReadSkippedAndPositionedOver) {
    TempDir dir;
    const std::string path = dir.path("short-ints.gbx");
    {
        HeaderPtr header = stepHeader(F_EQTIME_FIXEDSPACE_ALLITEMS, {{LRX_FLOAT, 2}, {LRX_INT2, 3}, {LRX_FLOAT}});
        GbxFile* file = nullptr;
        ASSERT_EQ(gbxFileCreate(path.c_str(), header.get(), &file), 0);
        GbxVector* mask = nullptr;
        gbxStaticCreate(&mask);
        gbxSetItemInfo(header.get(), gbxItemS(mask), VNK_ITEM_UNDEFINED, "mask", kMetre, LRX_UINT2);
        gbxSetItemAxisEqD1(gbxItemS(mask), kMetre, 3, 0, 1);
        const uint16_t maskValues[3] = {1, 65535, 7};
        EXPECT_EQ(gbxStaticWrite(mask, file, maskValues), 0);
        gbxStaticDestroy(&mask);
        for (int step = 0; step < 3; ++step) {
            const float first[2] = {static_cast<float>(step), 0.5f};
            const int16_t second[3] = {static_cast<int16_t>(-step), 2, 3};
            const float third = 10.0f + step;
            ASSERT_EQ(gbxWriteItemTimeStep(header.get(), file, 0, first), 0);
            ASSERT_EQ(gbxWriteItemTimeStep(header.get(), file, 0, second), 0);
            ASSERT_EQ(gbxWriteItemTimeStep(header.get(), file, 0, &third), 0);
        }
        ASSERT_EQ(gbxFileClose(header.get(), &file), 0);
    }
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileRead(path.c_str(), &header, &file), 0);
    int code = -1;
    GbxVector* mask = gbxStaticRead(file, &code);
    ASSERT_NE(mask, nullptr);
    uint16_t maskValues[3] = {};
    EXPECT_EQ(gbxStaticGetData(mask, maskValues), 0);
    EXPECT_EQ(maskValues[1], 65535);
    gbxStaticDestroy(&mask);

    float first[2] = {};
    int16_t second[3] = {};
    float third = 0;
    EXPECT_EQ(gbxReadItemTimeStep(header, file, nullptr, first), 0);
    EXPECT_EQ(gbxReadItemTimeStep(header, file, nullptr, second), 0);
    EXPECT_EQ(second[2], 3);
    EXPECT_EQ(gbxSkipItem(header, file), 0);
    EXPECT_EQ(gbxReadItemTimeStep(header, file, nullptr, first), 0);
    EXPECT_EQ(gbxSkipItem(header, file), 0);
    EXPECT_EQ(gbxReadItemTimeStep(header, file, nullptr, &third), 0);
    EXPECT_EQ(third, 11.0f);
    EXPECT_EQ(gbxFindItemDynamic(header, file, 2, 3), 0);
    EXPECT_EQ(gbxReadItemTimeStep(header, file, nullptr, &third), 0);
    EXPECT_EQ(third, 12.0f);
    EXPECT_EQ(gbxFindItemDynamic(header, file, 2, 2), 0);
    EXPECT_EQ(gbxReadItemTimeStep(header, file, nullptr, second), 0);
    EXPECT_EQ(second[0], -2);

    installKeys(header);
    EXPECT_EQ(gbxFindItemDynamic(header, file, 0, 2), 0);
    EXPECT_EQ(gbxReadItemTimeStep(header, file, nullptr, second), F_ERR_DATA);
    gbxFileClose(header, &file);
    gbxHeaderDestroy(&header);
}

// Rewriting the first time step of a non-equidistant file in place keeps the span and every
// other stored byte of the file.
TEST(GbxTimeStepEdit, RewritingTheFirstTimeStepKeepsTheStoredSpan) {
    TempDir dir;
    const std::string path = dir.path("edit.gbx");
    {
        HeaderPtr header = stepHeader(F_NEQTIME_FIXEDSPACE_ALLITEMS, {{LRX_FLOAT}});
        GbxFile* file = nullptr;
        ASSERT_EQ(gbxFileCreate(path.c_str(), header.get(), &file), 0);
        for (int step = 0; step < 3; ++step)
            writeStep(header.get(), file, step, std::vector<double>{10, 40, 100}[step]);
        ASSERT_EQ(gbxFileClose(header.get(), &file), 0);
    }
    const Bytes before = lrxtest::readBytes(path);
    GbxHeader* header = nullptr;
    GbxFile* file = nullptr;
    ASSERT_EQ(gbxFileEdit(path.c_str(), &header, &file), 0);
    const int64_t editStamp = file->lrxBase + 20;
    ASSERT_EQ(gbxFindTimeStep(header, file, 0), 0);
    writeStep(header, file, 0, 10);
    ASSERT_EQ(gbxFileClose(header, &file), 0);
    gbxHeaderDestroy(&header);

    Bytes after = lrxtest::readBytes(path);
    ASSERT_EQ(after.size(), before.size());
    std::copy(before.begin() + editStamp, before.begin() + editStamp + 20, after.begin() + editStamp);
    EXPECT_EQ(after, before);
}
