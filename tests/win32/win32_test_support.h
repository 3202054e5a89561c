#pragma once

// What the tests of the Windows window in this process share: the window as
// the entry point leaves it, the thread's messages run as the program runs
// them, the message boxes it opens, and the clipboard.
#include "control_ids.h"
#include "converter_form_window.h"
#include "message_loop.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace dbmconv::win32::test {

// Runs what is waiting in the thread's queue; with a window, with the keyboard
// navigation the program's own loop gives it.
inline void pumpMessages(HWND navigated = nullptr)
{
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        handleMessage(navigated, message);
    }
}

// How many times longer than at native speed a wait may take: more than 1
// where 32-bit code runs under emulation (DBMCONV_WAIT_SCALE).
inline unsigned waitScale()
{
    wchar_t text[8]{};
    const DWORD length = GetEnvironmentVariableW(L"DBMCONV_WAIT_SCALE", text, 8);
    const unsigned long scale = length > 0 && length < 8 ? std::wcstoul(text, nullptr, 10) : 1;
    return scale > 0 ? static_cast<unsigned>(scale) : 1;
}

// Runs the thread's messages until `done` holds, for at most two seconds at
// native speed: the window manager answers in its own time.
template <typename Condition>
bool waitFor(Condition done, HWND navigated = nullptr)
{
    const ULONGLONG end = GetTickCount64() + 2000ULL * waitScale();
    while (!done()) {
        if (GetTickCount64() > end) {
            return false;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        pumpMessages(navigated);
    }
    return true;
}

// The window as the program's entry point leaves it: created, loaded, shown
// centred and in the foreground.
struct ShownWindow {
    std::wstring failure;
    std::unique_ptr<ConverterFormWindow> window = ConverterFormWindow::create(GetModuleHandleW(nullptr), failure);

    ShownWindow()
    {
        if (window) {
            window->form().Form_Load();
            window->showCentred(SW_SHOWNORMAL);
            SetForegroundWindow(window->handle());
            pumpMessages();
        }
    }
    [[nodiscard]] HWND control(ControlId id) const { return GetDlgItem(window->handle(), id); }
};

inline std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    const int length = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(length, 0)));
    return text;
}

inline BOOL CALLBACK collectMessageBox(HWND window, LPARAM found)
{
    wchar_t name[16]{};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

// The message boxes of this thread that are on the screen.
inline std::vector<HWND> openBoxes()
{
    std::vector<HWND> boxes;
    EnumThreadWindows(GetCurrentThreadId(), collectMessageBox, reinterpret_cast<LPARAM>(&boxes));
    return boxes;
}

inline BOOL CALLBACK collectText(HWND control, LPARAM texts)
{
    reinterpret_cast<std::vector<std::wstring>*>(texts)->push_back(windowText(control));
    return TRUE;
}

// The texts of a message box's controls: its message among them.
inline std::vector<std::wstring> controlTexts(HWND box)
{
    std::vector<std::wstring> texts;
    EnumChildWindows(box, collectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

inline void putOnClipboard(HWND owner, const std::wstring& text)
{
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

} // namespace dbmconv::win32::test
