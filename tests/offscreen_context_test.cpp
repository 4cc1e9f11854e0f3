#include "support/gl_test.h"

// The offscreen context draws with the fixed-function pipeline the program uses.
TEST_F(GlTest, ClearsAndReadsBackTheClearColour) {
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    Rgb pixel = readPixel(10, 10);
    EXPECT_EQ(pixel.r, 255);
    EXPECT_EQ(pixel.g, 0);
    EXPECT_EQ(pixel.b, 0);
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    ASSERT_NE(version, nullptr);
}
