// ui/selection_screen_win32.cpp: the selection screen and what its buttons do. Each
// version button's state is read from the registry once, while the screen is built; a
// press starts that row's compiler as its Filename reads at the moment of the press.
// The buttons run nested in a dialog's message loop and talk to the main flow only
// through the run state.
#include "ui/selection_screen_win32.h"

#include <string>

#include "compilers/detection_win32.h"
#include "compilers/launch_command.h"
#include "compilers/launcher_win32.h"
#include "compilers/version_table.h"
#include "dorvalix_version.h"
#include "ui/dialog_layer_win32.h"
#include "ui/run_state_win32.h"

// PB/DLL 1.0 and 2.0 take 205 and 206: identifiers no other control of the screen
// uses, and neither IDOK nor IDCANCEL, so Enter and Escape press no version button.
const SelectionButton SelectionButtons[VersionCount] = {
    { 205, 10, 30 }, { 206, 10, 50 }, { 207, 10, 70 }, { 208, 10, 90 },
    { 211, 130, 30 }, { 212, 130, 50 }, { 213, 130, 70 },
};

namespace {

// One callback per row: the dialog layer hands a callback no row of its own.
template <int Row>
LRESULT LaunchRow(HWND, UINT, WPARAM, LPARAM)
{
    return LaunchVersion(Row);
}

const DialogCallback RowActions[VersionCount] = {
    LaunchRow<0>, LaunchRow<1>, LaunchRow<2>, LaunchRow<3>, LaunchRow<4>, LaunchRow<5>, LaunchRow<6>,
};

}  // namespace

LRESULT LaunchVersion(int row)
{
    LetStartedProgramComeToFront();  // while the screen still holds the foreground
    CloseDialog(CurrentDialog, 0);   // the screen is gone before anything starts
    if (row < 0 || row >= VersionCount)
        return 0;
    std::string compilerPath = ReadVersionFilename(VersionTable[row]);  // empty on any failure
    StartProcess(BuildLaunchCommand(compilerPath, CompilerSourcePath));  // a failed start is silent
    return 0;
}

LRESULT CancelAction(HWND, UINT, WPARAM, LPARAM)
{
    CloseDialog(CurrentDialog, 0);
    SelectionTakenOver = 1;
    return 1;
}

void RunSelectionScreen()
{
    CloseDialog(CurrentDialog, 0);  // the notice, when it is still open
    SelectionTakenOver = 1;

    CurrentDialog = NewDialog(nullptr, std::string(VersionTitle) + " Make your own selection",
                              -1, -1, 200, 190, 0, 0);
    // Where no spelling of the source path reaches a compiler, no button could start
    // one: the screen says so, and every version is greyed.
    bool pathReachesCompiler = !CompilerSourcePath.empty();
    AddControl(ControlKind::Label, CurrentDialog, SelectionLabelId,
               pathReachesCompiler ? "Selecting your own compiler from the available ones."
                                   : "Nothing can be started: no compiler can read this path.",
               10, 10, 170, 150, SS_CENTER, 0, nullptr);
    for (int row = 0; row < VersionCount; ++row) {
        DWORD style = pathReachesCompiler && IsVersionInstalled(VersionTable[row]) ? 0 : WS_DISABLED;
        const SelectionButton& b = SelectionButtons[row];
        AddControl(ControlKind::Button, CurrentDialog, b.id, VersionTable[row].caption, b.x, b.y, 60, 16,
                   style, 0, RowActions[row]);
    }
    AddControl(ControlKind::Button, CurrentDialog, SelectionCancelId, "&Cancel", 70, 170, 60, 16, 0, 0,
               CancelAction);
    ShowModal(CurrentDialog, nullptr, nullptr);
}
