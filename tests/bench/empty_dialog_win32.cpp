// tests/bench/empty_dialog_win32.cpp: the floor of the start-up benchmark. A program
// built like DORVALIX.EXE (same toolchain, statically linked, GUI subsystem) that does
// nothing but create and show one empty dialog, titled "Empty dialog", of the notice's
// size. It ends when the dialog is cancelled (IDCANCEL) or closed.
#include <windows.h>

namespace {

// An in-memory dialog template with no items: the header, then the empty menu and
// class arrays and the title, each in UTF-16 and WORD-aligned as the header requires.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu;
    WORD windowClass;
    WCHAR title[13];
};

INT_PTR CALLBACK EmptyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    EmptyTemplate dialog = {};
    dialog.header.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CENTER | WS_VISIBLE;
    dialog.header.cx = 240;
    dialog.header.cy = 200;
    const WCHAR title[] = L"Empty dialog";
    for (int i = 0; title[i]; ++i)
        dialog.title[i] = title[i];
    DialogBoxIndirectParamA(instance, &dialog.header, nullptr, EmptyDialogProc, 0);
    return 0;
}
