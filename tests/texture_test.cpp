#include <GL/gl.h>

#include "scene/texture.h"
#include "support/bitmap_files.h"
#include "support/gl_test.h"

namespace {

class BmpTextureTest : public GlTest {
  protected:
    void TearDown() override {
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glDisable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, 0);
    }
};

// Three pixels per row: 9 bytes, which no unpack alignment but 1 takes as they are.
const Bytes kPicture = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 255, 255, 255, 0, 255, 255, 255, 0};

Bytes threeWideBitmap() {
    BitmapParts parts;
    parts.width = 3;
    parts.height = 2;
    // The file has blue, green, red and pads each row to 12 bytes.
    for (int row = 0; row < 2; ++row) {
        for (int x = 0; x < 3; ++x) {
            const unsigned char* rgb = &kPicture[(row * 3 + x) * 3];
            parts.pixels.insert(parts.pixels.end(), {rgb[2], rgb[1], rgb[0]});
        }
        parts.pixels.insert(parts.pixels.end(), {0, 0, 0});
    }
    return makeBitmap(parts);
}

void drawTexturedScreen(GLuint texture) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(1, 0);
    glVertex2f(1, 0);
    glTexCoord2f(1, 1);
    glVertex2f(1, 1);
    glTexCoord2f(0, 1);
    glVertex2f(0, 1);
    glEnd();
}

} // namespace

TEST_F(BmpTextureTest, ThreePixelRowsUploadUnskewedAndAlignmentIsRestored) {
    TempFile file("three.bmp", threeWideBitmap());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    unsigned int texture = 0;
    CapturedMessages messages;
    ASSERT_TRUE(loadBmpTexture(file.path(), texture));
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_NE(texture, 0u);

    GLint alignment = 0, bound = 0, minFilter = 0, magFilter = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), texture);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(minFilter, GL_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);

    Bytes stored(kPicture.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, stored.data());
    EXPECT_EQ(stored, kPicture);

    // On screen: the centre of each texel shows its own colour, bottom row at the bottom.
    drawTexturedScreen(texture);
    for (int row = 0; row < 2; ++row) {
        for (int x = 0; x < 3; ++x) {
            Rgb seen =
                readPixel((2 * x + 1) * surfaceWidth() / 6, (2 * row + 1) * surfaceHeight() / 4);
            const unsigned char* want = &kPicture[(row * 3 + x) * 3];
            EXPECT_NEAR(seen.r, want[0], 2) << x << "," << row;
            EXPECT_NEAR(seen.g, want[1], 2) << x << "," << row;
            EXPECT_NEAR(seen.b, want[2], 2) << x << "," << row;
        }
    }
}

TEST_F(BmpTextureTest, EveryLoadMakesANewNameAndFailuresLeaveTheNameAlone) {
    TempFile file("again.bmp", threeWideBitmap());
    unsigned int first = 0, second = 0;
    ASSERT_TRUE(loadBmpTexture(file.path(), first));
    ASSERT_TRUE(loadBmpTexture(file.path(), second));
    EXPECT_NE(first, second);

    CapturedMessages messages;
    unsigned int untouched = 77;
    EXPECT_FALSE(loadBmpTexture("/nonexistent/expl.bmp", untouched));
    EXPECT_EQ(untouched, 77u);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "Failed to open DIB file /nonexistent/expl.bmp.\n");
}
