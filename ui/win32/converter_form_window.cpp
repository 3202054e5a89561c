#include "converter_form_window.h"

#include "accessible_names.h"
#include "win32_text.h"
#include "window_layout_twips.h"
#include "window_texts.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

namespace dbmconv::win32 {

namespace {

constexpr wchar_t kClassName[] = L"ConverterForm";
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kExStyle = 0;
// The program's icon in its resources.
constexpr int kIconResource = 1;
// After a pick in the list: the combo box reports the pick before the picked
// entry becomes its text, so Combo1_Click runs once this posted message arrives.
constexpr UINT kComboPicked = WM_APP + 1;

// Control identifiers, clear of IDOK and IDCANCEL, which the dialog navigation
// sends for Enter and Escape.
enum ControlId : int { kCommand1Id = 101, kText2Id, kText1Id, kCombo1Id, kLabel1Id };

std::wstring windowText(HWND control)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

HICON programIcon(HINSTANCE instance, int sizeMetric)
{
    const int size = GetSystemMetrics(sizeMetric);
    return static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, size, size, LR_DEFAULTCOLOR | LR_SHARED));
}

void registerWindowClass(HINSTANCE instance, WNDPROC procedure)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = programIcon(instance, SM_CXICON);
    windowClass.hIconSm = programIcon(instance, SM_CXSMICON);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

// A fixed window: the system menu offers to move and close it, nothing else.
void trimSystemMenu(HWND window)
{
    HMENU menu = GetSystemMenu(window, FALSE);
    for (const UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) {
        DeleteMenu(menu, command, MF_BYCOMMAND);
    }
}

} // namespace

ConverterFormWindow::ConverterFormWindow(HINSTANCE instance)
    : form_(*this)
    , keyFilter_([this](std::int16_t& keyAscii) { form_.Text1_KeyPress(keyAscii); })
    , instance_(instance)
{
    registerWindowClass(instance_, windowProcedure);
    const std::wstring caption = toWide(texts::kWindowCaption);
    CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, nullptr, nullptr, instance_, this);
    trimSystemMenu(window_);
    createControls();
    useDpi(GetDpiForWindow(window_));
}

ConverterFormWindow::~ConverterFormWindow()
{
    if (IsWindow(window_)) {
        DestroyWindow(window_);
    }
}

