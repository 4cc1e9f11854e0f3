// Pixel formats as GLX frame-buffer configurations: glXChooseFBConfig does the search that a
// Windows program hands to ChoosePixelFormat or wglChoosePixelFormatARB.
#include "platform/glx_formats.h"

#include <GL/glx.h>

#include <vector>

namespace platform {
namespace {

// Colour bits are asked per channel the way a Windows pixel format spreads them (a quarter of
// the total each); GLX then prefers the deepest that the screen has.
int channelBits(int colorBits) {
    int bits = colorBits / 4;
    if (bits < 1)
        return 1;
    return bits > 8 ? 8 : bits;
}

std::vector<int> requestAttributes(const PixelFormatRequest& request) {
    std::vector<int> attributes = {
        GLX_X_RENDERABLE,  True,
        GLX_DRAWABLE_TYPE, GLX_WINDOW_BIT,
        GLX_RENDER_TYPE,   GLX_RGBA_BIT,
        GLX_RED_SIZE,      channelBits(request.colorBits),
        GLX_GREEN_SIZE,    channelBits(request.colorBits),
        GLX_BLUE_SIZE,     channelBits(request.colorBits),
        GLX_ALPHA_SIZE,    request.alphaBits,
        GLX_DEPTH_SIZE,    request.depthBits,
        GLX_STENCIL_SIZE,  request.stencilBits,
        GLX_DOUBLEBUFFER,  request.doubleBuffer ? True : False,
    };
    if (request.sampleBuffers > 0) {
        attributes.insert(attributes.end(), {GLX_SAMPLE_BUFFERS, request.sampleBuffers, GLX_SAMPLES,
                                             request.samples});
    }
    attributes.push_back(None);
    return attributes;
}

int attribute(Display* display, GLXFBConfig config, int name) {
    int value = 0;
    glXGetFBConfigAttrib(display, config, name, &value);
    return value;
}

GlxFormat describe(Display* display, GLXFBConfig config) {
    GlxFormat format;
    format.id = attribute(display, config, GLX_FBCONFIG_ID);
    format.visualId = static_cast<unsigned long>(attribute(display, config, GLX_VISUAL_ID));
    format.redBits = attribute(display, config, GLX_RED_SIZE);
    format.greenBits = attribute(display, config, GLX_GREEN_SIZE);
    format.blueBits = attribute(display, config, GLX_BLUE_SIZE);
    format.alphaBits = attribute(display, config, GLX_ALPHA_SIZE);
    format.depthBits = attribute(display, config, GLX_DEPTH_SIZE);
    format.stencilBits = attribute(display, config, GLX_STENCIL_SIZE);
    format.doubleBuffer = attribute(display, config, GLX_DOUBLEBUFFER) != 0;
    format.sampleBuffers = attribute(display, config, GLX_SAMPLE_BUFFERS);
    format.samples = attribute(display, config, GLX_SAMPLES);
    return format;
}

// A configuration without a visual cannot back a window.
bool usable(const GlxFormat& format) {
    return format.id != 0 && format.visualId != 0;
}

} // namespace

bool findGlxFormat(Display* display, int screen, const PixelFormatRequest& request,
                   unsigned long preferredVisual, GlxFormat* format) {
    std::vector<int> attributes = requestAttributes(request);
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, screen, attributes.data(), &count);
    bool found = false;
    for (int i = 0; i < count; ++i) {
        GlxFormat candidate = describe(display, configs[i]);
        // A plain request gets a plain format, as ChoosePixelFormat never offers multisampling.
        if (!usable(candidate) || (request.sampleBuffers <= 0 && candidate.sampleBuffers > 0))
            continue;
        // The list is best first; take the first, unless one further down is the window's own.
        if (!found ||
            (candidate.visualId == preferredVisual && format->visualId != preferredVisual)) {
            *format = candidate;
            found = true;
        }
    }
    if (configs)
        XFree(configs);
    return found;
}

bool describeGlxFormat(Display* display, int screen, int id, GlxFormat* format) {
    if (id <= 0)
        return false;
    const int attributes[] = {GLX_FBCONFIG_ID, id, None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, screen, attributes, &count);
    bool found = false;
    if (configs && count > 0) {
        *format = describe(display, configs[0]);
        found = usable(*format) && format->id == id;
    }
    if (configs)
        XFree(configs);
    return found;
}

} // namespace platform
