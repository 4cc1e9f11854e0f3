#include "tools/bmp_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
// 2835 pixels per metre is 72 dots per inch; readers ignore it, but zero looks like a broken file
// to some image tools.
constexpr std::uint32_t kPixelsPerMetre = 2835;

void putU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xff));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xff));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    putU16(out, value & 0xffff);
    putU16(out, value >> 16);
}

std::uint8_t toByte(float value) {
    const float clamped = std::clamp(value, 0.0f, 1.0f);
    return static_cast<std::uint8_t>(std::lround(clamped * 255.0f));
}

} // namespace

std::vector<std::uint8_t> encodeBmp(const Image& image) {
    const std::uint32_t width = static_cast<std::uint32_t>(image.width());
    const std::uint32_t height = static_cast<std::uint32_t>(image.height());
    const std::uint32_t rowBytes = (width * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * height;
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize;

    std::vector<std::uint8_t> out;
    out.reserve(pixelOffset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    putU32(out, pixelOffset + pixelBytes);
    putU32(out, 0); // reserved
    putU32(out, pixelOffset);

    putU32(out, kInfoHeaderSize);
    putU32(out, width);
    putU32(out, height); // positive: bottom row first
    putU16(out, 1);      // planes
    putU16(out, 24);     // bits per pixel
    putU32(out, 0);      // no compression
    putU32(out, pixelBytes);
    putU32(out, kPixelsPerMetre);
    putU32(out, kPixelsPerMetre);
    putU32(out, 0); // no colour table
    putU32(out, 0);

    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const Color& c = image.at(static_cast<int>(x), static_cast<int>(y));
            out.push_back(toByte(c.b));
            out.push_back(toByte(c.g));
            out.push_back(toByte(c.r));
        }
        for (std::uint32_t pad = width * 3; pad < rowBytes; ++pad)
            out.push_back(0);
    }
    return out;
}

bool writeBmp(const Image& image, const std::string& path) {
    const std::vector<std::uint8_t> bytes = encodeBmp(image);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
