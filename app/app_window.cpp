// The full-screen window: the display mode from "res.cfg", then a borderless window covering the
// screen in that mode. Also home of the window and context globals the other parts read.
#include "app/app_window.h"

#include "app/display_settings.h"
#include "platform/display.h"

unsigned char keyState[256];
bool vboSupported = false;
PFNGLGENBUFFERSARBPROC glGenBuffersARB = nullptr;
PFNGLBINDBUFFERARBPROC glBindBufferARB = nullptr;
PFNGLBUFFERDATAARBPROC glBufferDataARB = nullptr;
PFNGLDELETEBUFFERSARBPROC glDeleteBuffersARB = nullptr;
bool multisampleOn = false;
std::int32_t chosenPixelFormat = 0;
std::int32_t sampleCount = 0;
bool renderingContextExists = false;

bool createAppWindow() {
    readDisplaySettings();
    // A mode the screen refuses ends start-up: the user is told to change "res.cfg".
    if (!platform::changeDisplayMode(displayMode))
        return false;
    // The size the screen really has in the new mode, which is what the window must cover.
    int width = 0;
    int height = 0;
    platform::screenSize(&width, &height);
    return platform::createWindow(kWindowTitle, width, height);
}
