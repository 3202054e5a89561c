#pragma once

#include <QRect>
#include <QSize>

// Where everything sits, in twips as the window was designed. At 96 dots per inch
// 15 twips make one pixel; Qt's device-independent pixels take care of higher
// densities, so the conversion is always at 15.
namespace dbmconv::layout {

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kTwipsPerPixel = 15;

constexpr int toPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

inline QRect toPixels(TwipsRect rect)
{
    return {toPixels(rect.left), toPixels(rect.top), toPixels(rect.width), toPixels(rect.height)};
}

inline constexpr int kClientWidth = 3285;
inline constexpr int kClientHeight = 2115;

inline QSize clientSize()
{
    return {toPixels(kClientWidth), toPixels(kClientHeight)};
}

inline constexpr TwipsRect kCommand1{1080, 1440, 975, 375};
inline constexpr TwipsRect kText2{1560, 840, 1215, 375};
inline constexpr TwipsRect kText1{1920, 240, 855, 375};
inline constexpr TwipsRect kCombo1{240, 240, 1575, 360};
inline constexpr TwipsRect kLabel1{240, 960, 120, 240};

} // namespace dbmconv::layout
