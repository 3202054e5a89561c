// A seeded random stream of user events on the real Windows window, in this
// process under Wine in an X session: keys of every kind through the system's
// input queue, input-method characters, clicks, picks in the list, typed modes,
// pastes by the edit box's menu and by Shift+Insert, message boxes answered
// with Enter or a click on OK. After every event the window must still make
// sense. DBMCONV_MONKEY_SEED replays a run; DBMCONV_MONKEY_EVENTS sets its length.
#include "form_oracle.h"
#include "result_text_properties.h"
#include "win32_test_support.h"
#include "win32_text.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace dbmconv::win32 {
namespace {

namespace oracle = dbmconv::test;
using test::openBoxes;
using test::pumpMessages;
using test::windowText;

const std::array<std::u16string, 2> kModes{u"dBm:", u"功率(W):"};
const std::u16string kTypeable = u"-.0123456789";
// Wine's (8 and 10) text layout crashes any edit control, a bare one in a
// program of twenty lines too, on these marks where they follow no letter of
// their own script: the Hebrew and Arabic ones before a right-to-left letter,
// the Lao ones before a Han character too. Found by scanning every combining
// mark of the BMP; pasting them would test only Wine.
const std::wstring kCrashWine = L"\u05B0\u05B1\u05B2\u05B3\u05B4\u05B5\u05B6\u05B7\u05B8\u05BB\u05BD\u05BF\u05C7"
                                L"\u0615\u064B\u064C\u064D\u064E\u064F\u0650\u0651\u0652\u0653\u0654\u0655\u0657"
                                L"\u065A\u0670\u0EB8\u0EB9\u0EC8\u0EC9\u0ECA\u0ECB\u0ECC\u0ECD\uFB1E";
// A user reads a message box before clicking it; a box just shown is not yet
// where Wine sends clicks. One whose answer did not take is answered again.
constexpr ULONGLONG kReadingMilliseconds = 50;
constexpr ULONGLONG kAnswerAgainMilliseconds = 1000;

std::uint64_t seedFromEnvironment()
{
    const char* seed = std::getenv("DBMCONV_MONKEY_SEED");
    return seed != nullptr && *seed != '\0' ? std::strtoull(seed, nullptr, 10) : std::random_device{}();
}

int eventsFromEnvironment()
{
    const char* events = std::getenv("DBMCONV_MONKEY_EVENTS");
    const int count = events != nullptr ? std::atoi(events) : 0;
    return count > 0 ? count : 20000;
}

std::string utf8(std::u16string_view text)
{
    const std::wstring wide = toWide(text);
    const int length = static_cast<int>(wide.size());
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

struct Controls {
    HWND window, command1, text1, text2, combo1, comboField, label1;
};

// The window as a user sees it after an event.
struct Observed {
    std::u16string combo, text1, text2, label;
    std::vector<std::u16string> list;
    LRESULT selection = CB_ERR;
};

Observed observe(const Controls& c)
{
    Observed seen{toU16(windowText(c.combo1)), toU16(windowText(c.text1)), toU16(windowText(c.text2)),
                  toU16(windowText(c.label1)), {}, SendMessageW(c.combo1, CB_GETCURSEL, 0, 0)};
    const auto count = static_cast<WPARAM>(SendMessageW(c.combo1, CB_GETCOUNT, 0, 0));
    for (WPARAM i = 0; i < count; ++i) {
        const auto length = static_cast<std::size_t>(SendMessageW(c.combo1, CB_GETLBTEXTLEN, i, 0));
        std::wstring entry(length + 1, L'\0');
        SendMessageW(c.combo1, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
        seen.list.push_back(toU16(entry.substr(0, length)));
    }
    return seen;
}

POINT centreOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

bool isExtendedKey(WORD key)
{
    static const std::wstring extended{VK_LEFT, VK_RIGHT, VK_UP,    VK_DOWN,   VK_HOME,
                                       VK_END,  VK_PRIOR, VK_NEXT, VK_INSERT, VK_DELETE};
    return extended.find(static_cast<wchar_t>(key)) != std::wstring::npos;
}

// The key's name as the keyboard labels it ("Return", "Left", "A"), for the report.
std::string keyName(WORD key)
{
    const auto scan = static_cast<LONG>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC) << 16);
    wchar_t name[32]{};
    GetKeyNameTextW(scan | (isExtendedKey(key) ? 1L << 24 : 0L), name, 32);
    return name[0] != L'\0' ? utf8(toU16(name)) : "key " + std::to_string(key);
}

// Input as the keyboard and the mouse give it, queued by the system in order.
class Input {
public:
    // A key pressed and released, with a modifier held around it if given.
    Input& key(WORD key, WORD held = 0)
    {
        if (held != 0) {
            keyEvent(held, 0);
        }
        keyEvent(key, 0);
        keyEvent(key, KEYEVENTF_KEYUP);
        if (held != 0) {
            keyEvent(held, KEYEVENTF_KEYUP);
        }
        return *this;
    }

