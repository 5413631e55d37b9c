// Both program files as Windows reads them: the version strings found through the
// Translation list, as the shell looks them up, the numbers made from VERSION, the
// sizes of the first icon group and the settings of the application manifest. Then the
// name the shell shows for DORVALIX once it has registered itself.
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "classes_root_win32.h"
#include "dorvalix_version.h"
#include "test_support_win32.h"
#include "tests/tools/window_probe_win32.h"

namespace {

struct Program {
    const char* file;
    const char* description;
    const char* internalName;
    bool window;  // a window program: DPI aware and Common Controls 6, unlike a console one
};
const Program Programs[] = {
    {DORVALIX_EXE, "DORVALIX: the right compiler for each BASIC source", "DORVALIX", true},
    {"dorvalix-classify.exe", "dorvalix-classify: which compiler DORVALIX picks, and why", "dorvalix-classify", false},
};

// VERSION's runs of digits, the first four, padded with 0: "1.0b" gives 1.0.0.0.
std::vector<WORD> VersionNumbers()
{
    std::vector<WORD> numbers;
    std::string run;
    for (const char* c = DorvalixVersion;; ++c) {
        if (*c >= '0' && *c <= '9') {
            run += *c;
            continue;
        }
        if (!run.empty())
            numbers.push_back(static_cast<WORD>(std::stoul(run)));
        run.clear();
        if (!*c)
            break;
    }
    numbers.resize(4, 0);
    return numbers;
}

std::string VersionString(const std::vector<char>& info, const std::string& block, const char* name)
{
    char* text = nullptr;
    UINT size = 0;
    if (!VerQueryValueA(info.data(), ("\\StringFileInfo\\" + block + "\\" + name).c_str(),
                        reinterpret_cast<void**>(&text), &size))
        return "(missing)";
    return std::string(text, size && !text[size - 1] ? size - 1 : size);
}

void ExpectVersion(const Program& program, const std::string& path)
{
    std::vector<char> info(GetFileVersionInfoSizeA(path.c_str(), nullptr));
    ASSERT_FALSE(info.empty()) << program.file << ": no version resource";
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

    // The one language and code page the strings are in: US English, Unicode.
    WORD* translation = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &size));
    ASSERT_EQ(4u, size) << program.file << ": one language and code page";
    EXPECT_EQ(0x0409, translation[0]);
    EXPECT_EQ(1200, translation[1]);
    char block[9];
    std::snprintf(block, sizeof block, "%04x%04x", translation[0], translation[1]);
    const std::pair<const char*, std::string> strings[] = {
        {"FileDescription", program.description},
        {"ProductName", "DORVALIX"},
        {"CompanyName", "The DORVALIX authors"},
        {"LegalCopyright", "Copyright (c) 2026 the DORVALIX authors, MIT License"},
        {"FileVersion", DorvalixVersion},
        {"ProductVersion", DorvalixVersion},
        {"OriginalFilename", program.file},
        {"InternalName", program.internalName},
    };
    for (const auto& string : strings)
        EXPECT_EQ(string.second, VersionString(info, block, string.first)) << program.file << ": " << string.first;

    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &size));
    const std::vector<WORD> n = VersionNumbers();
    const DWORD high = MAKELONG(n[1], n[0]), low = MAKELONG(n[3], n[2]);
    EXPECT_TRUE(fixed->dwFileVersionMS == high && fixed->dwFileVersionLS == low &&
                fixed->dwProductVersionMS == high && fixed->dwProductVersionLS == low)
        << program.file << ": got " << HIWORD(fixed->dwFileVersionMS) << "." << LOWORD(fixed->dwFileVersionMS)
        << "." << HIWORD(fixed->dwFileVersionLS) << "." << LOWORD(fixed->dwFileVersionLS) << ", expected "
        << n[0] << "." << n[1] << "." << n[2] << "." << n[3];
    EXPECT_EQ(DWORD(VOS_NT_WINDOWS32), fixed->dwFileOS) << program.file;
    EXPECT_EQ(DWORD(VFT_APP), fixed->dwFileType) << program.file;
}

BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR name, LONG_PTR first)
{
    *reinterpret_cast<LPSTR*>(first) = name;
    return FALSE;
}

