// The full-screen window and its GL context over SDL, with GLX frame-buffer configurations as
// the pixel formats. X11 fixes a window's visual when the window is made, so giving a window a
// format it was not made with means making a new window.
#include "platform/display.h"

#include <GL/glx.h>
#include <SDL.h>
#include <SDL_syswm.h>

#include <string>

#include "platform/display_state.h"
#include "platform/glx_formats.h"
#include "platform/offscreen_state.h"
#include "platform/video_state.h"

namespace platform {
namespace {

SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
bool contextCurrent = false;
std::string windowTitle;
int windowWidth = 0;
int windowHeight = 0;
// The format the next window is made with; until one is set, SDL picks for the plain request.
GlxFormat windowFormat;
bool windowFormatSet = false;

struct X11Window {
    Display* display = nullptr;
    int screen = 0;
    unsigned long visualId = 0;
};

bool describeX11Window(SDL_Window* sdlWindow, X11Window* x11) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!sdlWindow || !SDL_GetWindowWMInfo(sdlWindow, &info) || info.subsystem != SDL_SYSWM_X11)
        return false;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes))
        return false;
    x11->display = info.info.x11.display;
    x11->screen = XScreenNumberOfScreen(attributes.screen);
    x11->visualId = XVisualIDFromVisual(attributes.visual);
    return true;
}

// What SDL is asked for when it makes the window (its visual) and the context: a
// compatibility profile for the fixed-function drawing, double buffered, 16 depth bits at least,
// and once a format is set, exactly that format's visual and buffers.
void requestWindowAttributes() {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    if (!windowFormatSet) {
        SDL_ResetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID);
        return;
    }
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, windowFormat.redBits);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, windowFormat.greenBits);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, windowFormat.blueBits);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, windowFormat.alphaBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, windowFormat.depthBits);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, windowFormat.stencilBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, windowFormat.doubleBuffer ? 1 : 0);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, windowFormat.sampleBuffers);
    SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, windowFormat.samples);
    SDL_SetHint(SDL_HINT_VIDEO_X11_WINDOW_VISUALID, std::to_string(windowFormat.visualId).c_str());
}

// A new window, full screen in the mode set and shown; null when the screen would not take it.
SDL_Window* openWindow() {
    requestWindowAttributes();
    // Made hidden so that it appears only once it covers the screen in the right mode.
    SDL_Window* opened =
        SDL_CreateWindow(windowTitle.c_str(), 0, 0, windowWidth, windowHeight,
                         SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
    if (!opened)
        return nullptr;
    if (!enterFullScreen(opened)) {
        SDL_DestroyWindow(opened);
        return nullptr;
    }
    SDL_ShowCursor(SDL_DISABLE);
    // The game reads keys, not typed text; no input method needs to see them.
    SDL_StopTextInput();
    SDL_RaiseWindow(opened);
    return opened;
}

// Replaces the window by one with the format's visual. The new window goes full screen before
// the old one goes, so the screen keeps its mode in between.
bool rebuildWindow() {
    SDL_Window* replacement = openWindow();
    if (!replacement)
        return false;
    SDL_DestroyWindow(window);
    window = replacement;
    X11Window x11;
    return describeX11Window(window, &x11) && x11.visualId == windowFormat.visualId;
}

} // namespace

bool createWindow(const char* title, int width, int height) {
    if (!startVideo())
        return false;
    destroyWindow();
    windowTitle = title ? title : "";
    windowWidth = width;
    windowHeight = height;
    window = openWindow();
    if (!window)
        restoreDisplayMode();
    return window != nullptr;
}

void destroyWindow() {
    if (!window)
        return;
    if (contextCurrent)
        SDL_GL_MakeCurrent(window, nullptr);
    contextCurrent = false;
    SDL_DestroyWindow(window);
    window = nullptr;
    restoreDisplayMode();
    // Without our window in front the screen saver may run again.
    SDL_EnableScreenSaver();
}

bool windowExists() {
    return window != nullptr;
}

void clientSize(int* width, int* height) {
    if (window) {
        SDL_GL_GetDrawableSize(window, width, height);
        return;
    }
    offscreenSize(width, height);
}

void showCursor(bool visible) {
    if (videoRunning())
        SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

int choosePixelFormat(const PixelFormatRequest& request) {
    X11Window x11;
    GlxFormat format;
    if (!describeX11Window(window, &x11) ||
        !findGlxFormat(x11.display, x11.screen, request, x11.visualId, &format))
        return 0;
    return format.id;
}

int chooseMultisampleFormat(const PixelFormatRequest& request) {
    if (request.samples <= 0)
        return 0;
    PixelFormatRequest multisample = request;
    multisample.sampleBuffers = 1;
    X11Window x11;
    GlxFormat format;
    if (!describeX11Window(window, &x11) ||
        !findGlxFormat(x11.display, x11.screen, multisample, 0, &format))
        return 0;
    if (format.sampleBuffers < 1 || format.samples < request.samples)
        return 0;
    return format.id;
}

bool setPixelFormat(int format) {
    // A context fixes the window's format for good, as on Windows.
    if (context)
        return false;
    X11Window x11;
    GlxFormat described;
    if (!describeX11Window(window, &x11) ||
        !describeGlxFormat(x11.display, x11.screen, format, &described))
        return false;
    windowFormat = described;
    windowFormatSet = true;
    if (described.visualId == x11.visualId) {
        requestWindowAttributes();
        return true;
    }
    return rebuildWindow();
}

bool createContext() {
    if (!window || context)
        return false;
    context = SDL_GL_CreateContext(window);
    // SDL makes a new context current at once.
    contextCurrent = context != nullptr;
    return context != nullptr;
}

bool makeCurrent(bool current) {
    if (!current) {
        if (window && contextCurrent)
            SDL_GL_MakeCurrent(window, nullptr);
        contextCurrent = false;
        return true;
    }
    if (!window || !context || SDL_GL_MakeCurrent(window, context) != 0)
        return false;
    contextCurrent = true;
    return true;
}

void deleteContext() {
    if (!context)
        return;
    SDL_GL_DeleteContext(context);
    context = nullptr;
    contextCurrent = false;
}

void swapBuffers() {
    if (window)
        SDL_GL_SwapWindow(window);
}

void* getProcAddress(const char* name) {
    if (!name)
        return nullptr;
    if (contextCurrent)
        return SDL_GL_GetProcAddress(name);
    if (offscreenContextCurrent())
        return offscreenProcAddress(name);
    return nullptr;
}

const char* windowSystemExtensions() {
    X11Window x11;
    if (!describeX11Window(window, &x11))
        return nullptr;
    return glXQueryExtensionsString(x11.display, x11.screen);
}

void closeDisplay() {
    deleteContext();
    destroyWindow();
    windowFormatSet = false;
    forgetDisplayMode();
    stopVideo();
}

SDL_Window* videoWindow() {
    return window;
}

} // namespace platform
