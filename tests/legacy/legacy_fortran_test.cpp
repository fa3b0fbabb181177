// The layout of legacy pairs checked against Fortran's own unformatted sequential and direct-
// access files: a Fortran program reads a pair that the library wrote and writes one that the
// library reads, in the machine's byte order and in big-endian order.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "legacypairs.h"
#include "src/lrx/byteswap.h"

using namespace legacytest;
using lrxtest::TempDir;

namespace {

struct Program {
    const char* path;
    bool bigEndian;
};

#if defined(LRX_PAIRIO_NATIVE) && defined(LRX_PAIRIO_BIG)
const std::vector<Program> kPrograms = {{LRX_PAIRIO_NATIVE, false}, {LRX_PAIRIO_BIG, true}};
#else
const std::vector<Program> kPrograms;
#endif

bool machineIsBigEndian() {
    const uint32_t one = 1;
    unsigned char first = 0;
    std::memcpy(&first, &one, 1);
    return first == 0;
}

// The program's output lines; its exit status must be 0.
std::vector<std::string> run(const TempDir& dir, const Program& program, const std::string& arguments) {
    const std::string out = dir.path("out.txt");
    const std::string command = std::string(program.path) + " " + arguments + " >" + out;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<std::string> lines;
    std::ifstream in(out, std::ios::binary);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

uint32_t bitsOf(float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, 4);
    return bits;
}

// The pair as a machine of the other byte order holds it: every word reversed, texts kept.
void reverseByteOrder(const std::string& headerPath, const std::string& dataPath) {
    Bytes header = lrxtest::readBytes(headerPath);
    lrx::reverseElements(header.data(), 4, 152);
    lrx::reverseElements(header.data() + 608, 4, 1);
    lrx::reverseElements(header.data() + 1048, 4, 1);
    lrxtest::writeBytes(headerPath, header);
    Bytes data = lrxtest::readBytes(dataPath);
    lrx::reverseElements(data.data(), 4, static_cast<int64_t>(data.size() / 4));
    lrxtest::writeBytes(dataPath, data);
}

std::string withoutZeros(std::string text) {
    return text.substr(0, text.find('\0'));
}

}  // namespace

TEST(LegacyFortran, FortranReadsThePairsTheLibraryWrites) {
    if (kPrograms.empty()) GTEST_SKIP() << "gfortran is not installed";
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.path);
        TempDir dir;
        HeaderPtr header = newHeader(2, 3);
        GbxFile* file = nullptr;
        ASSERT_EQ(gbxFileCreate(dir.path("lib.dt1").c_str(), header.get(), &file), 0);
        std::vector<std::vector<float>> records;
        for (int r = 1; r <= 4; ++r) {
            records.push_back({r + 0.5f, -r * 1e-3f, 1e30f / r});
            ASSERT_EQ(gbxWriteItemTimeStep(header.get(), file, 0.0, records.back().data()), 0);
        }
        ASSERT_EQ(gbxFileClose(header.get(), &file), 0);
        const Bytes written = lrxtest::readBytes(dir.path("lib.ct1"));
        if (program.bigEndian != machineIsBigEndian()) reverseByteOrder(dir.path("lib.ct1"), dir.path("lib.dt1"));

        const std::vector<std::string> lines = run(dir, program, "read " + dir.path("lib.ct1") + " " +
                                                                     dir.path("lib.dt1") + " 3 4");
        ASSERT_EQ(lines.size(), 150u + 2 + 12);
        for (int k = 1; k <= 150; ++k)
            EXPECT_EQ(static_cast<uint32_t>(std::stoll(lines[k - 1])), bitsOf(wordOf(written, k))) << "word " << k;
        EXPECT_EQ(withoutZeros(lines[150]), "written pair");
        EXPECT_EQ(withoutZeros(lines[151]), "item 1");
        for (int r = 0; r < 4; ++r) {
            for (int k = 0; k < 3; ++k)
                EXPECT_EQ(static_cast<uint32_t>(std::stoll(lines[152 + 3 * r + k])), bitsOf(records[r][k]));
        }
    }
}

TEST(LegacyFortran, LibraryReadsThePairsFortranWrites) {
    if (kPrograms.empty()) GTEST_SKIP() << "gfortran is not installed";
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.path);
        TempDir dir;
        run(dir, program, "write " + dir.path("f.ct1") + " " + dir.path("f.dt1"));
        const Opened opened = openPair(dir.path("f.dt1"));
        ASSERT_EQ(opened.code, 0);
        GbxHeader* h = opened.header.get();
        // Fortran pads its texts with blanks, and the texts are kept as the file holds them.
        EXPECT_EQ(std::string(gbxGetFileTitle(h)), std::string("written by fortran").append(22, ' '));
        const char* name = nullptr;
        gbxGetItemInfo(gbxItemD(h, 2), nullptr, nullptr, &name, nullptr, nullptr, nullptr);
        EXPECT_EQ(std::string(name), std::string("speed").append(15, ' '));
        EXPECT_EQ(gbxGetDeleteValFloat(h), -99.0f);
        int unit = 0, steps = 0, nx = 0, axisUnit = 0;
        double step = 0;
        float x0 = 0, dx = 0;
        gbxGetEqTimeAxis(h, &unit, nullptr, nullptr, &step, &steps, nullptr);
        EXPECT_EQ(unit, 1400);
        EXPECT_EQ(step, 30.0);
        EXPECT_EQ(steps, 2);
        gbxGetItemAxisEqD1(gbxItemD(h, 1), &axisUnit, nullptr, &nx, &x0, &dx);
        EXPECT_EQ(axisUnit, 1000);
        EXPECT_EQ(nx, 3);
        EXPECT_EQ(x0, 10.0f);
        EXPECT_EQ(dx, 0.5f);

        int code = -1;
        GbxVector* vector = gbxStaticRead(opened.file, &code);
        ASSERT_NE(vector, nullptr);
        std::vector<float> values(3);
        gbxStaticGetData(vector, values.data());
        gbxStaticDestroy(&vector);
        for (int r = 1; r <= 5; ++r) {
            if (r > 1) {
                ASSERT_EQ(gbxReadItemTimeStep(h, opened.file, nullptr, values.data()), 0);
            }
            for (int k = 1; k <= 3; ++k)
                EXPECT_EQ(values[k - 1], r * 100 + k + 0.25f) << "record " << r;
        }
    }
}
