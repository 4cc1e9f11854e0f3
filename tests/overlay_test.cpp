#include <GL/gl.h>

#include <cmath>
#include <functional>
#include <vector>

#include "effects/gun_fire.h"
#include "game/game_state.h"
#include "game/overlay.h"
#include "math/camera.h"
#include "platform/message_box.h"
#include "scene/model_object.h"
#include "support/game_world.h"
#include "support/gl_test.h"

namespace {

const float kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct Region {
    int x0, y0, x1, y1; // window pixels, y from the bottom, end exclusive
};

// Window pixel of a HUD position (units on the plane 100 in front of the eye, 45 degree view).
void hudToWindow(float x, float y, int* px, int* py) {
    const float halfHeight = 100.0f * std::tan(22.5f * 3.14159265f / 180.0f);
    const float halfWidth = halfHeight * surfaceWidth() / surfaceHeight();
    *px = int((1.0f + x / halfWidth) * 0.5f * surfaceWidth());
    *py = int((1.0f + y / halfHeight) * 0.5f * surfaceHeight());
}

// A region that holds a line of text standing at the HUD position (x, y).
Region textAt(float x, float y, int width) {
    int px = 0, py = 0;
    hudToWindow(x, y, &px, &py);
    return {px - 2, py - 8, px + width, py + 28};
}

int countPixels(const Region& r, const std::function<bool(int, int, int)>& matches) {
    const int w = r.x1 - r.x0, h = r.y1 - r.y0;
    std::vector<unsigned char> pixels(size_t(w) * h * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(r.x0, r.y0, w, h, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    int count = 0;
    for (size_t i = 0; i < pixels.size(); i += 3)
        count += matches(pixels[i], pixels[i + 1], pixels[i + 2]) ? 1 : 0;
    return count;
}

bool isGreen(int r, int g, int b) {
    return g > 200 && r < 120 && b < 120;
}
bool isWhite(int r, int g, int b) {
    return r > 200 && g > 200 && b > 200;
}
bool isLit(int r, int g, int b) {
    return r + g + b > 60;
}

// Rows of the region that hold at least one matching pixel.
int litRows(const Region& r) {
    int rows = 0;
    for (int y = r.y0; y < r.y1; ++y)
        rows += countPixels({r.x0, y, r.x1, y + 1}, isLit) > 0 ? 1 : 0;
    return rows;
}

} // namespace

class OverlayTest : public GlTest {
  protected:
    static void SetUpTestSuite() {
        GlTest::SetUpTestSuite();
        if (fontBase == 0)
            buildFont();
    }

    void SetUp() override {
        GlTest::SetUp();
        platform::setMessageCapture([](const char*, const char*) {});
        resetGameState();
        ship = new ShipObject("no-such-model.3ds", kIdentity, false);
        ship->hudColor[0] = 0.3f;
        ship->hudColor[1] = 1.0f;
        ship->hudColor[2] = 0.3f;
    }

    void TearDown() override {
        delete ship;
        resetGameState();
        platform::setMessageCapture(nullptr);
    }

    void selectShip() {
        mainShip = ship;
        selectedShip = &mainShip;
    }

    ShipObject* ship = nullptr;
    Overlay overlay;
};

TEST_F(OverlayTest, FontHasAGlyphListPerCharacterAndRestoresUnpacking) {
    ASSERT_NE(fontBase, 0u);
    for (unsigned c = 32; c < 128; ++c)
        EXPECT_TRUE(glIsList(fontBase + c - 32)) << "character " << c;

    deleteFont();
    EXPECT_EQ(fontBase, 0u);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 8);
    buildFont();
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 8);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    EXPECT_TRUE(glIsList(fontBase + 'A' - 32));
}

