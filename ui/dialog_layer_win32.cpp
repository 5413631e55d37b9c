// ui/dialog_layer_win32.cpp: dialogs built at run time from an item-less template,
// controls added in dialog units, WM_COMMAND routed to per-control callbacks, and the
// two polling message loops (modal and one-message-at-a-time) the program runs on.
#include "ui/dialog_layer_win32.h"

#include <cstring>
#include <vector>

#include "text/path_spelling_win32.h"

HWND ActiveDialog = nullptr;
int OpenDialogCount = 0;
HFONT DialogFont = nullptr;
HINSTANCE DialogInstance = GetModuleHandleA(nullptr);

namespace {

// The style of a dialog given style 0: a popup with a caption and a modal frame, no
// system menu and so no close box.
constexpr DWORD DefaultDialogStyle =
    WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
static_assert(DefaultDialogStyle == 0x80C000D4, "the dialogs' default style");
// Added to every dialog's style: the template's font, creation even where a control
// fails, the 3D look.
constexpr DWORD AlwaysDialogStyle = DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
static_assert(AlwaysDialogStyle == 0x54, "the styles every dialog gets");
// Taken from every dialog's style: a dialog shows only through ShowModal or ShowModeless,
// and never holds the whole system.
constexpr DWORD NeverDialogStyle = WS_VISIBLE | DS_SYSMODAL;
static_assert(NeverDialogStyle == 0x10000002, "the styles no dialog gets");

// What ShowMessage passes on of a style: the box's own bits, the low 16.
constexpr UINT MessageBoxStyles = MB_TYPEMASK | MB_ICONMASK | MB_DEFMASK | MB_MODEMASK | MB_MISCMASK;
static_assert(MessageBoxStyles == 0xFFFF, "the message box styles");

constexpr size_t TitleLimit = 256;
constexpr WORD FontPoints = 8;
const wchar_t FontFace[] = L"MS Sans Serif";

struct ControlClass {
    ControlKind kind;
    const char* windowClass;
    DWORD defaultStyle;  // taken when the caller passes 0
    DWORD alwaysStyle;   // added to whatever style is taken
};

constexpr DWORD ChildControl = WS_CHILD | WS_VISIBLE;  // every control, whatever style it is given
static_assert(ChildControl == 0x50000000, "a visible child window");
static_assert((ChildControl | WS_TABSTOP | BS_PUSHBUTTON) == 0x50010000, "a button's default style");
static_assert((ChildControl | SS_LEFT) == 0x50000000, "a label's default style");
static_assert((ChildControl | SS_ETCHEDFRAME) == 0x50000012, "a line's default style");

const ControlClass ControlClasses[] = {
    {ControlKind::Button, "BUTTON", ChildControl | WS_TABSTOP | BS_PUSHBUTTON, ChildControl},
    {ControlKind::Label, "STATIC", ChildControl | SS_LEFT, ChildControl},
    {ControlKind::Line, "STATIC", ChildControl | SS_ETCHEDFRAME, ChildControl},  // an etched frame
};

const ControlClass& ClassOf(ControlKind kind)
{
    for (const ControlClass& row : ControlClasses)
        if (row.kind == kind)
            return row;
    return ControlClasses[0];
}

// The title's first 256 characters, cut after the conversion: in UTF-8 a character
// takes up to four bytes, and a cut among them would leave half a character.
std::wstring WideTitle(const std::string& title)
{
    std::wstring wide = WideText(title.empty() ? std::string(" ") : title);
    size_t keep = wide.size() < TitleLimit ? wide.size() : TitleLimit;
    if (keep < wide.size() && IS_HIGH_SURROGATE(wide[keep - 1]))
        --keep;  // the character goes whole: both halves of a surrogate pair, or neither
    return wide.substr(0, keep);
}

// The in-memory DLGTEMPLATE: the header, then (as 16-bit units) no menu, the standard
// class, the title, the point size and the typeface. The buffer is sized from what goes
// in, in DWORDs because the template must start DWORD-aligned.
std::vector<DWORD> BuildTemplate(DWORD style, DWORD exStyle, int x, int y, int width, int height,
                                 const std::wstring& title)
{
    const size_t faceUnits = sizeof FontFace / sizeof FontFace[0];  // with its NUL
    const size_t units = 2 + (title.size() + 1) + 1 + faceUnits;
    const size_t bytes = sizeof(DLGTEMPLATE) + units * sizeof(WORD);
    std::vector<DWORD> buffer((bytes + sizeof(DWORD) - 1) / sizeof(DWORD), 0);

    DLGTEMPLATE header = {};
    header.style = style;
    header.dwExtendedStyle = exStyle;
    header.cdit = 0;
    header.x = static_cast<short>(x);
    header.y = static_cast<short>(y);
    header.cx = static_cast<short>(width);
    header.cy = static_cast<short>(height);
    std::memcpy(buffer.data(), &header, sizeof header);

    WORD* out = reinterpret_cast<WORD*>(reinterpret_cast<char*>(buffer.data()) + sizeof(DLGTEMPLATE));
    *out++ = 0;  // no menu
    *out++ = 0;  // the standard dialog class
    for (wchar_t c : title)
        *out++ = static_cast<WORD>(c);
    *out++ = 0;
    *out++ = FontPoints;
    for (wchar_t c : FontFace)
        *out++ = static_cast<WORD>(c);
    return buffer;
}

HWND FontDialog = nullptr;  // the dialog whose font DialogFont names

// The program's own icon (its first icon group), which the taskbar and Alt+Tab show
// for a dialog; a dialog has none of its own. Shared: the system keeps it loaded.
constexpr int ProgramIconId = 1;

void GiveProgramIcon(HWND dialog)
{
    const struct {
        WPARAM which;
        int widthMetric, heightMetric;
    } icons[] = {{ICON_BIG, SM_CXICON, SM_CYICON}, {ICON_SMALL, SM_CXSMICON, SM_CYSMICON}};
    for (const auto& icon : icons) {
        HANDLE image = LoadImageA(DialogInstance, MAKEINTRESOURCEA(ProgramIconId), IMAGE_ICON,
                                  GetSystemMetrics(icon.widthMetric), GetSystemMetrics(icon.heightMetric), LR_SHARED);
        if (image)  // a program file without the icon: the dialog keeps the system's
            SendMessageA(dialog, WM_SETICON, icon.which, reinterpret_cast<LPARAM>(image));
    }
}

HFONT FontOf(HWND dialog)
{
    return reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
}

DialogCallback CallbackOf(HWND window)
{
    return reinterpret_cast<DialogCallback>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The caller's result slot, attached by ShowModal or ShowModeless; null until then.
LONG_PTR* ResultSlotOf(HWND dialog)
{
    return reinterpret_cast<LONG_PTR*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// Steps shared by ShowModal and ShowModeless: the callback's only WM_INITDIALOG, then
// the callback and the result slot attached to the window.
void AttachCallbackAndSlot(HWND dialog, DialogCallback callback, LONG_PTR* resultSlot)
{
    if (callback)
        callback(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(dialog), 0);
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(callback));
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(resultSlot));
}

void ShowDialogWindow(HWND dialog)
{
    LONG style = GetWindowLongA(dialog, GWL_STYLE);
    ShowWindow(dialog, (style & WS_MAXIMIZE) ? SW_SHOWMAXIMIZED : SW_SHOW);
}

LRESULT RouteCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND control = GetDlgItem(dialog, LOWORD(wParam));  // the first control with that identifier
    DialogCallback callback = control ? CallbackOf(control) : nullptr;
    return callback ? callback(dialog, message, wParam, lParam) : 0;
}

}  // namespace