    // A character from its key, or as a Unicode packet where no key gives it.
    Input& character(wchar_t c)
    {
        const SHORT scan = VkKeyScanW(c);
        if (scan != -1 && (HIBYTE(scan) & ~1) == 0) {
            return HIBYTE(scan) == 1 ? key(LOBYTE(scan), VK_SHIFT) : key(LOBYTE(scan));
        }
        for (const DWORD flags : {DWORD{KEYEVENTF_UNICODE}, DWORD{KEYEVENTF_UNICODE | KEYEVENTF_KEYUP}}) {
            INPUT input{INPUT_KEYBOARD, {}};
            input.ki.wScan = c;
            input.ki.dwFlags = flags;
            inputs_.push_back(input);
        }
        return *this;
    }

    // The pointer jumps there once what came before is queued.
    Input& click(POINT at, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP)
    {
        send();
        SetCursorPos(at.x, at.y);
        for (const DWORD flags : {down, up}) {
            INPUT input{INPUT_MOUSE, {}};
            input.mi.dwFlags = flags;
            inputs_.push_back(input);
        }
        return *this;
    }
    Input& click(HWND target) { return click(centreOf(target)); }

    void send()
    {
        SendInput(static_cast<UINT>(inputs_.size()), inputs_.data(), sizeof(INPUT));
        inputs_.clear();
    }

private:
    void keyEvent(WORD key, DWORD flags)
    {
        INPUT input{INPUT_KEYBOARD, {}};
        input.ki.wVk = key;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = flags | (isExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
        inputs_.push_back(input);
    }

    std::vector<INPUT> inputs_;
};

// The message boxes as a user meets them: each is read, checked against what
// the core says of the texts of the moment, and answered with Enter or a click
// on OK by turns. Under load, Wine can hand a click that is sent just after a
// box appears to the disabled window below it, although the box is the window
// at that point before and after the click; so a box still open a second after
// its answer is answered again, once. A box that ignores its second answer too
// has lost the keyboard or the pointer to the window it disabled, whatever the
// load: that fails the run. A box or menu still open after 3 s is closed and
// counted.
struct BoxWatch {
    explicit BoxWatch(const Controls& watched)
        : controls(watched)
    {
    }
    Controls controls;
    int mostOpen = 0, reminders = 0, errors = 0, byEnter = 0, byClick = 0, answeredAgain = 0, stuck = 0;
    int answersToThisBox = 0;
    std::vector<std::string> problems;
    ULONGLONG openSince = 0, boxSeenAt = 0, answeredAt = 0;
    HWND answered = nullptr;
};
BoxWatch* g_boxes = nullptr; // a timer procedure has no other way to its state

void noteBox(BoxWatch& watch, HWND box)
{
    const Controls& c = watch.controls;
    const auto expected = oracle::command1Outcome(toU16(windowText(c.combo1)), toU16(windowText(c.text1))).message;
    const std::vector<std::wstring> texts = test::controlTexts(box);
    if (!expected || std::find(texts.begin(), texts.end(), toWide(*expected)) == texts.end()) {
        watch.problems.push_back("a message box does not say " + (expected ? utf8(*expected) : "nothing"));
    }
    if (windowText(box) != L"提示" || GetDlgItem(box, IDOK) == nullptr) {
        watch.problems.push_back("a message box is not titled 提示 with an OK button");
    }
    ++(expected && expected->rfind(u"请输入", 0) == 0 ? watch.reminders : watch.errors);
    watch.boxSeenAt = GetTickCount64();
    watch.answered = nullptr;
    watch.answersToThisBox = 0;
}

void CALLBACK answerMessageBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    BoxWatch& watch = *g_boxes;
    const std::vector<HWND> boxes = openBoxes();
    watch.mostOpen = std::max(watch.mostOpen, static_cast<int>(boxes.size()));
    const HWND menu = FindWindowW(L"#32768", nullptr);
    if (boxes.empty() && (menu == nullptr || !IsWindowVisible(menu))) {
        watch.openSince = 0;
        return;
    }
    const ULONGLONG now = GetTickCount64();
    watch.openSince = watch.openSince != 0 ? watch.openSince : now;
    if (now - watch.openSince > 3000) {
        ++watch.stuck;
        watch.openSince = 0;
        std::for_each(boxes.begin(), boxes.end(), [](HWND box) { EndDialog(box, IDOK); });
        EndMenu();
        return;
    }
    const HWND box = boxes.empty() ? nullptr : boxes.front();
    if (box == nullptr) {
        return;
    }
    if (GetPropW(box, L"dbmconvSeen") == nullptr) {
        SetPropW(box, L"dbmconvSeen", box);
        noteBox(watch, box);
    }
    const bool again = box == watch.answered;
    if (again && now - watch.answeredAt < kAnswerAgainMilliseconds) {
        return;
    }
    if (again && watch.answersToThisBox >= 2) {
        watch.problems.push_back("a message box ignored two answers");
        return;
    }
    const HWND ok = GetDlgItem(box, IDOK);
    if ((watch.byEnter + watch.byClick) % 2 == 0) {
        ++watch.byEnter;
        Input().key(VK_RETURN).send();
    } else if (now - watch.boxSeenAt >= kReadingMilliseconds && WindowFromPoint(centreOf(ok)) == ok) {
        ++watch.byClick;
        Input().click(ok).send();
    } else {
        return;
    }
    watch.answeredAgain += again ? 1 : 0;
    ++watch.answersToThisBox;
    watch.answered = box;
    watch.answeredAt = now;
}

// Where a run stood, for a report even when the process crashes.
struct Journal {
    std::uint64_t seed = 0;
    int event = 0;
    std::deque<std::string> recent;

