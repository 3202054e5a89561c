#pragma once

#include "dpi_functions.h"
#include "window_layout_twips.h"

#include <windows.h>

#include <memory>
#include <type_traits>

namespace dbmconv::win32 {

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// Whether SimSun (宋体) is installed: always on Chinese Windows, an optional
// font on others from Windows 10.
[[nodiscard]] bool simSunInstalled();

// The boxes' and the label's font at `dpi`: SimSun 12 pt, weight 400, by the
// name every Windows knows it by; without SimSun, the message font's face at
// SimSun's line height, which keeps the text inside the boxes.
[[nodiscard]] LOGFONTW controlLogFont(UINT dpi, bool withSimSun, const LOGFONTW& messageFont);
[[nodiscard]] Font controlFont(const DpiFunctions& functions, UINT dpi, bool withSimSun);

// The system's message font at `dpi`: what the window and Command1 use.
[[nodiscard]] Font messageFont(const DpiFunctions& functions, UINT dpi);

// Twips to pixels at `dpi`, rounded to the nearest pixel.
[[nodiscard]] inline int toPixels(int twips, UINT dpi)
{
    return MulDiv(twips, static_cast<int>(dpi), layout::kTwipsPerInch);
}

} // namespace dbmconv::win32
