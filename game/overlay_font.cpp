// The overlay's bitmap font: 96 display lists, one per character from 32 to 127, each a glBitmap
// of the glyph the platform rasterised, sized to the window's width; and the routine that draws a
// line of text with them.
// Depends on the platform's window size and font rasteriser, and on OpenGL.
#include <GL/gl.h>

#include <cstdlib>
#include <cstring>

#include "game/overlay.h"
#include "platform/display.h"
#include "platform/font_raster.h"

unsigned int fontBase = 0;

namespace {

constexpr int kFirstCharacter = 32;
constexpr int kCharacterCount = 96;
// Narrow face for the HUD, with a narrow face every machine can have as the fallback.
const char* const kFontFamily = "Agency FB";
const char* const kFallbackFamily = "DejaVu Sans Condensed";

// 22 pixels per full 1024 of width; below 1024 the height is 0, the face's default size.
int fontHeightForWidth(int clientWidth) {
    return -22 * (clientWidth / 1024);
}

void compileGlyphs(const platform::RasterFont& font) {
    // The glyph rows are packed byte by byte; with GL's default of 4 the rows would be read
    // skewed and past the end of each glyph's buffer.
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    const int glyphCount = int(font.glyphs.size());
    for (int i = 0; i < kCharacterCount && i < glyphCount; ++i) {
        const platform::GlyphBitmap& glyph = font.glyphs[i];
        glNewList(fontBase + i, GL_COMPILE);
        glBitmap(glyph.width, glyph.height, glyph.xOrigin, glyph.yOrigin, glyph.advance, 0.0f,
                 glyph.bits.empty() ? nullptr : glyph.bits.data());
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
}

} // namespace

void buildFont() {
    int width = 0;
    int height = 0;
    platform::clientSize(&width, &height);
    const int fontHeight = fontHeightForWidth(width);

    fontBase = glGenLists(kCharacterCount);
    platform::RasterFont font;
    // A machine without any usable face keeps empty lists: the HUD is then blank, not broken.
    if (platform::rasterizeFont(kFontFamily, kFallbackFamily, std::abs(fontHeight), kFirstCharacter,
                                kCharacterCount, &font))
        compileGlyphs(font);
}

void deleteFont() {
    if (fontBase != 0)
        glDeleteLists(fontBase, kCharacterCount);
    fontBase = 0;
}

void drawTextLine(float x, float y, const char* text) {
    glRasterPos2f(x, y);
    glPushAttrib(GL_LIST_BIT);
    glListBase(fontBase - kFirstCharacter);
    glCallLists(GLsizei(std::strlen(text)), GL_UNSIGNED_BYTE, text);
    glPopAttrib();
}