    void print(const char* problem) const
    {
        std::printf("FAILED at event %d of seed %llu (replay with DBMCONV_MONKEY_SEED=%llu): %s\nthe last events:\n",
                    event, static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed), problem);
        for (const std::string& line : recent) {
            std::printf("  %s\n", line.c_str());
        }
        std::fflush(stdout);
    }
};
const Journal* g_journal = nullptr; // an exception filter has no other way to its state

LONG WINAPI reportCrash(EXCEPTION_POINTERS* exception)
{
    char problem[64];
    std::snprintf(problem, sizeof problem, "the process crashed (exception %#lx)",
                  static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode));
    g_journal->print(problem);
    // ends the process: Wine's debugger would only hang the run
    return EXCEPTION_EXECUTE_HANDLER;
}

// What an event was, and whether it may pick a list entry (a key in Combo1's
// field may) or sets out to.
struct Event {
    std::string name;
    bool mayPick = false;
    bool picks = false;
};

// Proof that each kind of event reaches the window: how often it changed it.
struct Landed {
    int menuPastes = 0, keyPastes = 0, droppedListPicks = 0, arrowPicks = 0, inputMethodSends = 0;
};

class Monkey {
public:
    Monkey(const Controls& controls, std::uint64_t seed)
        : c_(controls)
        , random_(seed)
    {
    }

