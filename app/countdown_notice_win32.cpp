// app/countdown_notice_win32.cpp: the countdown notice. One window message is handled
// per pass of the countdown loop; the buttons' handlers run inside that and talk to
// the loop only through CountdownState, SelectionTakenOver and OwnChoiceTaken.
#include "app/countdown_notice_win32.h"

#include "app/countdown_pacing.h"
#include "compilers/launcher_win32.h"
#include "dorvalix_version.h"
#include "ui/dialog_layer_win32.h"
#include "ui/run_state_win32.h"
#include "ui/selection_screen_win32.h"

int CountdownState = 0;

namespace {

constexpr int Running = 0, Paused = -1, GoNow = 1;
bool OwnChoiceTaken = false;  // set by "&Own choice", which SelectionTakenOver does not tell from Cancel

void BuildNotice(const std::string& text)
{
    HWND d = CurrentDialog = NewDialog(nullptr, VersionTitle, -1, -1, 240, 200, 0, 0);
    AddControl(ControlKind::Label, d, 0, text, 10, 10, 210, 150, SS_CENTER, 0, nullptr);
    AddControl(ControlKind::Line, d, 0, "", 8, 8, 224, 144, 0, 0, nullptr);
    AddControl(ControlKind::Line, d, 0, "", 8, 78, 224, 40, 0, 0, nullptr);
    AddControl(ControlKind::Button, d, NoticeCancelId, "&Cancel", 170, 180, 60, 16, 0, 0, CancelAction);
    AddControl(ControlKind::Button, d, NoticeOwnChoiceId, "&Own choice", 10, 180, 60, 16, 0, 0, OnOwnChoice);
    AddControl(ControlKind::Button, d, NoticeWaitId, "&Wait !", 10, 160, 60, 16, 0, 0, OnWaitToggle);
    AddControl(ControlKind::Button, d, NoticeGoNowId, "&Go now!", 80, 174, 80, 24, 0, 0, OnGoNow);
    // The progress row reaches past the dialog's right edge and is clipped there.
    AddControl(ControlKind::Label, d, NoticeProgressRowId, "", 80, 165, 220, 10, 0, 0, nullptr);
    FocusControl(d, NoticeGoNowId);
}

// The notice closed by its close command counts on to its end and may start the
// compiler then, with no window of DORVALIX left to hold the foreground: the right to
// take it is passed on now, while the notice still holds it.
LRESULT OnNoticeMessage(HWND, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE)
        LetStartedProgramComeToFront();
    return 0;  // the dialog layer closes the notice as it closes every dialog
}

NoticeEnd HowNoticeEnded(HWND notice)
{
    if (SelectionTakenOver == 1)
        return OwnChoiceTaken ? NoticeEnd::OwnChoice : NoticeEnd::Cancel;
    if (CountdownState == GoNow)
        return NoticeEnd::GoNow;
    return IsWindow(notice) ? NoticeEnd::RanOut : NoticeEnd::Closed;
}

}  // namespace

NoticeEnd ShowCountdownNotice(const std::string& text)
{
    CountdownState = Running;
    OwnChoiceTaken = false;
    BuildNotice(text);
    HWND notice = CurrentDialog;
    ShowModeless(notice, OnNoticeMessage, nullptr);

    CountdownPacing pacing;
    StartPacing(pacing, GetTickCount());
    for (;;) {
        PumpOnce();
        // The pause holds only while the notice is there to continue it: a notice
        // closed while paused (the close command) counts on to its end, as it would
        // have unpaused, instead of waiting for ever for a press that cannot come.
        bool held = CountdownState == Paused && IsWindow(notice);
        AdvancePacing(pacing, GetTickCount(), held);
        if (ProgressRowDue(pacing))
            SetControlText(notice, NoticeProgressRowId, ProgressRowText(pacing.step));
        if (SelectionTakenOver == 1 || CountdownRanOut(pacing))
            break;
        Pause(10);
        if (CountdownState == GoNow)
            break;
    }
    return HowNoticeEnded(notice);
}

LRESULT OnGoNow(HWND, UINT, WPARAM, LPARAM)
{
    CountdownState = GoNow;
    return 0;
}

LRESULT OnWaitToggle(HWND, UINT, WPARAM, LPARAM)
{
    if (CountdownState == Running) {
        CountdownState = Paused;
        SetControlText(CurrentDialog, NoticeWaitId, "&Continue");
    } else {
        CountdownState = Running;
        SetControlText(CurrentDialog, NoticeWaitId, "&Wait !");
    }
    return 0;
}

LRESULT OnOwnChoice(HWND, UINT, WPARAM, LPARAM)
{
    OwnChoiceTaken = true;
    RunSelectionScreen();  // its whole modal loop runs inside this handler
    return 0;
}
