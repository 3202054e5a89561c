#pragma once

#include "icon_design.h"

#include <cstdint>
#include <vector>

namespace dbmconv::icon {

// A Windows .ico holding the designed images (16 and 32 pixels) as 4-bit images
// with the standard 16-colour palette, transparency in the AND mask.
[[nodiscard]] std::vector<std::uint8_t> icoFile(const std::vector<int>& sizes);

} // namespace dbmconv::icon
