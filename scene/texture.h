// Turning a .bmp file into an OpenGL texture. Every call makes a new texture name.
#pragma once

// True when a texture was created and its name stored in `textureName` (left untouched on failure).
bool loadBmpTexture(const char* fileName, unsigned int& textureName);
