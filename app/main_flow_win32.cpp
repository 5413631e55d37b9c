// app/main_flow_win32.cpp: the story of one run. Register the file types, take the
// source path, classify the source, build the notice and the command line, count down,
// then do what DecideNextStep says: start the decided compiler, open the selection
// screen or nothing; and end.
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
#include "ui/dialog_layer_win32.h"
#include "ui/run_state_win32.h"
#include "ui/selection_screen_win32.h"

std::string LaunchCommand;

int RunDorvalix(const char* commandLine)
{
    InitRunState();
    RegisterShellIntegration();  // at every start, before the command line is looked at

    SourcePath = TakeSourcePath(commandLine);
    if (SourcePath.empty()) {
        ShowUsage();
        return 0;
    }

    SourceVerdict verdict;
    if (!ClassifySource(SourcePath, &verdict)) {
        ShowOpenFailure();
        return 0;
    }

    std::string compilerPath = FindNewestCompiler(verdict.kind);
    std::string notice = BuildNoticeText(verdict, SourcePath, compilerPath);
    LaunchCommand = BuildLaunchCommand(compilerPath, SourcePath);

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
