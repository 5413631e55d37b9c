// tests/tools/window_probe_win32.cpp: finding, reading and answering another program's
// windows with plain user32 calls, each wait polled against a deadline.
#include "tests/tools/window_probe_win32.h"

namespace {

constexpr DWORD PollMs = 10;

struct WindowSearch {
    DWORD processId;
    const std::string* title;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM context)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window) || WindowText(window) != *search->title)
        return TRUE;
    search->found = window;
    return FALSE;
}

bool IsClass(HWND window, const char* name)
{
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpiA(className, name) == 0;
}

bool IsIconStatic(HWND window)
{
    return (GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

BOOL CALLBACK MatchTextStatic(HWND window, LPARAM context)
{
    if (!IsClass(window, "Static") || IsIconStatic(window) || GetWindowTextLengthA(window) == 0)
        return TRUE;
    *reinterpret_cast<HWND*>(context) = window;
    return FALSE;
}

BOOL CALLBACK MatchIconStatic(HWND window, LPARAM context)
{
    if (!IsClass(window, "Static") || !IsIconStatic(window))
        return TRUE;
    *reinterpret_cast<HWND*>(context) = window;
    return FALSE;
}

}  // namespace

bool StartRawCommandLine(const std::string& commandLine, PROCESS_INFORMATION* started)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string writable = commandLine;  // CreateProcessA may write into its command line
    *started = PROCESS_INFORMATION();
    return CreateProcessA(nullptr, &writable[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          started) != 0;
}

HWND FindVisibleWindow(DWORD processId, const std::string& title)
{
    WindowSearch search = {processId, &title, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD processId, const std::string& title, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    do {
        if (HWND found = FindVisibleWindow(processId, title))
            return found;
        Sleep(PollMs);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::string WindowText(HWND window)
{
    int length = GetWindowTextLengthA(window);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = GetWindowTextA(window, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

std::string MessageBoxText(HWND box)
{
    HWND textControl = nullptr;
    EnumChildWindows(box, MatchTextStatic, reinterpret_cast<LPARAM>(&textControl));
    return textControl ? WindowText(textControl) : std::string();
}

HICON MessageBoxIcon(HWND box)
{
    HWND iconControl = nullptr;
    EnumChildWindows(box, MatchIconStatic, reinterpret_cast<LPARAM>(&iconControl));
    return iconControl ? reinterpret_cast<HICON>(SendMessageA(iconControl, STM_GETICON, 0, 0)) : nullptr;
}

bool AnswerMessageBox(HWND box, int buttonId, std::string* refusal)
{
    return PressButton(box, buttonId, refusal);  // the box ends with that button's identifier
}

bool PressButton(HWND dialog, int buttonId, std::string* refusal)
{
    HWND button = IsWindow(dialog) ? GetDlgItem(dialog, buttonId) : nullptr;
    const char* why = nullptr;
    if (!button)
        why = "there is no such control";
    else if (!IsWindowVisible(button))  // false too when the window that holds it is hidden
        why = "it is hidden";
    else if (!IsWindowEnabled(button) || !IsWindowEnabled(dialog))
        why = "it is greyed (disabled)";
    // Posted, not sent: the press may open a window that runs its own message loop in
    // the dialog's thread (the selection screen), and a sender would wait for its end.
    else if (!PostMessageA(button, BM_CLICK, 0, 0))
        why = "the click could not be posted";
    if (why && refusal)
        *refusal = "control " + std::to_string(buttonId) + " cannot be pressed: " + why;
    return why == nullptr;
}

std::vector<ControlReading> ReadControls(HWND dialog)
{
    std::vector<ControlReading> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        ControlReading reading = {};
        reading.window = child;
        reading.id = GetDlgCtrlID(child);
        char className[64] = {};
        GetClassNameA(child, className, sizeof className);
        reading.className = className;
        reading.text = WindowText(child);
        reading.style = GetWindowLongA(child, GWL_STYLE);
        reading.enabled = IsWindowEnabled(child) != 0;
        GetWindowRect(child, &reading.rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&reading.rect), 2);
        controls.push_back(reading);
    }
    return controls;
}

HWND FocusOfThread(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

bool WaitForExit(HANDLE process, DWORD timeoutMs, DWORD* exitCode)
{
    if (WaitForSingleObject(process, timeoutMs) != WAIT_OBJECT_0)
        return false;
    return GetExitCodeProcess(process, exitCode) != 0;
}
