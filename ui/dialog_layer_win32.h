// ui/dialog_layer_win32.h: the program's whole user-interface toolkit. Every window is
// a dialog built at run time from an in-memory template with no items; controls are
// added one at a time in dialog units. Dialogs run modal (a polling loop that lasts
// until the window is gone) or modeless (the caller pumps one message at a time).
//
// Order for one dialog: NewDialog, AddControl for each control in tab order, perhaps
// FocusControl, then ShowModal or ShowModeless; CloseDialog ends it, usually from a
// control callback. Operations on a null or destroyed handle do nothing.
#pragma once

#include <windows.h>

#include <string>

// A control's or a dialog's callback: (dialog, message, wParam, lParam). Zero means not
// handled; anything else means handled and is the dialog procedure's result.
typedef LRESULT (*DialogCallback)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

enum class ControlKind { Button, Label, Line };

extern HWND ActiveDialog;       // the dialog most recently activated; null once deactivated
extern int OpenDialogCount;     // dialogs created and not yet destroyed
extern HFONT DialogFont;        // the font of the newest dialog; null once that dialog is destroyed
extern HINSTANCE DialogInstance;  // the module passed to every creation call

// A hidden dialog. style 0: popup with caption and modal frame, no system menu;
// x or y of -1 centres it. The title is cut at 256 characters; empty shows as " ".
HWND NewDialog(HWND parent, const std::string& title, int x, int y, int width, int height,
               DWORD style, DWORD exStyle);

// A control in dialog units, in the font of its dialog. style 0: the kind's default;
// any other style replaces it whole. callback may be null.
HWND AddControl(ControlKind kind, HWND dialog, int id, const std::string& caption, int x, int y,
                int width, int height, DWORD style, DWORD exStyle, DialogCallback callback);

// Shows the dialog and returns once its window no longer exists. resultSlot, when
// given, receives the value passed to CloseDialog.
void ShowModal(HWND dialog, DialogCallback callback, LONG_PTR* resultSlot);

// Shows the dialog and returns at once; the caller keeps calling PumpOnce.
void ShowModeless(HWND dialog, DialogCallback callback, LONG_PTR* resultSlot);

// Processes at most one pending message of the thread, or idles 1 ms. Returns
// OpenDialogCount.
int PumpOnce();

void CloseDialog(HWND dialog, LONG_PTR result);
void SetControlText(HWND dialog, int id, const std::string& text);
void FocusControl(HWND dialog, int id);

// A message box with no owner; returns the pressed button's identifier, 0 on failure.
int ShowMessage(const std::string& text, UINT style, const std::string& title);

void Pause(DWORD milliseconds);

// The dialog procedure of every dialog.
INT_PTR CALLBACK CommonDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
