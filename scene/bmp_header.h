// The parts of a Windows bitmap before its pixels: the optional 14-byte file header, the info
// header (the 12-byte core header widened into the 40-byte layout) and the colour table. Nothing
// here reads a byte without first checking that the file has it.
#pragma once

#include <cstddef>
#include <cstdint>

// Outcome of reading or converting a bitmap; each failure maps to one message for the user.
enum class DibStatus { Ok, OutOfMemory, UnknownFormat, ConversionError };

// The 40-byte info header. A core header fills width, height, planes and bits per pixel; its
// compression is none and its colours-used and important-colours fields hold the table size.
struct DibInfoHeader {
    std::uint32_t size = 0;
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: the top row comes first in the file
    std::uint16_t planes = 0;
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::int32_t xPelsPerMeter = 0;
    std::int32_t yPelsPerMeter = 0;
    std::uint32_t colorsUsed = 0;
    std::uint32_t colorsImportant = 0;
};

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;

constexpr std::uint32_t kCompressionNone = 0;
constexpr std::uint32_t kCompressionRle8 = 1;
constexpr std::uint32_t kCompressionRle4 = 2;

// Number of colour-table entries that follow the header: colours-used when a 40-byte header
// gives it, else two to the bits per pixel for 1, 4 and 8 bits, else none.
std::uint16_t colorCount(const DibInfoHeader& header);

struct DibColor {
    unsigned char red = 0;
    unsigned char green = 0;
    unsigned char blue = 0;
};

// Everything the pixel conversion needs to know about a file.
struct DibLayout {
    DibInfoHeader header;
    std::uint16_t colorTableEntries = 0;
    // Indexed by pixel value. Values past the end of the file's table show its first entry
    // (black when the table is empty), so any byte of pixel data has a colour.
    DibColor palette[256];
    std::size_t pixelOffset = 0; // from the start of the file
};

// Reads the headers and the colour table. UnknownFormat when no 12- or 40-byte header is found;
// ConversionError when the header or the table runs past the end of the file.
DibStatus readDibLayout(const unsigned char* bytes, std::size_t size, DibLayout* layout);

// True when `count` bytes starting at `offset` lie within a buffer of `size` bytes.
inline bool bytesAvailable(std::size_t size, std::size_t offset, std::size_t count) {
    return offset <= size && count <= size - offset;
}
