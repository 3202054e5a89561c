#include "control_fonts.h"

#include "window_layout_twips.h"

#include <cwchar>

namespace dbmconv::win32 {

Font controlFont(UINT dpi)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(layout::kControlFontPoints, static_cast<int>(dpi), 72);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = GB2312_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    std::wcsncpy(font.lfFaceName, L"宋体", LF_FACESIZE - 1);
    return Font(CreateFontIndirectW(&font));
}

Font messageFont(const DpiFunctions& functions, UINT dpi)
{
    LOGFONTW font{};
    if (!functions.messageFont(dpi, font)) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    }
    return Font(CreateFontIndirectW(&font));
}

} // namespace dbmconv::win32
