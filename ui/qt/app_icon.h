#pragma once

#include <QIcon>
#include <QImage>

namespace dbmconv {

// The hand-set 16 or 32 pixel image, exactly as designed.
[[nodiscard]] QImage designedIconImage(int size);

// The same design drawn at any other size: the disc centred with a smooth rim,
// the plus sign on whole pixels.
[[nodiscard]] QImage renderedIconImage(int size);

// The window icon: both hand-set images, and drawn ones for dense screens.
[[nodiscard]] QIcon appIcon();

} // namespace dbmconv
