// compilers/launch_actions_win32.cpp: what a version button and a Cancel button do.
// They run nested in a dialog's message loop and talk to the main flow only through
// the run state.
#include "compilers/launch_actions_win32.h"

#include "app/run_state_win32.h"
#include "compilers/detection_win32.h"
#include "compilers/launch_command.h"
#include "compilers/launcher_win32.h"
#include "ui/dialog_layer_win32.h"

LRESULT LaunchVersion(int row)
{
    CloseDialog(CurrentDialog, 0);  // the screen is gone before anything starts
    if (row < 0 || row >= VersionCount)
        return 0;
    std::string compilerPath = ReadVersionFilename(VersionTable[row]);  // empty on any failure
    StartProcess(BuildLaunchCommand(compilerPath, SourcePath));  // a failed start is silent
    return 0;
}

LRESULT CancelAction(HWND, UINT, WPARAM, LPARAM)
{
    CloseDialog(CurrentDialog, 0);
    SelectionTakenOver = 1;
    return 1;
}
