#include "icon_design.h"

#include <stdexcept>

namespace dbmconv::icon {

namespace {

struct PixelDesign {
    int size;
    double centre;        // pixel coordinate of the disc's centre
    double radiusSquared; // a pixel is inside when its distance squared is within this
    int barFirst;         // first row/column of the plus sign's thickness
    int barLast;
    int lengthFirst;      // first row/column along a bar's length
    int lengthLast;
};

// The 32-unit vector design laid on a grid of 32 pixels, each judged by its
// centre: disc 31 pixels across centred at pixel (15,15); bars 5 thick (13..17),
// 19 long (6..24).
constexpr PixelDesign onPixelGrid(const Geometry& g)
{
    return {32,
            g.centre - 0.5,
            g.radius * g.radius,
            static_cast<int>(g.barOffset),
            static_cast<int>(g.barOffset + g.barThickness) - 1,
            static_cast<int>(g.barStart),
            static_cast<int>(g.barStart + g.barLength) - 1};
}

constexpr PixelDesign kLarge = onPixelGrid(kGeometry);
// 16 is set by hand, not scaled: disc 16 across filling the square; bars 2 thick
// (7..8), from pixel 3 to 12.
constexpr PixelDesign kSmall{16, 7.5, 8.0 * 8.0, 7, 8, 3, 12};

// The whole number nearest to `value` that has the parity of `size`.
int nearestWithParityOf(double value, int size)
{
    const auto whole = static_cast<int>(value + 0.5);
    if ((size - whole) % 2 == 0) {
        return whole;
    }
    return value > whole ? whole + 1 : whole - 1;
}

bool within(int value, int first, int last)
{
    return value >= first && value <= last;
}

} // namespace

PixelAlignedDesign alignedTo(int size)
{
    const double scale = size / 32.0;
    const int thickness = nearestWithParityOf(kCentredGeometry.barThickness * scale, size);
    const int length = nearestWithParityOf(kCentredGeometry.barLength * scale, size);
    return {size / 2.0, kCentredGeometry.radius * scale, (size - thickness) / 2, thickness, (size - length) / 2, length};
}

std::vector<Rgba> drawn(int size)
{
    constexpr int kSamples = 16;
    const PixelAlignedDesign d = alignedTo(size);
    std::vector<Rgba> image(static_cast<std::size_t>(size * size), Rgba{{0, 0, 0}, 0});
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Rgba& pixel = image[static_cast<std::size_t>(y * size + x)];
            const bool horizontalBar = within(y, d.barFirst, d.barFirst + d.barThickness - 1)
                && within(x, d.lengthFirst, d.lengthFirst + d.barLength - 1);
            const bool verticalBar = within(x, d.barFirst, d.barFirst + d.barThickness - 1)
                && within(y, d.lengthFirst, d.lengthFirst + d.barLength - 1);
            if (horizontalBar || verticalBar) {
                pixel = {kPlusColour, 255};
                continue;
            }
            int inside = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double dx = x + (sx + 0.5) / kSamples - d.centre;
                    const double dy = y + (sy + 0.5) / kSamples - d.centre;
                    inside += dx * dx + dy * dy <= d.radius * d.radius ? 1 : 0;
                }
            }
            pixel = {kDiscColour, static_cast<std::uint8_t>((inside * 255 + kSamples * kSamples / 2) / (kSamples * kSamples))};
        }
    }
    return image;
}

std::vector<Rgba> drawnOnSquare(int size)
{
    std::vector<Rgba> image = drawn(size);
    for (Rgba& pixel : image) {
        const bool plus = pixel.alpha == 255 && pixel.rgb.red == kPlusColour.red
            && pixel.rgb.green == kPlusColour.green && pixel.rgb.blue == kPlusColour.blue;
        if (!plus) {
            pixel = {kDiscColour, 255};
        }
    }
    return image;
}

std::vector<Colour> pixels(int size)
{
    if (size != kLarge.size && size != kSmall.size) {
        throw std::invalid_argument("the icon is designed at 16 and 32 pixels only");
    }
    const PixelDesign& design = size == kLarge.size ? kLarge : kSmall;
    std::vector<Colour> image(static_cast<std::size_t>(size * size), Colour::Transparent);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double dx = x - design.centre;
            const double dy = y - design.centre;
            if (dx * dx + dy * dy > design.radiusSquared) {
                continue;
            }
            const bool horizontalBar = within(y, design.barFirst, design.barLast)
                && within(x, design.lengthFirst, design.lengthLast);
            const bool verticalBar = within(x, design.barFirst, design.barLast)
                && within(y, design.lengthFirst, design.lengthLast);
            image[static_cast<std::size_t>(y * size + x)] =
                horizontalBar || verticalBar ? Colour::White : Colour::Blue;
        }
    }
    return image;
}

} // namespace dbmconv::icon
