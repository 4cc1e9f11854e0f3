// One start of SDL's video subsystem for the whole program, with the settings every part of the
// platform layer relies on.
#include <SDL.h>

#include <cstdlib>

#include "platform/display.h"
#include "platform/video_state.h"

namespace platform {
namespace {

bool started = false;

void applyHints() {
    // Closing the window is a request the program answers itself (its close handling), not a
    // second, separate quit.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The screen saver is held off only while our window has the focus (see the event pump).
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
}

void quitAtExit() {
    if (started)
        closeDisplay();
    SDL_Quit();
}

} // namespace

bool startVideo() {
    if (started)
        return true;
    applyHints();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    static bool exitHandlerRegistered = false;
    if (!exitHandlerRegistered) {
        // A mode switch left in force would outlive the program on X11.
        std::atexit(quitAtExit);
        exitHandlerRegistered = true;
    }
    started = true;
    return true;
}

bool videoRunning() {
    return started;
}

void stopVideo() {
    if (!started)
        return;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    started = false;
}

} // namespace platform
