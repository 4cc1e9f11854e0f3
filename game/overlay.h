// The screen overlay: status lines, the keyboard help page and the aiming reticle, drawn after the
// scene in the selected ship's colour with a bitmap font of 96 display lists.
#pragma once

extern unsigned int fontBase; // display list of character 32; fontBase + c - 32 draws c

// Builds the 96 glyph lists from the "Agency FB" face (or the fallback) sized to the window.
void buildFont();
// Deletes the glyph lists; needs the context that built them.
void deleteFont();
// Draws one line of text in the current colour with its first glyph at (x, y) of the current
// modelview and projection.
void drawTextLine(float x, float y, const char* text);

class Overlay {
  public:
    virtual ~Overlay() = default;
    virtual bool loadTexture(const char* fileName);
    virtual void draw();
    virtual void update(float dt);
    virtual void drawHud();
    virtual void drawReticle();

    unsigned int texture = 0;
    float reticleSize = 0.2f;
    float color[3] = {1.0f, 1.0f, 1.0f};
};
