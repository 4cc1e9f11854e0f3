// Reading Windows bitmaps: any 1, 4, 8, 16, 24 or 32-bit file with a 12- or 40-byte info header
// (with or without the file header; RLE4 and RLE8 included) is converted to tightly packed 24-bit
// RGB rows, bottom row first. Every failure shows exactly one message (caption "Error").
// The headers and the colour table are read by scene/bmp_header.h (which has `colorCount`).
#pragma once

#include <cstddef>
#include <cstdint>

struct RgbImage {
    std::int32_t width = 0;
    // Always positive: a bitmap stored top row first is turned over into the same bottom-up rows.
    std::int32_t height = 0;
    unsigned char* data = nullptr; // width * height * 3 bytes, R G B, bottom row first
};

// Returns a new image (free `data` with delete[], then the record with delete), or null after a
// failure has been reported. Pictures wider or taller than 16384 pixels, or of more than 256 MiB
// of RGB data, are refused as a conversion error.
RgbImage* loadDibImage(const char* fileName);
// The same, from bytes already in memory; `name` fills the messages.
RgbImage* decodeDibImage(const unsigned char* bytes, std::size_t size, const char* name);
void freeRgbImage(RgbImage* image);
