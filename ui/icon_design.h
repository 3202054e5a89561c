#pragma once

#include <cstdint>
#include <vector>

// The program's icon, pixel by pixel: a bright blue disc with a white plus sign at
// its centre, transparent outside the disc. Two hand-set sizes exist, 16 and 32.
namespace dbmconv::icon {

enum class Colour : std::uint8_t { Transparent, Blue, White };

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

inline constexpr Rgb kDiscColour{0, 0, 255};
inline constexpr Rgb kPlusColour{255, 255, 255};

// size x size colours, row by row from the top left. size is 16 or 32.
[[nodiscard]] std::vector<Colour> pixels(int size);

// The same design for any size, as vector geometry in a 32-unit square.
struct Geometry {
    double centre;   // both coordinates of the disc's and the plus sign's centre
    double radius;
    double barStart; // where each bar begins along its length
    double barLength;
    double barOffset; // where each bar begins across its thickness
    double barThickness;
};

inline constexpr Geometry kGeometry{15.5, 15.5, 6.0, 19.0, 13.0, 5.0};

} // namespace dbmconv::icon