    // One user event, in the proportions of the Qt window's monkey.
    Event act()
    {
        const int roll = pick(0, 999);
        if (GetWindowTextLengthW(c_.text1) > 2000 && roll < 500) {
            return clearInput();
        }
        using Action = Event (Monkey::*)();
        static const std::pair<int, Action> kMix[] = {
            {280, &Monkey::typePrintable}, {330, &Monkey::typeControlKey}, {380, &Monkey::sendInputMethodText},
            {520, &Monkey::navigate},      {580, &Monkey::tab},            {670, &Monkey::enter},
            {720, &Monkey::clickCommand1}, {760, &Monkey::paste},          {810, &Monkey::arrowInCombo},
            {840, &Monkey::typeMode},      {860, &Monkey::pickFromList},   {950, &Monkey::clickIntoControl},
            {1000, &Monkey::clearInput}};
        const auto chosen
            = std::find_if(std::begin(kMix), std::end(kMix), [&](const auto& entry) { return roll < entry.first; });
        return (this->*chosen->second)();
    }

    std::bitset<0x10000> pasted; // each character pasted into Text1 since it was last empty
    Landed landed;

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int inEvery) { return pick(1, inEvery) == 1; }

    template <typename Sequence>
    const auto& anyOf(const Sequence& sequence)
    {
        return *(std::begin(sequence) + pick(0, static_cast<int>(std::size(sequence)) - 1));
    }

    // Sends the input and lets the window handle it.
    Event done(Input& input, std::string name, bool mayPick = false, bool picks = false)
    {
        input.send();
        pumpMessages(c_.window);
        return {std::move(name), mayPick || picks, picks};
    }

    std::string focusName() const
    {
        const HWND focus = GetFocus();
        return focus == c_.text1 ? "Text1" : focus == c_.text2 ? "Text2" : focus == c_.comboField ? "Combo1"
             : focus == c_.command1 ? "Command1" : "nothing";
    }

    // A key into whatever has the focus; in Combo1's field it may pick.
    Event press(WORD key, WORD held = 0)
    {
        const std::string name = (held != 0 ? keyName(held) + "+" : "") + keyName(key) + " into " + focusName();
        Input input;
        return done(input.key(key, held), name, GetFocus() == c_.comboField);
    }

    std::wstring randomText(int length)
    {
        static const std::wstring pool = L"0123456789-.-.eE+ ,\t\nabcxyz功率瓦dBm（）：！\u3000\u00A0";
        std::wstring text;
        while (static_cast<int>(text.size()) < length) {
            const int kind = pick(0, 99);
            const int code = kind < 95 ? pick(1, 127) : pick(128, 0xFFFF);
            const wchar_t c = kind < 85 ? anyOf(pool) : static_cast<wchar_t>(code);
            if (kCrashWine.find(c) == std::wstring::npos) {
                text += c;
            }
        }
        return text;
    }

    Event typePrintable()
    {
        const auto c = static_cast<wchar_t>(pick(32, 126));
        Input input;
        const std::string name = "type '" + std::string(1, static_cast<char>(c)) + "' into " + focusName();
        return done(input.character(c), name, GetFocus() == c_.comboField);
    }

    Event typeControlKey()
    {
        return chance(6) ? press(VK_ESCAPE) : press(static_cast<WORD>('A' + pick(0, 25)), VK_CONTROL);
    }
    Event tab() { return press(VK_TAB, chance(2) ? VK_SHIFT : 0); }
    Event enter() { return press(VK_RETURN); }

    Event navigate()
    {
        static const WORD keys[] = {VK_LEFT, VK_RIGHT, VK_HOME, VK_END,   VK_DELETE,
                                    VK_BACK, VK_UP,    VK_DOWN, VK_PRIOR, VK_NEXT};
        return press(anyOf(keys), chance(3) ? VK_SHIFT : 0);
    }

    // As an input method sends its characters: one message each.
    Event sendInputMethodText()
    {
        std::wstring text = randomText(pick(1, 6));
        // An Enter among them calculates with Text1 as it is then: the sending
        // stops there, so that the check after it sees the text that was read.
        text.erase(std::min(text.find(L'\r'), text.size() - 1) + 1);
        const int before = GetWindowTextLengthW(c_.text1);
        for (const wchar_t character : text) {
            PostMessageW(c_.text1, WM_IME_CHAR, character, 1);
        }
        pumpMessages(c_.window);
        landed.inputMethodSends += GetWindowTextLengthW(c_.text1) != before ? 1 : 0;
        return {"input method sends " + std::to_string(text.size()) + " characters to Text1"};
    }

    Event clickCommand1()
    {
        Input input;
        return done(input.click(c_.command1), "click Command1");
    }

    // Mostly short texts: an edit control under Wine slows with the square of
    // its line's length, and the window cuts Text1 at 20,000 characters.
    Event paste()
    {
        const int kind = pick(0, 99);
        const int length = kind < 90 ? pick(1, 100) : kind < 99 ? pick(100, 2000) : pick(2000, 30000);
        const std::wstring text = randomText(length);
        test::putOnClipboard(c_.window, text);
        std::for_each(text.begin(), text.end(), [&](wchar_t c) { pasted.set(c); });
        const std::wstring before = windowText(c_.text1);
        const bool byMenu = chance(2);
        Input input;
        if (byMenu) {
            // the menu's own loop takes the key that chooses its Paste item
            input.click(centreOf(c_.text1), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP).key('P');
        } else {
            input.click(c_.text1).key(VK_INSERT, VK_SHIFT);
        }
        const char* how = byMenu ? " characters by menu" : " characters by Shift+Insert";
        Event event = done(input, "paste " + std::to_string(length) + how);
        if (windowText(c_.text1) != before) {
            ++(byMenu ? landed.menuPastes : landed.keyPastes);
        }
        return event;
    }

    Event arrowInCombo()
    {
        Input input;
        if (GetFocus() != c_.comboField) {
            input.click(c_.comboField);
        }
        const bool down = chance(2);
        const LRESULT before = SendMessageW(c_.combo1, CB_GETCURSEL, 0, 0);
        Event event = done(input.key(down ? VK_DOWN : VK_UP), down ? "Down in Combo1" : "Up in Combo1", true, true);
        landed.arrowPicks += SendMessageW(c_.combo1, CB_GETCURSEL, 0, 0) != before ? 1 : 0;
        return event;
    }

    Event typeMode()
    {
        static const std::wstring typed[] = {L"dBm:",       L"  dBm:  ",    L"dbm:", L"功率(W):",
                                             L" 功率(W): ", L"功率（W）:", L"x"};
        const std::wstring& text = anyOf(typed);
        const bool withEnter = chance(2);
        Input input;
        input.click(c_.comboField).key(VK_END).key(VK_HOME, VK_SHIFT);
        std::for_each(text.begin(), text.end(), [&](wchar_t c) { input.character(c); });
        if (withEnter) {
            input.key(VK_RETURN);
        }
        return done(input, "type mode \"" + utf8(toU16(text)) + (withEnter ? "\" and Enter" : "\""));
    }

    // Opens the list with its button and clicks an entry once clicks reach it.
    Event pickFromList()
    {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(c_.combo1, &info);
        const HWND list = info.hwndList;
        POINT button{(info.rcButton.left + info.rcButton.right) / 2, (info.rcButton.top + info.rcButton.bottom) / 2};
        ClientToScreen(c_.combo1, &button);
        Input input;
        input.click(button).send();
        const int entry = pick(0, 1);
        if (!test::waitFor([&] { return IsWindowVisible(list) != FALSE; }, c_.window)) {
            return {"the list did not open", true, true};
        }
        RECT item{};
        SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(entry), reinterpret_cast<LPARAM>(&item));
        POINT centre{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ClientToScreen(list, &centre);
        test::waitFor([&] { return WindowFromPoint(centre) == list; }, c_.window);
        input.click(centre).send();
        if (!test::waitFor([&] { return !IsWindowVisible(list); }, c_.window)) {
            input.key(VK_ESCAPE);
        }
        Event event = done(input, "pick entry " + std::to_string(entry) + " of the dropped list", true, true);
        landed.droppedListPicks += SendMessageW(c_.combo1, CB_GETCURSEL, 0, 0) == entry ? 1 : 0;
        return event;
    }

    Event clickIntoControl()
    {
        static const std::pair<HWND Controls::*, const char*> targets[] = {
            {&Controls::text1, "Text1"}, {&Controls::text2, "Text2"}, {&Controls::comboField, "Combo1"}};
        const auto& [target, name] = anyOf(targets);
        Input input;
        return done(input.click(c_.*target), std::string("click into ") + name);
    }

    Event clearInput()
    {
        Input input;
        return done(input.click(c_.text1).key(VK_END).key(VK_HOME, VK_SHIFT).key(VK_DELETE), "clear Text1");
    }

    const Controls& c_;
    std::mt19937_64 random_;
};

