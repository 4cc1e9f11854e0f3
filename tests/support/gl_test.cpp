#include "support/gl_test.h"

#include <GL/glu.h>

#include <cstdio>
#include <cstdlib>

#include "platform/offscreen_context.h"

namespace {
constexpr int kWidth = 1024;
constexpr int kHeight = 768;
bool contextReady = false;
} // namespace

void GlTest::SetUpTestSuite() {
    if (!contextReady)
        contextReady = platform::createOffscreenContext(kWidth, kHeight);
}

void GlTest::SetUp() {
    ASSERT_TRUE(contextReady) << "no offscreen GL context";
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, double(kWidth) / kHeight, 0.1f, 1500000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

Rgb readPixel(int x, int y) {
    unsigned char pixel[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return {pixel[0], pixel[1], pixel[2]};
}

int surfaceWidth() {
    return kWidth;
}
int surfaceHeight() {
    return kHeight;
}

std::string saveFrame(const std::string& name) {
    std::vector<unsigned char> pixels(kWidth * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::string ppm = "/tmp/kavo-" + name + ".ppm";
    std::string png = "/tmp/kavo-" + name + ".png";
    if (FILE* f = std::fopen(ppm.c_str(), "wb")) {
        std::fprintf(f, "P6\n%d %d\n255\n", kWidth, kHeight);
        // GL rows are bottom-up; PPM rows top-down.
        for (int y = kHeight - 1; y >= 0; --y)
            std::fwrite(&pixels[size_t(y) * kWidth * 3], 1, size_t(kWidth) * 3, f);
        std::fclose(f);
    }
    std::string command = "convert " + ppm + " " + png + " 2>/dev/null";
    if (std::system(command.c_str()) != 0)
        return ppm;
    std::remove(ppm.c_str());
    return png;
}

std::string testdataPath(const std::string& relative) {
    return std::string(KAVO_TESTDATA_DIR) + "/" + relative;
}
