// The dialog layer on real windows in Wine's virtual desktop: creation, keyboard and
// focus, command routing, ending dialogs, and message boxes. The test drives its own
// windows with posted clicks and keys, pumped through PumpOnce or a thread timer inside
// ShowModal; every wait has a deadline, and a watchdog ends a modal loop that hangs.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "message_box_reader_win32.h"
#include "ui/dialog_layer_win32.h"

namespace {

constexpr DWORD WaitMs = 5000;

// ---- what the callbacks saw

struct Seen {
    char who;  // 'A', 'B', 'C': control callbacks; 'D': the dialog callback
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};
std::vector<Seen> Log;
LRESULT ControlAnswer = 0;  // what the control callbacks return
LRESULT DialogAnswer = 0;   // what the dialog callback returns

LRESULT ByA(HWND, UINT m, WPARAM w, LPARAM l) { Log.push_back({'A', m, w, l}); return ControlAnswer; }
LRESULT ByB(HWND, UINT m, WPARAM w, LPARAM l) { Log.push_back({'B', m, w, l}); return ControlAnswer; }
LRESULT ByC(HWND, UINT m, WPARAM w, LPARAM l) { Log.push_back({'C', m, w, l}); return ControlAnswer; }
LRESULT ByDialog(HWND, UINT m, WPARAM w, LPARAM l) { Log.push_back({'D', m, w, l}); return DialogAnswer; }

std::vector<Seen> SeenBy(char who, UINT message)
{
    std::vector<Seen> found;
    for (const Seen& s : Log)
        if (s.who == who && s.message == message)
            found.push_back(s);
    return found;
}

// ---- driving the windows

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = WaitMs)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        PumpOnce();
    }
    return true;
}

void PumpFor(DWORD ms)
{
    PumpUntil([] { return false; }, ms);
}

// A left click at the control's centre, as the mouse would deliver it.
void Click(HWND control)
{
    RECT client;
    GetClientRect(control, &client);
    LPARAM at = MAKELPARAM(client.right / 2, client.bottom / 2);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
}

void PressKey(WPARAM key)
{
    HWND target = GetFocus();
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

BOOL CALLBACK DestroyLeftover(HWND window, LPARAM)
{
    DestroyWindow(window);
    return TRUE;
}

// A thread timer that runs an action every few milliseconds inside whatever loop
// pumps this thread, ShowModal's included.
std::function<void()> TickAction;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) { if (TickAction) TickAction(); }
struct Ticker {
    UINT_PTR id;
    explicit Ticker(std::function<void()> action) { TickAction = action; id = SetTimer(nullptr, 0, 20, Tick); }
    ~Ticker() { KillTimer(nullptr, id); TickAction = nullptr; }
};

// Destroys every window of the thread once the time is up, which ends any ShowModal.
bool WatchdogFired = false;
void CALLBACK FireWatchdog(HWND, UINT, UINT_PTR, DWORD)
{
    WatchdogFired = true;
    EnumThreadWindows(GetCurrentThreadId(), DestroyLeftover, 0);
}
struct Watchdog {
    UINT_PTR id;
    Watchdog() { WatchdogFired = false; id = SetTimer(nullptr, 0, WaitMs, FireWatchdog); }
    ~Watchdog() { KillTimer(nullptr, id); }
};

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        Log.clear();
        ControlAnswer = 0;
        DialogAnswer = 0;
    }
    void TearDown() override
    {
        EnumThreadWindows(GetCurrentThreadId(), DestroyLeftover, 0);  // after a failure
        PumpFor(10);
        EXPECT_EQ(0, OpenDialogCount) << "every dialog is counted until destroyed";
    }
    // Shows the dialog modeless and waits until it is the active one.
    bool ShowActive(HWND dialog, DialogCallback callback = nullptr, LONG_PTR* slot = nullptr)
    {
        ShowModeless(dialog, callback, slot);
        return PumpUntil([&] { return ActiveDialog == dialog && GetForegroundWindow() == dialog; });
    }
};

// ---- creation

