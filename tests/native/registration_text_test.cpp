// Tests of the registration texts: the name under which a replaced handler stays
// reachable, derived from its open command, and the two fixed commands.
#include <gtest/gtest.h>

#include <string>

#include "shell/registration_text.h"

namespace {

TEST(FileNamePart, TakesWhatFollowsTheLastBackslash) {
    struct Row { std::string text, part; };
    const Row rows[] = {
        {"C:\\EDIT\\BIN\\SRCEDIT.EXE %1", "SRCEDIT.EXE %1"},
        {"viewer.exe %1", "viewer.exe %1"},
        {"C:\\Tools\\", ""},
        {"\\", ""},
        {"", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.part, FileNamePart(row.text)) << row.text;
}

TEST(HandlerName, FromThePreviousOpenCommand) {
    struct Row { std::string command, name; };
    const Row rows[] = {
        // The usual forms of an open command.
        {"C:\\EDIT\\BIN\\SRCEDIT.EXE %1", "SRCEDIT"},
        {"\"C:\\Program Files\\Ed\\ed.exe\" \"%1\"", "ed"},
        {"C:\\Tools\\ed.exe /n \"%1\"", "ed.exe /n"},  // the extension is not at the end
        {"viewer.exe %1", "viewer"},
        {"C:\\Tools\\ed.exe \"%1\" C:\\Temp\\", ""},   // ends with a backslash
        // Removals, each in its place in the order: quotes, %1, %2 twice.
        {"ed.exe %\"1", "ed"},           // the quote goes first, which makes a %1
        {"ed.exe %%12", "ed"},           // the %1 goes before %2, which leaves a %2
        {"ed.exe %2%2", "ed"},
        {"ed.exe %%22", "ed"},           // the second pass takes what the first left
        {"ed.exe %%%222", "ed.exe %2"},  // a third level survives the two passes
        {"ed.exe %3", "ed.exe %3"},
        // Only spaces are trimmed.
        {"C:\\  ed.exe   %1  ", "ed"},
        {"ed.exe\t%1", "ed.exe\t"},
        {"C:\\\ted.com", "\ted"},
        // Extensions in any letter case; .EXE, then .COM, then .BAT.
        {"C:\\Ed\\ED.Com %1", "ED"},
        {"run.BaT", "run"},
        {"x.bat.exe", "x"},
        {"x.exe.bat", "x.exe"},
        {"x.com.bat.exe", "x.com"},
        {"x.exe.exe", "x.exe"},
        {".exe", ""},
        {"exe", "exe"},                  // shorter than four: never cut
        {"C:\\a.e %1", "a.e"},
        {"", ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.name, HandlerName(row.command)) << row.command;
}

TEST(HandlerName, OwnHandlerInAnyLetterCase) {
    struct Row { std::string command; bool own; };
    const Row rows[] = {
        {"\"C:\\Old\\DORVALIX.EXE\" \"%1\"", true},
        {"c:\\old\\dorvalix.exe %1", true},
        {"C:\\Old\\Dorvalix.Bat %1", true},
        {"C:\\Old\\DORVALIX", true},
        {"C:\\Old\\DORVALIX2.EXE %1", false},
        {"C:\\Old\\DORVALIX.EXE /x %1", false},
        {"C:\\Dorvalix\\ed.exe %1", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.own, IsOwnHandler(HandlerName(row.command))) << row.command;
}

TEST(RegistrationText, CommandsAndKeys) {
    EXPECT_EQ("\"C:\\Program Files\\Dorvalix\\DORVALIX.EXE\" \"%1\"",
              BuildOpenCommand("C:\\Program Files\\Dorvalix\\DORVALIX.EXE"));
    EXPECT_EQ("\"\" \"%1\"", BuildOpenCommand(""));  // no path from the system: written as built
    EXPECT_EQ("rundll32.exe shell32.dll,OpenAs_RunDLL \"%1\"", BuildChooserCommand());
    EXPECT_EQ("Dorvalix\\shell\\Open with SRCEDIT\\command", OpenWithCommandKey("SRCEDIT"));
    EXPECT_EQ("Dorvalix\\shell\\Open with \\command", OpenWithCommandKey(""));
}

// Only where the path's first part could name the folder does the caller compare it;
// both are full paths, as the system spells them.
TEST(FolderPrefixLength, WherePathsLieBelowAFolder) {
    struct Row { std::wstring path, folder; size_t length; };
    const Row rows[] = {
        {L"C:\\Temp\\Temp1_dorvalix.zip\\DORVALIX.EXE", L"C:\\Temp\\", 7},
        {L"C:\\Temp\\DORVALIX.EXE", L"C:\\Temp", 7},
        {L"C:\\temp\\DORVALIX.EXE", L"C:\\TEMP\\", 7},  // the letters are the caller's to compare
        {L"C:\\Temp/DORVALIX.EXE", L"C:\\Temp\\", 7},
        {L"C:\\DORVALIX.EXE", L"C:\\", 2},             // a drive's root as the folder
        // Not below, whatever the letters.
        {L"C:\\Temp2\\DORVALIX.EXE", L"C:\\Temp\\", 0},
        {L"C:\\Temp.EXE", L"C:\\Temp", 0},
        {L"C:\\Temp\\", L"C:\\Temp\\", 0},            // the folder itself
        {L"C:\\Temp", L"C:\\Temp\\", 0},
        {L"C:\\Te", L"C:\\Temp\\", 0},
        {L"C:\\Tools\\DORVALIX.EXE", L"", 0},           // no temporary folder known
        {L"C:\\Tools\\DORVALIX.EXE", L"\\", 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.length, FolderPrefixLength(row.path, row.folder));
}

}  // namespace
