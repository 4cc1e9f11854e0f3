// Internal to platform/: what the window code needs of the display-mode code.
#pragma once

struct SDL_Window;

namespace platform {

// Puts the window into full screen in the mode last set (the desktop's mode when none was set)
// and checks that the screen and the window's drawable really have that size.
bool enterFullScreen(SDL_Window* window);
// Forgets the mode last set (the display it belonged to has gone).
void forgetDisplayMode();

} // namespace platform