TEST_F(Dialogs, CentredWithMinusOneElseAtThePosition) {
    struct Row { int x, y; bool centred; };
    const Row rows[] = {{-1, -1, true}, {-1, 40, true}, {30, -1, true}, {30, 40, false}};
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    for (const Row& row : rows) {
        HWND d = NewDialog(nullptr, "placed", row.x, row.y, 120, 60, 0, 0);
        ASSERT_TRUE(d);
        RECT at;
        GetWindowRect(d, &at);
        POINT client = {0, 0};
        ClientToScreen(d, &client);
        EXPECT_EQ(row.centred, (GetWindowLongA(d, GWL_STYLE) & DS_CENTER) != 0) << row.x << "," << row.y;
        if (row.centred) {
            EXPECT_NEAR(work.left + work.right, at.left + at.right, 2) << row.x << "," << row.y;
            EXPECT_NEAR(work.top + work.bottom, at.top + at.bottom, 2) << row.x << "," << row.y;
        } else {
            // The position is that of the client area, below the caption.
            RECT wanted = {row.x, row.y, row.x, row.y};
            MapDialogRect(d, &wanted);
            EXPECT_EQ(wanted.left, client.x);
            EXPECT_EQ(wanted.top, client.y);
        }
        CloseDialog(d, 0);
    }
}

TEST_F(Dialogs, TitleIsCutAt256AndNeverEmpty) {
    std::string digits;
    while (digits.size() < 5000)
        digits += "0123456789";
    struct Row { std::string given, shown; };
    const Row rows[] = {
        {"", " "},
        {"Dorvalix", "Dorvalix"},
        {digits.substr(0, 256), digits.substr(0, 256)},
        {digits.substr(0, 300), digits.substr(0, 256)},
        {digits, digits.substr(0, 256)},
    };
    for (const Row& row : rows) {
        HWND d = NewDialog(nullptr, row.given, -1, -1, 100, 50, 0, 0);
        ASSERT_TRUE(d) << row.given.size();
        char title[6000] = {};
        GetWindowTextA(d, title, sizeof title);
        EXPECT_EQ(row.shown, title) << "a title of " << row.given.size() << " characters";
        CloseDialog(d, 0);
    }
}

TEST_F(Dialogs, HiddenUntilShownWhateverTheStyle) {
    struct Row { DWORD given, set, clear; };
    const DWORD mustNot = WS_VISIBLE | DS_SYSMODAL;
    const Row rows[] = {
        // The default: popup, caption and modal frame, and no system menu (no close box).
        {0, WS_POPUP | WS_CAPTION | DS_MODALFRAME | 0x54, WS_SYSMENU | mustNot},
        {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SYSMODAL, WS_SYSMENU | 0x54, mustNot},
        {WS_POPUP | WS_VISIBLE, WS_POPUP | 0x54, WS_CAPTION | mustNot},
    };
    for (const Row& row : rows) {
        HWND d = NewDialog(nullptr, "hidden", 20, 20, 100, 50, row.given, 0);
        ASSERT_TRUE(d);
        PumpFor(20);
        DWORD style = static_cast<DWORD>(GetWindowLongA(d, GWL_STYLE));
        EXPECT_EQ(row.set, style & row.set) << std::hex << row.given << ": " << style;
        EXPECT_EQ(0u, style & row.clear) << std::hex << row.given << ": " << style;
        EXPECT_FALSE(IsWindowVisible(d)) << std::hex << row.given;
        ShowModeless(d, nullptr, nullptr);
        EXPECT_TRUE(IsWindowVisible(d)) << std::hex << row.given;
        CloseDialog(d, 0);
    }
}

