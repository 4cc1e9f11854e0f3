// The window, its pixel formats and context on a real X server: a private Xvfb that the test
// starts (skipped where Xvfb is not installed). Xvfb has one screen mode and offers GLX
// configurations with 0 or 4 samples.
#include <GL/gl.h>
#include <GL/glext.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <link.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/display.h"
#include "platform/events.h"
#include "platform/offscreen_context.h"
#include "support/gl_driver_pin.h"

namespace {

// An X server of our own, so the test neither needs nor disturbs the user's desktop.
class PrivateXServer {
  public:
    bool start() {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            std::string fd = std::to_string(fds[1]);
            // The server is not ours to check for leaks.
            unsetenv("LD_PRELOAD");
            if (!freopen("/dev/null", "w", stderr))
                _exit(127);
            // -displayfd: the server picks a free display number and writes it to us.
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24",
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        display_ = readDisplayNumber(fds[0]);
        close(fds[0]);
        if (display_.empty())
            stop();
        return !display_.empty();
    }

    void stop() {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

    const std::string& display() const { return display_; }

  private:
    static std::string readDisplayNumber(int fd) {
        std::string number;
        pollfd ready{fd, POLLIN, 0};
        char c = 0;
        while (poll(&ready, 1, 10000) == 1 && read(fd, &c, 1) == 1 && c != '\n')
            number += c;
        return c == '\n' && !number.empty() ? ":" + number : std::string();
    }

    pid_t pid_ = -1;
    std::string display_;
};

class PlatformWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!server_.start())
            GTEST_SKIP() << "Xvfb is not available";
        const char* previous = std::getenv("DISPLAY");
        hadDisplay_ = previous != nullptr;
        previousDisplay_ = previous ? previous : "";
        setenv("DISPLAY", server_.display().c_str(), 1);
        // Other suites draw in the offscreen context; it must not be current beside ours.
        offscreenReleased_ = platform::makeOffscreenContextCurrent(false);
    }

    void TearDown() override {
        pinGlDrivers();
        platform::closeDisplay();
        server_.stop();
        if (hadDisplay_)
            setenv("DISPLAY", previousDisplay_.c_str(), 1);
        else
            unsetenv("DISPLAY");
        if (offscreenReleased_)
            platform::makeOffscreenContextCurrent(true);
    }

    // The app's order: window, the plain format, a context made current.
    static bool openWindowWithContext(int format) {
        if (!platform::createWindow("Kavo Ship - OpenGL", 1024, 768))
            return false;
        if (format == 0)
            format = platform::choosePixelFormat(platform::PixelFormatRequest());
        return format != 0 && platform::setPixelFormat(format) && platform::createContext() &&
               platform::makeCurrent(true);
    }

    static void closeWindowAndContext() {
        platform::makeCurrent(false);
        platform::deleteContext();
        platform::destroyWindow();
    }

    static bool waitForMessage(platform::MessageType type, std::uint32_t wParam) {
        for (int i = 0; i < 300; ++i) {
            platform::WindowMessage message;
            while (platform::peekMessage(&message)) {
                if (message.type == type && message.wParam == wParam)
                    return true;
            }
            usleep(10000);
        }
        return false;
    }

    PrivateXServer server_;
    bool hadDisplay_ = false;
    bool offscreenReleased_ = false;
    std::string previousDisplay_;
};

int glInteger(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

} // namespace

