// tests/bench/empty_dialog_win32.cpp: the floor of the start-up benchmark. A program
// built like DORVALIX.EXE (same toolchain, statically linked, GUI subsystem, the same
// manifest) that does nothing but create and show one dialog, titled "Empty dialog",
// of the notice's size, with one button, "&Cancel", made as DORVALIX makes its
// controls: so both load the same controls (Common Controls 6, where the manifest
// names it). It ends when the dialog is cancelled (IDCANCEL, the button) or closed.
// Built twice: empty-dialog.exe with DORVALIX's manifest, and
// empty-dialog-classic-controls.exe without its Common Controls 6 lines.
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

// The notice's "&Cancel", at its place in dialog units.
void AddCancelButton(HWND dialog)
{
    RECT box = {170, 180, 170 + 60, 180 + 16};
    MapDialogRect(dialog, &box);
    HWND button = CreateWindowExA(0, "BUTTON", "&Cancel", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                  box.left, box.top, box.right - box.left, box.bottom - box.top, dialog,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDCANCEL)),
                                  GetModuleHandleA(nullptr), nullptr);
    SendMessageA(button, WM_SETFONT, static_cast<WPARAM>(SendMessageA(dialog, WM_GETFONT, 0, 0)), TRUE);
}

INT_PTR CALLBACK EmptyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    if (message == WM_INITDIALOG)
        AddCancelButton(dialog);
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
