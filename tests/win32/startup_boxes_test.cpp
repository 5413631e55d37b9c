// The two boxes of a run, shown by RunDorvalix on this thread and read back from the
// real box window: exact text, title, the stop icon, no owner; the run then returns 0.
// And a run whose source path no spelling brings to the compiler found: its notice
// says that nothing starts, and nothing does. The test runs in UTF-8, as the program does.
#include <gtest/gtest.h>

#include "app/countdown_notice_win32.h"
#include "app/main_flow_win32.h"
#include "compiler_keys_win32.h"
#include "dorvalix_version.h"
#include "message_box_reader_win32.h"
#include "stand_in_win32.h"
#include "test_support_win32.h"
#include "text/path_spelling_win32.h"

namespace {

TEST(StartupBoxes, UsageAndOpenFailure) {
    struct Row { std::string commandLine, title, text; };
    const std::string missing = ScratchFolder("boxes") + "missing.bas";
    const Row rows[] = {
        {"DORVALIX.EXE", "Dorvalix",
         "No parameter is used. Please use:\r\rDORVALIX sourcecode.bas\r\r"
         "or doubleclick on any file with the .BAS extension"},
        {"\"C:\\Program Files\\DORVALIX.EXE\" \"" + missing + "\"", "Dorvalix warning",
         "The file passed as parameter could not be opened!\rExecution terminated."},
    };
    for (const Row& row : rows) {
        BoxReading reading;
        reading.title = row.title;
        int exitCode = WithBoxReader(&reading, [&] { return RunDorvalix(row.commandLine.c_str()); });
        ASSERT_TRUE(reading.found) << row.title;
        EXPECT_EQ(row.text, reading.text);
        EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(32513)), reading.icon) << "the stop icon, IDI_HAND";
        EXPECT_EQ(nullptr, reading.owner);
        EXPECT_EQ(0, exitCode);
    }
}

// A volume without short names: the long name comes back as it is.
std::wstring NoShortName(const std::wstring& path)
{
    return path;
}

// The notice's texts, read from a second thread once it shows; then &Go now! is pressed.
// A box shown instead is read and dismissed, so that the test thread goes on.
struct NoticeReading {
    DWORD testThread = 0;
    bool found = false;
    std::string texts;
};

DWORD WINAPI ReadNoticeAndGo(void* context)
{
    NoticeReading* reading = static_cast<NoticeReading*>(context);
    HWND notice = WaitForWindow(GetCurrentProcessId(), VersionTitle, 10000);
    if (notice) {
        for (const ControlReading& control : ReadControls(notice))
            reading->texts += control.text + "\n";
        reading->found = PressButton(notice, NoticeGoNowId);
    } else if (HWND box = FindVisibleWindow(GetCurrentProcessId(), "Dorvalix warning")) {
        reading->texts = MessageBoxText(box);
        EnumThreadWindows(reading->testThread, DismissAnyBox, 0);
    }
    return 0;
}

using MainFlow = CompilerKeys;

TEST_F(MainFlow, NoSpellingReachesTheCompiler) {
    std::string folder = ScratchFolder("unreachable");
    std::string log = PrepareStandInLog(folder);
    InstallVersion(6, InstallStandIn(folder + "PBCC\\PBCC.EXE"));  // PB/CC 2.00
    CreateFolders(folder + "Gdańsk\\");
    std::string source = folder + "Gdańsk\\łódka.bas";
    WriteFileBytes(source, "'use PB/CC\r\n");
    ASSERT_FALSE(CodePageHolds(SystemCodePage(), source));

    LookUpShortPath = NoShortName;
    NoticeReading reading;
    reading.testThread = GetCurrentThreadId();
    HANDLE reader = CreateThread(nullptr, 0, ReadNoticeAndGo, &reading, 0, nullptr);
    int exitCode = RunDorvalix(("DORVALIX.EXE \"" + source + "\"").c_str());
    WaitForSingleObject(reader, 15000);
    CloseHandle(reader);
    LookUpShortPath = SystemShortPath;

    ASSERT_TRUE(reading.found) << "no notice with &Go now!\n" << reading.texts;
    EXPECT_NE(std::string::npos, reading.texts.find("Nothing starts: no compiler can read this path"))
        << reading.texts;
    EXPECT_EQ(std::string::npos, reading.texts.find("Firing up")) << reading.texts;
    EXPECT_EQ(0, exitCode);
    Sleep(300);  // time for a stray start to show up
    EXPECT_TRUE(ReadStandInRecords(log).empty()) << "a compiler was started";
}

}  // namespace
