// tests/win32/message_box_reader_win32.h: reads and answers a message box that the
// test's own thread shows. A second thread waits for the box, reads it back from the
// real window and presses a button; the test thread meanwhile sits in MessageBoxA.
#pragma once

#include <windows.h>

#include <string>

#include "tests/tools/window_probe_win32.h"

struct BoxReading {
    std::string title;      // the box to wait for
    int answer = IDOK;      // the button to press
    DWORD timeoutMs = 10000;
    DWORD testThread = 0;   // the thread that shows the box
    bool found = false;     // filled by the reader: the box came and the button was pressed
    std::string text;
    HICON icon = nullptr;
    HWND owner = nullptr;
};

inline BOOL CALLBACK DismissAnyBox(HWND window, LPARAM)
{
    for (int id : {IDOK, IDCANCEL, IDNO})
        PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    return TRUE;
}

inline DWORD WINAPI ReadAndAnswerBox(void* context)
{
    BoxReading* reading = static_cast<BoxReading*>(context);
    HWND box = WaitForWindow(GetCurrentProcessId(), reading->title, reading->timeoutMs);
    if (box) {
        reading->text = MessageBoxText(box);
        reading->icon = MessageBoxIcon(box);
        reading->owner = GetWindow(box, GW_OWNER);
        reading->found = AnswerMessageBox(box, reading->answer);
    }
    // Whatever was shown instead, or a box whose button could not be pressed, must not
    // keep the test thread waiting.
    if (!reading->found)
        EnumThreadWindows(reading->testThread, DismissAnyBox, 0);
    return 0;
}

// Runs show() on this thread while a second thread reads and answers the box; returns
// show()'s result. The reader is always waited for, within the timeout.
template <class Show>
auto WithBoxReader(BoxReading* reading, Show show) -> decltype(show())
{
    reading->testThread = GetCurrentThreadId();
    HANDLE reader = CreateThread(nullptr, 0, ReadAndAnswerBox, reading, 0, nullptr);
    auto result = show();
    WaitForSingleObject(reader, reading->timeoutMs + 5000);
    CloseHandle(reader);
    return result;
}
