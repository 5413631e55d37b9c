// tests/tools/window_probe_win32.h: watching another program's windows from outside, as a
// user would: start it from a raw command line, wait for a window by title, read a
// message box, answer it and wait for the exit. Every wait takes a timeout.
// Shared by dorvalix-driver and the Windows tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Starts the raw command line as it is (CreateProcessA with no application name).
// False when it could not be started; on success the caller ends and closes it.
bool StartRawCommandLine(const std::string& commandLine, PROCESS_INFORMATION* started);

// The first visible top-level window of the process with exactly this title, or null
// when there is none yet. Looks once.
HWND FindVisibleWindow(DWORD processId, const std::string& title);

// The first visible top-level window of the process with exactly this title, or null
// when none appeared within the timeout.
HWND WaitForWindow(DWORD processId, const std::string& title, DWORD timeoutMs);

// The window's own text (a caption, for a top-level window).
std::string WindowText(HWND window);

// A message box's text: that of its STATIC control that shows text, not the icon.
std::string MessageBoxText(HWND box);

// The icon a message box shows (STM_GETICON of its icon control); null for none.
HICON MessageBoxIcon(HWND box);

// Presses one of the box's buttons by its identifier (IDOK, IDNO, ...), as PressButton.
bool AnswerMessageBox(HWND box, int buttonId, std::string* refusal = nullptr);

// Presses a dialog's button by its identifier as a click does: the button gets
// BM_CLICK, posted, so the press is handled once the dialog's thread takes its next
// message, and the button itself tells the dialog. A user cannot click a control that
// is missing, hidden or greyed, nor one in a window that is hidden or disabled: such a
// press is refused, nothing is sent, and the result is false with the reason in
// *refusal (when given).
bool PressButton(HWND dialog, int buttonId, std::string* refusal = nullptr);

// One control of a dialog as its user sees it; the rectangle is in the dialog's
// client coordinates, in pixels.
struct ControlReading {
    HWND window;
    int id;
    std::string className;
    std::string text;
    LONG style;
    bool enabled;
    RECT rect;
};

// The dialog's controls in window order (which is their creation order).
std::vector<ControlReading> ReadControls(HWND dialog);

// The window that has the keyboard focus in the thread that owns the window; null for
// none.
HWND FocusOfThread(HWND window);

// The exit code, or false when the process did not end within the timeout.
bool WaitForExit(HANDLE process, DWORD timeoutMs, DWORD* exitCode);
