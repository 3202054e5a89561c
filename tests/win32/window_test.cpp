// The Windows window itself, under Wine in an X session: its answers to DPI
// changes, its message box, its icons, its input method, its focus, its label,
// and what it does when the system will not create it.
#include "control_fonts.h"
#include "library_search.h"
#include "text1_insertions.h"
#include "u16.h"
#include "win32_test_support.h"
#include "win32_text.h"
#include "window_layout_twips.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <imm.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace dbmconv::win32 {
namespace {

using test::controlTexts;
using test::openBoxes;
using test::pumpMessages;
using test::putOnClipboard;
using test::ShownWindow;
using test::waitFor;

constexpr UINT kGetDpiScaledSize = 0x02E4;

RECT windowRect(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

LONG fontHeight(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

int iconWidth(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return 0;
    }
    BITMAP bitmap{};
    GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

HICON windowIcon(HWND window, WPARAM which)
{
    return reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
}

// Counts the changes of a top-level window's place or size, in the counter its
// property points to.
LRESULT CALLBACK countFrameChanges(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    constexpr UINT kNeither = SWP_NOSIZE | SWP_NOMOVE;
    if (code == HC_ACTION && call->message == WM_WINDOWPOSCHANGED
        && (reinterpret_cast<const WINDOWPOS*>(call->lParam)->flags & kNeither) != kNeither
        && GetParent(call->hwnd) == nullptr) {
        if (auto* counter = static_cast<int*>(GetPropW(call->hwnd, L"dbmconvTestMoves"))) {
            ++*counter;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(Win32Window, FollowsDpiChangesOnceEachWithoutKeepingOldFontsOrIcons)
{
    ShownWindow w;
    ASSERT_TRUE(w.window) << std::string(w.failure.begin(), w.failure.end());
    const HWND window = w.window->handle();
    const RECT start = windowRect(window);
    for (const UINT dpi : {144U, 192U, 96U}) {
        SCOPED_TRACE(dpi);
        const auto oldFont = reinterpret_cast<HFONT>(SendMessageW(w.control(kText1Id), WM_GETFONT, 0, 0));
        const HICON oldIcons[] = {windowIcon(window, ICON_SMALL), windowIcon(window, ICON_BIG)};
        // The size asked for first, as from 1703. Per-monitor v1 windows are
        // suggested only their old frame scaled, which is not that size: the
        // rectangle here is off by a few pixels each way.
        SIZE size{};
        ASSERT_TRUE(SendMessageW(window, kGetDpiScaledSize, dpi, reinterpret_cast<LPARAM>(&size)));
        const RECT before = windowRect(window);
        const RECT suggested{before.left + 7, before.top + 5, before.left + 7 + size.cx - 6,
                             before.top + 5 + size.cy - 28};
        int moves = 0;
        // count the frame's moves and resizes while the window handles the change
        const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, countFrameChanges, nullptr, GetCurrentThreadId());
        SetPropW(window, L"dbmconvTestMoves", &moves);
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        UnhookWindowsHookEx(hook);
        RemovePropW(window, L"dbmconvTestMoves");

        const RECT now = windowRect(window);
        EXPECT_EQ(now.left, suggested.left);
        EXPECT_EQ(now.top, suggested.top);
        EXPECT_EQ(now.right - now.left, size.cx);
        EXPECT_EQ(now.bottom - now.top, size.cy);
        EXPECT_EQ(moves, 1) << "the frame is moved and sized once";
        for (const ControlId id : {kText1Id, kText2Id, kCombo1Id, kLabel1Id}) {
            EXPECT_EQ(fontHeight(w.control(id)), -MulDiv(12, static_cast<int>(dpi), 72)) << id;
        }
        EXPECT_EQ(iconWidth(windowIcon(window, ICON_SMALL)), MulDiv(GetSystemMetrics(SM_CXSMICON), dpi, 96));
        EXPECT_EQ(iconWidth(windowIcon(window, ICON_BIG)), MulDiv(GetSystemMetrics(SM_CXICON), dpi, 96));
        // what the old resolution used is gone
        EXPECT_EQ(GetObjectType(oldFont), 0U);
        for (const HICON icon : oldIcons) {
            ICONINFO info{};
            EXPECT_FALSE(GetIconInfo(icon, &info));
        }
    }
    const RECT end = windowRect(window);
    EXPECT_EQ(end.right - end.left, start.right - start.left);
    EXPECT_EQ(end.bottom - end.top, start.bottom - start.top);
}

// Counts the reminder boxes open at once while the first is up, after a
// screen reader's "activate" (BM_CLICK) has reached the button under it.
struct BoxWatch {
    HWND button = nullptr;
    int ticks = 0;
    int mostBoxes = 0;
};
BoxWatch* g_watch = nullptr; // a timer procedure has no other way to its state

// Runs inside the box's own loop: "activates" the button under the box once,
// then dismisses whatever boxes are open, one a tick.
void CALLBACK watchBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    BoxWatch& watch = *g_watch;
    const std::vector<HWND> boxes = openBoxes();
    watch.mostBoxes = std::max(watch.mostBoxes, static_cast<int>(boxes.size()));
    if (++watch.ticks == 3) {
        SendMessageW(watch.button, BM_CLICK, 0, 0);
    } else if (watch.ticks > 3 && !boxes.empty()) {
        PostMessageW(boxes.front(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

TEST(Win32Window, StartsNoActionWhileItsMessageBoxIsOpen)
{
    ShownWindow w;
    ASSERT_TRUE(w.window);
    BoxWatch watch{w.control(kCommand1Id)};
    g_watch = &watch;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, watchBoxes);
    // Text1 is empty: the reminder comes up, and the timer runs in its loop
    SendMessageW(w.control(kCommand1Id), BM_CLICK, 0, 0);
    KillTimer(nullptr, timer);
    g_watch = nullptr;
    EXPECT_GE(watch.ticks, 4);
    EXPECT_EQ(watch.mostBoxes, 1);
}

TEST(Win32Window, Text1TakesNoInputMethodComposition)
{
    ShownWindow w;
    ASSERT_TRUE(w.window);
    const HIMC text1 = ImmGetContext(w.control(kText1Id));
    EXPECT_EQ(text1, nullptr);
    ImmReleaseContext(w.control(kText1Id), text1);
    // the mode list still takes it: its text may be typed in Chinese
    const HWND comboEdit = GetWindow(w.control(kCombo1Id), GW_CHILD);
    const HIMC combo = ImmGetContext(comboEdit);
    EXPECT_NE(combo, nullptr);
    ImmReleaseContext(comboEdit, combo);
}

TEST(Win32Window, GivesTheFocusBackAfterBeingMinimised)
{
    ShownWindow w;
    ASSERT_TRUE(w.window);
    SetFocus(w.control(kText1Id));
    ASSERT_EQ(GetFocus(), w.control(kText1Id));
    const HWND window = w.window->handle();
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(waitFor([&] { return IsIconic(window) != FALSE; }));
    ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    ASSERT_TRUE(waitFor([&] { return IsIconic(window) == FALSE && GetForegroundWindow() == window; }));
    EXPECT_TRUE(waitFor([&] { return GetFocus() == w.control(kText1Id); }))
        << "the focus is on " << GetFocus() << ", the frame is " << window;
}

// The label's pixels as the screen shows them, once it has painted what it had
// to: what a user sees, stale parts and all.
std::vector<COLORREF> labelPixels(HWND label)
{
    pumpMessages();
    UpdateWindow(GetParent(label));
    RECT client{};
    GetClientRect(label, &client);
    std::vector<COLORREF> pixels;
    const HDC context = GetDC(label);
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            pixels.push_back(GetPixel(context, x, y));
        }
    }
    ReleaseDC(label, context);
    return pixels;
}

void pickMode(const ShownWindow& w, int entry)
{
    const HWND combo = w.control(kCombo1Id);
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    SendMessageW(w.window->handle(), WM_COMMAND, MAKEWPARAM(kCombo1Id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    pumpMessages();
}

TEST(Win32Window, Label1ShowsItsWholeCaptionAfterAnyPicks)
{
    ShownWindow w;
    ASSERT_TRUE(w.window);
    const HWND label = w.control(kLabel1Id);
    const std::vector<COLORREF> atStart = labelPixels(label);
    ASSERT_FALSE(atStart.empty());
    for (const int entry : {1, 0, 1, 1, 0}) {
        pickMode(w, entry);
    }
    const std::vector<COLORREF> now = labelPixels(label);
    ASSERT_EQ(now.size(), atStart.size());
    int differing = 0;
    for (std::size_t i = 0; i < now.size(); ++i) {
        differing += now[i] != atStart[i] ? 1 : 0;
    }
    EXPECT_EQ(differing, 0) << "pixels unlike those right after start";
}

// What the message boxes said, each dismissed as soon as it is seen.
std::vector<std::wstring>* g_messages = nullptr;

void CALLBACK readAndDismissBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    for (const HWND box : openBoxes()) {
        const std::vector<std::wstring> texts = controlTexts(box);
        g_messages->insert(g_messages->end(), texts.begin(), texts.end());
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

// A paste of any length, and Enter after it, answer as on Linux. What keeps the
// window responsive is the cut at the longest typed text: the edit control
// slows down with the square of its line's length.
TEST(Win32Window, AnswersLongPastesWithoutFreezing)
{
    struct Row {
        const wchar_t* name;
        std::wstring pasted;
    };
    const Row rows[] = {
        {L"a million digits", std::wstring(1000000, L'7')},
        {L"200,000 characters of '1 '", [] {
             std::wstring text;
             for (int i = 0; i < 100000; ++i) {
                 text += L"1 ";
             }
             return text;
         }()},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.name, row.name + std::wcslen(row.name)));
        ShownWindow w;
        ASSERT_TRUE(w.window);
        const HWND text1 = w.control(kText1Id);
        putOnClipboard(w.window->handle(), row.pasted);
        SetFocus(text1);
        auto step = [](const char* action, auto&& act) {
            SCOPED_TRACE(action);
            act();
            pumpMessages();
        };
        step("paste", [&] { SendMessageW(text1, WM_PASTE, 0, 0); });
        EXPECT_EQ(GetWindowTextLengthW(text1), ConverterFormWindow::kLongestTypedText);
        step("select all", [&] { SendMessageW(text1, EM_SETSEL, 0, -1); });
        step("Home", [&] { SendMessageW(text1, WM_KEYDOWN, VK_HOME, 0); });
        step("End", [&] { SendMessageW(text1, WM_KEYDOWN, VK_END, 0); });
        step("Backspace", [&] { SendMessageW(text1, WM_CHAR, VK_BACK, 0); });
        step("typing a digit", [&] { SendMessageW(text1, WM_CHAR, L'1', 0); });
        std::vector<std::wstring> messages;
        g_messages = &messages;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, readAndDismissBoxes);
        step("Enter", [&] { SendMessageW(text1, WM_CHAR, VK_RETURN, 0); });
        KillTimer(nullptr, timer);
        g_messages = nullptr;
        EXPECT_NE(std::find(messages.begin(), messages.end(), L"数值超出范围！"), messages.end());
    }
}

std::wstring fromUtf8(const std::string& text)
{
    return toWide(dbmconv::test::u16(text));
}

// Keys as a keyboard sends them: through the thread's queue, the dialog
// navigation and TranslateMessage to the box.
void press(std::vector<INPUT> keys)
{
    SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
}

INPUT key(WORD virtualKey, wchar_t character, bool up)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = character;
    input.ki.dwFlags = (character != 0 ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

// Whether a drag over the box could end in it: an OLE drop target, or a taker
// of dropped files, on the box or a window it lies in.
bool takesDrops(HWND control)
{
    for (HWND window = control; window != nullptr; window = GetParent(window)) {
        if (GetPropW(window, L"OleDropTargetInterface") != nullptr
            || (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0) {
            return true;
        }
    }
    return false;
}

// The table that every window's suite runs: typed keys and an input method's
// text through the key filter, a menu paste unfiltered, the clipboard
// shortcuts doing nothing, a drop refused.
TEST(Win32Window, TakesWhatReachesText1AsEveryWindowDoes)
{
    ShownWindow w;
    ASSERT_TRUE(w.window);
    const HWND window = w.window->handle();
    const HWND text1 = w.control(kText1Id);
    for (const dbmconv::test::Text1Insertion& row : dbmconv::test::text1Insertions()) {
        SCOPED_TRACE(row.way + " " + row.given);
        const std::wstring given = fromUtf8(row.given);
        SetWindowTextW(text1, fromUtf8(row.before).c_str());
        SetWindowTextW(w.control(kText2Id), L"");
        putOnClipboard(window, L"99");
        SetFocus(text1);
        const auto length = static_cast<LPARAM>(GetWindowTextLengthW(text1));
        SendMessageW(text1, EM_SETSEL, row.way == "key" ? 0 : length, length);
        if (row.way == "type") {
            for (const wchar_t character : given) {
                press({key(0, character, false), key(0, character, true)});
            }
        } else if (row.way == "commit") {
            // as the system hands a composition's result to a window that
            // leaves it to DefWindowProc: a character at a time
            for (const wchar_t character : given) {
                PostMessageW(text1, WM_IME_CHAR, character, 1);
            }
        } else if (row.way == "paste") {
            putOnClipboard(window, given);
            SendMessageW(text1, WM_PASTE, 0, 0); // what the box's menu sends
        } else if (row.way == "key") {
            ASSERT_EQ(row.given.rfind("Ctrl+", 0), 0U);
            const auto letter = static_cast<WORD>(row.given.back());
            press({key(VK_CONTROL, 0, false), key(letter, 0, false), key(letter, 0, true), key(VK_CONTROL, 0, true)});
        } else {
            ASSERT_EQ(row.way, "drop");
            EXPECT_FALSE(takesDrops(text1));
        }
        const std::wstring after = fromUtf8(row.after);
        waitFor([&] { return test::windowText(text1) == after; }, window);
        EXPECT_EQ(test::windowText(text1), after);
        if (!row.result.empty()) {
            press({key(VK_RETURN, 0, false), key(VK_RETURN, 0, true)});
            const std::wstring result = fromUtf8(row.result);
            waitFor([&] { return test::windowText(w.control(kText2Id)) == result; }, window);
            EXPECT_EQ(test::windowText(w.control(kText2Id)), result);
        }
    }
}

LRESULT CALLBACK refuseNewWindows(int code, WPARAM wParam, LPARAM lParam)
{
    return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, wParam, lParam);
}

// Refuses the controls only, as an exhausted desktop heap may: the window is
// half made when it fails.
LRESULT CALLBACK refuseNewControls(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND
        && (reinterpret_cast<const CBT_CREATEWNDW*>(lParam)->lpcs->style & WS_CHILD) != 0) {
        return 1;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The message that says why the program stops must stay up: no quit message
// may be waiting to close it.
TEST(Win32Window, LeavesNoQuitMessageWhenHalfMade)
{
    MSG message{};
    // (the windows of earlier tests end with one)
    PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    const HHOOK hook = SetWindowsHookExW(WH_CBT, refuseNewControls, nullptr, GetCurrentThreadId());
    std::wstring failure;
    const auto window = ConverterFormWindow::create(GetModuleHandleW(nullptr), failure);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(failure.rfind(L"无法创建程序窗口", 0), 0U);
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// However it was asked to start, the window opens at its own size, never
// maximized, and takes the focus only when it is the active window. (A window
// manager may activate a window shown without activation; a minimized one it
// leaves alone, so that is where the program's own part shows.)
TEST(Win32Window, StartsAtItsSizeAndTakesNoFocusUnasked)
{
    const HWND other = CreateWindowExW(0, L"STATIC", L"other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                                       100, nullptr, nullptr, nullptr, nullptr);
    for (const int asked : {SW_SHOWMAXIMIZED, SW_SHOWNOACTIVATE, SW_SHOWMINNOACTIVE}) {
        SCOPED_TRACE(asked);
        SetForegroundWindow(other);
        SetActiveWindow(other);
        pumpMessages();
        std::wstring failure;
        const auto window = ConverterFormWindow::create(GetModuleHandleW(nullptr), failure);
        ASSERT_TRUE(window);
        window->showCentred(asked);
        pumpMessages();
        EXPECT_FALSE(IsZoomed(window->handle()));
        EXPECT_EQ(IsIconic(window->handle()) != FALSE, asked == SW_SHOWMINNOACTIVE);
        if (asked == SW_SHOWMINNOACTIVE) {
            EXPECT_EQ(GetActiveWindow(), other) << "the window took the keyboard";
        }
        if (!IsIconic(window->handle())) {
            RECT client{};
            GetClientRect(window->handle(), &client);
            EXPECT_EQ(client.right, toPixels(layout::kClientWidth, USER_DEFAULT_SCREEN_DPI));
            EXPECT_EQ(client.bottom, toPixels(layout::kClientHeight, USER_DEFAULT_SCREEN_DPI));
        }
    }
    DestroyWindow(other);
    pumpMessages();
    MSG quit{};
    PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// SimSun by the name every Windows knows; where it is missing, another face
// whose lines are no taller than SimSun's, for which the boxes are made.
TEST(Win32Fonts, KeepTheTextInsideTheBoxesWithOrWithoutSimSun)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    const HDC screen = GetDC(nullptr);
    for (const UINT dpi : {96U, 144U, 192U}) {
        SCOPED_TRACE(dpi);
        EXPECT_EQ(std::wstring(controlLogFont(dpi, true, metrics.lfMessageFont).lfFaceName), L"SimSun");
        const LOGFONTW fallback = controlLogFont(dpi, false, metrics.lfMessageFont);
        const HFONT font = CreateFontIndirectW(&fallback);
        const HGDIOBJ previous = SelectObject(screen, font);
        TEXTMETRICW text{};
        GetTextMetricsW(screen, &text);
        SelectObject(screen, previous);
        DeleteObject(font);
        // inside the sunken edge, 2 px a side at 96 DPI
        const int inside = toPixels(layout::kText1.height, dpi) - 2 * MulDiv(2, static_cast<int>(dpi), 96);
        EXPECT_LE(text.tmHeight, inside);
    }
    ReleaseDC(nullptr, screen);
}

// A DLL planted beside the program is not what a bare name loads once the
// search is restricted (and is before: this test can tell).
TEST(Win32Process, LoadsNoLibraryByBareNameFromItsOwnFolder)
{
    const HMODULE before = LoadLibraryW(L"dbmconv_planted.dll");
    ASSERT_NE(before, nullptr) << "the planted library is not beside the test";
    FreeLibrary(before);
    ASSERT_TRUE(searchSystemFolderOnly());
    const HMODULE after = LoadLibraryW(L"dbmconv_planted.dll");
    EXPECT_EQ(after, nullptr);
    if (after != nullptr) {
        FreeLibrary(after);
    }
}

TEST(Win32Window, SaysWhyWhenTheSystemWillNotCreateIt)
{
    // A hook that refuses every new window of the thread, as a policy tool may.
    const HHOOK hook = SetWindowsHookExW(WH_CBT, refuseNewWindows, nullptr, GetCurrentThreadId());
    std::wstring failure;
    const auto window = ConverterFormWindow::create(GetModuleHandleW(nullptr), failure);
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(window, nullptr);
    EXPECT_EQ(failure.rfind(L"无法创建程序窗口", 0), 0U) << std::string(failure.begin(), failure.end());
}

} // namespace
} // namespace dbmconv::win32
