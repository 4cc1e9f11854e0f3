// Test support for the bitmap reader: bitmap files assembled byte by byte, temporary files, and
// the messages a call shows.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/message_box.h"

using Bytes = std::vector<unsigned char>;

inline void appendU16(Bytes& bytes, unsigned value) {
    bytes.push_back(value & 0xFF);
    bytes.push_back(value >> 8 & 0xFF);
}

inline void appendU32(Bytes& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(value >> shift & 0xFF);
}

// What goes into a test bitmap. `colorTable` and `pixels` are raw file bytes (blue, green, red
// [, 0] entries; rows padded as the test wants them).
struct BitmapParts {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t bitsPerPixel = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::uint16_t planes = 1;
    bool fileHeader = true;
    Bytes colorTable;
    Bytes pixels;
};

// The file header's pixel offset points right after the colour table unless `pixelOffset` is
// given.
inline Bytes makeBitmap(const BitmapParts& parts, long pixelOffset = -1) {
    Bytes info;
    appendU32(info, parts.headerSize);
    if (parts.headerSize == 12) {
        appendU16(info, std::uint16_t(parts.width));
        appendU16(info, std::uint16_t(parts.height));
        appendU16(info, parts.planes);
        appendU16(info, parts.bitsPerPixel);
    } else {
        appendU32(info, std::uint32_t(parts.width));
        appendU32(info, std::uint32_t(parts.height));
        appendU16(info, parts.planes);
        appendU16(info, parts.bitsPerPixel);
        appendU32(info, parts.compression);
        appendU32(info, std::uint32_t(parts.pixels.size()));
        appendU32(info, 2835);
        appendU32(info, 2835);
        appendU32(info, parts.colorsUsed);
        appendU32(info, 0);
        info.resize(parts.headerSize < 4 ? 4 : parts.headerSize, 0);
    }
    Bytes file;
    if (parts.fileHeader) {
        std::size_t offset = 14 + info.size() + parts.colorTable.size();
        file = {'B', 'M'};
        appendU32(file, std::uint32_t(offset + parts.pixels.size()));
        appendU32(file, 0);
        appendU32(file, pixelOffset >= 0 ? std::uint32_t(pixelOffset) : std::uint32_t(offset));
    }
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), parts.colorTable.begin(), parts.colorTable.end());
    file.insert(file.end(), parts.pixels.begin(), parts.pixels.end());
    return file;
}

// Colour-table entries of a 40-byte header, given as red, green, blue.
inline Bytes colorTable(std::initializer_list<std::uint32_t> rgbColors) {
    Bytes table;
    for (std::uint32_t rgb : rgbColors) {
        table.push_back(rgb & 0xFF);
        table.push_back(rgb >> 8 & 0xFF);
        table.push_back(rgb >> 16 & 0xFF);
        table.push_back(0);
    }
    return table;
}

// A file in the temporary folder, removed again at the end of the test.
class TempFile {
  public:
    explicit TempFile(const std::string& name, const Bytes& bytes)
        : path_("/tmp/kavo-bmp-" + std::to_string(getpid()) + "-" + name) {
        if (std::FILE* file = std::fopen(path_.c_str(), "wb")) {
            if (!bytes.empty())
                std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
    }
    ~TempFile() { std::remove(path_.c_str()); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    const char* path() const { return path_.c_str(); }

  private:
    std::string path_;
};

// Collects every message shown while it lives, instead of showing it.
class CapturedMessages {
  public:
    CapturedMessages() {
        platform::setMessageCapture([this](const char* caption, const char* text) {
            captions.push_back(caption);
            texts.push_back(text);
        });
    }
    ~CapturedMessages() { platform::setMessageCapture(nullptr); }
    CapturedMessages(const CapturedMessages&) = delete;
    CapturedMessages& operator=(const CapturedMessages&) = delete;

    std::vector<std::string> captions;
    std::vector<std::string> texts;
};
