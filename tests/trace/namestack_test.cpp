// The trace's name stack on its own: identifier cutting, capacity and balanced overflow.
#include <gtest/gtest.h>

#include <string>

#include "src/trace/namestack.h"

namespace {

using lrx::trace::NameStack;

TEST(TraceNameStack, KeepsOnlyTheLeadingIdentifier) {
    const struct {
        const char* text;
        const char* name;
    } cases[] = {
        {"FOpenFileRead <%s>", "FOpenFileRead"},
        {"gbxHeaderCreate <%s> <%s> %d", "gbxHeaderCreate"},
        {"csn_Xsec9(x)", "csn_Xsec9"},
        {"[%d]", ""},
        {"", ""},
    };
    NameStack stack;
    for (const auto& c : cases) {
        stack.push(c.text);
        EXPECT_STREQ(stack.pop(), c.name) << c.text;
    }
    EXPECT_STREQ(stack.pop(), "???");
}

TEST(TraceNameStack, NameFillingTheBufferExactlyIsKeptAndTheNextIsDropped) {
    NameStack stack;
    const std::string whole(NameStack::kBufferBytes - 1, 'a');  // plus its zero: the whole buffer
    stack.push(whole.c_str());
    stack.push("");  // needs one byte for its zero
    EXPECT_STREQ(stack.pop(), "???");
    EXPECT_EQ(stack.pop(), whole);
}

TEST(TraceNameStack, AfterOneDroppedPushLaterPushesAreDroppedUntilItIsPopped) {
    NameStack stack;
    const std::string big(NameStack::kBufferBytes - 10, 'b');
    stack.push(big.c_str());
    stack.push("tooLongForTheRest");  // 17 + 1 bytes do not fit in the 10 left
    stack.push("short");              // would fit, but must not overtake the dropped one
    EXPECT_STREQ(stack.pop(), "???");
    EXPECT_STREQ(stack.pop(), "???");
    stack.push("short");  // the overflow has been popped: room again
    EXPECT_STREQ(stack.pop(), "short");
    EXPECT_EQ(stack.pop(), big);
    EXPECT_EQ(stack.depth(), 0);
}

}  // namespace
