// Internal to platform/: what the window code needs to know of the offscreen context, so that
// client size and entry points answer for whichever context is in use.
#pragma once

namespace platform {

bool offscreenContextCurrent();
void* offscreenProcAddress(const char* name);
void setOffscreenSize(int width, int height);
// 0 x 0 when there is no offscreen context.
void offscreenSize(int* width, int* height);

} // namespace platform
