// The screen overlay: status lines, the keyboard help page and the aiming reticle, drawn over the
// scene in the selected ship's colour. Text stands on a plane 100 units in front of the eye under
// the scene's own perspective, so its positions are world units on that plane.
// Depends on the game state, the selected ship and its guns, the camera, the frame clock, the
// shell's capability flags, the texture loader and the font of overlay_font.cpp.
#include "game/overlay.h"

#include <GL/gl.h>

#include <cstdio>

#include "app/app_window.h"
#include "app/frame_clock.h"
#include "effects/gun_fire.h"
#include "game/game_state.h"
#include "math/camera.h"
#include "scene/model_object.h"
#include "scene/texture.h"

namespace {

constexpr std::size_t kLineBufferSize = 256;
constexpr float kHudPlaneDistance = 100.0f;

struct HelpLine {
    float x;
    float y;
    const char* text;
};

// Headings at x -25, entries at -20; 2.2 between lines, 3.0 from an entry to the next heading.
const HelpLine kHelpPage[] = {
    {-25.0f, 30.0f, "Ship controls:"},
    {-20.0f, 27.0f, "q - increase engine power"},
    {-20.0f, 24.8f, "a - decrease engine power"},
    {-20.0f, 22.6f, "s - stop engine"},
    {-20.0f, 20.4f, "w - direction compensator"},
    {-20.0f, 18.2f, "num 4,6 - turn left/right"},
    {-20.0f, 16.0f, "num 8,2 - turn up/down"},
    {-20.0f, 13.8f, "num 7,9 - roll left/right"},
    {-25.0f, 10.8f, "Change camera mode:"},
    {-20.0f, 8.6f, "1 - follow ship"},
    {-20.0f, 6.4f, "2 - fixed camera (rear)"},
    {-20.0f, 4.2f, "3 - drop camera behind ship"},
    {-20.0f, 2.0f, "4 - follow behind ship"},
    {-25.0f, -0.2f, "Change ship:"},
    {-20.0f, -2.4f, "F2 - Kavo Ship"},
    {-20.0f, -4.6f, "F3 - Kavo Transport"},
    {-20.0f, -6.8f, "F4 - Kavo Enemy"},
    {-20.0f, -9.0f, "c  - free camera"},
    {-25.0f, -11.2f, "Special:"},
    {-20.0f, -13.4f, "space - fire"},
    {-20.0f, -15.6f, "d - drop cargo"},
    {-20.0f, -17.8f, "e - explode enemy"},
    {-20.0f, -20.0f, "r - respawn enemy"},
};

void drawShipStatus(const ShipObject& ship) {
    char line[kLineBufferSize];
    std::snprintf(line, sizeof line, "Engine power: % 7.4f", double(ship.enginePower));
    drawTextLine(-54.0f, 38.0f, line);
    std::snprintf(line, sizeof line, "Direction compensator: %s",
                  ship.compensatorOn ? "on" : "off");
    drawTextLine(-54.0f, 35.0f, line);
    std::snprintf(line, sizeof line, "Speed: % 7.4f", double(ship.currentVelocity().length()));
    drawTextLine(-54.0f, -39.0f, line);
    std::snprintf(line, sizeof line, "Camera: % i", int(cameraMode));
    drawTextLine(-3.0f, -39.0f, line);
}

void drawFreeCameraStatus() {
    drawTextLine(-54.0f, 38.0f, "No Player Ship Selected");
    drawTextLine(-3.0f, -39.0f, "Free Camera");
}

void drawRendererStatus() {
    char line[kLineBufferSize];
    std::snprintf(line, sizeof line, "FPS: % i", int(frameClock.fps));
    drawTextLine(30.0f, 38.0f, line);
    drawTextLine(30.0f, 35.0f, vboSupported ? "VBO supported" : "VBO not supported");
    if (multisampleOn) {
        std::snprintf(line, sizeof line, "% i X Multisampling", int(sampleCount));
        drawTextLine(30.0f, 32.0f, line);
    } else {
        drawTextLine(30.0f, 32.0f, "No Multisampling");
    }
}

void drawHelpPage() {
    for (const HelpLine& line : kHelpPage)
        drawTextLine(line.x, line.y, line.text);
}

// One camera-facing square around `centre`, spanned by the billboard axes.
void drawReticleMark(const Vec3& centre, const Vec3& up, const Vec3& right) {
    const Vec3 corners[4] = {centre + up + right, centre + up - right, centre - up + right,
                             centre - up - right};
    const float texCoords[4][2] = {{1.0f, 1.0f}, {0.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}};
    glBegin(GL_TRIANGLE_STRIP);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(texCoords[i][0], texCoords[i][1]);
        glVertex3f(corners[i].x, corners[i].y, corners[i].z);
    }
    glEnd();
}

} // namespace

bool Overlay::loadTexture(const char* fileName) {
    return loadBmpTexture(fileName, texture);
}

void Overlay::draw() {
    drawHud();
    drawReticle();
}

// The colour changes only here, so a newly selected ship's colour shows from the next tick.
void Overlay::update(float) {
    const ShipObject* ship = currentSelectedShip();
    const float white[3] = {1.0f, 1.0f, 1.0f};
    const float* source = ship ? ship->hudColor : white;
    for (int i = 0; i < 3; ++i)
        color[i] = source[i];
}

void Overlay::drawHud() {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -kHudPlaneDistance);
    // The raster colour is latched from the current colour by each glRasterPos.
    glColor3fv(color);

    drawTextLine(-5.0f, 38.0f, "F1 - Keyboard help");
    if (const ShipObject* ship = currentSelectedShip())
        drawShipStatus(*ship);
    else
        drawFreeCameraStatus();
    drawRendererStatus();
    if (helpVisible)
        drawHelpPage();

    // Texturing stays off: whatever draws next enables it when it needs it.
    glEnable(GL_DEPTH_TEST);
}

// Marks at 5, 20, 45 and 80 units ahead of each gun show where the shots will pass.
void Overlay::drawReticle() {
    const ShipObject* ship = currentSelectedShip();
    if (!ship || (cameraMode != 1 && cameraMode != 4))
        return;

    camera.applyLookAt();
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDepthMask(GL_FALSE);
    glBindTexture(GL_TEXTURE_2D, texture);

    const Vec3 up = camera.up * reticleSize;
    const Vec3 right = camera.right * reticleSize;
    for (int i = 1; i <= 4; ++i) {
        glColor4f(color[0], color[1], color[2], 1.0f);
        const float distance = 5.0f * float(i * i);
        for (const Weapon* gun : ship->guns)
            if (gun)
                drawReticleMark(gun->muzzle + ship->forward * distance, up, right);
    }

    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}
