#include "platform/font_raster.h"
namespace platform {
bool rasterizeFont(const char*, const char*, int, int, int, RasterFont*) { return false; }
}
