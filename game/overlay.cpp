#include "game/overlay.h"
unsigned int fontBase = 0;
void buildFont() {}
void deleteFont() {}
bool Overlay::loadTexture(const char*) { return false; }
void Overlay::draw() {}
void Overlay::update(float) {}
void Overlay::drawHud() {}
void Overlay::drawReticle() {}
