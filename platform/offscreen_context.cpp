// Offscreen GL context over EGL: Mesa's surfaceless platform with a pbuffer surface, so tests and
// benchmarks draw with the same GL as the program and need no display.
#include "platform/offscreen_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include "platform/offscreen_state.h"

namespace platform {
namespace {

EGLDisplay offscreenDisplay = EGL_NO_DISPLAY;
EGLSurface offscreenSurface = EGL_NO_SURFACE;
EGLContext offscreenContext = EGL_NO_CONTEXT;
bool offscreenIsCurrent = false;

EGLDisplay openSurfacelessDisplay() {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay)
        return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

bool chooseConfig(EGLConfig* config) {
    const EGLint attributes[] = {EGL_SURFACE_TYPE,
                                 EGL_PBUFFER_BIT,
                                 EGL_RENDERABLE_TYPE,
                                 EGL_OPENGL_BIT,
                                 EGL_RED_SIZE,
                                 8,
                                 EGL_GREEN_SIZE,
                                 8,
                                 EGL_BLUE_SIZE,
                                 8,
                                 EGL_ALPHA_SIZE,
                                 8,
                                 EGL_DEPTH_SIZE,
                                 16,
                                 EGL_NONE};
    EGLint count = 0;
    return eglChooseConfig(offscreenDisplay, attributes, config, 1, &count) && count == 1;
}

} // namespace

bool createOffscreenContext(int width, int height) {
    destroyOffscreenContext();
    offscreenDisplay = openSurfacelessDisplay();
    if (offscreenDisplay == EGL_NO_DISPLAY || !eglInitialize(offscreenDisplay, nullptr, nullptr))
        return false;
    EGLConfig config;
    if (!eglBindAPI(EGL_OPENGL_API) || !chooseConfig(&config)) {
        destroyOffscreenContext();
        return false;
    }
    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    offscreenSurface = eglCreatePbufferSurface(offscreenDisplay, config, surfaceAttributes);
    // The program draws with the fixed-function pipeline, so ask for a compatibility profile.
    const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                        EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    offscreenContext =
        eglCreateContext(offscreenDisplay, config, EGL_NO_CONTEXT, contextAttributes);
    if (offscreenSurface == EGL_NO_SURFACE || offscreenContext == EGL_NO_CONTEXT ||
        !eglMakeCurrent(offscreenDisplay, offscreenSurface, offscreenSurface, offscreenContext)) {
        destroyOffscreenContext();
        return false;
    }
    offscreenIsCurrent = true;
    setOffscreenSize(width, height);
    return true;
}

void destroyOffscreenContext() {
    if (offscreenDisplay == EGL_NO_DISPLAY)
        return;
    eglMakeCurrent(offscreenDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (offscreenContext != EGL_NO_CONTEXT)
        eglDestroyContext(offscreenDisplay, offscreenContext);
    if (offscreenSurface != EGL_NO_SURFACE)
        eglDestroySurface(offscreenDisplay, offscreenSurface);
    eglTerminate(offscreenDisplay);
    offscreenDisplay = EGL_NO_DISPLAY;
    offscreenSurface = EGL_NO_SURFACE;
    offscreenContext = EGL_NO_CONTEXT;
    offscreenIsCurrent = false;
    setOffscreenSize(0, 0);
}

bool makeOffscreenContextCurrent(bool current) {
    if (offscreenContext == EGL_NO_CONTEXT)
        return false;
    EGLBoolean done =
        current
            ? eglMakeCurrent(offscreenDisplay, offscreenSurface, offscreenSurface, offscreenContext)
            : eglMakeCurrent(offscreenDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (done)
        offscreenIsCurrent = current;
    return done;
}

bool offscreenContextCurrent() {
    return offscreenContext != EGL_NO_CONTEXT && offscreenIsCurrent;
}

void* offscreenProcAddress(const char* name) {
    return reinterpret_cast<void*>(eglGetProcAddress(name));
}

} // namespace platform

namespace platform {
namespace {
int surfaceWidth = 0;
int surfaceHeight = 0;
} // namespace

void setOffscreenSize(int width, int height) {
    surfaceWidth = width;
    surfaceHeight = height;
}

void offscreenSize(int* width, int* height) {
    *width = surfaceWidth;
    *height = surfaceHeight;
}
} // namespace platform
