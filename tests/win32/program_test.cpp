// DORVALIX.EXE itself, started with raw command lines: it ends with exit code 0 on
// every path.
#include <gtest/gtest.h>

#include "test_support_win32.h"

namespace {

TEST(Program, EndsWithExitCodeZero) {
    std::string exe = ProgramFolder() + DORVALIX_EXE;
    std::string folder = ScratchFolder("program");
    WriteFileBytes(folder + "console.bas", "CLS\r\n");
    WriteFileBytes(folder + "none.bas", "x = 1\r\n");
    const std::string tails[] = {
        "",
        " \"\"\"\"",
        " \"" + folder + "missing.bas\"",
        " \"" + folder + "console.bas\"",
        " \"" + folder + "none.bas\"",
    };
    for (const std::string& tail : tails)
        EXPECT_EQ(0, RunAndWait("\"" + exe + "\"" + tail)) << tail;
}

}  // namespace
