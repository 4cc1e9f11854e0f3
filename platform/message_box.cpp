// Error messages: standard error always (a message must survive a machine without a desktop),
// and a modal box when a display is there to show it.
#include "platform/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/video_state.h"

namespace platform {
namespace {

MessageCapture capture;

bool displayAvailable() {
    if (videoRunning())
        return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

} // namespace

void messageBox(const char* caption, const char* text) {
    if (!caption)
        caption = "";
    if (!text)
        text = "";
    if (capture) {
        capture(caption, text);
        return;
    }
    std::fprintf(stderr, "%s: %s\n", caption, text);
    if (!displayAvailable())
        return;
    // Owned by the full-screen window when there is one, so the window manager keeps the box
    // above it; a box hidden behind the window would wait for a click nobody can give.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, caption, text, videoWindow());
}

void setMessageCapture(MessageCapture newCapture) {
    capture = std::move(newCapture);
}

} // namespace platform
