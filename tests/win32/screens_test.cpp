// The countdown notice and the selection screen run in this process, as the program
// runs them, and are driven by a thread timer that plays the user's part inside their
// own message loops: it reads the real windows and presses their buttons through the
// window probe. A thread hook records what the program writes into the notice while it
// counts. Every run has a watchdog that ends the countdown and destroys the windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "app/countdown_notice_win32.h"
#include "compiler_keys_win32.h"
#include "dorvalix_version.h"
#include "stand_in_win32.h"
#include "tests/tools/window_probe_win32.h"
#include "ui/dialog_layer_win32.h"
#include "ui/run_state_win32.h"
#include "ui/selection_screen_win32.h"

namespace {

const char* const NoticeTitle = VersionTitle;
const std::string ScreenTitle = std::string(VersionTitle) + " Make your own selection";
const char NoticeText[] = "This is a source code designated PB/CC application\rC:\\src\\demo.bas\r\r";
constexpr DWORD WatchdogMs = 8000;
constexpr int CloseCommand = -1;  // the system close command instead of a button

// ---- the user's part: one step per timer tick

// A step returns true when it is done; the next one starts at the following tick.
// Ticks come only when no other message is waiting, so what a step posted has been
// handled by the time the next step looks.
using Step = std::function<bool()>;
std::vector<Step> Steps;
size_t NextStep = 0;

void CALLBACK RunNextStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (NextStep < Steps.size() && Steps[NextStep]())
        ++NextStep;
}

bool WatchdogFired = false;

BOOL CALLBACK DestroyLeftover(HWND window, LPARAM)
{
    DestroyWindow(window);
    return TRUE;
}

void CALLBACK FireWatchdog(HWND, UINT, UINT_PTR, DWORD)
{
    WatchdogFired = true;
    CountdownState = 1;  // ends a countdown loop that would wait for ever
    EnumThreadWindows(GetCurrentThreadId(), DestroyLeftover, 0);  // ends a modal loop
}

// Runs the body (ShowCountdownNotice or RunSelectionScreen) while the steps play;
// returns how long the body took, in milliseconds.
DWORD RunWithSteps(std::vector<Step> steps, const std::function<void()>& body)
{
    Steps = std::move(steps);
    NextStep = 0;
    WatchdogFired = false;
    UINT_PTR ticker = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, RunNextStep);
    UINT_PTR watchdog = SetTimer(nullptr, 0, WatchdogMs, FireWatchdog);
    const DWORD start = GetTickCount();
    body();
    const DWORD took = GetTickCount() - start;
    KillTimer(nullptr, ticker);
    KillTimer(nullptr, watchdog);
    return took;
}

HWND Shown(const std::string& title)
{
    return WaitForWindow(GetCurrentProcessId(), title, 0);
}

std::string ControlText(HWND dialog, int id)
{
    return WindowText(GetDlgItem(dialog, id));
}

// A press that must get through: one the window probe refuses is a failure.
void Press(HWND window, int button)
{
    std::string refusal;
    EXPECT_TRUE(PressButton(window, button, &refusal)) << refusal;
}

void Act(HWND window, int button)
{
    if (button == CloseCommand)
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    else
        Press(window, button);
}

