// Shortcut recognition and resolution, and the project window named by the environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "lrx/shell.h"
#include "src/shell/project.h"

namespace {

TEST(GbxShell, ShortcutIsRecognisedByTheExtensionOfTheLastComponent) {
    const struct {
        const char* path;
        int shortcut;
    } cases[] = {
        {"C:\\data\\run.LNK", 1},
        {"/data/run.lnk", 1},
        {".lnk", 1},
        {"run.lnk.dat", 0},
        {"lnk", 0},
        {"/data.lnk/run", 0},
        {"C:\\x.lnk\\run", 0},
        {"run.lnkx", 0},
        {"", 0},
        {nullptr, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(QvShortCut_IsShortcut(c.path), c.shortcut) << (c.path != nullptr ? c.path : "null");
    }
}

TEST(GbxShell, ResolvingFailsWithAnEmptyTarget) {
    char target[260];
    std::strcpy(target, "left over");
    EXPECT_EQ(QvShortCut_ResolveShortcut("/data/run.lnk", target), static_cast<int32_t>(0x80004001u));
    EXPECT_STREQ(target, "");
}

TEST(GbxShell, ProjectWindowIsTheFourthFieldReadAsHex) {
    const struct {
        const char* value;
        uintptr_t window;
    } cases[] = {
        {"a&b&c", 0}, {"a&b&c&0", 0}, {"a&b&c&1f4", 0x1f4}, {"a&b&c&1F4&more", 0x1f4}, {"a&b&c& 0x1f4", 0x1f4},
        {"&&&7", 7},  {"a&b&c&", 0},  {"a&b&c&zz", 0},      {"a&b&c&12g", 0x12},       {"a&b&c&1ffffffffffffffff", 0},
        {"", 0},      {nullptr, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(qvProjectWindowFromVariable(c.value), c.window) << (c.value != nullptr ? c.value : "null");
    }
}

// Sets the project variable for one test and puts the previous value back afterwards.
class ProjectVariable {
public:
    ProjectVariable() {
        if (const char* value = std::getenv(QV_PROJECT_VARIABLE)) saved_ = value;
    }
    ~ProjectVariable() {
        if (saved_) {
            ::setenv(QV_PROJECT_VARIABLE, saved_->c_str(), 1);
        } else {
            ::unsetenv(QV_PROJECT_VARIABLE);
        }
    }
    void set(const char* value) {
        if (value != nullptr) {
            ::setenv(QV_PROJECT_VARIABLE, value, 1);
        } else {
            ::unsetenv(QV_PROJECT_VARIABLE);
        }
    }

private:
    std::optional<std::string> saved_;
};

TEST(GbxShell, AddingAFileTellsNoWindowOnThisPlatform) {
    ProjectVariable variable;
    for (const char* value : {static_cast<const char*>(nullptr), "a&b&c", "a&b&c&0", "a&b&c&1f4"}) {
        variable.set(value);
        EXPECT_EQ(QvProject_AddFile("/data/run.gbx"), -1) << (value != nullptr ? value : "unset");
    }
}

}  // namespace
