// app/main_flow_win32.cpp: the story of one run. Take the command tail: /unregister
// takes the registration out and ends; every other start registers the file types,
// which is all /register does. Then classify the source, build the notice and the
// command line, count down, then do what DecideNextStep says: start the decided
// compiler, open the selection screen or nothing; and end.
#include "app/main_flow_win32.h"

#include "app/command_tail.h"
#include "app/countdown_notice_win32.h"
#include "app/next_step.h"
#include "app/notice_text.h"
#include "app/startup_boxes_win32.h"
#include "classify/classify_source_win32.h"
#include "compilers/detection_win32.h"
#include "compilers/launch_command.h"
#include "compilers/launcher_win32.h"
#include "shell/shell_integration_win32.h"
#include "text/path_spelling_win32.h"
#include "ui/dialog_layer_win32.h"
#include "ui/run_state_win32.h"
#include "ui/selection_screen_win32.h"

std::string LaunchCommand;

namespace {

// The source path of the wide command line, the one the system keeps as the shell
// passed it. The ANSI command line is made from it in the program's code page and,
// where that cannot hold a letter, holds a look-alike or "?" instead ("Gdańsk" becomes
// "Gdansk", which may be another folder). So the path is taken from the wide line and
// spelled exactly, or as its short path (SpellPath). False where neither spells it;
// SourcePath then keeps the ANSI line's spelling, which is never opened.
bool TakeWholeSourcePath(const wchar_t* wideCommandLine)
{
    std::wstring widePath = TakeSourcePathOf(wideCommandLine);
    if (widePath.empty()) {
        SourcePath.clear();
        return true;
    }
    return SpellPath(widePath, &SourcePath);
}

}  // namespace

int RunDorvalix(const char* commandLine, const wchar_t* wideCommandLine)
{
    InitRunState();
    SourcePath = TakeSourcePath(commandLine);
    CommandWord word = TakeCommandWord(SourcePath);
    if (word == CommandWord::Unregister) {
        UnregisterShellIntegration();  // from any copy, wherever it is: nothing is registered
        return 0;
    }
    RegisterShellIntegration();  // at every start, before the source is looked at
    if (word == CommandWord::Register)
        return 0;  // the start's registration and nothing else: no window, no wait

    bool spelled = !wideCommandLine || TakeWholeSourcePath(wideCommandLine);
    if (SourcePath.empty()) {
        ShowUsage();
        return 0;
    }

    SourceVerdict verdict;
    if (!spelled || !ClassifySource(SourcePath, &verdict)) {
        ShowOpenFailure();  // a path with no spelling is never opened as another one
        return 0;
    }
    CompilerSourcePath = PathForCompilers(SourcePath);

    std::string compilerPath = FindNewestCompiler(verdict.kind);
    std::string notice = BuildNoticeText(verdict, SourcePath, compilerPath, !CompilerSourcePath.empty());
    LaunchCommand = BuildLaunchCommand(compilerPath, CompilerSourcePath);

    NoticeEnd end = ShowCountdownNotice(notice);
    bool compilerFound = !LaunchCommand.empty();  // a not-found text builds no command
    NextStep next = DecideNextStep(verdict.kind, compilerFound, end);
    if (next == NextStep::OpenSelectionScreen)
        RunSelectionScreen();
    CloseDialog(CurrentDialog, 0);  // the notice, unless it is gone already
    if (next == NextStep::StartCompiler)
        StartProcess(LaunchCommand);  // never waits
    return 0;
}
