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

// The same design centred in a 32-unit square, for drawing at any size: the
// disc in the middle, the plus sign 19 by 5 units centred on it.
inline constexpr Geometry kCentredGeometry{16.0, 15.5, 6.5, 19.0, 13.5, 5.0};

// The design laid on a grid of size x size pixels (24 and up): the disc centred
// in the square; each bar a whole number of pixels long and thick, its count of
// the same parity as size, so that it sits centred with sharp edges.
struct PixelAlignedDesign {
    double centre;
    double radius;
    int barFirst;  // first row/column of a bar's thickness
    int barThickness;
    int lengthFirst; // first row/column along a bar's length
    int barLength;
};
[[nodiscard]] PixelAlignedDesign alignedTo(int size);

struct Rgba {
    Rgb rgb;
    std::uint8_t alpha;
};

// The design drawn at `size` (24 and up) by alignedTo(size): the disc's rim
// smoothed by its exact coverage of each pixel, 16 x 16 samples a pixel, so the
// image is as symmetric as the design. Row by row from the top left.
[[nodiscard]] std::vector<Rgba> drawn(int size);

// The plus sign of drawn(size) on a whole square of the disc's colour, for a
// home screen that cuts its own shape out of the icon (Android's maskable
// icons) or fills what is transparent with black (iOS): the plus sign lies
// well inside the circle that every such shape keeps.
[[nodiscard]] std::vector<Rgba> drawnOnSquare(int size);

} // namespace dbmconv::icon
