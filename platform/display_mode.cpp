// Full-screen display modes over SDL. SDL does not report a mode switch that did not happen, so
// every switch is checked against what the screen and the window then really have.
#include <SDL.h>

#include "platform/display.h"
#include "platform/display_state.h"
#include "platform/video_state.h"

namespace platform {
namespace {

SDL_DisplayMode chosenMode{};
bool modeChosen = false;
bool fullScreenActive = false;

// How long a window system may take to resize the window to the new mode.
constexpr Uint32 kResizeTimeoutMs = 2000;

int displayOf(SDL_Window* window) {
    int index = window ? SDL_GetWindowDisplayIndex(window) : 0;
    return index < 0 ? 0 : index;
}

// The mode the full-screen window should use: the one set, else the desktop's own.
bool targetMode(SDL_Window* window, SDL_DisplayMode* mode) {
    if (modeChosen) {
        *mode = chosenMode;
        return true;
    }
    return SDL_GetDesktopDisplayMode(displayOf(window), mode) == 0;
}

bool screenHasSize(SDL_Window* window, int width, int height) {
    SDL_DisplayMode current{};
    if (SDL_GetCurrentDisplayMode(displayOf(window), &current) != 0)
        return false;
    return current.w == width && current.h == height;
}

// The window system resizes the window asynchronously; wait (bounded) until it has.
bool drawableReachesSize(SDL_Window* window, int width, int height) {
    Uint32 start = SDL_GetTicks();
    for (;;) {
        int drawableWidth = 0, drawableHeight = 0;
        SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
        if (drawableWidth == width && drawableHeight == height)
            return true;
        if (SDL_GetTicks() - start > kResizeTimeoutMs)
            return false;
        SDL_Delay(10);
        SDL_PumpEvents();
    }
}

} // namespace

bool changeDisplayMode(const DisplayMode& mode) {
    if (!startVideo())
        return false;
    SDL_Window* window = videoWindow();
    // X11 has no colour depth per mode, so the depth asked for is not matched; a refresh rate
    // the screen lacks (Xvfb reports 0) only steers the choice among modes of that size.
    SDL_DisplayMode wanted{};
    wanted.w = int(mode.width);
    wanted.h = int(mode.height);
    wanted.refresh_rate = int(mode.refreshRate);
    SDL_DisplayMode closest{};
    if (!SDL_GetClosestDisplayMode(displayOf(window), &wanted, &closest))
        return false;
    if (closest.w != wanted.w || closest.h != wanted.h)
        return false;
    chosenMode = closest;
    modeChosen = true;
    // Without a window the switch happens when the window goes full screen.
    if (!window)
        return true;
    return enterFullScreen(window);
}

void restoreDisplayMode() {
    SDL_Window* window = videoWindow();
    // Leaving full screen is what makes SDL give the desktop its mode back.
    if (window && fullScreenActive)
        SDL_SetWindowFullscreen(window, 0);
    fullScreenActive = false;
}

void screenSize(int* width, int* height) {
    *width = 0;
    *height = 0;
    SDL_DisplayMode mode{};
    if (modeChosen) {
        mode = chosenMode;
    } else if (!videoRunning() || SDL_GetDesktopDisplayMode(displayOf(videoWindow()), &mode) != 0) {
        return;
    }
    *width = mode.w;
    *height = mode.h;
}

bool enterFullScreen(SDL_Window* window) {
    SDL_DisplayMode mode{};
    if (!targetMode(window, &mode))
        return false;
    if (SDL_SetWindowDisplayMode(window, &mode) != 0)
        return false;
    if (SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN) != 0)
        return false;
    // SDL switches the mode of a hidden or minimised window only when it is shown again (it
    // minimises a full-screen window that loses the focus).
    Uint32 flags = SDL_GetWindowFlags(window);
    if (!(flags & SDL_WINDOW_SHOWN))
        SDL_ShowWindow(window);
    if (flags & SDL_WINDOW_MINIMIZED)
        SDL_RestoreWindow(window);
    fullScreenActive = true;
    return screenHasSize(window, mode.w, mode.h) && drawableReachesSize(window, mode.w, mode.h);
}

void forgetDisplayMode() {
    modeChosen = false;
    fullScreenActive = false;
}

} // namespace platform
