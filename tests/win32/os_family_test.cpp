// ISWIN95 called in DORVALIX.EXE by a probe that loads the program file as a library,
// with the Windows version that Wine reports to the probe set per program name.
#include <gtest/gtest.h>

#include "test_support_win32.h"

namespace {

TEST(IsWin95, AnswersByThePlatformFamily) {
    std::string folder = ScratchFolder("iswin95");
    std::string exe = ProgramFolder() + DORVALIX_EXE;
    struct Row { const char* version; long result; };
    const Row rows[] = {
        {"win95", -1}, {"win98", -1},  // platform 1: -1, not +1
        {"win31", 0},                  // Win32s, platform 0
        {"winxp", 0}, {"win10", 0},    // the NT family, platform 2
    };
    for (const Row& row : rows) {
        std::string name = std::string("iswin95-probe-") + row.version + ".exe";
        std::string probe = folder + name;
        ASSERT_TRUE(CopyFileA((ProgramFolder() + "iswin95-probe.exe").c_str(), probe.c_str(), FALSE));
        std::string key = "Software\\Wine\\AppDefaults\\" + name;
        ASSERT_EQ(ERROR_SUCCESS, RegSetKeyValueA(HKEY_CURRENT_USER, key.c_str(), "Version", REG_SZ, row.version,
                                                 static_cast<DWORD>(strlen(row.version) + 1)));
        EXPECT_EQ(row.result, RunAndWait("\"" + probe + "\" \"" + exe + "\"")) << row.version;
        RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    }
}

}  // namespace
