#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace dbmconv::win32 {

struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

// The program's icon from its resources, drawn at exactly `size` pixels: each
// size loaded on its own, never a shared copy that Windows may have scaled.
[[nodiscard]] Icon programIcon(HINSTANCE instance, int size);

} // namespace dbmconv::win32
