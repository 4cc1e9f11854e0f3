// The window, display mode and rendering context: start-up of the full-screen window and its GL
// context (with the multisample pass that rebuilds the window once), the window procedure, and the
// ordered tear-down.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdint>

#include "platform/events.h"

constexpr const char* kWindowTitle = "Kavo Ship - OpenGL";

extern unsigned char keyState[256];
extern bool vboSupported;
extern PFNGLGENBUFFERSARBPROC glGenBuffersARB;
extern PFNGLBINDBUFFERARBPROC glBindBufferARB;
extern PFNGLBUFFERDATAARBPROC glBufferDataARB;
extern PFNGLDELETEBUFFERSARBPROC glDeleteBuffersARB;
extern bool multisampleOn;
extern std::int32_t chosenPixelFormat;
extern std::int32_t sampleCount;
// A GL context was created for the window and not yet deleted; tear-down and the activation
// handling leave the context alone when there is none.
extern bool renderingContextExists;

bool createAppWindow();
// `pixelFormat` 0 on the first pass; the multisample pass calls itself with the chosen format.
bool setUpRenderingContext(std::int32_t pixelFormat);
bool hasGLExtension(const char* name);
// Searches the window system's extension string (GLX here), or GL's when there is none.
bool hasWGLExtension(const char* name);
void setUpViewport();
// Decides `vboSupported` from the extension and the settings, and fetches the four entry points.
void setUpVertexBuffers();
// The fixed GL state every context of the program starts with.
void setFixedState();
void shutDown();
long windowProc(const platform::WindowMessage& message);
