// Font rasterising for the overlay: picks a face by family name through the system's font
// matching (with a fallback family) and renders 1-bit glyph bitmaps ready for glBitmap.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct GlyphBitmap {
    int width = 0;        // pixels
    int height = 0;       // rows
    float xOrigin = 0.0f; // glBitmap xorig: pixels from the pen to the bitmap's left edge, negated
    float yOrigin = 0.0f; // glBitmap yorig: rows from the bitmap's bottom to the baseline
    float advance = 0.0f; // pen advance in pixels
    // Rows bottom-up, each (width + 7) / 8 bytes, most significant bit leftmost (unpack alignment
    // 1).
    std::vector<unsigned char> bits;
};

struct RasterFont {
    std::string family;              // the family that was actually used
    std::vector<GlyphBitmap> glyphs; // one per character, first .. first + count - 1
};

// pixelHeight 0 means the face's default size. False when no face could be loaded at all.
bool rasterizeFont(const char* family, const char* fallbackFamily, int pixelHeight, int first,
                   int count, RasterFont* font);

} // namespace platform