HWND NewDialog(HWND parent, const std::string& title, int x, int y, int width, int height,
               DWORD style, DWORD exStyle)
{
    if (style == 0)
        style = DefaultDialogStyle;
    style = (style | AlwaysDialogStyle) & ~NeverDialogStyle;
    if (x == -1 || y == -1)
        style |= DS_CENTER;

    std::vector<DWORD> dialogTemplate = BuildTemplate(style, exStyle, x, y, width, height, WideTitle(title));
    HWND dialog = CreateDialogIndirectParamA(DialogInstance, reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()),
                                             parent, CommonDialogProc, 0);
    if (dialog) {
        DialogFont = FontOf(dialog);
        FontDialog = dialog;
        GiveProgramIcon(dialog);
    }
    return dialog;
}

HWND AddControl(ControlKind kind, HWND dialog, int id, const std::string& caption, int x, int y,
                int width, int height, DWORD style, DWORD exStyle, DialogCallback callback)
{
    if (!IsWindow(dialog))
        return nullptr;
    const ControlClass& controlClass = ClassOf(kind);
    RECT box = {x, y, x + width, y + height};
    MapDialogRect(dialog, &box);
    if (style == 0)
        style = controlClass.defaultStyle;
    style |= controlClass.alwaysStyle;

    HWND control = CreateWindowExA(exStyle, controlClass.windowClass, caption.c_str(), style, box.left, box.top,
                                   box.right - box.left, box.bottom - box.top, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), DialogInstance, nullptr);
    if (!control)
        return nullptr;
    // The font of the control's own dialog: it lives as long as the control does.
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(FontOf(dialog)), TRUE);
    SetWindowLongPtrA(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(callback));
    // Only a default push button becomes the dialog's default; BS_DEFPUSHBUTTON is a
    // button type, so the test is on the type bits, not on bit 0 alone.
    if (kind == ControlKind::Button && (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
        SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(id), 0);
    return control;
}

