// Display modes, the one full-screen window and its OpenGL context: our stand-in for the desktop
// services a Windows program would call (mode switch, popup window, pixel format, GL context).
// Implemented over SDL2 and GLX; nothing outside platform/ sees those libraries.
#pragma once

namespace platform {

struct DisplayMode {
    unsigned width = 0;
    unsigned height = 0;
    unsigned bitsPerPixel = 0;
    unsigned refreshRate = 0;
};

// Switches the screen to `mode` for the full-screen window (the switch takes effect when the
// window is shown). False when the display has no mode of exactly that width and height.
bool changeDisplayMode(const DisplayMode& mode);
// Gives the desktop its own mode back. Harmless when no mode was changed.
void restoreDisplayMode();
// Size of the screen in the mode last set, in pixels.
void screenSize(int* width, int* height);

// A borderless, full-screen, focused window with the given title, covering the screen.
bool createWindow(const char* title, int width, int height);
void destroyWindow();
bool windowExists();
// Client (drawable) size of the window in pixels; 0 x 0 without a window.
void clientSize(int* width, int* height);
void showCursor(bool visible);

// What the program asks of a pixel format; mirrors the fields the game fills in.
struct PixelFormatRequest {
    int colorBits = 32;
    int alphaBits = 0;
    int depthBits = 16;
    int stencilBits = 0;
    bool doubleBuffer = true;
    int sampleBuffers = 0; // 1 with a multisample request
    int samples = 0;       // samples per pixel asked for
};

// Returns the number of a pixel format that matches the request (never 0 for a plain
// single-sample request while a window exists).
int choosePixelFormat(const PixelFormatRequest& request);
// Searches the window system's own formats for one with sample buffers and at least
// `request.samples` samples; returns its number, or 0 when there is none.
int chooseMultisampleFormat(const PixelFormatRequest& request);
// Gives the window the format; the window system binds formats to windows at creation, so the
// window may be rebuilt invisibly here. Must come before createContext.
bool setPixelFormat(int format);

bool createContext();
// Makes the window's context current (true) or releases it (false).
bool makeCurrent(bool current);
void deleteContext();
void swapBuffers();

// Address of a GL or window-system entry point of the current context, or null.
void* getProcAddress(const char* name);
// The window system's extension string (GLX on X11), or null when there is none.
const char* windowSystemExtensions();

// Ends the connection to the display: the context and the window go, the desktop gets its mode
// back. Runs by itself at exit; tests call it before their display server ends.
void closeDisplay();

} // namespace platform
