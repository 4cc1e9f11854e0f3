#include "app/app_window.h"
unsigned char keyState[256];
bool vboSupported = false;
PFNGLGENBUFFERSARBPROC glGenBuffersARB = nullptr;
PFNGLBINDBUFFERARBPROC glBindBufferARB = nullptr;
PFNGLBUFFERDATAARBPROC glBufferDataARB = nullptr;
PFNGLDELETEBUFFERSARBPROC glDeleteBuffersARB = nullptr;
bool multisampleOn = false;
std::int32_t chosenPixelFormat = 0;
std::int32_t sampleCount = 0;
bool createAppWindow() { return false; }
bool setUpRenderingContext(std::int32_t) { return false; }
bool hasGLExtension(const char*) { return false; }
bool hasWGLExtension(const char*) { return false; }
void setUpViewport() {}
void shutDown() {}
long windowProc(const platform::WindowMessage&) { return 0; }
