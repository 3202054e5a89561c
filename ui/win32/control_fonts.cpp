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

Font messageFont(UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
        return Font(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    }
    return Font(CreateFontIndirectW(&metrics.lfMessageFont));
}

} // namespace dbmconv::win32
