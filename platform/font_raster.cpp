// Bitmap glyphs for the overlay font. fontconfig plays the font mapper: it is asked for the
// family by name, and when its best match is some other family (the face is not installed) the
// fallback family is used instead, so the text looks the same on every machine that lacks the
// first. FreeType renders each character as a 1-bit bitmap in the layout glBitmap takes.
#include "platform/font_raster.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdlib>

namespace platform {
namespace {

// Character height when the caller leaves it to us: what a 1024-pixel-wide screen shows well.
constexpr int kDefaultPixelHeight = 16;

struct FaceFile {
    std::string path;
    int index = 0;
    std::string family;      // the family name of the match that answers the request
    bool sameFamily = false; // the match is the family asked for
};

// Asks fontconfig for the family; false when it has nothing at all.
bool matchFamily(const char* family, FaceFile* face) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return false;
    FcChar8* path = nullptr;
    bool found = FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path;
    if (found) {
        face->path = reinterpret_cast<const char*>(path);
        FcPatternGetInteger(match, FC_INDEX, 0, &face->index);
        // A face often carries several family names ("DejaVu Sans" and "DejaVu Sans
        // Condensed"); any of them counts as the family asked for.
        FcChar8* name = nullptr;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
            if (i == 0)
                face->family = reinterpret_cast<const char*>(name);
            if (FcStrCmpIgnoreCase(name, reinterpret_cast<const FcChar8*>(family)) == 0) {
                face->family = reinterpret_cast<const char*>(name);
                face->sameFamily = true;
                break;
            }
        }
    }
    FcPatternDestroy(match);
    return found;
}

// The face to use: the family asked for when it is installed, else the fallback (or, failing
// that too, whatever fontconfig offers for the fallback).
bool chooseFace(const char* family, const char* fallbackFamily, FaceFile* face) {
    if (family && *family && matchFamily(family, face) && face->sameFamily)
        return true;
    *face = FaceFile();
    return fallbackFamily && matchFamily(fallbackFamily, face);
}

// Row `fromTop` of a FreeType bitmap; the pitch is negative for bitmaps stored bottom row first.
const unsigned char* bitmapRow(const FT_Bitmap& bitmap, int fromTop) {
    const unsigned char* top = bitmap.buffer;
    if (bitmap.pitch < 0)
        top -= std::ptrdiff_t(bitmap.pitch) * (int(bitmap.rows) - 1);
    return top + std::ptrdiff_t(bitmap.pitch) * fromTop;
}

bool pixelSet(const FT_Bitmap& bitmap, const unsigned char* row, int x) {
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO)
        return (row[x / 8] >> (7 - x % 8)) & 1;
    // Grey strikes embedded in a font: ink is what is at least half dark.
    return bitmap.pixel_mode == FT_PIXEL_MODE_GRAY && row[x] >= 128;
}

// Copies the bitmap bottom row first, each row padded to whole bytes, leftmost pixel in the
// most significant bit: what glBitmap reads with an unpack alignment of 1.
void copyBottomUp(const FT_Bitmap& bitmap, GlyphBitmap* glyph) {
    int rowBytes = (glyph->width + 7) / 8;
    glyph->bits.assign(std::size_t(rowBytes) * std::size_t(glyph->height), 0);
    for (int y = 0; y < glyph->height; ++y) {
        const unsigned char* source = bitmapRow(bitmap, glyph->height - 1 - y);
        unsigned char* target = &glyph->bits[std::size_t(y) * std::size_t(rowBytes)];
        for (int x = 0; x < glyph->width; ++x) {
            if (pixelSet(bitmap, source, x))
                target[x / 8] |= static_cast<unsigned char>(0x80 >> (x % 8));
        }
    }
}

// A character the face cannot render stays an empty glyph that does not advance.
GlyphBitmap renderGlyph(FT_Face face, unsigned long character) {
    GlyphBitmap glyph;
    if (FT_Load_Char(face, character, FT_LOAD_TARGET_MONO) != 0)
        return glyph;
    FT_GlyphSlot slot = face->glyph;
    if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0)
        return glyph;
    glyph.advance = float(slot->advance.x) / 64.0f;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (!bitmap.buffer || bitmap.width == 0 || bitmap.rows == 0)
        return glyph;
    glyph.width = int(bitmap.width);
    glyph.height = int(bitmap.rows);
    // glBitmap places the bitmap's lower-left corner at the pen minus the origin.
    glyph.xOrigin = float(-slot->bitmap_left);
    glyph.yOrigin = float(glyph.height - slot->bitmap_top);
    copyBottomUp(bitmap, &glyph);
    return glyph;
}

bool renderFace(const FaceFile& file, int pixelHeight, int first, int count, RasterFont* font) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return false;
    FT_Face face = nullptr;
    bool loaded = FT_New_Face(library, file.path.c_str(), file.index, &face) == 0;
    // The height is the character height of a Windows font asked for with a negative height:
    // the em square, without the leading above it.
    if (loaded && FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelHeight)) != 0) {
        // A bitmap-only face has fixed sizes; take its first rather than nothing.
        loaded = face->num_fixed_sizes > 0 && FT_Select_Size(face, 0) == 0;
    }
    if (loaded) {
        font->family = file.family;
        font->glyphs.clear();
        for (int i = 0; i < count; ++i)
            font->glyphs.push_back(renderGlyph(face, static_cast<unsigned long>(first + i)));
    }
    if (face)
        FT_Done_Face(face);
    FT_Done_FreeType(library);
    return loaded;
}

} // namespace

bool rasterizeFont(const char* family, const char* fallbackFamily, int pixelHeight, int first,
                   int count, RasterFont* font) {
    if (!font || count < 0 || first < 0)
        return false;
    // A negative height is the Windows way of asking for the character height; take its size.
    int height = pixelHeight == 0 ? kDefaultPixelHeight : std::abs(pixelHeight);
    FaceFile face;
    return chooseFace(family, fallbackFamily, &face) &&
           renderFace(face, height, first, count, font);
}

} // namespace platform
