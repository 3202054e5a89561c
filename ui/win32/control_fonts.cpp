#include "control_fonts.h"

#include "window_layout_twips.h"

#include <cwchar>

namespace dbmconv::win32 {

namespace {

constexpr wchar_t kSimSun[] = L"SimSun";

int CALLBACK noteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

} // namespace

bool simSunInstalled()
{
    bool found = false;
    if (const HDC screen = GetDC(nullptr)) {
        // listed by its Chinese name on Chinese Windows, by SimSun elsewhere
        for (const wchar_t* name : {kSimSun, L"宋体"}) {
            LOGFONTW wanted{};
            wanted.lfCharSet = DEFAULT_CHARSET;
            std::wcsncpy(wanted.lfFaceName, name, LF_FACESIZE - 1);
            EnumFontFamiliesExW(screen, &wanted, noteFound, reinterpret_cast<LPARAM>(&found), 0);
        }
        ReleaseDC(nullptr, screen);
    }
    return found;
}

LOGFONTW controlLogFont(UINT dpi, bool withSimSun, const LOGFONTW& messageFont)
{
    LOGFONTW font{};
    const int pixels = toPixels(layout::kControlFontPoints * layout::kTwipsPerPoint, dpi);
    if (withSimSun) {
        font.lfHeight = -pixels;
        font.lfCharSet = GB2312_CHARSET;
        std::wcsncpy(font.lfFaceName, kSimSun, LF_FACESIZE - 1);
    } else {
        // SimSun has no leading: its 12 pt characters are a line of that
        // height, which the boxes are made for. Another face is asked for by
        // its line height, so that its taller characters still fit the boxes.
        font.lfHeight = pixels;
        font.lfCharSet = DEFAULT_CHARSET;
        std::wcsncpy(font.lfFaceName, messageFont.lfFaceName, LF_FACESIZE - 1);
    }
    font.lfWeight = FW_NORMAL;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    return font;
}

Font controlFont(const DpiFunctions& functions, UINT dpi, bool withSimSun)
{
    LOGFONTW message{};
    if (!functions.messageFont(dpi, message)) {
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof message, &message);
    }
    const LOGFONTW font = controlLogFont(dpi, withSimSun, message);
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
