#include "scene/texture.h"
bool loadBmpTexture(const char*, unsigned int&) { return false; }
