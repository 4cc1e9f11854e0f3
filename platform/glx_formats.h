// Internal to platform/: the GLX frame-buffer configurations that stand for pixel formats. A
// pixel format number is a configuration's GLX_FBCONFIG_ID.
#pragma once

#include <X11/Xlib.h>

#include "platform/display.h"

namespace platform {

// What a configuration really has, in the terms the window needs at creation.
struct GlxFormat {
    int id = 0;
    unsigned long visualId = 0;
    int redBits = 0, greenBits = 0, blueBits = 0, alphaBits = 0;
    int depthBits = 0, stencilBits = 0;
    bool doubleBuffer = false;
    int sampleBuffers = 0, samples = 0;
};

// The best configuration for the request, preferring one drawn through `preferredVisual` (the
// window's own, so that no rebuild is needed). False when none fits.
bool findGlxFormat(Display* display, int screen, const PixelFormatRequest& request,
                   unsigned long preferredVisual, GlxFormat* format);
// The configuration with this number; false when there is none.
bool describeGlxFormat(Display* display, int screen, int id, GlxFormat* format);

} // namespace platform
