#include "scene/bmp_image.h"
RgbImage* loadDibImage(const char*) { return nullptr; }
RgbImage* decodeDibImage(const unsigned char*, std::size_t, const char*) { return nullptr; }
void freeRgbImage(RgbImage*) {}
