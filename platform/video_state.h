// Internal to platform/: the SDL video subsystem that the window, the display mode, the event
// pump and the message box share.
#pragma once

struct SDL_Window;

namespace platform {

// Starts SDL's video (and with it the event queue and the handlers that turn SIGINT and
// SIGTERM into a quit event). False when there is no display to talk to.
bool startVideo();
bool videoRunning();
void stopVideo();
// The program's window, or null.
SDL_Window* videoWindow();

} // namespace platform
