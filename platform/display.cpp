#include "platform/display.h"
namespace platform {
bool changeDisplayMode(const DisplayMode&) { return false; }
void restoreDisplayMode() {}
void screenSize(int* w, int* h) { *w = 0; *h = 0; }
bool createWindow(const char*, int, int) { return false; }
void destroyWindow() {}
bool windowExists() { return false; }
void clientSize(int* w, int* h) { *w = 0; *h = 0; }
void showCursor(bool) {}
int choosePixelFormat(const PixelFormatRequest&) { return 0; }
int chooseMultisampleFormat(const PixelFormatRequest&) { return 0; }
bool setPixelFormat(int) { return false; }
bool createContext() { return false; }
bool makeCurrent(bool) { return false; }
void deleteContext() {}
void swapBuffers() {}
void* getProcAddress(const char*) { return nullptr; }
const char* windowSystemExtensions() { return nullptr; }
}
