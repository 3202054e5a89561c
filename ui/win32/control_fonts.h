#pragma once

#include "dpi_functions.h"

#include <windows.h>

#include <memory>
#include <type_traits>

namespace dbmconv::win32 {

struct FontDeleter {
    void operator()(HFONT font) const { DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// 宋体 12 pt, weight 400, GB2312 character set, for `dpi` dots per inch; where
// 宋体 is not installed, Windows' font mapper takes the nearest GB2312 face.
[[nodiscard]] Font controlFont(UINT dpi);

// The system's message font at `dpi`: what the window and Command1 use.
[[nodiscard]] Font messageFont(const DpiFunctions& functions, UINT dpi);

// Twips to pixels at `dpi`, rounded to the nearest pixel.
[[nodiscard]] inline int toPixels(int twips, UINT dpi)
{
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

} // namespace dbmconv::win32
