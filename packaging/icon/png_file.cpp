#include "png_file.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace dbmconv::icon {

namespace {

using Bytes = std::vector<std::uint8_t>;

// Deflate (RFC 1951) in one block of the fixed Huffman codes, its matches
// found only where the icon repeats itself: the pixel before, and the row
// above. An icon of flat colours needs no more to be small, and a compressor
// written here gives the same bytes whatever zlib the build machine has.
class BitWriter {
public:
    explicit BitWriter(Bytes& out) : out_(out) {}
    void bits(std::uint32_t value, int count) // least significant bit first
    {
        for (int i = 0; i < count; ++i) {
            bit(((value >> i) & 1U) != 0);
        }
    }
    void huffman(std::uint32_t code, int length) // most significant bit first
    {
        for (int i = length - 1; i >= 0; --i) {
            bit(((code >> i) & 1U) != 0);
        }
    }
    void flush()
    {
        if (filled_ > 0) {
            out_.push_back(pending_);
            pending_ = 0;
            filled_ = 0;
        }
    }

private:
    void bit(bool set)
    {
        pending_ = static_cast<std::uint8_t>(pending_ | (set ? 1U << filled_ : 0U));
        if (++filled_ == 8) {
            flush();
        }
    }
    Bytes& out_;
    std::uint8_t pending_ = 0;
    int filled_ = 0;
};

void literalOrLength(BitWriter& w, int symbol)
{
    if (symbol < 144) {
        w.huffman(0x30U + static_cast<std::uint32_t>(symbol), 8);
    } else if (symbol < 256) {
        w.huffman(0x190U + static_cast<std::uint32_t>(symbol - 144), 9);
    } else if (symbol < 280) {
        w.huffman(static_cast<std::uint32_t>(symbol - 256), 7);
    } else {
        w.huffman(0xC0U + static_cast<std::uint32_t>(symbol - 280), 8);
    }
}

struct CodeRange {
    int first; // the smallest value the code stands for
    int extraBits;
};
constexpr std::array<CodeRange, 29> kLengths{{{3, 0},   {4, 0},   {5, 0},   {6, 0},   {7, 0},   {8, 0},
                                               {9, 0},   {10, 0},  {11, 1},  {13, 1},  {15, 1},  {17, 1},
                                               {19, 2},  {23, 2},  {27, 2},  {31, 2},  {35, 3},  {43, 3},
                                               {51, 3},  {59, 3},  {67, 4},  {83, 4},  {99, 4},  {115, 4},
                                               {131, 5}, {163, 5}, {195, 5}, {227, 5}, {258, 0}}};
constexpr std::array<CodeRange, 30> kDistances{
    {{1, 0},     {2, 0},     {3, 0},     {4, 0},     {5, 1},     {7, 1},      {9, 2},      {13, 2},
     {17, 3},    {25, 3},    {33, 4},    {49, 4},    {65, 5},    {97, 5},     {129, 6},    {193, 6},
     {257, 7},   {385, 7},   {513, 8},   {769, 8},   {1025, 9},  {1537, 9},   {2049, 10},  {3073, 10},
     {4097, 11}, {6145, 11}, {8193, 12}, {12289, 12}, {16385, 13}, {24577, 13}}};

template <std::size_t N>
std::size_t codeFor(const std::array<CodeRange, N>& table, int value)
{
    std::size_t code = 0;
    while (code + 1 < N && table[code + 1].first <= value) {
        ++code;
    }
    return code;
}

void match(BitWriter& w, int length, int distance)
{
    const std::size_t lengthCode = codeFor(kLengths, length);
    literalOrLength(w, 257 + static_cast<int>(lengthCode));
    w.bits(static_cast<std::uint32_t>(length - kLengths[lengthCode].first), kLengths[lengthCode].extraBits);
    const std::size_t distanceCode = codeFor(kDistances, distance);
    w.huffman(static_cast<std::uint32_t>(distanceCode), 5);
    w.bits(static_cast<std::uint32_t>(distance - kDistances[distanceCode].first),
           kDistances[distanceCode].extraBits);
}

Bytes deflate(const Bytes& data, const std::array<int, 2>& distances)
{
    Bytes out;
    BitWriter w(out);
    w.bits(1, 1); // the last block
    w.bits(1, 2); // fixed codes
    std::size_t at = 0;
    while (at < data.size()) {
        int bestLength = 0;
        int bestDistance = 0;
        for (const int distance : distances) {
            if (static_cast<std::size_t>(distance) > at) {
                continue;
            }
            int length = 0;
            while (length < 258 && at + static_cast<std::size_t>(length) < data.size()
                   && data[at + static_cast<std::size_t>(length)]
                       == data[at + static_cast<std::size_t>(length) - static_cast<std::size_t>(distance)]) {
                ++length;
            }
            if (length > bestLength) {
                bestLength = length;
                bestDistance = distance;
            }
        }
        if (bestLength >= 3) {
            match(w, bestLength, bestDistance);
            at += static_cast<std::size_t>(bestLength);
        } else {
            literalOrLength(w, data[at]);
            ++at;
        }
    }
    literalOrLength(w, 256);
    w.flush();
    return out;
}

void bigEndian(Bytes& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t length)
{
    std::uint32_t crc = 0xFFFFFFFFU;
    for (std::size_t i = 0; i < length; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ ((crc & 1U) != 0 ? 0xEDB88320U : 0U);
        }
    }
    return crc ^ 0xFFFFFFFFU;
}

std::uint32_t adler32(const Bytes& data)
{
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : data) {
        a = (a + byte) % 65521U;
        b = (b + a) % 65521U;
    }
    return (b << 16) | a;
}

void chunk(Bytes& png, std::string_view type, const Bytes& data)
{
    bigEndian(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = png.size();
    png.insert(png.end(), type.begin(), type.end());
    png.insert(png.end(), data.begin(), data.end());
    bigEndian(png, crc32(png.data() + typeAt, png.size() - typeAt));
}

} // namespace

std::vector<std::uint8_t> pngFile(const std::vector<Rgba>& image, int size)
{
    const std::size_t rowBytes = 1 + static_cast<std::size_t>(size) * 4;
    Bytes rows;
    rows.reserve(rowBytes * static_cast<std::size_t>(size));
    for (int y = 0; y < size; ++y) {
        rows.push_back(0); // no filter: the matches below find the repeats
        for (int x = 0; x < size; ++x) {
            const Rgba& pixel = image[static_cast<std::size_t>(y * size + x)];
            rows.insert(rows.end(), {pixel.rgb.red, pixel.rgb.green, pixel.rgb.blue, pixel.alpha});
        }
    }
    Bytes zlib{0x78, 0x01}; // deflate, 32 KiB window, no dictionary
    const Bytes compressed = deflate(rows, {4, static_cast<int>(std::min<std::size_t>(rowBytes, 32768))});
    zlib.insert(zlib.end(), compressed.begin(), compressed.end());
    bigEndian(zlib, adler32(rows));

    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    bigEndian(header, static_cast<std::uint32_t>(size));
    bigEndian(header, static_cast<std::uint32_t>(size));
    header.insert(header.end(), {8, 6, 0, 0, 0}); // 8 bits, RGBA, deflate, no filter choice, not interlaced
    chunk(png, "IHDR", header);
    chunk(png, "IDAT", zlib);
    chunk(png, "IEND", {});
    return png;
}

} // namespace dbmconv::icon