TEST_F(Dialogs, ControlsTakeTheirKindsStyleFontCallbackAndPlace) {
    struct Row { ControlKind kind; DWORD given, exStyle, style; const char* windowClass; DialogCallback callback; };
    const Row rows[] = {
        {ControlKind::Button, 0, 0, 0x50010000, "Button", ByA},
        // A style replaces the default whole: only WS_DISABLED loses WS_TABSTOP.
        {ControlKind::Button, WS_DISABLED, 0, 0x58000000, "Button", nullptr},
        {ControlKind::Button, WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 0x50010001, "Button", ByB},
        // Added after the default button, a check box must not take its place.
        {ControlKind::Button, WS_TABSTOP | BS_AUTOCHECKBOX, 0, 0x50010003, "Button", nullptr},
        {ControlKind::Label, 0, 0, 0x50000000, "Static", nullptr},
        {ControlKind::Label, SS_RIGHT, WS_EX_CLIENTEDGE, 0x50000002, "Static", ByC},
        {ControlKind::Line, 0, 0, 0x50000012, "Static", nullptr},
        {ControlKind::Line, SS_BLACKRECT, 0, 0x50000004, "Static", nullptr},
    };
    HWND d = NewDialog(nullptr, "controls", 10, 10, 300, 200, 0, 0);
    ASSERT_TRUE(d);
    ASSERT_TRUE(DialogFont);
    int id = 10;
    for (const Row& row : rows) {
        int x = 4 + id, y = 2 * id - 15;
        HWND c = AddControl(row.kind, d, id, "caption", x, y, 40, 12, row.given, row.exStyle, row.callback);
        ASSERT_TRUE(c) << id;
        EXPECT_EQ(row.style, static_cast<DWORD>(GetWindowLongA(c, GWL_STYLE))) << "control " << id;
        EXPECT_EQ(row.exStyle, static_cast<DWORD>(GetWindowLongA(c, GWL_EXSTYLE)) & row.exStyle) << id;
        char windowClass[32] = {};
        GetClassNameA(c, windowClass, sizeof windowClass);
        EXPECT_STRCASEEQ(row.windowClass, windowClass) << id;
        if (row.kind != ControlKind::Line) {  // a frame or a filled rectangle keeps no font
            EXPECT_EQ(DialogFont, reinterpret_cast<HFONT>(SendMessageA(c, WM_GETFONT, 0, 0))) << id;
        }
        EXPECT_EQ(reinterpret_cast<LONG_PTR>(row.callback), GetWindowLongPtrA(c, GWLP_USERDATA)) << id;
        RECT wanted = {x, y, x + 40, y + 12}, at;
        MapDialogRect(d, &wanted);
        GetWindowRect(c, &at);
        MapWindowPoints(nullptr, d, reinterpret_cast<POINT*>(&at), 2);
        EXPECT_EQ(wanted.left, at.left) << id;
        EXPECT_EQ(wanted.top, at.top) << id;
        EXPECT_EQ(wanted.right, at.right) << id;
        EXPECT_EQ(wanted.bottom, at.bottom) << id;
        ++id;
    }
    LRESULT defId = SendMessageA(d, DM_GETDEFID, 0, 0);
    EXPECT_EQ(DC_HASDEFID, HIWORD(defId));
    EXPECT_EQ(12, LOWORD(defId)) << "the BS_DEFPUSHBUTTON button";
    EXPECT_FALSE(AddControl(ControlKind::Button, nullptr, 1, "none", 0, 0, 10, 10, 0, 0, nullptr));
    CloseDialog(d, 0);
}

// ---- keyboard and focus

HFONT FontOf(HWND window)
{
    return reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
}

// Each dialog's font lives as long as the dialog. A control added to an older dialog
// after a newer one came and went takes the older one's own font, which still exists;
// DialogFont never names a font that went with its dialog.
TEST_F(Dialogs, ControlsTakeTheLiveFontOfTheirOwnDialog) {
    HWND older = NewDialog(nullptr, "older", 10, 10, 100, 60, 0, 0);
    HWND newer = NewDialog(nullptr, "newer", 20, 20, 100, 60, 0, 0);
    ASSERT_TRUE(older && newer);
    EXPECT_EQ(FontOf(newer), DialogFont);
    CloseDialog(newer, 0);
    EXPECT_EQ(nullptr, DialogFont) << "the newest dialog's font went with it";

    LOGFONTA described;
    HWND label = AddControl(ControlKind::Label, older, 1, "after", 4, 4, 40, 10, 0, 0, nullptr);
    ASSERT_TRUE(label);
    EXPECT_EQ(FontOf(older), FontOf(label));
    EXPECT_NE(0, GetObjectA(FontOf(label), sizeof described, &described)) << "a font that exists";
    CloseDialog(older, 0);

    HWND next = NewDialog(nullptr, "next", 10, 10, 100, 60, 0, 0);
    ASSERT_TRUE(next);
    HWND button = AddControl(ControlKind::Button, next, 2, "next", 4, 4, 40, 12, 0, 0, nullptr);
    EXPECT_EQ(FontOf(next), DialogFont);
    EXPECT_EQ(DialogFont, FontOf(button));
    EXPECT_NE(0, GetObjectA(FontOf(button), sizeof described, &described)) << "a font that exists";
    CloseDialog(next, 0);
}