void ShowModal(HWND dialog, DialogCallback callback, LONG_PTR* resultSlot)
{
    if (!IsWindow(dialog))
        return;  // nothing to wait for: a loop on no window would poll forever
    AttachCallbackAndSlot(dialog, callback, resultSlot);
    HWND owner = GetWindow(dialog, GW_OWNER);
    if (owner) {
        SendMessageA(owner, WM_CANCELMODE, 0, 0);
        EnableWindow(owner, FALSE);
    }
    ShowDialogWindow(dialog);
    const bool tellOwnerIdle = owner && !(GetWindowLongA(dialog, GWL_STYLE) & DS_NOIDLEMSG);

    // Polls rather than waits, and ends right after the message during which the
    // window went away. The window test on idle passes too: a dialog destroyed
    // without a message to follow must not leave the loop polling for ever.
    while (IsWindow(dialog)) {
        MSG message;
        if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (tellOwnerIdle)
                SendMessageA(owner, WM_ENTERIDLE, 0, reinterpret_cast<LPARAM>(dialog));
            Sleep(1);
            continue;
        }
        if (!IsWindow(dialog) || !IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (owner)
        SetFocus(owner);
}

void ShowModeless(HWND dialog, DialogCallback callback, LONG_PTR* resultSlot)
{
    if (!IsWindow(dialog))
        return;
    AttachCallbackAndSlot(dialog, callback, resultSlot);
    ShowDialogWindow(dialog);
}

int PumpOnce()
{
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsWindow(ActiveDialog) || !IsDialogMessageA(ActiveDialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    } else {
        Sleep(1);
    }
    return OpenDialogCount;
}

void CloseDialog(HWND dialog, LONG_PTR result)
{
    if (!IsWindow(dialog))
        return;  // already gone, or never made: nothing to do
    SendMessageA(dialog, WM_CLOSE, 0, 0);
    if (!IsWindow(dialog))
        return;  // the callback ended the dialog itself while seeing WM_CLOSE
    HWND owner = GetWindow(dialog, GW_OWNER);
    bool ownerWasDisabled = owner && EnableWindow(owner, TRUE);
    if (LONG_PTR* slot = ResultSlotOf(dialog))
        *slot = result;
    if (!DestroyWindow(dialog) && ownerWasDisabled)
        EnableWindow(owner, FALSE);
}

void SetControlText(HWND dialog, int id, const std::string& text)
{
    if (HWND control = GetDlgItem(dialog, id))
        SetWindowTextA(control, text.c_str());
}

void FocusControl(HWND dialog, int id)
{
    if (HWND control = GetDlgItem(dialog, id))
        SetFocus(control);
}

int ShowMessage(const std::string& text, UINT style, const std::string& title)
{
    Sleep(5);
    return MessageBoxA(nullptr, text.c_str(), title.c_str(), style & MessageBoxStyles);
}

void Pause(DWORD milliseconds)
{
    Sleep(milliseconds);
}

INT_PTR CALLBACK CommonDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        ++OpenDialogCount;
    if (message == WM_ACTIVATE) {
        ActiveDialog = LOWORD(wParam) == WA_INACTIVE ? nullptr : dialog;
        return 1;
    }
    if (message == WM_COMMAND) {
        if (LRESULT handled = RouteCommand(dialog, message, wParam, lParam))
            return handled;
    }
    LRESULT handled = 0;
    if (DialogCallback callback = CallbackOf(dialog))
        handled = callback(dialog, message, wParam, lParam);
    // Counted whatever the callback answered, so that a callback which handles
    // WM_DESTROY cannot leave a destroyed dialog counted as open.
    if (message == WM_DESTROY) {
        --OpenDialogCount;
        if (dialog == FontDialog) {  // the system deletes a dialog's font with the dialog
            DialogFont = nullptr;
            FontDialog = nullptr;
        }
    }
    if (handled)
        return handled;
    if (message == WM_SYSCOMMAND && LOWORD(wParam) == SC_CLOSE) {
        CloseDialog(dialog, 0);
        return 1;
    }
    return 0;
}
