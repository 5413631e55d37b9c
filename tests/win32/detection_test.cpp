// Which versions count as installed and which one the detection of each family finds,
// with the compilers' real keys below HKEY_LOCAL_MACHINE written as installations would.
#include <gtest/gtest.h>

#include "compiler_keys_win32.h"
#include "compilers/detection_win32.h"

namespace {

using namespace std::string_literals;

enum Row { Dll10, Dll20, Dll50, Dll60, Cc10, Cc11, Cc200 };

struct Value { int row; DWORD type; std::string bytes; };

using Detection = CompilerKeys;

TEST_F(Detection, FindsTheNewestInstalledVersionOfEachFamily) {
    const std::string cc = "No recognized PB/CC versions found in Registry...";
    const std::string dll = "No recognized PB/DLL versions found in Registry...";
    const std::string huge = "C:\\" + std::string(100 * 1024, 'p') + "\\PBDLL.EXE";
    struct Case {
        const char* what;
        std::vector<Value> values;
        std::string console, windows;
        const char* installed;  // one digit per row of the screen, 1 for installed
    };
    const Case cases[] = {
        {"nothing installed", {}, cc, dll, "0000000"},
        {"PB/CC 1.0 and 2.00", {{Cc10, REG_SZ, "C:\\CC10.EXE\0"s}, {Cc200, REG_SZ, "C:\\CC200.EXE\0"s}},
         "C:\\CC200.EXE", dll, "0000101"},
        {"PB/CC 1.0 and 1.1", {{Cc11, REG_SZ, "C:\\CC11.EXE\0"s}, {Cc10, REG_SZ, "C:\\CC10.EXE\0"s}},
         "C:\\CC11.EXE", dll, "0000110"},
        {"PB/DLL 5.00 and 6.00", {{Dll60, REG_SZ, "C:\\DLL60.EXE\0"s}, {Dll50, REG_SZ, "C:\\DLL50.EXE\0"s}},
         cc, "C:\\DLL60.EXE", "0011000"},
        {"6.00 present but empty", {{Dll50, REG_SZ, "C:\\DLL50.EXE\0"s}, {Dll60, REG_SZ, "\0"s}},
         cc, "C:\\DLL50.EXE", "0010000"},
        {"6.00 stored without data", {{Dll50, REG_SZ, "C:\\DLL50.EXE"}, {Dll60, REG_SZ, ""}},
         cc, "C:\\DLL50.EXE", "0010000"},
        {"only PB/DLL 2.0: never detected, still installed", {{Dll20, REG_SZ, "C:\\DLL20.EXE\0"s}},
         cc, dll, "0100000"},
        {"PB/DLL 1.0 beside 5.00", {{Dll10, REG_SZ, "C:\\DLL10.EXE\0"s}, {Dll50, REG_SZ, "C:\\DLL50.EXE\0"s}},
         cc, "C:\\DLL50.EXE", "1010000"},
        {"an expandable string is not installed",
         {{Cc11, REG_SZ, "C:\\CC11.EXE\0"s}, {Cc200, REG_EXPAND_SZ, "%SystemDrive%\\CC200.EXE\0"s}},
         "C:\\CC11.EXE", dll, "0000010"},
        {"a number is a text", {{Cc200, REG_DWORD, "\x07\0\0\0"s}}, " 7", dll, "0000001"},
        {"other types are not installed",
         {{Cc10, REG_BINARY, "C:\\CC10.EXE"}, {Cc11, REG_MULTI_SZ, "C:\\CC11.EXE\0\0"s},
          {Cc200, REG_DWORD, "\x07\0"s}, {Dll60, REG_DWORD, "\x07\0\0\0\0\0\0\0"s}, {Dll50, REG_NONE, "x"}},
         cc, dll, "0000000"},
        {"100 KB of text is read whole", {{Dll60, REG_SZ, huge + '\0'}}, cc, huge, "0001000"},
        {"spaces count, a missing file counts",
         {{Cc10, REG_SZ, "   \0"s}, {Dll60, REG_SZ, "C:\\Missing\\PBDLL.EXE\0"s}},
         "   ", "C:\\Missing\\PBDLL.EXE", "0001100"},
    };
    for (const Case& c : cases) {
        RemoveAllVersions();
        for (const Value& value : c.values)
            SetFilename(CompilerKeyPaths[value.row], value.type, value.bytes);
        EXPECT_EQ(c.console, FindNewestConsoleCompiler()) << c.what;
        EXPECT_EQ(c.windows, FindNewestWindowsCompiler()) << c.what;
        std::string installed;
        for (const CompilerVersion& row : VersionTable)
            installed += IsVersionInstalled(row) ? '1' : '0';
        EXPECT_EQ(c.installed, installed) << c.what;
    }
}

}  // namespace