TEST_F(Dialogs, TabFollowsCreationOrderAndSkipsDisabledButtons) {
    HWND d = NewDialog(nullptr, "tabs", 10, 10, 200, 100, 0, 0);
    HWND first = AddControl(ControlKind::Button, d, 101, "First", 5, 5, 40, 14, 0, 0, nullptr);
    HWND off = AddControl(ControlKind::Button, d, 102, "Off", 5, 25, 40, 14, WS_DISABLED, 0, nullptr);
    AddControl(ControlKind::Label, d, 103, "label", 5, 45, 40, 10, 0, 0, nullptr);
    HWND last = AddControl(ControlKind::Button, d, 104, "Last", 5, 60, 40, 14, 0, 0, nullptr);
    ASSERT_TRUE(ShowActive(d));
    EXPECT_FALSE(IsWindowEnabled(off));

    FocusControl(d, 101);
    EXPECT_EQ(first, GetFocus());
    const HWND order[] = {last, first, last};  // the disabled button and the label are skipped
    for (HWND next : order) {
        PressKey(VK_TAB);
        EXPECT_TRUE(PumpUntil([&] { return GetFocus() == next; }, 1000))
            << "focus on " << GetDlgCtrlID(GetFocus()) << ", expected " << GetDlgCtrlID(next);
    }
    FocusControl(d, 101);
    EXPECT_EQ(first, GetFocus());
    FocusControl(d, 999);      // no such control
    FocusControl(nullptr, 104);  // no dialog
    EXPECT_EQ(first, GetFocus());
    CloseDialog(d, 0);
}

TEST_F(Dialogs, EscapePressesOnlyAControlNumberedTwo) {
    struct Row { int cancelId; bool pressed; };
    const Row rows[] = {{201, false}, {IDCANCEL, true}};
    for (const Row& row : rows) {
        Log.clear();
        HWND d = NewDialog(nullptr, "escape", 10, 10, 200, 100, 0, 0);
        AddControl(ControlKind::Button, d, 101, "OK", 5, 5, 40, 14, 0, 0, nullptr);
        AddControl(ControlKind::Button, d, row.cancelId, "Cancel", 50, 5, 40, 14, 0, 0, ByA);
        ASSERT_TRUE(ShowActive(d));
        FocusControl(d, 101);
        PressKey(VK_ESCAPE);
        bool reached = PumpUntil([] { return !SeenBy('A', WM_COMMAND).empty(); }, row.pressed ? 1000 : 200);
        EXPECT_EQ(row.pressed, reached) << "Cancel numbered " << row.cancelId;
        EXPECT_TRUE(IsWindow(d)) << "Escape does not end the dialog";
        CloseDialog(d, 0);
    }
}

// ---- routing of WM_COMMAND

TEST_F(Dialogs, ClicksReachOneCallbackPerIdentifier) {
    HWND d = NewDialog(nullptr, "routing", 10, 10, 200, 100, 0, 0);
    AddControl(ControlKind::Button, d, 501, "other", 5, 5, 40, 14, 0, 0, ByA);
    HWND one = AddControl(ControlKind::Button, d, 300, "one", 5, 25, 40, 14, 0, 0, ByB);
    HWND two = AddControl(ControlKind::Button, d, 300, "two", 5, 45, 40, 14, 0, 0, ByC);
    ASSERT_TRUE(ShowActive(d));
    Click(one);
    Click(two);
    ASSERT_TRUE(PumpUntil([] { return SeenBy('B', WM_COMMAND).size() + SeenBy('C', WM_COMMAND).size() == 2; }));
    PumpFor(50);
    EXPECT_TRUE(SeenBy('A', WM_COMMAND).empty()) << "a click reaches only its own identifier";
    std::vector<Seen> b = SeenBy('B', WM_COMMAND), c = SeenBy('C', WM_COMMAND);
    ASSERT_TRUE(b.empty() || c.empty()) << "B saw " << b.size() << ", C saw " << c.size();
    std::vector<Seen> both = b.empty() ? c : b;
    ASSERT_EQ(2u, both.size());
    EXPECT_EQ(MAKEWPARAM(300, BN_CLICKED), both[0].wParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(one), both[0].lParam);
    EXPECT_EQ(reinterpret_cast<LPARAM>(two), both[1].lParam);
    CloseDialog(d, 0);
}

