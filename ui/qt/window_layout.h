#pragma once

#include "window_layout_twips.h"

#include <QRect>
#include <QSize>

// The designed layout in Qt's device-independent pixels: at 96 dots per inch 15
// twips make one pixel, and Qt scales those pixels for denser screens, so the
// conversion is always at 15.
namespace dbmconv::layout {

inline constexpr int kTwipsPerPixel = kTwipsPerInch / kDesignDotsPerInch;

constexpr int toPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

inline QRect toPixels(TwipsRect rect)
{
    return {toPixels(rect.left), toPixels(rect.top), toPixels(rect.width), toPixels(rect.height)};
}

inline QSize clientSize()
{
    return {toPixels(kClientWidth), toPixels(kClientHeight)};
}

} // namespace dbmconv::layout
