#include "converter_form_window.h"

#include "accessible_names.h"
#include "control_ids.h"
#include "win32_text.h"
#include "window_layout_twips.h"
#include "window_texts.h"

#include <commctrl.h>
#include <imm.h>

#include <algorithm>
#include <string>
#include <utility>

namespace dbmconv::win32 {

namespace {

constexpr wchar_t kClassName[] = L"ConverterForm";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = 0;
// After a pick in the list: the combo box reports the pick before the picked
// entry becomes its text, so Combo1_Click runs once this posted message arrives.
constexpr UINT kComboPicked = WM_APP + 1;
// Windows 10 1703 on asks a per-monitor (v2) window for its size at a new DPI
// before it suggests a rectangle; the headers for Windows 7 do not name it.
constexpr UINT kGetDpiScaledSize = 0x02E4;

std::wstring windowText(HWND control)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

// The system's own words for an error, on a line of their own; nothing when the
// system gave no error code.
std::wstring systemReason(DWORD error)
{
    if (error == ERROR_SUCCESS) {
        return {};
    }
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
        reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = L"\n";
    reason += length > 0 ? std::wstring(text, length) : L"(" + std::to_wstring(error) + L")";
    LocalFree(text);
    return reason;
}

// The class carries no icon: each window sets its own, at its own DPI. A class
// that another window of this process registered already is the same class.
bool registerWindowClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Where a control sits at `dpi`. A drop-down combo box is given the height of
// its field and its open list; the field itself takes the height its font asks
// for.
RECT placeOf(int id, UINT dpi)
{
    const auto [twips, heightInRows] = [id]() -> std::pair<layout::TwipsRect, int> {
        switch (id) {
        case kCommand1Id:
            return {layout::kCommand1, 1};
        case kText2Id:
            return {layout::kText2, 1};
        case kText1Id:
            return {layout::kText1, 1};
        case kCombo1Id:
            return {layout::kCombo1, 4};
        default:
            return {layout::kLabel1, 1};
        }
    }();
    const int left = toPixels(twips.left, dpi);
    const int top = toPixels(twips.top, dpi);
    return {left, top, left + toPixels(twips.width, dpi), top + toPixels(twips.height, dpi) * heightInRows};
}

// How a window of fixed size honours the way it was asked to start (a
// shortcut's "Run: Maximized" or "Minimized", start /max or /min, a launcher's
// "don't activate"): never maximized, for then Windows still fills the screen
// with it and takes Restore from its menu; minimized and not activated, as
// asked. Hidden is not honoured either: the window is all there is of the
// program, and nothing could show it again. Restored, not shown normally: on
// the first call Windows replaces a plain "show" with the launcher's own
// request, maximized included.
int showCommandFor(int asked)
{
    switch (asked) {
    case SW_SHOWMAXIMIZED:
    case SW_HIDE:
    case SW_SHOWNORMAL:
    case SW_SHOW:
    case SW_SHOWDEFAULT:
        return SW_RESTORE;
    default:
        return asked;
    }
}

// A fixed window: the system menu offers to move and close it, and to restore
// it when it was started minimized (Windows greys that out otherwise).
void trimSystemMenu(HWND window)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    for (const UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE}) {
        DeleteMenu(menu, command, MF_BYCOMMAND);
    }
}

} // namespace

std::unique_ptr<ConverterFormWindow> ConverterFormWindow::create(HINSTANCE instance, std::wstring& failure)
{
    auto window = std::make_unique<ConverterFormWindow>(instance, Passkey{});
    if (!window->createWindow(failure)) {
        failure = toWide(texts::kWindowNotCreated) + failure;
        return nullptr;
    }
    return window;
}

ConverterFormWindow::ConverterFormWindow(HINSTANCE instance, Passkey)
    : form_(*this)
    , keyFilter_([this](std::int16_t& keyAscii) {
        if (takesActions()) {
            form_.Text1_KeyPress(keyAscii);
        } else {
            keyAscii = 0;
        }
    })
    , instance_(instance)
{
}