TEST_F(PlatformWindow, OnlyTheScreensOwnSizeIsAModeAndItCoversTheScreen) {
    platform::DisplayMode refused;
    refused.width = 800;
    refused.height = 600;
    EXPECT_FALSE(platform::changeDisplayMode(refused));

    platform::DisplayMode mode;
    mode.width = 1024;
    mode.height = 768;
    mode.bitsPerPixel = 16; // X11 keeps one depth for all modes; this is not a refusal
    mode.refreshRate = 60;  // Xvfb reports 0 Hz; neither is this
    ASSERT_TRUE(platform::changeDisplayMode(mode));
    int width = 0, height = 0;
    platform::screenSize(&width, &height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);

    ASSERT_TRUE(platform::createWindow("Kavo Ship - OpenGL", width, height));
    EXPECT_TRUE(platform::windowExists());
    platform::clientSize(&width, &height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
    // The window takes the focus by itself, a little after it shows.
    EXPECT_TRUE(waitForMessage(platform::MessageType::ActivateApp, 1));

    // Losing the foreground gives the desktop its mode; regaining it sets ours on the same window.
    platform::restoreDisplayMode();
    EXPECT_TRUE(platform::windowExists());
    EXPECT_TRUE(platform::changeDisplayMode(mode));
    platform::clientSize(&width, &height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
    // A refused mode leaves the mode last set in force.
    EXPECT_FALSE(platform::changeDisplayMode(refused));
    platform::screenSize(&width, &height);
    EXPECT_EQ(width, 1024);
    platform::destroyWindow();
    EXPECT_FALSE(platform::windowExists());
}

TEST_F(PlatformWindow, PlainContextThenFourSamplesOnARebuiltWindow) {
    platform::DisplayMode mode;
    mode.width = 1024;
    mode.height = 768;
    ASSERT_TRUE(platform::changeDisplayMode(mode));
    ASSERT_TRUE(openWindowWithContext(0));
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    ASSERT_NE(version, nullptr);
    EXPECT_NE(std::strstr(version, "Compatibility"), nullptr) << version;
    EXPECT_GE(glInteger(GL_DEPTH_BITS), 16);
    EXPECT_EQ(glInteger(GL_SAMPLE_BUFFERS), 0);
    const char* extensions = platform::windowSystemExtensions();
    ASSERT_NE(extensions, nullptr);
    EXPECT_NE(std::strstr(extensions, "GLX_ARB_multisample"), nullptr);
    EXPECT_NE(platform::getProcAddress("glGenBuffersARB"), nullptr);

    platform::PixelFormatRequest request;
    request.alphaBits = 8;
    request.sampleBuffers = 1;
    int found[4] = {};
    const int tried[4] = {16, 8, 4, 2};
    for (int i = 0; i < 4; ++i) {
        request.samples = tried[i];
        found[i] = platform::chooseMultisampleFormat(request);
    }
    EXPECT_EQ(found[0], 0);
    EXPECT_EQ(found[1], 0);
    EXPECT_NE(found[2], 0);
    EXPECT_NE(found[3], 0);
    closeWindowAndContext();
    ASSERT_NE(found[2], 0);

    // The second pass: a new window given the multisample format.
    ASSERT_TRUE(platform::changeDisplayMode(mode));
    ASSERT_TRUE(openWindowWithContext(found[2]));
    EXPECT_EQ(glInteger(GL_SAMPLE_BUFFERS), 1);
    EXPECT_EQ(glInteger(GL_SAMPLES), 4);
    int width = 0, height = 0;
    platform::clientSize(&width, &height);
    EXPECT_EQ(width, 1024);
    EXPECT_EQ(height, 768);
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    platform::swapBuffers();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    // A format cannot change once a context holds the window.
    EXPECT_FALSE(platform::setPixelFormat(found[2]));
    closeWindowAndContext();
}

TEST_F(PlatformWindow, KeysAndCloseArriveAsWindowMessages) {
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "xdotool is not available";
    platform::DisplayMode mode;
    mode.width = 1024;
    mode.height = 768;
    ASSERT_TRUE(platform::changeDisplayMode(mode));
    ASSERT_TRUE(platform::createWindow("Kavo Ship - OpenGL", 1024, 768));
    ASSERT_TRUE(waitForMessage(platform::MessageType::ActivateApp, 1));
    // The keypad's 8 with NumLock off, and the cursor-left key, both steer.
    ASSERT_EQ(std::system("xdotool key KP_Up Left q 2>/dev/null"), 0);
    EXPECT_TRUE(waitForMessage(platform::MessageType::KeyDown, platform::vk::Numpad8));
    EXPECT_TRUE(waitForMessage(platform::MessageType::KeyDown, platform::vk::Numpad4));
    EXPECT_TRUE(waitForMessage(platform::MessageType::KeyUp, 0x51));
    // An interrupt signal becomes a close request, so the program can restore the desktop.
    raise(SIGINT);
    EXPECT_TRUE(waitForMessage(platform::MessageType::Close, 0));
}