// The first thing about the window after `event` that a user would call wrong.
std::string problemAfter(const Controls& c, const Observed& before, const Observed& now, const Event& event,
                         const std::bitset<0x10000>& pasted)
{
    if (!IsWindow(c.window) || !IsWindowVisible(c.window) || !IsWindowEnabled(c.window) || !openBoxes().empty()) {
        return "the window is gone, or disabled, or a message box stayed open";
    }
    if (now.list != std::vector<std::u16string>(kModes.begin(), kModes.end())) {
        return "the mode list changed";
    }
    if (now.label != oracle::label1AfterPick(kModes[0]) && now.label != oracle::label1AfterPick(kModes[1])) {
        return "Label1 shows \"" + utf8(now.label) + "\"";
    }
    const bool picked = event.picks && now.selection != before.selection && now.selection != CB_ERR;
    if ((now.label != before.label || picked)
        && (!event.mayPick || now.label != oracle::label1AfterPick(now.combo))) {
        return "Label1 shows \"" + utf8(now.label) + "\" with the mode \"" + utf8(now.combo) + "\" no pick gave";
    }
    if (now.text2 != before.text2) {
        if (oracle::command1Outcome(now.combo, now.text1).text2 != now.text2) {
            return "Text2 changed to \"" + utf8(now.text2) + "\" without a calculation that gives it (Text1 \""
                   + utf8(now.text1) + "\", Combo1 \"" + utf8(now.combo) + "\")";
        }
        const std::string shape = dbmconv::test::resultTextShapeProblem(now.text2);
        if (!shape.empty()) {
            return "Text2 \"" + utf8(now.text2) + "\": " + shape;
        }
    }
    if (now.text1.size() > static_cast<std::size_t>(ConverterFormWindow::kLongestTypedText)) {
        return "Text1 holds " + std::to_string(now.text1.size()) + " characters";
    }
    for (const char16_t character : now.text1) {
        if (kTypeable.find(character) == std::u16string::npos && !pasted.test(character)) {
            char code[8];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(character));
            return code + std::string(" got into Text1 neither typed nor pasted");
        }
    }
    return {};
}

