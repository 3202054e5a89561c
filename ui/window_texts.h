#pragma once

#include <array>
#include <string_view>

// Every text the window shows or matches, code unit for code unit. The mode texts
// end in an ASCII colon; the captions end in the full-width colon U+FF1A.
namespace dbmconv::texts {

inline constexpr std::u16string_view kModeDbmToWatts = u"dBm:";
inline constexpr std::u16string_view kModeWattsToDbm = u"功率(W):";

// The list of Combo1, unsorted, in this order.
inline constexpr std::array<std::u16string_view, 2> kModeList = {kModeDbmToWatts, kModeWattsToDbm};

inline constexpr std::u16string_view kCaptionWatts = u"功率(W)：";
inline constexpr std::u16string_view kCaptionDbm = u"dBm或dB：";

inline constexpr std::u16string_view kReminderDbm = u"请输入dBm或dB的值！";
inline constexpr std::u16string_view kReminderWatts = u"请输入功率值(W)！";
inline constexpr std::u16string_view kMessageTitle = u"提示";

inline constexpr std::u16string_view kErrorOutOfRange = u"数值超出范围！";
inline constexpr std::u16string_view kErrorPowerNotPositive = u"功率值必须大于0！";

// The characters typing may add to Text1; backspace is appended where it is used.
inline constexpr std::u16string_view kTypeableCharacters = u"-.0123456789";

inline constexpr std::u16string_view kWindowCaption = u"功率和dBm换算";

// What a screen reader says for the controls that show no name of their own: the
// purpose of the mode list, the input box's name, and the result box's
// description (its name is the unit that Label1 shows).
inline constexpr std::u16string_view kModeListPurpose = u"换算方向";
inline constexpr std::u16string_view kInputName = u"输入值";
inline constexpr std::u16string_view kResultDescription = u"换算结果";
inline constexpr std::u16string_view kCalculateCaption = u"计 算";

// Said, with the system's reason after it, when the system will not create the
// window at all (Windows).
inline constexpr std::u16string_view kWindowNotCreated = u"无法创建程序窗口：";

} // namespace dbmconv::texts
