// Tests of the texts a run builds: the source path taken from the command line, the
// notice byte for byte, and the compiler's command line.
#include <gtest/gtest.h>

#include <string>

#include "app/command_tail.h"
#include "app/notice_text.h"
#include "text/ascii_text.h"
#include "compilers/launch_command.h"
#include "compilers/version_table.h"

namespace {

TEST(CommandTail, TakesTheSourcePath) {
    struct Row { const char* commandLine; std::string path; };
    const Row rows[] = {
        {"DORVALIX.EXE \"C:\\My Files\\demo.bas\"", "C:\\My Files\\demo.bas"},
        {"\"C:\\Program Files\\DORVALIX.EXE\" \"C:\\My Files\\demo.bas\"", "C:\\My Files\\demo.bas"},
        {"\"C:\\DORVALIX.EXE\"x.bas", "x.bas"},
        // Only quote bytes at the very ends are stripped: a trailing blank keeps the quote.
        {"DORVALIX.EXE \"C:\\a.bas\" ", "C:\\a.bas\" "},
        {"DORVALIX a.bas b.bas", "a.bas b.bas"},
        {"DORVALIX   a.bas\t", "a.bas\t"},
        {"DORVALIX \"a\"b\"", "a\"b"},
        {"DORVALIX \"\"\"\"", ""},
        // A command line made only of quotes: an empty quoted name, then quotes alone.
        {"\"\"\"\"\"", ""},
        {"\"", ""},
        {"\"\" \" \"", " "},
        {"DORVALIX", ""},
        {"DORVALIX   ", ""},
        {"", ""},
        // A quoted name with no closing quote takes the whole line.
        {"\"C:\\DORVALIX.EXE a.bas", ""},
        // A control byte ends the name and begins the tail; bytes above 0x7F do not.
        {"DORVALIX\tfile.bas", "\tfile.bas"},
        {"C:\\Pr\xe9\\DORVALIX.EXE f\xe9.bas", "f\xe9.bas"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.path, TakeSourcePath(row.commandLine)) << row.commandLine;
    EXPECT_EQ("", TakeSourcePath(nullptr));
    // The wide command line as the shell passed it: letters of any script belong to the
    // name or the path, and a fullwidth quote is no quote (its best fit in an ANSI code
    // page would be one).
    EXPECT_EQ(std::u16string(u"C:\\\u0142\u00f3dka.bas"),
              TakeSourcePathOf(u"C:\\\u0417\\DORVALIX.EXE C:\\\u0142\u00f3dka.bas"));
    EXPECT_EQ(std::u16string(u"\uff02a.bas\uff02"), TakeSourcePathOf(u"\"DORVALIX.EXE\" \uff02a.bas\uff02"));
}

// The two words an installer runs, told from source paths in the tail.
TEST(CommandTail, TakesTheCommandWords) {
    struct Row { const char* commandLine; CommandWord word; };
    const Row rows[] = {
        {"DORVALIX.EXE /register", CommandWord::Register},
        {"\"C:\\Program Files\\DORVALIX.EXE\" -UnRegister", CommandWord::Unregister},
        {"DORVALIX \"/REGISTER\"", CommandWord::Register},
        {"DORVALIX /register \t", CommandWord::Register},
        // Anything else is a source path, however close.
        {"DORVALIX /register x.bas", CommandWord::None},
        {"DORVALIX //register", CommandWord::None},
        {"DORVALIX register", CommandWord::None},
        {"DORVALIX \t/register", CommandWord::None},
        {"DORVALIX /", CommandWord::None},
        {"DORVALIX", CommandWord::None},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.word, TakeCommandWord(TakeSourcePath(row.commandLine))) << row.commandLine;
}

SourceVerdict Verdict(CompilerKind kind, bool byDirective, int console, int windows) {
    SourceVerdict v;
    v.kind = kind;
    v.byDirective = byDirective;
    v.consoleScore = console;
    v.windowsScore = windows;
    return v;
}

TEST(NoticeText, DecidedByAnalysis) {
    std::string text = BuildNoticeText(Verdict(CompilerKind::Windows, false, 3, 5), "C:\\src\\demo.bas",
                                       "C:\\PBDLL60\\PBEDIT.EXE");
    EXPECT_EQ("This is probably (by code analysis) a  PB/DLL application\r"
              "C:\\src\\demo.bas\r"
              "\r"
              "PBCC:  3    PBDLL: 5\r"
              "\r"
              "Firing up the application in 3 seconds....\r"
              "Latest version located at:\r"
              "C:\\PBDLL60\\PBEDIT.EXE" + CreditBlock(),
              text);
}

TEST(NoticeText, DecidedByDirectiveAndNotFound) {
    std::string text = BuildNoticeText(Verdict(CompilerKind::Console, true, 9999, 2), "a.bas",
                                       ConsoleNotFoundMessage);
    EXPECT_EQ("This is a source code designated PB/CC application\r"
              "a.bas\r"
              "\r"
              "\r"
              "\r"
              "Firing up the application in 3 seconds....\r"
              "Latest version located at:\r"
              "No recognized PB/CC versions found in Registry..." + CreditBlock(),
              text);
}

// Where no spelling of the source path reaches the compiler found, the notice says that
// nothing starts; beside a not-found text the line stays as it is.
TEST(NoticeText, NoPathReachesTheCompiler) {
    SourceVerdict verdict = Verdict(CompilerKind::Console, true, 9999, 0);
    EXPECT_NE(std::string::npos,
              BuildNoticeText(verdict, "a.bas", "C:\\PBCC\\PBCC.EXE", false)
                  .find("\r\rNothing starts: no compiler can read this path\rLatest version located at:\r"
                        "C:\\PBCC\\PBCC.EXE\r\r"));
    EXPECT_EQ(BuildNoticeText(verdict, "a.bas", ConsoleNotFoundMessage),
              BuildNoticeText(verdict, "a.bas", ConsoleNotFoundMessage, false));
}

TEST(NoticeText, Undecided) {
    std::string text = BuildNoticeText(Verdict(CompilerKind::None, false, 0, 0), "a.bas", "");
    EXPECT_EQ("No compiler specific keywords found in first 1000 lines... \r\r\r"
              "so no auto selection is possible.\r"
              "Switching to selection screen in 3 seconds\r\r\r"
              "You have to make your own selection!\r"
              "If desired place 'use PB/CC or 'use PB/DLL in your source\r" + CreditBlock(),
              text);
}

TEST(NoticeText, CreditBlockShape) {
    std::string credits = CreditBlock();
    EXPECT_EQ(0u, credits.find("\r\r"));
    EXPECT_EQ(std::string::npos, credits.find('\n'));
    EXPECT_NE('\r', credits.back());
    EXPECT_NE(std::string::npos, credits.find("\r\rDORVALIX: let your source select the compiler\r"));
    EXPECT_NE(std::string::npos, credits.find(__VERSION__));
    EXPECT_EQ("-7", SignedNumberText(-7));
    EXPECT_EQ(" 0", SignedNumberText(0));
}

TEST(LaunchCommand, JoinsCompilerAndSource) {
    // The source path stays unquoted: the compilers take the rest as the file name.
    EXPECT_EQ("C:\\PBCC\\PBCC.EXE C:\\My Files\\a.bas", BuildLaunchCommand("C:\\PBCC\\PBCC.EXE", "C:\\My Files\\a.bas"));
    // An executable path with a space is quoted, so C:\Program.exe cannot be started.
    EXPECT_EQ("\"C:\\Program Files\\PB\\IDE.EXE\" a.bas", BuildLaunchCommand("C:\\Program Files\\PB\\IDE.EXE", "a.bas"));
    EXPECT_EQ("\"C:\\Program Files\\IDE.EXE\" a.bas", BuildLaunchCommand("\"C:\\Program Files\\IDE.EXE\"", "a.bas"));
    // Nothing is cut: a long source path arrives whole.
    std::string longPath(300, 'p');
    EXPECT_EQ("C:\\IDE.EXE " + longPath, BuildLaunchCommand("C:\\IDE.EXE", longPath));
    // Nothing to start: empty, or a not-found text (decided before any quoting).
    EXPECT_EQ("", BuildLaunchCommand("", "a.bas"));
    EXPECT_EQ("", BuildLaunchCommand(ConsoleNotFoundMessage, "a.bas"));
    EXPECT_EQ("", BuildLaunchCommand(WindowsNotFoundMessage, "a.bas"));
    EXPECT_EQ("", BuildLaunchCommand("C:\\IDE.EXE", ""));  // no spelling of the source reaches it
}

}  // namespace