TEST(Win32Monkey, SurvivesARandomStreamOfUserEvents)
{
    Journal journal{seedFromEnvironment(), 0, {}};
    const int events = eventsFromEnvironment();
    std::printf("monkey seed %llu, %d events (replay with DBMCONV_MONKEY_SEED=%llu)\n",
                static_cast<unsigned long long>(journal.seed), events, static_cast<unsigned long long>(journal.seed));
    std::fflush(stdout);
    g_journal = &journal;
    SetUnhandledExceptionFilter(reportCrash);

    test::ShownWindow w;
    ASSERT_TRUE(w.window);
    const HWND combo = w.control(kCombo1Id);
    const Controls c{w.window->handle(), w.control(kCommand1Id), w.control(kText1Id), w.control(kText2Id),
                     combo,              GetWindow(combo, GW_CHILD), w.control(kLabel1Id)};
    ASSERT_TRUE(test::waitFor([&] { return GetForegroundWindow() == c.window; }, c.window));
    BoxWatch boxes(c);
    g_boxes = &boxes;
    const UINT_PTR timer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, answerMessageBoxes);
    Monkey monkey(c, journal.seed);
    Observed before = observe(c);
    int text2Changes = 0, reactivations = 0;
    const ULONGLONG start = GetTickCount64();

    for (; journal.event < events; ++journal.event) {
        // a user whose window lost the foreground clicks it back first
        if (GetForegroundWindow() != c.window) {
            ++reactivations;
            SetForegroundWindow(c.window);
            test::waitFor([&] { return GetForegroundWindow() == c.window; }, c.window);
        }
        const Event event = monkey.act();
        journal.recent.push_back(std::to_string(journal.event) + ": " + event.name);
        if (journal.recent.size() > 12) {
            journal.recent.pop_front();
        }
        const Observed now = observe(c);
        std::string problem = problemAfter(c, before, now, event, monkey.pasted);
        if (problem.empty() && (!boxes.problems.empty() || boxes.mostOpen > 1 || boxes.stuck > 0)) {
            problem = !boxes.problems.empty() ? boxes.problems.front()
                    : boxes.stuck > 0         ? "a message box or menu would not close"
                                              : "two message boxes were open at once";
        }
        if (!problem.empty()) {
            journal.print(problem.c_str());
            ADD_FAILURE() << problem << " at event " << journal.event << " of seed " << journal.seed;
            break;
        }
        if (now.text1.empty()) {
            monkey.pasted.reset();
        }
        text2Changes += now.text2 != before.text2 ? 1 : 0;
        before = now;
    }
    KillTimer(nullptr, timer);
    g_boxes = nullptr;
    SetUnhandledExceptionFilter(nullptr);
    g_journal = nullptr;

    const Landed& landed = monkey.landed;
    std::printf("%d events in %.1f s: %d results shown; %d message boxes (%d reminders, %d errors; %d answered "
                "with Enter, %d with a click, %d of them repeated); pastes that changed Text1: %d by menu, %d by "
                "Shift+Insert; picks: %d from the dropped list, %d with arrows; %d input-method sends took; the window "
                "brought back to the foreground %d times; last result \"%s\"\n",
                journal.event, static_cast<double>(GetTickCount64() - start) / 1000.0, text2Changes,
                boxes.reminders + boxes.errors, boxes.reminders, boxes.errors, boxes.byEnter, boxes.byClick,
                boxes.answeredAgain, landed.menuPastes, landed.keyPastes, landed.droppedListPicks, landed.arrowPicks,
                landed.inputMethodSends, reactivations, utf8(before.text2).c_str());
    // A long run in which one of these never happened no longer reaches the window.
    if (events >= 2000 && !HasFailure()) {
        for (const int count : {text2Changes, boxes.reminders, boxes.errors, boxes.byEnter, boxes.byClick,
                                landed.menuPastes, landed.keyPastes, landed.droppedListPicks, landed.arrowPicks,
                                landed.inputMethodSends}) {
            EXPECT_GT(count, 0) << "a kind of event never took effect; see the counts above";
        }
    }
}

} // namespace
} // namespace dbmconv::win32