TEST_F(Dialogs, ControlCallbackAnswerDecidesWhatTheDialogCallbackSees) {
    struct Row { DialogCallback control; LRESULT answer; bool dialogSees; };
    const Row rows[] = {{ByA, 0, true}, {ByA, 1, false}, {nullptr, 0, true}};
    for (const Row& row : rows) {
        Log.clear();
        ControlAnswer = row.answer;
        HWND d = NewDialog(nullptr, "answer", 10, 10, 200, 100, 0, 0);
        HWND button = AddControl(ControlKind::Button, d, 400, "press", 5, 5, 40, 14, 0, 0, row.control);
        ASSERT_TRUE(ShowActive(d, ByDialog));
        Click(button);
        PumpUntil([] { return !SeenBy('D', WM_COMMAND).empty(); }, row.dialogSees ? WaitMs : 200);
        std::vector<Seen> seen = SeenBy('D', WM_COMMAND);
        EXPECT_EQ(row.control ? 1u : 0u, SeenBy('A', WM_COMMAND).size()) << row.answer;
        ASSERT_EQ(row.dialogSees ? 1u : 0u, seen.size()) << "control answered " << row.answer;
        if (row.dialogSees) {
            EXPECT_EQ(MAKEWPARAM(400, BN_CLICKED), seen[0].wParam);
            EXPECT_EQ(reinterpret_cast<LPARAM>(button), seen[0].lParam);
        }
        CloseDialog(d, 0);
    }
}

// ---- ending dialogs

TEST_F(Dialogs, SystemCloseEndsWithResultZero) {
    struct Row { bool modal; DialogCallback callback; };
    const Row rows[] = {{false, nullptr}, {true, nullptr}, {true, ByDialog}};
    for (const Row& row : rows) {
        Log.clear();
        LONG_PTR slot = 99;
        HWND d = NewDialog(nullptr, "close me", 10, 10, 200, 100, 0, 0);
        Watchdog watchdog;
        if (row.modal) {
            Ticker ticker([d] { PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0); });
            ShowModal(d, row.callback, &slot);
        } else {
            ShowModeless(d, row.callback, &slot);
            PostMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
            PumpUntil([d] { return !IsWindow(d); });
        }
        EXPECT_FALSE(WatchdogFired);
        EXPECT_FALSE(IsWindow(d));
        EXPECT_EQ(0, slot) << (row.modal ? "modal" : "modeless");
        EXPECT_EQ(row.callback ? 1u : 0u, SeenBy('D', WM_CLOSE).size()) << "the dialog callback sees the close";
    }
}

TEST_F(Dialogs, ClosingWhatIsGoneDoesNothing) {
    LONG_PTR slot = 99;
    HWND d = NewDialog(nullptr, "twice", 10, 10, 200, 100, 0, 0);
    AddControl(ControlKind::Label, d, 7, "before", 5, 5, 40, 10, 0, 0, nullptr);
    ShowModeless(d, ByDialog, &slot);
    EXPECT_EQ(1, OpenDialogCount);
    CloseDialog(d, 7);
    EXPECT_FALSE(IsWindow(d));
    EXPECT_EQ(7, slot);
    CloseDialog(d, 8);
    CloseDialog(nullptr, 9);
    SetControlText(d, 7, "after");
    FocusControl(d, 7);
    EXPECT_EQ(7, slot);
    EXPECT_EQ(1u, SeenBy('D', WM_CLOSE).size());
    EXPECT_EQ(0, OpenDialogCount);

    Watchdog watchdog;
    const DWORD start = GetTickCount();
    ShowModal(nullptr, nullptr, nullptr);
    ShowModal(d, ByDialog, &slot);
    EXPECT_LT(GetTickCount() - start, 1000u) << "ShowModal on no window returns at once";
    EXPECT_FALSE(WatchdogFired);
}

