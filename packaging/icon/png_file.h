#pragma once

#include "icon_design.h"

#include <cstdint>
#include <vector>

namespace dbmconv::icon {

// A PNG file of a square RGBA image given row by row from the top left: 8 bits
// a channel, compressed, and the same bytes for the same image on every build.
[[nodiscard]] std::vector<std::uint8_t> pngFile(const std::vector<Rgba>& image, int size);

} // namespace dbmconv::icon