LRESULT CALLBACK ConverterFormWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<ConverterFormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
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
        form_.Combo1_Click();
        return 0;
    case WM_DPICHANGED: {
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        useDpi(HIWORD(wParam));
        const SIZE frame = frameSize();
        SetWindowPos(window_, nullptr, suggested.left, suggested.top, frame.cx, frame.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_ACTIVATE:
        // A window that is not a dialog gets no help with its focus: keep the
        // control that had it while the window is inactive, and give it back.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            focusWhenInactive_ = focus != nullptr && IsChild(window_, focus) ? focus : nullptr;
        } else if (focusWhenInactive_ != nullptr && IsWindow(focusWhenInactive_)) {
            SetFocus(focusWhenInactive_);
            return 0;
        }
        break;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void ConverterFormWindow::onCommand(WPARAM wParam, LPARAM lParam)
{
    const auto source = reinterpret_cast<HWND>(lParam);
    const WORD notification = HIWORD(wParam);
    if (source == command1_ && notification == BN_CLICKED) {
        form_.Command1_Click();
    } else if (source == combo1_ && notification == CBN_SELCHANGE) {
        PostMessageW(window_, kComboPicked, 0, 0);
    } else if (source == nullptr && LOWORD(wParam) == IDOK && GetFocus() == command1_) {
        // Enter, as the dialog navigation reports it: it presses the button that
        // has the focus and nothing else; no button is the window's default.
        form_.Command1_Click();
    }
}

void ConverterFormWindow::createControls()
{
    auto create = [this](const wchar_t* windowClass, std::u16string_view text, DWORD style, DWORD exStyle, int id) {
        const std::wstring wide = toWide(text);
        return CreateWindowExW(exStyle, windowClass, wide.c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    };
    // Created in the designed order.
    command1_ = create(WC_BUTTONW, texts::kCalculateCaption, WS_TABSTOP | BS_PUSHBUTTON, 0, kCommand1Id);
    text2_ = create(WC_EDITW, u"", WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY, WS_EX_CLIENTEDGE, kText2Id);
    text1_ = create(WC_EDITW, u"", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kText1Id);
    combo1_ = create(WC_COMBOBOXW, u"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0, kCombo1Id);
    label1_ = create(WC_STATICW, u"", SS_LEFT | SS_NOPREFIX, 0, kLabel1Id);

    for (const auto mode : texts::kModeList) {
        const std::wstring entry = toWide(mode);
        SendMessageW(combo1_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    // An edit control stops at 30,000 characters unless told otherwise.
    SendMessageW(text1_, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(text2_, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(combo1_, CB_LIMITTEXT, 0, 0);
    installKeyFilter(text1_, keyFilter_);

    // The tab order is the order of the controls on the window's stack: Combo1,
    // Text1, Text2, Command1. Label1 sits just before Text2 there, which makes
    // it the label screen readers name Text2 by, so the unit is read with it.
    SetWindowPos(combo1_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(text1_, combo1_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(label1_, text1_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(text2_, label1_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(command1_, text2_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    setAccessibleName(combo1_, texts::kModeListPurpose);
    setAccessibleName(text1_, texts::kInputName);
    setAccessibleDescription(text2_, texts::kResultDescription);
}

SIZE ConverterFormWindow::frameSize() const
{
    RECT frame{0, 0, toPixels(layout::kClientWidth, dpi_), toPixels(layout::kClientHeight, dpi_)};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, kExStyle, dpi_);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void ConverterFormWindow::useDpi(UINT dpi)
{
    dpi_ = dpi;
    // the fonts of the old resolution go only once the controls have the new ones
    Font newControlFont = controlFont(dpi_);
    Font newMessageFont = messageFont(dpi_);
    auto place = [this](HWND control, layout::TwipsRect twips, int height) {
        SetWindowPos(control, nullptr, toPixels(twips.left, dpi_), toPixels(twips.top, dpi_),
                     toPixels(twips.width, dpi_), height, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(command1_, layout::kCommand1, toPixels(layout::kCommand1.height, dpi_));
    place(text2_, layout::kText2, toPixels(layout::kText2.height, dpi_));
    place(text1_, layout::kText1, toPixels(layout::kText1.height, dpi_));
    // A drop-down combo box is given the height of its field and its open list;
    // the field itself takes the height its font asks for.
    place(combo1_, layout::kCombo1, toPixels(layout::kCombo1.height, dpi_) * 4);
    place(label1_, layout::kLabel1, toPixels(layout::kLabel1.height, dpi_));

    SendMessageW(command1_, WM_SETFONT, reinterpret_cast<WPARAM>(newMessageFont.get()), TRUE);
    for (const HWND control : {text2_, text1_, combo1_, label1_}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(newControlFont.get()), TRUE);
    }
    controlFont_ = std::move(newControlFont);
    messageFont_ = std::move(newMessageFont);
    fitLabel();
    const SIZE frame = frameSize();
    SetWindowPos(window_, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ConverterFormWindow::fitLabel()
{
    const std::wstring caption = windowText(label1_);
    const HDC context = GetDC(label1_);
    const HGDIOBJ previous = SelectObject(context, controlFont_.get());
    SIZE extent{};
    GetTextExtentPoint32W(context, caption.c_str(), static_cast<int>(caption.size()), &extent);
    TEXTMETRICW metrics{};
    GetTextMetricsW(context, &metrics);
    SelectObject(context, previous);
    ReleaseDC(label1_, context);
    // one line, growing to the right and down from the designed top-left corner
    SetWindowPos(label1_, nullptr, 0, 0, extent.cx, metrics.tmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ConverterFormWindow::showCentred(int showCommand)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const SIZE frame = frameSize();
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - frame.cx) / 2,
                 work.top + (work.bottom - work.top - frame.cy) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(combo1_);
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
    SetWindowTextW(label1_, toWide(caption).c_str());
    fitLabel();
}

void ConverterFormWindow::ShowReminder(std::u16string_view prompt)
{
    MessageBoxW(window_, toWide(prompt).c_str(), toWide(texts::kMessageTitle).c_str(), MB_OK | MB_ICONINFORMATION);
}

void ConverterFormWindow::ShowError(std::u16string_view message)
{
    MessageBoxW(window_, toWide(message).c_str(), toWide(texts::kMessageTitle).c_str(), MB_OK | MB_ICONWARNING);
}

void ConverterFormWindow::FocusInput()
{
    SetFocus(text1_);
}

} // namespace dbmconv::win32
