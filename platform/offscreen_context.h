// An OpenGL compatibility context with no window, for tests and benchmarks: EGL pbuffer on Mesa's
// surfaceless platform. Needs no display.
#pragma once

namespace platform {

// Creates the context with a width x height colour + depth surface and makes it current.
bool createOffscreenContext(int width, int height);
void destroyOffscreenContext();
// Releases the context from this thread (false) or makes it current again (true). A thread has
// one current context: an X window's context cannot be made current while this one is.
bool makeOffscreenContextCurrent(bool current);

} // namespace platform
