// The two boxes of a run, shown by RunDorvalix on this thread and read back from the
// real box window: exact text, title, the stop icon, no owner; the run then returns 0.
#include <gtest/gtest.h>

#include "app/main_flow_win32.h"
#include "message_box_reader_win32.h"
#include "test_support_win32.h"

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

}  // namespace
