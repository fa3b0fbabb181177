// The call trace's lines on standard output: markers, indentation, the name stack and the
// line limit that ends the process.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "lrx/trace.h"
#include "src/trace/tracestate.h"

namespace {

// The trace's state is process-wide: every test leaves it as it found it, at rest.
class TraceTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(lrx::trace::indentation(), 0);
        ASSERT_EQ(lrx::trace::openNames(), 0);
        testing::internal::CaptureStdout();
    }
    void TearDown() override {
        if (!captured_) testing::internal::GetCapturedStdout();
        EXPECT_EQ(lrx::trace::indentation(), 0);
        EXPECT_EQ(lrx::trace::openNames(), 0);
    }
    std::string output() {
        captured_ = true;
        return testing::internal::GetCapturedStdout();
    }

private:
    bool captured_ = false;
};

TEST_F(TraceTest, NestedCallsAreIndentedAndExitLinesRepeatTheirNames) {
    DebugEnter("gbxFileRead <%s>", "a.dat");
    DebugEnter("FOpenFileRead <%s>", "b.dat");
    DebugPrint("tag=%d", 10000);
    DebugEnterExit("gbxSkip %d", 3);
    DebugExit("[%d]", 2003);
    DebugExit("[%d]", 0);
    EXPECT_EQ(output(),
              "->{gbxFileRead <a.dat>\n"
              "  ->{FOpenFileRead <b.dat>\n"
              "    tag=10000\n"
              "    -><-gbxSkip 3\n"
              "  <-}FOpenFileRead [2003]\n"
              "<-}gbxFileRead [0]\n");
}

TEST_F(TraceTest, ExitWithoutEntryNamesUnknownCallAndStaysAtColumnZero) {
    DebugExit("[%d]", 7);
    DebugExitStr("again");
    DebugPrint("x");
    EXPECT_EQ(output(), "<-}??? [7]\n<-}??? again\nx\n");
}

TEST_F(TraceTest, StrFormsTakeTheTextAsFormatWithoutReadingArguments) {
    DebugEnterStr("name_1%s <%d>");
    DebugPrintStr("a%%b");
    DebugEnterExitStr("abc");
    DebugPrintStr("%s %n 100% %%%");
    DebugExitStr("done %p");
    EXPECT_EQ(output(),
              "->{name_1%s <%d>\n"
              "  a%b\n"
              "  -><-abc\n"
              "  %s %n 100% %%\n"
              "<-}name_1 done %p\n");
}

TEST_F(TraceTest, PrintnblankWritesOnlyPositiveCounts) {
    printnblank(0);
    printnblank(-3);
    printnblank(4);
    EXPECT_EQ(output(), "    ");
}

TEST_F(TraceTest, FunctionNamesPopInReverseAndUnknownWhenEmpty) {
    PutFunctionName("gbxHeaderCreate <%s> <%s> %d");
    PutFunctionName("gbxItemSet");
    EXPECT_STREQ(GetFunctionName(), "gbxItemSet");
    EXPECT_STREQ(GetFunctionName(), "gbxHeaderCreate");
    EXPECT_STREQ(GetFunctionName(), "???");
    EXPECT_EQ(output(), "");
}

TEST_F(TraceTest, OverflowingTheNameStackKeepsEntriesAndExitsPaired) {
    const int depth = 101;
    for (int i = 0; i < depth; ++i)
        DebugEnter(("f" + std::to_string(i) + " <%d>").c_str(), i);
    for (int i = depth - 1; i >= 0; --i)
        DebugExit("[%d]", i);
    const std::string text = output();
    // The 101st entry is beyond the stack: its exit names no call, the 100th names its own.
    EXPECT_NE(text.find("\n" + std::string(200, ' ') + "<-}??? [100]\n"), std::string::npos);
    EXPECT_NE(text.find("\n" + std::string(198, ' ') + "<-}f99 [99]\n"), std::string::npos);
    const std::string tail = "  <-}f1 [1]\n<-}f0 [0]\n";
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
}

// The child writes its trace to standard error, which the death test captures. After the limit
// the trace falls silent and the program goes on.
TEST(TraceLineLimitDeathTest, TraceFallsSilentAfterTheFiveThousandSecondLine) {
    EXPECT_EXIT(
        {
            std::fflush(stdout);
            dup2(STDERR_FILENO, STDOUT_FILENO);
            for (int line = lrx::trace::linesWritten() + 1; line <= 5010; ++line)
                DebugPrint("line %d", line);
            DebugEnter("silent");
            printnblank(3);
            std::fputs("|running", stdout);
            std::exit(3);
        },
        testing::ExitedWithCode(3), "\nline 5001\nline 5002\nMaximum number of lines exceeded\\. Bye bye\\|running$");
}

}  // namespace
