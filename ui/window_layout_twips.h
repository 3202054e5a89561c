#pragma once

// Where everything sits, in twips (1/1440 inch) as the window was designed. Each
// platform's window turns them into pixels at its screen's resolution.
namespace dbmconv::layout {

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kTwipsPerInch = 1440;
// A point is 1/72 inch.
inline constexpr int kTwipsPerPoint = kTwipsPerInch / 72;
// The resolution the window was designed at, where 15 twips make a pixel; a
// CSS pixel is 1/96 inch too.
inline constexpr int kDesignDotsPerInch = 96;

inline constexpr int kClientWidth = 3285;
inline constexpr int kClientHeight = 2115;

inline constexpr TwipsRect kCommand1{1080, 1440, 975, 375};
inline constexpr TwipsRect kText2{1560, 840, 1215, 375};
inline constexpr TwipsRect kText1{1920, 240, 855, 375};
inline constexpr TwipsRect kCombo1{240, 240, 1575, 360};
inline constexpr TwipsRect kLabel1{240, 960, 120, 240};

// The controls' own font: 宋体 12 pt, normal weight, the GB2312 character set.
inline constexpr int kControlFontPoints = 12;

} // namespace dbmconv::layout
