#include "program_icons.h"

namespace dbmconv::win32 {

namespace {

// The program's icon in its resources.
constexpr int kIconResource = 1;

} // namespace

Icon programIcon(HINSTANCE instance, int size)
{
    return Icon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kIconResource), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

} // namespace dbmconv::win32
