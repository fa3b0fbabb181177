// The operating-system layer's path forming, which records a file's full path without
// touching the file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>

#include "src/os/osfile.h"

TEST(LrxOsFile, FullPathResolvesDotsByText) {
    char cwd[PATH_MAX];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    const std::string here = cwd;
    const struct {
        const char* name;
        std::string expected;
    } cases[] = {
        {"/a/b/../c/./d.dat", "/a/c/d.dat"}, {"/../x", "/x"}, {"//a///b/", "/a/b"}, {"f.dat", here + "/f.dat"},
        {"./sub/../f.dat", here + "/f.dat"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lrx::os::fullPath(c.name, 4096), c.expected) << c.name;
    EXPECT_EQ(lrx::os::fullPath("", 4096), "");
    EXPECT_EQ(lrx::os::fullPath("/abc/def", 5), "") << "a path over the limit is not formed";
}