// A key pressed on whatever has the focus, or on the dialog when nothing has.
void PressKey(HWND dialog, WPARAM key)
{
    HWND target = GetFocus() ? GetFocus() : dialog;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

// A step that waits for the titled window and then acts on it.
Step PressWhenShown(const std::string& title, int button)
{
    return [=] {
        HWND window = Shown(title);
        if (window)
            Act(window, button);
        return window != nullptr;
    };
}

// A step that presses "&Wait !" once the progress row shows some asterisks, at most
// so many.
Step PauseWhenRowShowsAtMost(size_t asterisks)
{
    return [=] {
        HWND notice = Shown(NoticeTitle);
        size_t shown = ControlText(notice, NoticeProgressRowId).size();
        if (shown == 0 || shown > asterisks)
            return false;
        Press(notice, NoticeWaitId);
        return true;
    };
}

// ---- what the program writes into the notice and when the screen appears

std::vector<std::string> NoticeTexts;  // texts set on the progress row and on "&Wait !"
bool ScreenShown = false;
bool NoticeAliveAtScreen = false;     // whether a notice window existed as the screen showed

BOOL CALLBACK FindNotice(HWND window, LPARAM found)
{
    if (WindowText(window) == NoticeTitle)
        *reinterpret_cast<bool*>(found) = true;
    return TRUE;
}

LRESULT CALLBACK WatchNotice(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* m = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && m->message == WM_SETTEXT && WindowText(GetParent(m->hwnd)) == NoticeTitle) {
        int id = GetDlgCtrlID(m->hwnd);
        if (id == NoticeProgressRowId || id == NoticeWaitId)
            NoticeTexts.push_back(WindowText(m->hwnd));
    }
    if (code == HC_ACTION && m->message == WM_SHOWWINDOW && m->wParam && WindowText(m->hwnd) == ScreenTitle) {
        ScreenShown = true;
        NoticeAliveAtScreen = false;
        EnumThreadWindows(GetCurrentThreadId(), FindNotice, reinterpret_cast<LPARAM>(&NoticeAliveAtScreen));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// ---- the controls as they should read back

struct ExpectedControl {
    const char* className;
    int id;
    std::string text;
    LONG style;
    int x, y, width, height;  // dialog units
};

void ExpectControls(HWND dialog, const std::vector<ExpectedControl>& expected, const char* what)
{
    std::vector<ControlReading> controls = ReadControls(dialog);
    ASSERT_EQ(expected.size(), controls.size()) << what;
    for (size_t i = 0; i < expected.size(); ++i) {
        const ExpectedControl& e = expected[i];
        const ControlReading& c = controls[i];
        EXPECT_STRCASEEQ(e.className, c.className.c_str()) << what << ", control " << i + 1;
        EXPECT_EQ(e.id, c.id) << what << ", control " << i + 1;
        EXPECT_EQ(e.text, c.text) << what << ", control " << i + 1;
        EXPECT_EQ(e.style, c.style) << what << ", control " << i + 1 << " (" << e.text << ")";
        EXPECT_EQ(!(e.style & WS_DISABLED), c.enabled) << what << ", control " << i + 1;
        RECT wanted = {e.x, e.y, e.x + e.width, e.y + e.height};
        MapDialogRect(dialog, &wanted);
        EXPECT_TRUE(EqualRect(&wanted, &c.rect))
            << what << ", control " << i + 1 << ": at " << c.rect.left << "," << c.rect.top << " to "
            << c.rect.right << "," << c.rect.bottom << ", expected " << wanted.left << "," << wanted.top
            << " to " << wanted.right << "," << wanted.bottom;
    }
}

void ExpectClientSize(HWND dialog, int width, int height)
{
    RECT wanted = {0, 0, width, height}, client;
    MapDialogRect(dialog, &wanted);
    GetClientRect(dialog, &client);
    EXPECT_TRUE(EqualRect(&wanted, &client)) << client.right << "x" << client.bottom;
}

constexpr LONG PushButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP;  // BS_PUSHBUTTON is 0
constexpr LONG GreyedButton = WS_CHILD | WS_VISIBLE | WS_DISABLED;
constexpr LONG CentredLabel = WS_CHILD | WS_VISIBLE | SS_CENTER;

class Screens : public CompilerKeys {
protected:
    std::string folder = ScratchFolder("screens");
    std::string log = PrepareStandInLog(folder);
    HHOOK hook = nullptr;

    void SetUp() override
    {
        CompilerKeys::SetUp();
        InitRunState();
        SourcePath = CompilerSourcePath = folder + "demo.bas";
        CurrentDialog = nullptr;
        SelectionTakenOver = 0;
        CountdownState = 0;
        NoticeTexts.clear();
        ScreenShown = false;
        NoticeAliveAtScreen = false;
        hook = SetWindowsHookExA(WH_CALLWNDPROCRET, WatchNotice, nullptr, GetCurrentThreadId());
    }
    void TearDown() override
    {
        UnhookWindowsHookEx(hook);
        EnumThreadWindows(GetCurrentThreadId(), DestroyLeftover, 0);  // the notice, or after a failure
        for (int i = 0; i < 20; ++i)
            PumpOnce();
        EXPECT_EQ(0, OpenDialogCount);
        CompilerKeys::TearDown();
    }
};

// ---- the countdown notice

TEST_F(Screens, NoticeShowsItsControlsWithFocusOnGoNow) {
    bool read = false;
    NoticeEnd end = NoticeEnd::RanOut;
    DWORD took = RunWithSteps({[&] {
        HWND notice = Shown(NoticeTitle);
        if (!notice)
            return false;
        ExpectClientSize(notice, 240, 200);
        // Until the window's first messages are through, the countdown may have run a
        // tenth: the row is empty or shows asterisks.
        std::string row = ControlText(notice, NoticeProgressRowId);
        EXPECT_EQ(std::string::npos, row.find_first_not_of('*')) << row;
        ExpectControls(notice, {
            {"Static", 0, NoticeText, CentredLabel, 10, 10, 210, 150},
            {"Static", 0, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDFRAME, 8, 8, 224, 144},
            {"Static", 0, "", WS_CHILD | WS_VISIBLE | SS_ETCHEDFRAME, 8, 78, 224, 40},
            {"Button", 201, "&Cancel", PushButton, 170, 180, 60, 16},
            {"Button", 202, "&Own choice", PushButton, 10, 180, 60, 16},
            {"Button", 204, "&Wait !", PushButton, 10, 160, 60, 16},
            {"Button", 203, "&Go now!", PushButton, 80, 174, 80, 24},
            {"Static", 215, row, WS_CHILD | WS_VISIBLE, 80, 165, 220, 10},
        }, "notice");
        EXPECT_EQ(GetDlgItem(notice, NoticeGoNowId), FocusOfThread(notice)) << "focus on &Go now!";
        read = true;
        Press(notice, NoticeGoNowId);
        return true;
    }}, [&] { end = ShowCountdownNotice(NoticeText); });
    EXPECT_TRUE(read);
    EXPECT_FALSE(WatchdogFired);
    EXPECT_LT(took, 2000u) << "&Go now! ends the countdown at once";
    EXPECT_EQ(NoticeEnd::GoNow, end);
    EXPECT_EQ(1, CountdownState);
    EXPECT_EQ(0, SelectionTakenOver) << "the compiler would start";
    EXPECT_TRUE(IsWindowVisible(CurrentDialog)) << "the notice stays for the main flow to end";
}

// The row of asterisks shrinks by one every tenth of a second, from 29 at the tenth
// step to none at the end; "&Wait !" freezes it and "&Continue" goes on from the same
// count, so every count is shown once and the countdown lasts three seconds plus the
// pause.
TEST_F(Screens, NoticeCountsDownAndHoldsWhilePaused) {
    constexpr size_t PauseAtRow = 15;  // or the first count below, should a tenth pass unseen
    constexpr DWORD HoldMs = 300;
    DWORD pausedAt = 0;
    std::string frozenRow;
    NoticeEnd end = NoticeEnd::GoNow;
    DWORD took = RunWithSteps({
        PauseWhenRowShowsAtMost(PauseAtRow),
        [&] {
            HWND notice = Shown(NoticeTitle);
            if (ControlText(notice, NoticeWaitId) != "&Continue")
                return false;
            pausedAt = GetTickCount();
            frozenRow = ControlText(notice, NoticeProgressRowId);
            return true;
        },
        [&] {
            HWND notice = Shown(NoticeTitle);
            EXPECT_EQ(frozenRow, ControlText(notice, NoticeProgressRowId)) << "frozen while paused";
            if (GetTickCount() - pausedAt < HoldMs)
                return false;
            Press(notice, NoticeWaitId);
            return true;
        },
    }, [&] { end = ShowCountdownNotice(NoticeText); });
    EXPECT_FALSE(WatchdogFired);
    ASSERT_EQ(3u, NextStep);

    std::vector<std::string> expected;
    for (int row = 29; row >= 0; --row) {
        expected.push_back(std::string(row, '*'));
        if (row == static_cast<int>(frozenRow.size())) {
            expected.push_back("&Continue");
            expected.push_back("&Wait !");
        }
    }
    EXPECT_EQ(expected, NoticeTexts);
    EXPECT_EQ("", ControlText(CurrentDialog, NoticeProgressRowId)) << "empty at the end";
    EXPECT_EQ("&Wait !", ControlText(CurrentDialog, NoticeWaitId));
    EXPECT_GE(took, 3000 + HoldMs - 50);
    EXPECT_LT(took, 3000 + HoldMs + 2000);
    EXPECT_EQ(0, CountdownState);
    EXPECT_EQ(0, SelectionTakenOver) << "ran out: the compiler would start";
    EXPECT_EQ(NoticeEnd::RanOut, end);
}

// A paused notice ends by "&Go now!" at once; closed by the system close command, it
// counts on to its end instead of waiting for a "&Continue" that can no longer come,
// and ends as a countdown that ran out.
TEST_F(Screens, PausedNoticeEndsByGoNowOrTheCloseCommand) {
    struct Row {
        const char* what;
        size_t pauseAtRow;  // at most so many asterisks on show when "&Wait !" is pressed
        int ending;         // the button pressed while paused, or CloseCommand
        int countdownState; // as the countdown leaves it
        bool noticeAfter;   // the notice still exists when the countdown returns
        NoticeEnd end;      // as ShowCountdownNotice reports it
    };
    const Row rows[] = {
        {"Go now while paused", 29, NoticeGoNowId, 1, true, NoticeEnd::GoNow},
        {"closed while paused", 3, CloseCommand, -1, false, NoticeEnd::Closed},
    };
    for (const Row& row : rows) {
        DWORD endedAt = 0;
        NoticeEnd end = NoticeEnd::RanOut;
        DWORD took = RunWithSteps({
            PauseWhenRowShowsAtMost(row.pauseAtRow),
            [&] {
                HWND notice = Shown(NoticeTitle);
                if (ControlText(notice, NoticeWaitId) != "&Continue")
                    return false;
                Act(notice, row.ending);
                endedAt = GetTickCount();
                return true;
            },
        }, [&] { end = ShowCountdownNotice(NoticeText); });
        EXPECT_FALSE(WatchdogFired) << row.what << ": the countdown never ended";
        ASSERT_EQ(2u, NextStep) << row.what;
        // Go now: one more step. Closed: at most the few tenths the row still showed.
        EXPECT_LT(GetTickCount() - endedAt, 1000u) << row.what;
        EXPECT_LT(took, 5000u) << row.what;
        EXPECT_EQ(row.countdownState, CountdownState) << row.what;
        EXPECT_EQ(row.end, end) << row.what;
        EXPECT_EQ(0, SelectionTakenOver) << row.what << ": the compiler would start";
        EXPECT_EQ(row.noticeAfter, IsWindow(CurrentDialog) != 0) << row.what;
        CloseDialog(CurrentDialog, 0);
        CountdownState = 0;
    }
}

TEST_F(Screens, OwnChoiceRemovesTheNoticeBeforeTheScreenShows) {
    HWND notice = nullptr;
    NoticeEnd end = NoticeEnd::RanOut;
    DWORD took = RunWithSteps({
        [&] {
            notice = Shown(NoticeTitle);
            if (notice)
                Press(notice, NoticeOwnChoiceId);
            return notice != nullptr;
        },
        PressWhenShown(ScreenTitle, SelectionCancelId),
    }, [&] { end = ShowCountdownNotice(NoticeText); });
    EXPECT_FALSE(WatchdogFired);
    ASSERT_EQ(2u, NextStep);
    EXPECT_TRUE(ScreenShown);
    EXPECT_FALSE(NoticeAliveAtScreen) << "the notice is gone before the screen shows";
    EXPECT_FALSE(IsWindow(notice));
    EXPECT_EQ(1, SelectionTakenOver) << "the main flow starts nothing after the screen";
    EXPECT_EQ(NoticeEnd::OwnChoice, end);
    EXPECT_LT(took, 2500u) << "the countdown ends as the screen closes";
}

// ---- the selection screen

const char* const VersionCaptions[7] = {
    "PB/DLL 1.0", "PB/DLL 2.0", "PB/DLL 5.00", "PB/DLL 6.00", "PB/CC 1.0", "PB/CC 1.1", "PB/CC 2.00",
};
const int VersionButtonIds[7] = {205, 206, 207, 208, 211, 212, 213};
const POINT VersionButtonAt[7] = {{10, 30}, {10, 50}, {10, 70}, {10, 90}, {130, 30}, {130, 50}, {130, 70}};

const char SelectingText[] = "Selecting your own compiler from the available ones.";

std::vector<ExpectedControl> ExpectedScreen(const std::vector<int>& installed, const char* label = SelectingText)
{
    std::vector<ExpectedControl> controls = {
        {"Static", 0, label, CentredLabel, 10, 10, 170, 150},
    };
    for (int row = 0; row < 7; ++row) {
        bool on = std::find(installed.begin(), installed.end(), row) != installed.end();
        controls.push_back({"Button", VersionButtonIds[row], VersionCaptions[row], on ? PushButton : GreyedButton,
                            static_cast<int>(VersionButtonAt[row].x), static_cast<int>(VersionButtonAt[row].y),
                            60, 16});
    }
    controls.push_back({"Button", 201, "&Cancel", PushButton, 70, 170, 60, 16});
    return controls;
}

// Read back for three installations: the controls and their states, then where Tab
// takes the focus: round the enabled buttons in creation order, from wherever the
// dialog manager put the focus as the screen opened (the program puts it nowhere).
// Where no spelling of the source path reaches a compiler, every version is greyed.
TEST_F(Screens, ScreenGreysWhatIsNotInstalledAndTabsOverTheRest) {
    struct Row {
        const char* what;
        std::vector<int> installed;  // VersionTable rows
        std::vector<int> tabCycle;   // the identifiers Tab visits, in order
        const char* label = SelectingText;
        std::string compilerSourcePath = "demo.bas";  // empty: no spelling reaches a compiler
    };
    const Row rows[] = {
        {"only PB/CC 1.1", {5}, {212, 201}},
        {"none", {}, {201}},
        {"all", {0, 1, 2, 3, 4, 5, 6}, {205, 206, 207, 208, 211, 212, 213, 201}},
        {"all, but no path for the compilers", {0, 1, 2, 3, 4, 5, 6}, {201},
         "Nothing can be started: no compiler can read this path.", ""},
    };
    for (const Row& row : rows) {
        RemoveAllVersions();
        for (int r : row.installed)
            InstallVersion(r, folder + "installed.exe");
        CompilerSourcePath = row.compilerSourcePath;
        int openFocus = 0;
        std::vector<int> focused;  // after each Tab
        const size_t tabs = row.tabCycle.size() + 1;  // once round and one more
        std::vector<Step> steps = {[&] {
            HWND screen = Shown(ScreenTitle);
            if (!screen)
                return false;
            ExpectClientSize(screen, 200, 190);
            std::vector<int> enabled = row.compilerSourcePath.empty() ? std::vector<int>() : row.installed;
            ExpectControls(screen, ExpectedScreen(enabled, row.label), row.what);
            openFocus = GetDlgCtrlID(FocusOfThread(screen));
            PressKey(screen, VK_TAB);
            return true;
        }};
        for (size_t i = 0; i < tabs; ++i)
            steps.push_back([&, i] {
                HWND screen = Shown(ScreenTitle);
                focused.push_back(GetDlgCtrlID(FocusOfThread(screen)));
                if (i + 1 < tabs)
                    PressKey(screen, VK_TAB);
                else
                    Press(screen, SelectionCancelId);
                return true;
            });
        RunWithSteps(steps, RunSelectionScreen);
        EXPECT_FALSE(WatchdogFired) << row.what;

        auto at = std::find(row.tabCycle.begin(), row.tabCycle.end(), openFocus);
        size_t next = at == row.tabCycle.end() ? 0 : static_cast<size_t>(at - row.tabCycle.begin()) + 1;
        std::vector<int> expected;
        for (size_t i = 0; i < tabs; ++i)
            expected.push_back(row.tabCycle[(next + i) % row.tabCycle.size()]);
        EXPECT_EQ(expected, focused) << row.what << ", focus at the opening on " << openFocus;
    }
}

// Each button starts the Filename of its own row as it reads at the press: the value
// is changed after the screen was built, from a program that does not exist to a
// stand-in of its own.
TEST_F(Screens, EachVersionButtonStartsItsRowAsReadAtThePress) {
    std::string standIns[7];
    for (int row = 0; row < 7; ++row)
        standIns[row] = InstallStandIn(folder + "row" + std::to_string(row) + "\\PB.EXE");
    for (int row = 0; row < 7; ++row) {
        for (int r = 0; r < 7; ++r)
            InstallVersion(r, folder + "not-yet" + std::to_string(r) + ".exe");
        RunWithSteps({[&] {
            HWND screen = Shown(ScreenTitle);
            if (!screen)
                return false;
            InstallVersion(row, standIns[row]);
            Press(screen, VersionButtonIds[row]);
            return true;
        }}, RunSelectionScreen);
        EXPECT_FALSE(WatchdogFired) << VersionCaptions[row];
        EXPECT_FALSE(IsWindow(CurrentDialog)) << VersionCaptions[row];
        EXPECT_EQ(1, SelectionTakenOver);
        std::vector<StandInRecord> records = WaitForStandInRecords(log, static_cast<size_t>(row) + 1);
        ASSERT_EQ(static_cast<size_t>(row) + 1, records.size()) << VersionCaptions[row];
        EXPECT_EQ(standIns[row], records.back().program) << VersionCaptions[row];
        EXPECT_EQ(standIns[row] + " " + SourcePath, records.back().command) << VersionCaptions[row];
    }
}

// With every version installed, nothing starts when the screen ends by "&Cancel" or
// the close command, and Enter and Escape press no button at all: the screen stays.
// A version greyed as the screen was built cannot be pressed, even once it is installed
// (a press that got through would start it).
TEST_F(Screens, CancelCloseKeysAndGreyedButtonsStartNothing) {
    std::string standIn = InstallStandIn(folder + "PBALL\\PB.EXE");
    constexpr int NoRow = -1;
    struct Row {
        const char* what;
        std::vector<WPARAM> keys;  // pressed first, each in a step of its own
        int greyed;                // a version not installed as the screen is built
        int ending;
    };
    const Row rows[] = {
        {"Cancel", {}, NoRow, SelectionCancelId},
        {"close command", {}, NoRow, CloseCommand},
        {"Enter and Escape, then Cancel", {VK_RETURN, VK_ESCAPE}, NoRow, SelectionCancelId},
        {"a greyed version, then Cancel", {}, 0, SelectionCancelId},
    };
    for (const Row& row : rows) {
        RemoveAllVersions();
        for (int r = 0; r < 7; ++r)
            if (r != row.greyed)
                InstallVersion(r, standIn);
        SelectionTakenOver = 0;
        std::vector<Step> steps;
        if (row.greyed != NoRow)
            steps.push_back([&] {
                HWND screen = Shown(ScreenTitle);
                if (!screen)
                    return false;
                InstallVersion(row.greyed, standIn);
                EXPECT_FALSE(PressButton(screen, VersionButtonIds[row.greyed])) << VersionCaptions[row.greyed];
                return true;
            });
        for (WPARAM key : row.keys)
            steps.push_back([&, key] {
                HWND screen = Shown(ScreenTitle);
                if (screen)
                    PressKey(screen, key);
                return screen != nullptr;
            });
        steps.push_back(PressWhenShown(ScreenTitle, row.ending));
        RunWithSteps(steps, RunSelectionScreen);
        EXPECT_FALSE(WatchdogFired) << row.what;
        EXPECT_EQ(steps.size(), NextStep) << row.what << ": the screen closed early";
        EXPECT_FALSE(IsWindow(CurrentDialog)) << row.what;
        EXPECT_EQ(1, SelectionTakenOver) << row.what;
    }
    Sleep(500);  // a start would have been recorded by now
    EXPECT_EQ(0u, ReadStandInRecords(log).size());
}

}  // namespace
