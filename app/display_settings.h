// The display configuration file "res.cfg": screen mode and three rendering switches, read each
// time the window is created and written with defaults when missing.
#pragma once

#include <cstdint>

#include "platform/display.h"

struct DisplaySettings {
    std::uint32_t width = 1024;
    std::uint32_t height = 768;
    std::uint32_t bitsPerPixel = 32;
    std::uint32_t refreshRate = 85;
    std::int32_t useVertexBuffers = 0;   // 0 forbids vertex buffers
    std::int32_t multisampleSamples = 0; // > 0: sample count tried first
    std::int32_t showBackground = 1;     // 0: no background sphere
};

extern DisplaySettings displaySettings;
// The full-screen mode handed to the platform, filled after every read.
extern platform::DisplayMode displayMode;

void readDisplaySettings();
