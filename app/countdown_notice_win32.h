// app/countdown_notice_win32.h: the notice that shows the decision and counts down
// three seconds before the compiler starts.
#pragma once

#include <windows.h>

#include <string>

#include "app/next_step.h"

// Identifiers of the notice's controls.
enum NoticeControl {
    NoticeCancelId = 201,
    NoticeOwnChoiceId = 202,
    NoticeGoNowId = 203,
    NoticeWaitId = 204,
    NoticeProgressRowId = 215,
};

// The state of the notice's buttons: 0 running, -1 paused, 1 go now. Set to 0 as the
// notice is built and by its buttons' handlers; read by the countdown loop.
extern int CountdownState;

// Shows the modeless notice with the text and counts down; returns how it ended: the
// countdown ran out (with the notice, or after its close command), "&Go now!" was
// pressed, or the selection screen or a Cancel button took over (SelectionTakenOver).
// The notice is still on screen unless something closed it.
NoticeEnd ShowCountdownNotice(const std::string& text);

// The buttons' handlers.
LRESULT OnGoNow(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnWaitToggle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnOwnChoice(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
