// Test support: one offscreen GL context for the whole test process (1024 x 768 unless a test
// asks otherwise), and helpers to read back what was drawn.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

// Fixture for tests that draw: the context exists and is current, with a clean default state.
class GlTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite();
    void SetUp() override;
};

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// The colour of one pixel of the back buffer, x from the left, y from the bottom.
Rgb readPixel(int x, int y);
// Width and height of the offscreen surface.
int surfaceWidth();
int surfaceHeight();
// Writes the current frame as a PNG (through ImageMagick) for a person to look at; returns the
// path.
std::string saveFrame(const std::string& name);

// Path of a file in the shared test data folder.
std::string testdataPath(const std::string& relative);