bool ConverterFormWindow::createWindow(std::wstring& failure)
{
    if (!registerWindowClass(instance_, windowProcedure)) {
        failure = systemReason(GetLastError());
        return false;
    }
    const std::wstring caption = toWide(texts::kWindowCaption);
    const HWND created = CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                         CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this);
    if (created == nullptr) {
        failure = systemReason(GetLastError());
        window_ = nullptr;
        return false;
    }
    trimSystemMenu(window_);
    // Every call on a window costs a round trip to the system (most under Wine):
    // the controls are made where they belong, and the frame is sized only when
    // it is placed.
    dpi_ = dpiFunctions_.dpiOfWindow(window_);
    withSimSun_ = simSunInstalled();
    if (!createControls()) {
        failure = systemReason(GetLastError());
        return false;
    }
    useFontsAndIcons();
    return true;
}

ConverterFormWindow::~ConverterFormWindow()
{
    if (window_ != nullptr && IsWindow(window_)) {
        DestroyWindow(window_);
    }
}

LRESULT CALLBACK ConverterFormWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<ConverterFormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->dpiFunctions_.scaleFrameWithDpi(window);
    }
    auto* self = reinterpret_cast<ConverterFormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->onMessage(message, wParam, lParam);
}

LRESULT ConverterFormWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(wParam, lParam);
        return 0;
    case kComboPicked:
        if (takesActions()) {
            form_.Combo1_Click();
        }
        return 0;
    case kGetDpiScaledSize:
        *reinterpret_cast<SIZE*>(lParam) = frameSize(static_cast<UINT>(wParam));
        return TRUE;
    case WM_DPICHANGED: {
        // The controls and fonts at the new DPI, then the frame once, where
        // Windows suggests: that keeps the window under the cursor on a drag
        // between monitors. Its size is the window's own at the new DPI: the
        // one asked for above from 1703; before, Windows only scales the old
        // window, frame and all, which leaves the client too small or large.
        const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
        useDpi(HIWORD(wParam));
        const SIZE frame = frameSize(dpi_);
        SetWindowPos(window_, nullptr, suggested.left, suggested.top, frame.cx, frame.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_SIZE:
        // Restored from minimised, the frame may still hold the focus.
        if (wParam == SIZE_RESTORED && GetFocus() == window_) {
            restoreFocus();
        }
        break;
    case WM_SETFOCUS:
        // The frame itself never keeps the focus: a window that is not a
        // dialog gets no help with it, so it goes back to the control that
        // had it last (after the window was inactive or minimised), as in a
        // dialog.
        restoreFocus();
        return 0;
    case WM_DESTROY:
        // The end of the program, but only for a window that was shown: a
        // half-made one is destroyed while the program still has to say why
        // it stops, and a quit message waiting would close that message at once.
        if (shown_) {
            PostQuitMessage(0);
        }
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void ConverterFormWindow::restoreFocus()
{
    SetFocus(lastFocus_ != nullptr ? lastFocus_ : combo1_);
}

// While its own message box is up the window is disabled, and no action may
// start then, though messages still reach its controls: a screen reader's
// "activate" is a BM_CLICK sent to the button itself.
bool ConverterFormWindow::takesActions() const
{
    return IsWindowEnabled(window_) != FALSE;
}

void ConverterFormWindow::onCommand(WPARAM wParam, LPARAM lParam)
{
    const auto source = reinterpret_cast<HWND>(lParam);
    const WORD notification = HIWORD(wParam);
    // Each control says when it takes the focus; the last one gets it back.
    if (source != nullptr && (((source == text1_ || source == text2_) && notification == EN_SETFOCUS)
                              || (source == combo1_ && notification == CBN_SETFOCUS)
                              || (source == command1_ && notification == BN_SETFOCUS))) {
        lastFocus_ = source;
        return;
    }
    if (source == combo1_ && notification == CBN_SELCHANGE) {
        PostMessageW(window_, kComboPicked, 0, 0);
        return;
    }
    if (!takesActions()) {
        return;
    }
    if (source == command1_ && notification == BN_CLICKED) {
        form_.Command1_Click();
    } else if (source == nullptr && LOWORD(wParam) == IDOK && GetFocus() == command1_) {
        // Enter, as the dialog navigation reports it: it presses the button that
        // has the focus and nothing else; no button is the window's default.
        form_.Command1_Click();
    }
}

bool ConverterFormWindow::createControls()
{
    auto create = [this](const wchar_t* windowClass, std::u16string_view text, DWORD style, DWORD exStyle, int id) {
        const std::wstring wide = toWide(text);
        const RECT place = placeOf(id, dpi_);
        return CreateWindowExW(exStyle, windowClass, wide.c_str(), WS_CHILD | WS_VISIBLE | style, place.left,
                               place.top, place.right - place.left, place.bottom - place.top, window_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    };
    // The tab order is the order of the controls on the window's stack, and each
    // new control goes to the bottom of it: they are made in the order Combo1,
    // Text1, Label1, Text2, Command1. Label1 sits just before Text2 there, which
    // makes it the label screen readers name Text2 by, so the unit is read with it.
    combo1_ = create(WC_COMBOBOXW, u"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, kCombo1Id);
    text1_ = create(WC_EDITW, u"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kText1Id);
    // one line, always: the label sizes itself to its caption
    label1_ = create(WC_STATICW, u"", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, kLabel1Id);
    text2_ = create(WC_EDITW, u"", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, kText2Id);
    // (BS_NOTIFY: the button says when it takes the focus, as the others do)
    command1_ = create(WC_BUTTONW, texts::kCalculateCaption, WS_TABSTOP | BS_PUSHBUTTON | BS_NOTIFY, 0, kCommand1Id);
    if (command1_ == nullptr || text2_ == nullptr || text1_ == nullptr || combo1_ == nullptr || label1_ == nullptr) {
        return false;
    }

    for (const auto mode : texts::kModeList) {
        const std::wstring entry = toWide(mode);
        SendMessageW(combo1_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    SendMessageW(text1_, EM_SETLIMITTEXT, kLongestTypedText, 0);
    SendMessageW(combo1_, CB_LIMITTEXT, kLongestTypedText, 0);
    // The results are the program's own, and short; no limit of 30,000 cuts them.
    SendMessageW(text2_, EM_SETLIMITTEXT, 0, 0);
    installKeyFilter(text1_, keyFilter_);
    // Text1 takes no input method composition, where Qt and the page filter
    // what one commits: the edit control writes an in-place composition (a
    // Korean syllable) into its own text as it goes, which would stay in the
    // box although the filter dropped its result.
    ImmAssociateContextEx(text1_, nullptr, 0);

    const AccessibleAnnotations annotations;
    annotations.setName(combo1_, texts::kModeListPurpose);
    annotations.setName(text1_, texts::kInputName);
    annotations.setDescription(text2_, texts::kResultDescription);
    return true;
}

SIZE ConverterFormWindow::frameSize(UINT dpi) const
{
    const SIZE client{toPixels(layout::kClientWidth, dpi), toPixels(layout::kClientHeight, dpi)};
    return dpiFunctions_.frameAround(client, kStyle, kExStyle, dpi);
}

// Everything inside the frame at `dpi`: places, fonts, the label's size, icons.
void ConverterFormWindow::useDpi(UINT dpi)
{
    dpi_ = dpi;
    for (const HWND control : {command1_, text2_, text1_, combo1_, label1_}) {
        const RECT place = placeOf(GetDlgCtrlID(control), dpi_);
        SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    useFontsAndIcons();
}

// The fonts, the label's size and the icons at the window's DPI.
void ConverterFormWindow::useFontsAndIcons()
{
    // the fonts of the old resolution go only once the controls have the new ones
    Font newControlFont = controlFont(dpiFunctions_, dpi_, withSimSun_);
    Font newMessageFont = messageFont(dpiFunctions_, dpi_);
    SendMessageW(command1_, WM_SETFONT, reinterpret_cast<WPARAM>(newMessageFont.get()), TRUE);
    for (const HWND control : {text2_, text1_, combo1_, label1_}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(newControlFont.get()), TRUE);
    }
    controlFont_ = std::move(newControlFont);
    messageFont_ = std::move(newMessageFont);
    fitLabel(windowText(label1_));
    useIcons();
}

// The window's icons at exactly the sizes the system asks for at the DPI.
void ConverterFormWindow::useIcons()
{
    Icon big = programIcon(instance_, dpiFunctions_.systemMetric(SM_CXICON, dpi_));
    Icon small = programIcon(instance_, dpiFunctions_.systemMetric(SM_CXSMICON, dpi_));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    // the old icons go once the window no longer shows them
    bigIcon_ = std::move(big);
    smallIcon_ = std::move(small);
}

// One line, growing to the right and down from the designed top-left corner.
void ConverterFormWindow::fitLabel(const std::wstring& caption)
{
    const HDC context = GetDC(label1_);
    const HGDIOBJ previous = SelectObject(context, controlFont_.get());
    SIZE extent{};
    GetTextExtentPoint32W(context, caption.c_str(), static_cast<int>(caption.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    SelectObject(context, previous);
    ReleaseDC(label1_, context);
    SetWindowPos(label1_, nullptr, 0, 0, extent.cx, metrics.tmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ConverterFormWindow::showCentred(int showCommand)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const SIZE frame = frameSize(dpi_);
    shown_ = true;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - frame.cx) / 2,
                 work.top + (work.bottom - work.top - frame.cy) / 2, frame.cx, frame.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, showCommandFor(showCommand));
    if (IsZoomed(window_)) {
        ShowWindow(window_, SW_RESTORE);
    }
    UpdateWindow(window_);
    // Only in a window that is active: focus given to one that was not would
    // activate it and take the keyboard from the program the user is in. An
    // inactive window hands it to Combo1 when it is activated. (A minimized
    // one may be active: typing would change its list out of sight.)
    if (GetActiveWindow() == window_ && !IsIconic(window_)) {
        SetFocus(combo1_);
    }
}

std::u16string ConverterFormWindow::Combo1Text() const
{
    return toU16(windowText(combo1_));
}

void ConverterFormWindow::SetCombo1Text(std::u16string_view text)
{
    // A text that is a list entry makes that entry the current one, so that the
    // arrow keys move on from it, as they do in the Linux window.
    const auto entry = std::find(texts::kModeList.begin(), texts::kModeList.end(), text);
    if (entry != texts::kModeList.end()) {
        SendMessageW(combo1_, CB_SETCURSEL, static_cast<WPARAM>(entry - texts::kModeList.begin()), 0);
    } else {
        SendMessageW(combo1_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    }
    SetWindowTextW(combo1_, toWide(text).c_str());
}

std::u16string ConverterFormWindow::Text1Text() const
{
    return toU16(windowText(text1_));
}

void ConverterFormWindow::SetText2Text(std::u16string_view text)
{
    SetWindowTextW(text2_, toWide(text).c_str());
    // Long results are read from their sign and leading digits.
    SendMessageW(text2_, EM_SETSEL, 0, 0);
    SendMessageW(text2_, EM_SCROLLCARET, 0, 0);
}

void ConverterFormWindow::SetLabel1Caption(std::u16string_view caption)
{
    // The size first: the label draws its new text at the size it has then.
    const std::wstring wide = toWide(caption);
    fitLabel(wide);
    SetWindowTextW(label1_, wide.c_str());
    InvalidateRect(label1_, nullptr, TRUE);
}

void ConverterFormWindow::ShowReminder(std::u16string_view prompt)
{
    showMessage(prompt, MB_ICONINFORMATION);
}

void ConverterFormWindow::ShowError(std::u16string_view message)
{
    showMessage(message, MB_ICONWARNING);
}

void ConverterFormWindow::showMessage(std::u16string_view text, UINT icon)
{
    MessageBoxW(window_, toWide(text).c_str(), toWide(texts::kMessageTitle).c_str(), MB_OK | icon);
}

void ConverterFormWindow::FocusInput()
{
    SetFocus(text1_);
}

} // namespace dbmconv::win32
