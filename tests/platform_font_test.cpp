// The overlay font's glyphs: the family actually used, and bitmaps laid out as glBitmap reads
// them (bottom row first, rows padded to whole bytes, leftmost pixel in the top bit).
#include <gtest/gtest.h>

#include "platform/font_raster.h"

namespace {

constexpr int kFirst = 32;
constexpr int kCount = 96;

const platform::GlyphBitmap& glyphOf(const platform::RasterFont& font, char c) {
    return font.glyphs[std::size_t(c - kFirst)];
}

bool inkAt(const platform::GlyphBitmap& glyph, int x, int row) {
    int rowBytes = (glyph.width + 7) / 8;
    return (glyph.bits[std::size_t(row * rowBytes + x / 8)] >> (7 - x % 8)) & 1;
}

int inkInRow(const platform::GlyphBitmap& glyph, int row) {
    int ink = 0;
    for (int x = 0; x < glyph.width; ++x)
        ink += inkAt(glyph, x, row);
    return ink;
}

int inkTotal(const platform::GlyphBitmap& glyph) {
    int ink = 0;
    for (int row = 0; row < glyph.height; ++row)
        ink += inkInRow(glyph, row);
    return ink;
}

platform::RasterFont rasterize(int pixelHeight) {
    platform::RasterFont font;
    EXPECT_TRUE(platform::rasterizeFont("Agency FB", "DejaVu Sans Condensed", pixelHeight, kFirst,
                                        kCount, &font));
    return font;
}

} // namespace

TEST(PlatformFont, MissingFamilyFallsBackAndGivesEveryCharacter) {
    platform::RasterFont font = rasterize(22);
    // This machine has no "Agency FB"; the fallback family is the one used.
    EXPECT_EQ(font.family, "DejaVu Sans Condensed");
    ASSERT_EQ(font.glyphs.size(), std::size_t(kCount));
    for (const platform::GlyphBitmap& glyph : font.glyphs) {
        EXPECT_EQ(glyph.bits.size(), std::size_t((glyph.width + 7) / 8 * glyph.height));
        EXPECT_GE(glyph.advance, 0.0f);
    }
    const platform::GlyphBitmap& a = glyphOf(font, 'A');
    EXPECT_GT(inkTotal(a), 20);
    // A character of a 22-pixel font is no taller than the font.
    EXPECT_GT(a.height, 10);
    EXPECT_LE(a.height, 22);
    EXPECT_GT(a.advance, 5.0f);

    const platform::GlyphBitmap& space = glyphOf(font, ' ');
    EXPECT_EQ(inkTotal(space), 0);
    EXPECT_GT(space.advance, 2.0f);
}

TEST(PlatformFont, RowsRunBottomUpWithOriginsForGlBitmap) {
    platform::RasterFont font = rasterize(22);
    ASSERT_EQ(font.glyphs.size(), std::size_t(kCount));
    // 'T': the bar is its top row, which comes last.
    const platform::GlyphBitmap& t = glyphOf(font, 'T');
    ASSERT_GT(t.height, 4);
    EXPECT_GT(inkInRow(t, t.height - 1), inkInRow(t, 0) * 3);
    // 'L': the foot is its bottom row, which comes first.
    const platform::GlyphBitmap& l = glyphOf(font, 'L');
    ASSERT_GT(l.height, 4);
    EXPECT_GT(inkInRow(l, 0), inkInRow(l, l.height - 1) * 3);
    // '.' sits on the baseline and 'p' reaches below it; '\'' floats high above it.
    EXPECT_EQ(glyphOf(font, '.').yOrigin, 0.0f);
    EXPECT_GT(glyphOf(font, 'p').yOrigin, 2.0f);
    const platform::GlyphBitmap& quote = glyphOf(font, '\'');
    EXPECT_LT(quote.yOrigin, -8.0f);
    // The ink starts at or right of the pen, never far left of it.
    EXPECT_LE(glyphOf(font, 'H').xOrigin, 0.0f);
    EXPECT_GT(glyphOf(font, 'H').xOrigin, -4.0f);
}

TEST(PlatformFont, HeightFollowsTheRequestAndZeroMeansTheDefault) {
    platform::RasterFont small = rasterize(0);
    platform::RasterFont large = rasterize(44);
    ASSERT_EQ(small.glyphs.size(), std::size_t(kCount));
    ASSERT_EQ(large.glyphs.size(), std::size_t(kCount));
    int smallHeight = glyphOf(small, 'H').height;
    int largeHeight = glyphOf(large, 'H').height;
    EXPECT_GT(smallHeight, 6);
    EXPECT_GT(largeHeight, smallHeight * 2);
    // A negative height asks for the same character height, as on Windows.
    platform::RasterFont negative = rasterize(-44);
    ASSERT_EQ(negative.glyphs.size(), std::size_t(kCount));
    EXPECT_EQ(glyphOf(negative, 'H').height, largeHeight);
}

TEST(PlatformFont, InstalledFamilyIsUsedAndNoFaceAtAllFails) {
    platform::RasterFont font;
    ASSERT_TRUE(
        platform::rasterizeFont("DejaVu Sans", "DejaVu Sans Condensed", 16, kFirst, kCount, &font));
    EXPECT_EQ(font.family, "DejaVu Sans");
    platform::RasterFont none;
    EXPECT_FALSE(platform::rasterizeFont("Agency FB", nullptr, 16, kFirst, kCount, &none));
    EXPECT_TRUE(none.glyphs.empty());
}