TEST_F(Dialogs, CountsADialogClosedWhileItsCallbackHandlesEverything) {
    DialogAnswer = 1;
    HWND d = NewDialog(nullptr, "greedy", 10, 10, 200, 100, 0, 0);
    ShowModeless(d, ByDialog, nullptr);
    CloseDialog(d, 0);
    EXPECT_FALSE(IsWindow(d));
    EXPECT_EQ(1u, SeenBy('D', WM_DESTROY).size());
    EXPECT_EQ(0, OpenDialogCount);
}

// The button callback of the outer dialog: perhaps a whole nested modal dialog first,
// then it closes its own dialog and goes on working after the window is gone.
HWND Outer = nullptr, Nested = nullptr;
bool OpenNested = false, CallbackFinished = false;
LONG_PTR NestedSlot = 0;

LRESULT CloseNested(HWND dialog, UINT, WPARAM, LPARAM)
{
    CloseDialog(dialog, 6);
    return 0;
}

LRESULT CloseOuter(HWND dialog, UINT, WPARAM, LPARAM)
{
    if (OpenNested) {
        Nested = NewDialog(nullptr, "nested", 40, 40, 120, 60, 0, 0);
        AddControl(ControlKind::Button, Nested, 610, "close nested", 5, 5, 60, 14, 0, 0, CloseNested);
        ShowModal(Nested, nullptr, &NestedSlot);
    }
    CloseDialog(dialog, 5);
    CallbackFinished = !IsWindow(dialog);
    return 0;
}

TEST_F(Dialogs, ShowModalReturnsWhenAControlCallbackClosesIt) {
    for (bool nested : {false, true}) {
        Log.clear();
        OpenNested = nested;
        CallbackFinished = false;
        NestedSlot = 0;
        Nested = nullptr;
        LONG_PTR slot = 0;
        Outer = NewDialog(nullptr, "outer", 10, 10, 200, 100, 0, 0);
        AddControl(ControlKind::Button, Outer, 600, "close", 5, 5, 40, 14, 0, 0, CloseOuter);
        bool outerClicked = false;
        Watchdog watchdog;
        Ticker ticker([&outerClicked] {
            if (IsWindow(Nested) && IsWindowVisible(Nested)) {
                Click(GetDlgItem(Nested, 610));
            } else if (!outerClicked && IsWindow(Outer) && IsWindowVisible(Outer)) {
                outerClicked = true;
                Click(GetDlgItem(Outer, 600));
            }
        });
        ShowModal(Outer, ByDialog, &slot);
        EXPECT_FALSE(WatchdogFired) << (nested ? "nested" : "plain");
        EXPECT_TRUE(CallbackFinished);
        EXPECT_EQ(5, slot);
        EXPECT_EQ(nested ? 6 : 0, NestedSlot);
        EXPECT_EQ(0, OpenDialogCount);
        // The dialog callback sees its own WM_INITDIALOG once, from ShowModal.
        std::vector<Seen> init = SeenBy('D', WM_INITDIALOG);
        ASSERT_EQ(1u, init.size());
        EXPECT_EQ(reinterpret_cast<WPARAM>(Outer), init[0].wParam);
    }
}

// ---- message boxes

TEST(MessageBoxes, ShowTextTitleAndIconAndReturnTheAnswer) {
    struct Row { std::string text; UINT style; const char* title; int answer; int icon; };
    const Row rows[] = {
        {"first line\r\rthird line", MB_OK | MB_ICONHAND, "Dorvalix test", IDOK, 32513},       // IDI_HAND
        {"Go on?", MB_YESNO | MB_ICONQUESTION, "Dorvalix question", IDNO, 32514},            // IDI_QUESTION
        {"Careful", MB_OKCANCEL | MB_ICONEXCLAMATION, "Dorvalix caution", IDCANCEL, 32515},  // IDI_EXCLAMATION
    };
    for (const Row& row : rows) {
        BoxReading reading;
        reading.title = row.title;
        reading.answer = row.answer;
        int pressed = WithBoxReader(&reading, [&] { return ShowMessage(row.text, row.style, row.title); });
        ASSERT_TRUE(reading.found) << row.title;
        EXPECT_EQ(row.text, reading.text);
        EXPECT_EQ(LoadIconA(nullptr, MAKEINTRESOURCEA(row.icon)), reading.icon) << row.title;
        EXPECT_EQ(nullptr, reading.owner) << "a box without owner";
        EXPECT_EQ(row.answer, pressed);
    }
}

}  // namespace
