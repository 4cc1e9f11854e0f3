#include "scene/bmp_header.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kPixelOffsetField = 10;

std::uint16_t readU16(const unsigned char* p) {
    return std::uint16_t(p[0] | p[1] << 8);
}

std::uint32_t readU32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::int32_t readS32(const unsigned char* p) {
    return std::int32_t(readU32(p));
}

bool hasFileHeader(const unsigned char* bytes, std::size_t size) {
    return size >= 2 && bytes[0] == 'B' && bytes[1] == 'M';
}

// The core header's dimensions are unsigned 16-bit, so they are never negative.
void readCoreHeader(const unsigned char* p, DibInfoHeader* header) {
    header->size = kCoreHeaderSize;
    header->width = readU16(p + 4);
    header->height = readU16(p + 6);
    header->planes = readU16(p + 8);
    header->bitsPerPixel = readU16(p + 10);
    header->compression = kCompressionNone;
    std::uint16_t entries = colorCount(*header);
    header->colorsUsed = entries;
    header->colorsImportant = entries;
}

void readInfoHeader(const unsigned char* p, DibInfoHeader* header) {
    header->size = kInfoHeaderSize;
    header->width = readS32(p + 4);
    header->height = readS32(p + 8);
    header->planes = readU16(p + 12);
    header->bitsPerPixel = readU16(p + 14);
    header->compression = readU32(p + 16);
    header->imageSize = readU32(p + 20);
    header->xPelsPerMeter = readS32(p + 24);
    header->yPelsPerMeter = readS32(p + 28);
    header->colorsUsed = readU32(p + 32);
    header->colorsImportant = readU32(p + 36);
}

// Core tables hold blue, green, red; 40-byte headers add a reserved byte to each entry.
void readColorTable(const unsigned char* table, std::size_t entrySize, std::uint16_t entries,
                    DibColor* palette) {
    std::size_t stored = entries < 256 ? entries : 256;
    for (std::size_t i = 0; i < stored; ++i) {
        const unsigned char* entry = table + i * entrySize;
        palette[i] = DibColor{entry[2], entry[1], entry[0]};
    }
    // An index past the table shows its first colour, as other readers of such files do.
    DibColor fallback = stored > 0 ? palette[0] : DibColor{};
    for (std::size_t i = stored; i < 256; ++i)
        palette[i] = fallback;
}

} // namespace

std::uint16_t colorCount(const DibInfoHeader& header) {
    if (header.size == kInfoHeaderSize && header.colorsUsed != 0)
        return std::uint16_t(header.colorsUsed);
    switch (header.bitsPerPixel) {
    case 1:
        return 2;
    case 4:
        return 16;
    case 8:
        return 256;
    default:
        return 0;
    }
}

DibStatus readDibLayout(const unsigned char* bytes, std::size_t size, DibLayout* layout) {
    bool fileHeader = hasFileHeader(bytes, size);
    std::size_t headerStart = fileHeader ? kFileHeaderSize : 0;
    if (!bytesAvailable(size, headerStart, 4))
        return DibStatus::UnknownFormat;
    const unsigned char* header = bytes + headerStart;
    std::uint32_t headerSize = readU32(header);
    if (headerSize != kCoreHeaderSize && headerSize != kInfoHeaderSize)
        return DibStatus::UnknownFormat;
    if (!bytesAvailable(size, headerStart, headerSize))
        return DibStatus::ConversionError;

    layout->header = DibInfoHeader{};
    if (headerSize == kCoreHeaderSize) {
        readCoreHeader(header, &layout->header);
    } else {
        readInfoHeader(header, &layout->header);
        // The entry count is 16-bit; a larger colours-used value cannot describe a real table.
        if (layout->header.colorsUsed > 0xFFFF)
            return DibStatus::ConversionError;
    }

    std::uint16_t entries = colorCount(layout->header);
    std::size_t entrySize = headerSize == kCoreHeaderSize ? 3 : 4;
    std::size_t tableStart = headerStart + headerSize;
    std::size_t tableSize = entries * entrySize;
    if (!bytesAvailable(size, tableStart, tableSize))
        return DibStatus::ConversionError;
    layout->colorTableEntries = entries;
    readColorTable(bytes + tableStart, entrySize, entries, layout->palette);
    if (layout->header.colorsUsed == 0)
        layout->header.colorsUsed = entries;

    if (fileHeader)
        layout->pixelOffset = readU32(bytes + kPixelOffsetField);
    else
        layout->pixelOffset = tableStart + tableSize;
    return DibStatus::Ok;
}
