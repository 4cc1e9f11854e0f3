#include <cstdint>
#include <cstdlib>

#include "scene/bmp_convert.h"

namespace {

void putColor(unsigned char* rgb, const DibColor& color) {
    rgb[0] = color.red;
    rgb[1] = color.green;
    rgb[2] = color.blue;
}

// Repeating the top bits into the low ones makes 31 map to 255 and spreads the rest evenly.
unsigned char expandFiveBits(unsigned value) {
    return (unsigned char)(value << 3 | value >> 2);
}

// 1, 4 and 8 bits per pixel: the leftmost pixel is in the most significant bits of a byte.
void convertIndexedRow(const unsigned char* source, int bitsPerPixel, int width,
                       const DibColor* palette, unsigned char* rgb) {
    unsigned mask = (1u << bitsPerPixel) - 1;
    for (int x = 0; x < width; ++x) {
        std::size_t bit = std::size_t(x) * bitsPerPixel;
        unsigned shift = 8 - bitsPerPixel - unsigned(bit & 7);
        unsigned index = (source[bit >> 3] >> shift) & mask;
        putColor(rgb + 3 * x, palette[index]);
    }
}

// 5-5-5 with red in the high bits; the top bit is unused.
void convert16BitRow(const unsigned char* source, int width, unsigned char* rgb) {
    for (int x = 0; x < width; ++x) {
        unsigned pixel = source[2 * x] | source[2 * x + 1] << 8;
        rgb[3 * x] = expandFiveBits(pixel >> 10 & 0x1F);
        rgb[3 * x + 1] = expandFiveBits(pixel >> 5 & 0x1F);
        rgb[3 * x + 2] = expandFiveBits(pixel & 0x1F);
    }
}

// Blue, green, red, and for 32 bits an unused fourth byte.
void convertTrueColorRow(const unsigned char* source, int bytesPerPixel, int width,
                         unsigned char* rgb) {
    for (int x = 0; x < width; ++x) {
        const unsigned char* pixel = source + std::size_t(x) * bytesPerPixel;
        rgb[3 * x] = pixel[2];
        rgb[3 * x + 1] = pixel[1];
        rgb[3 * x + 2] = pixel[0];
    }
}

void convertRow(const unsigned char* source, const DibLayout& layout, unsigned char* rgb) {
    int width = layout.header.width;
    switch (layout.header.bitsPerPixel) {
    case 16:
        convert16BitRow(source, width, rgb);
        break;
    case 24:
        convertTrueColorRow(source, 3, width, rgb);
        break;
    case 32:
        convertTrueColorRow(source, 4, width, rgb);
        break;
    default:
        convertIndexedRow(source, layout.header.bitsPerPixel, width, layout.palette, rgb);
        break;
    }
}

} // namespace

DibStatus convertUncompressedPixels(const unsigned char* bytes, std::size_t size,
                                    const DibLayout& layout, unsigned char* rgb) {
    const DibInfoHeader& header = layout.header;
    std::size_t width = std::size_t(header.width);
    std::size_t rows = std::size_t(std::abs(std::int64_t(header.height)));
    std::size_t rowBits = width * header.bitsPerPixel;
    // Rows are padded to whole 32-bit words in the file; the last row may lack its padding.
    std::size_t stride = (rowBits + 31) / 32 * 4;
    std::size_t lastRowBytes = (rowBits + 7) / 8;
    if (!bytesAvailable(size, layout.pixelOffset, stride * (rows - 1) + lastRowBytes))
        return DibStatus::ConversionError;

    bool topDown = header.height < 0;
    std::size_t outputStride = width * 3;
    for (std::size_t row = 0; row < rows; ++row) {
        std::size_t outputRow = topDown ? rows - 1 - row : row;
        convertRow(bytes + layout.pixelOffset + row * stride, layout,
                   rgb + outputRow * outputStride);
    }
    return DibStatus::Ok;
}
