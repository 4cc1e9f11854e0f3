// The window's OpenGL context: pixel format, context, the vertex-buffer and multisample
// extensions, the fixed GL state and the projection. A multisample format can only be given to a
// new window, so when one is found the window is built a second time.
#include <GL/gl.h>
#include <GL/glu.h>

#include "app/app_window.h"
#include "app/display_settings.h"
#include "app/extension_list.h"
#include "app/multisample_search.h"
#include "platform/display.h"

namespace {

constexpr GLenum kMultisample = 0x809D; // GL_MULTISAMPLE_ARB
constexpr double kFieldOfViewDegrees = 45.0;
// The near plane as the single-precision 0.1 the scene was tuned with.
constexpr float kNearPlane = 0.1f;
constexpr double kFarPlane = 1500000.0;

platform::PixelFormatRequest singleSampleRequest() {
    platform::PixelFormatRequest request;
    request.colorBits = int(displaySettings.bitsPerPixel);
    request.alphaBits = 0;
    request.depthBits = 16;
    request.stencilBits = 0;
    request.doubleBuffer = true;
    return request;
}

platform::PixelFormatRequest multisampleRequest(std::uint32_t samples) {
    platform::PixelFormatRequest request = singleSampleRequest();
    request.alphaBits = 8;
    request.sampleBuffers = 1;
    request.samples = int(samples);
    return request;
}

bool createCurrentContext(std::int32_t pixelFormat) {
    const int format =
        pixelFormat != 0 ? pixelFormat : platform::choosePixelFormat(singleSampleRequest());
    if (format == 0 || !platform::setPixelFormat(format))
        return false;
    if (!platform::createContext())
        return false;
    renderingContextExists = true;
    return platform::makeCurrent(true);
}

template <typename Pointer> Pointer entryPoint(const char* name) {
    return reinterpret_cast<Pointer>(platform::getProcAddress(name));
}

int findMultisampleFormat(std::uint32_t* samples) {
    return searchMultisampleFormat(
        std::uint32_t(displaySettings.multisampleSamples),
        [](std::uint32_t count) {
            return platform::chooseMultisampleFormat(multisampleRequest(count));
        },
        samples);
}

void releaseContextAndWindow() {
    platform::makeCurrent(false);
    platform::deleteContext();
    renderingContextExists = false;
    platform::destroyWindow();
}

} // namespace

void setUpVertexBuffers() {
    vboSupported = hasGLExtension("GL_ARB_vertex_buffer_object");
    if (displaySettings.useVertexBuffers == 0) {
        vboSupported = false;
        return;
    }
    if (!vboSupported)
        return;
    glGenBuffersARB = entryPoint<PFNGLGENBUFFERSARBPROC>("glGenBuffersARB");
    glBindBufferARB = entryPoint<PFNGLBINDBUFFERARBPROC>("glBindBufferARB");
    glBufferDataARB = entryPoint<PFNGLBUFFERDATAARBPROC>("glBufferDataARB");
    glDeleteBuffersARB = entryPoint<PFNGLDELETEBUFFERSARBPROC>("glDeleteBuffersARB");
    // Models would call through these pointers: without all four, display lists must do.
    if (!glGenBuffersARB || !glBindBufferARB || !glBufferDataARB || !glDeleteBuffersARB)
        vboSupported = false;
}

void setFixedState() {
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glShadeModel(GL_SMOOTH);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glHint(GL_POINT_SMOOTH_HINT, GL_NICEST);
    glDrawBuffer(GL_BACK);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    if (multisampleOn)
        glEnable(kMultisample);
}

bool hasGLExtension(const char* name) {
    return extensionListHas(reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS)), name);
}

bool hasWGLExtension(const char* name) {
    const char* list = platform::windowSystemExtensions();
    if (!list)
        list = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensionListHas(list, name);
}

void setUpViewport() {
    int width = 0;
    int height = 0;
    platform::clientSize(&width, &height);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A window with no height yet would give an infinite aspect and a broken projection.
    const double aspect = height > 0 ? double(width) / double(height) : 1.0;
    gluPerspective(kFieldOfViewDegrees, aspect, kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool setUpRenderingContext(std::int32_t pixelFormat) {
    if (!createCurrentContext(pixelFormat))
        return false;
    setUpVertexBuffers();
    setFixedState();
    setUpViewport();
    // Second pass: the window already has the multisample format.
    if (pixelFormat != 0)
        return true;
    multisampleOn = false;
    if (!hasWGLExtension("GLX_ARB_multisample") || displaySettings.multisampleSamples <= 0)
        return true;
    std::uint32_t samples = 0;
    const int format = findMultisampleFormat(&samples);
    // No multisample format at any count is not an error: the single-sample context stays.
    if (format == 0)
        return true;
    multisampleOn = true;
    chosenPixelFormat = format;
    sampleCount = std::int32_t(samples);
    releaseContextAndWindow();
    if (!createAppWindow())
        return false;
    return setUpRenderingContext(chosenPixelFormat);
}