#pragma pack(push, 2)
struct GroupIconEntry {  // GRPICONDIRENTRY
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The shell shows the first icon group in enumeration order (names before numbers).
void ExpectIcon(const Program& program, HMODULE module)
{
    LPSTR first = nullptr;
    EnumResourceNamesA(module, RT_GROUP_ICON, TakeFirstName, reinterpret_cast<LONG_PTR>(&first));
    ASSERT_TRUE(first == MAKEINTRESOURCEA(1)) << program.file << ": the first icon group is not number 1";
    HRSRC found = FindResourceA(module, first, RT_GROUP_ICON);
    const WORD* group = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
    ASSERT_TRUE(group && group[1] == 1) << program.file << ": no icon group";  // idType 1: icons
    const GroupIconEntry* entries = reinterpret_cast<const GroupIconEntry*>(group + 3);
    std::string sizes;
    for (WORD i = 0; i < group[2]; ++i) {
        const GroupIconEntry& entry = entries[i];
        sizes += (i ? " " : "") + std::to_string(entry.width ? entry.width : 256) + "x" +
                 std::to_string(entry.height ? entry.height : 256);  // 0 stands for 256
        EXPECT_TRUE(FindResourceA(module, MAKEINTRESOURCEA(entry.id), RT_ICON)) << program.file << ": image " << i;
    }
    EXPECT_EQ("16x16 32x32 48x48 256x256", sizes) << program.file;
}

void ExpectManifest(const Program& program, HMODULE module)
{
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    ASSERT_TRUE(found) << program.file << ": no manifest";
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                               SizeofResource(module, found));
    struct Setting {
        const char* what;
        const char* text;
        bool windowOnly;
    };
    const Setting settings[] = {
        {"run as invoker", "level=\"asInvoker\"", false},
        {"no UI access", "uiAccess=\"false\"", false},
        {"UTF-8 as the code page",
         "<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8</activeCodePage>", false},
        {"long paths",
         "<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true</longPathAware>", false},
        {"Windows Vista", "{e2011457-1546-43c5-a5fe-008deee3d3f0}", false},
        {"Windows 7", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", false},
        {"Windows 8", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", false},
        {"Windows 8.1", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", false},
        {"Windows 10 and 11", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", false},
        {"per-monitor DPI, Vista to 10 1511",
         "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm</dpiAware>", true},
        {"per-monitor DPI, version 2",
         "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">PerMonitorV2</dpiAwareness>",
         true},
        {"Common Controls 6",
         "<assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
         "processorArchitecture=\"*\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"",
         true},
    };
    for (const Setting& setting : settings) {
        const bool expected = program.window || !setting.windowOnly;
        EXPECT_EQ(expected, manifest.find(setting.text) != std::string::npos)
            << program.file << ": " << setting.what << (expected ? " missing" : " where it does not belong");
    }
}

TEST(ProgramFiles, CarryTheirVersionIconAndManifest) {
    for (const Program& program : Programs) {
        const std::string path = ProgramFolder() + program.file;
        ExpectVersion(program, path);
        HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module) << path;
        ExpectIcon(program, module);
        ExpectManifest(program, module);
        FreeLibrary(module);
    }
}

// The file types as they were before the test are put back after it.
class SavedClassesRoot : public ::testing::Test {
protected:
    void SetUp() override { saver_.Save(); }
    void TearDown() override { saver_.Restore(); }

private:
    ClassesRootSaver saver_;
};

// Open with and the other places of the shell name the program by its description.
TEST_F(SavedClassesRoot, ShellNamesDorvalixByItsDescription) {
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(StartRawCommandLine("\"" + ProgramFolder() + DORVALIX_EXE + "\"", &process));
    // With no file it registers itself, then shows its usage box, answered here.
    HWND box = WaitForWindow(process.dwProcessId, "Dorvalix", 20000);
    std::string refusal;
    EXPECT_TRUE(box && AnswerMessageBox(box, IDOK, &refusal)) << "no usage box within 20 s " << refusal;
    DWORD exitCode = 1;
    if (!WaitForExit(process.hProcess, 20000, &exitCode)) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, 5000);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    char name[512] = {};
    DWORD size = sizeof name;
    EXPECT_EQ(S_OK, AssocQueryStringA(ASSOCF_NONE, ASSOCSTR_FRIENDLYAPPNAME, ".bas", "open", name, &size));
    EXPECT_EQ(std::string(Programs[0].description), name);
}

}  // namespace
