#include "ico_file.h"

#include <array>
#include <cstddef>

namespace dbmconv::icon {

namespace {

// The standard 16-colour palette, in the order every 4-bit Windows bitmap uses.
constexpr std::array<Rgb, 16> kStandardPalette{{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0},
    {0, 0, 128}, {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0},
    {0, 0, 255}, {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};
constexpr std::uint8_t kBlueIndex = 12;
constexpr std::uint8_t kWhiteIndex = 15;
constexpr std::uint8_t kTransparentIndex = 0;

constexpr std::size_t kDirectoryHeaderSize = 6;
constexpr std::size_t kDirectoryEntrySize = 16;
constexpr std::size_t kBitmapHeaderSize = 40;

class Bytes {
public:
    void u8(std::uint8_t value) { data_.push_back(value); }
    void u16(std::uint16_t value)
    {
        u8(static_cast<std::uint8_t>(value & 0xFF));
        u8(static_cast<std::uint8_t>(value >> 8));
    }
    void u32(std::uint32_t value)
    {
        u16(static_cast<std::uint16_t>(value & 0xFFFF));
        u16(static_cast<std::uint16_t>(value >> 16));
    }
    void append(const std::vector<std::uint8_t>& more) { data_.insert(data_.end(), more.begin(), more.end()); }
    [[nodiscard]] std::size_t size() const { return data_.size(); }
    [[nodiscard]] const std::vector<std::uint8_t>& data() const { return data_; }

private:
    std::vector<std::uint8_t> data_;
};

std::size_t paddedRowBytes(int bitsPerRow)
{
    return static_cast<std::size_t>((bitsPerRow + 31) / 32 * 4);
}

std::uint8_t paletteIndex(Colour colour)
{
    switch (colour) {
    case Colour::Blue:
        return kBlueIndex;
    case Colour::White:
        return kWhiteIndex;
    case Colour::Transparent:
        break;
    }
    return kTransparentIndex;
}

// BITMAPINFOHEADER, palette, 4-bit colour rows and the 1-bit AND mask, both
// bottom-up, each row padded to 32 bits.
std::vector<std::uint8_t> bitmap(int size)
{
    const auto colours = pixels(size);
    const std::size_t colourRow = paddedRowBytes(size * 4);
    const std::size_t maskRow = paddedRowBytes(size);
    const auto rows = static_cast<std::size_t>(size);

    Bytes out;
    out.u32(kBitmapHeaderSize);
    out.u32(static_cast<std::uint32_t>(size));
    out.u32(static_cast<std::uint32_t>(size * 2)); // colour rows plus mask rows
    out.u16(1);
    out.u16(4);
    out.u32(0);
    out.u32(static_cast<std::uint32_t>((colourRow + maskRow) * rows));
    out.u32(0);
    out.u32(0);
    out.u32(kStandardPalette.size());
    out.u32(0);
    for (const Rgb& rgb : kStandardPalette) {
        out.u8(rgb.blue);
        out.u8(rgb.green);
        out.u8(rgb.red);
        out.u8(0);
    }

    auto at = [&](int x, int y) { return colours[static_cast<std::size_t>(y * size + x)]; };
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(colourRow, 0);
        for (int x = 0; x < size; ++x) {
            const auto shift = (x % 2 == 0) ? 4 : 0;
            row[static_cast<std::size_t>(x / 2)] |=
                static_cast<std::uint8_t>(paletteIndex(at(x, y)) << shift);
        }
        out.append(row);
    }
    for (int y = size - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRow, 0);
        for (int x = 0; x < size; ++x) {
            if (at(x, y) == Colour::Transparent) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.append(row);
    }
    return out.data();
}

} // namespace

std::vector<std::uint8_t> icoFile(const std::vector<int>& sizes)
{
    std::vector<std::vector<std::uint8_t>> images;
    for (const int size : sizes) {
        images.push_back(bitmap(size));
    }

    Bytes out;
    out.u16(0);
    out.u16(1); // icon
    out.u16(static_cast<std::uint16_t>(images.size()));
    std::size_t offset = kDirectoryHeaderSize + kDirectoryEntrySize * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto size = static_cast<std::uint8_t>(sizes[i]);
        out.u8(size);
        out.u8(size);
        out.u8(static_cast<std::uint8_t>(kStandardPalette.size()));
        out.u8(0);
        out.u16(1);
        out.u16(4);
        out.u32(static_cast<std::uint32_t>(images[i].size()));
        out.u32(static_cast<std::uint32_t>(offset));
        offset += images[i].size();
    }
    for (const auto& image : images) {
        out.append(image);
    }
    return out.data();
}

} // namespace dbmconv::icon