TEST_F(OverlayTest, StatusLinesTakeTheSelectedShipsColour) {
    selectShip();
    overlay.drawHud();
    const Region engineLine = textAt(-54.0f, 38.0f, 260);
    EXPECT_GT(countPixels(engineLine, isWhite), 50) << "white until the next update";

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    overlay.update(0.016f);
    overlay.drawHud();
    saveFrame("overlay-ship-hud");
    EXPECT_GT(countPixels(engineLine, isGreen), 50);
    EXPECT_EQ(countPixels(engineLine, isWhite), 0);
    // A 1024-pixel-wide window gets a 22-pixel font: capitals stand 12 to 24 rows tall.
    const int rows = litRows(engineLine);
    EXPECT_GE(rows, 12);
    EXPECT_LE(rows, 24);
    EXPECT_GT(countPixels(textAt(-54.0f, -39.0f, 200), isGreen), 30) << "speed line";
    EXPECT_GT(countPixels(textAt(-3.0f, -39.0f, 150), isGreen), 30) << "camera line";
    EXPECT_GT(countPixels(textAt(30.0f, 32.0f, 200), isGreen), 30) << "multisampling line";
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(OverlayTest, WithoutAShipTheHudIsWhiteAndSaysFreeCamera) {
    overlay.color[1] = 0.0f;
    overlay.update(0.016f);
    overlay.drawHud();
    saveFrame("overlay-free-camera");
    EXPECT_GT(countPixels(textAt(-54.0f, 38.0f, 260), isWhite), 50);
    EXPECT_GT(countPixels(textAt(-3.0f, -39.0f, 150), isWhite), 30);
    EXPECT_EQ(countPixels({0, 0, surfaceWidth(), surfaceHeight()}, isGreen), 0);

    // A slot whose ship is gone counts as no ship.
    selectedShip = &enemyShip;
    overlay.update(0.016f);
    EXPECT_FLOAT_EQ(overlay.color[0], 1.0f);
}

TEST_F(OverlayTest, HelpPageFillsTheMiddleOnlyWhenAskedFor) {
    selectShip();
    overlay.update(0.016f);
    int left = 0, top = 0, right = 0, bottom = 0;
    hudToWindow(-26.0f, 33.0f, &left, &top);
    hudToWindow(10.0f, -21.0f, &right, &bottom);
    const Region middle{left, bottom, right, top};

    overlay.drawHud();
    EXPECT_EQ(countPixels(middle, isLit), 0);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    helpVisible = true;
    overlay.drawHud();
    saveFrame("overlay-help");
    EXPECT_GT(countPixels(middle, isGreen), 2000);
    // The page runs from its first heading down to the respawn line.
    EXPECT_GT(countPixels(textAt(-25.0f, 30.0f, 200), isGreen), 50) << "\"Ship controls:\"";
    EXPECT_GT(countPixels(textAt(-20.0f, -20.0f, 200), isGreen), 50) << "\"r - respawn enemy\"";
}

TEST_F(OverlayTest, ReticleShowsAheadOfTheGunsOnlyInModesOneAndFour) {
    GunFire left, right;
    left.muzzle = Vec3(-0.5f, -0.3f, -2.0f);
    right.muzzle = Vec3(0.5f, -0.3f, -2.0f);
    ship->guns[0] = &left;
    ship->guns[1] = &right;
    ship->forward = Vec3(0.0f, 0.0f, -1.0f);
    selectShip();
    overlay.update(0.016f);
    // A plain white texture, so the marks show in the overlay's colour.
    const unsigned char white[2 * 2 * 3] = {255, 255, 255, 255, 255, 255,
                                            255, 255, 255, 255, 255, 255};
    glGenTextures(1, &overlay.texture);
    glBindTexture(GL_TEXTURE_2D, overlay.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, white);

    const Region screen{0, 0, surfaceWidth(), surfaceHeight()};
    for (std::uint8_t mode = 1; mode <= 4; ++mode) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        cameraMode = mode;
        overlay.drawReticle();
        const bool shown = mode == 1 || mode == 4;
        if (mode == 1)
            saveFrame("overlay-reticle");
        EXPECT_EQ(countPixels(screen, isGreen) > 100, shown) << "mode " << int(mode);
    }
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites);

    // The nearest marks stand 5 units ahead of each muzzle, left and right of the centre.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    cameraMode = 1;
    overlay.drawReticle();
    const int cx = surfaceWidth() / 2, cy = surfaceHeight() / 2;
    EXPECT_GT(countPixels({0, 0, cx - 10, surfaceHeight()}, isGreen), 50);
    EXPECT_GT(countPixels({cx + 10, 0, surfaceWidth(), surfaceHeight()}, isGreen), 50);
    EXPECT_EQ(countPixels({cx - 3, cy + 40, cx + 3, surfaceHeight()}, isLit), 0);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ship->guns[1] = nullptr;
    overlay.drawReticle();
    EXPECT_EQ(countPixels({cx + 10, 0, surfaceWidth(), surfaceHeight()}, isGreen), 0);
    EXPECT_GT(countPixels({0, 0, cx - 10, surfaceHeight()}, isGreen), 50);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    selectedShip = nullptr;
    overlay.drawReticle();
    EXPECT_EQ(countPixels(screen, isLit), 0);
    ship->guns[0] = nullptr;
    glDeleteTextures(1, &overlay.texture);
}
