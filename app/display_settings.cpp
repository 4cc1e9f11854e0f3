// "res.cfg": five text lines, each a value (or three) followed by a comment. Values are taken by
// position; a value that does not parse keeps its field, so a damaged file still starts the
// program with sensible settings. A missing file is written with the defaults for the user to edit.
#include "app/display_settings.h"

#include <cstdio>

DisplaySettings displaySettings;
platform::DisplayMode displayMode;

namespace {

constexpr const char* kSettingsFile = "res.cfg";
// The rest of a line is read into this much and dropped; a longer comment leaves its tail behind.
constexpr int kLineBufferSize = 255;

void resetDisplayValues() {
    const DisplaySettings defaults;
    displaySettings.width = defaults.width;
    displaySettings.height = defaults.height;
    displaySettings.bitsPerPixel = defaults.bitsPerPixel;
    displaySettings.refreshRate = defaults.refreshRate;
}

// Each read skips leading white space, line breaks included. On text that is not a number the
// field keeps its value and the input stays put, for the following drop of the line to consume.
bool readUnsigned(std::FILE* file, std::uint32_t* value) {
    return std::fscanf(file, "%u", value) == 1;
}

bool readSigned(std::FILE* file, std::int32_t* value) {
    return std::fscanf(file, "%d", value) == 1;
}

void dropRestOfLine(std::FILE* file) {
    char rest[kLineBufferSize];
    if (!std::fgets(rest, kLineBufferSize, file))
        return;
}

void readSettingsFrom(std::FILE* file) {
    if (readUnsigned(file, &displaySettings.width) && readUnsigned(file, &displaySettings.height))
        readUnsigned(file, &displaySettings.bitsPerPixel);
    dropRestOfLine(file);
    readUnsigned(file, &displaySettings.refreshRate);
    dropRestOfLine(file);
    readSigned(file, &displaySettings.useVertexBuffers);
    dropRestOfLine(file);
    readSigned(file, &displaySettings.multisampleSamples);
    dropRestOfLine(file);
    readSigned(file, &displaySettings.showBackground);
    dropRestOfLine(file);
}

void writeDefaultSettings() {
    if (std::FILE* file = std::fopen(kSettingsFile, "w")) {
        std::fprintf(file, "%d %d %d \t// resolution, bitrate\n", int(displaySettings.width),
                     int(displaySettings.height), int(displaySettings.bitsPerPixel));
        std::fprintf(file, "%d \t\t// refresh rate\n", int(displaySettings.refreshRate));
        std::fputs("1 \t\t// vertex buffer; 0 - off, 1 - on\n", file);
        std::fputs("2 \t\t// multisampling; 0 - off, 2,4,8,16,... - number of samples\n", file);
        std::fputs("1 \t\t// background, 0 - off, 1 - on\n", file);
        std::fclose(file);
    }
    // A file that cannot be written is no reason not to start: run with the defaults anyway.
    displaySettings.useVertexBuffers = 1;
    displaySettings.multisampleSamples = 2;
    displaySettings.showBackground = 1;
}

void fillDisplayMode() {
    displayMode = platform::DisplayMode{};
    displayMode.width = displaySettings.width;
    displayMode.height = displaySettings.height;
    displayMode.bitsPerPixel = displaySettings.bitsPerPixel;
    displayMode.refreshRate = displaySettings.refreshRate;
}

} // namespace

void readDisplaySettings() {
    resetDisplayValues();
    if (std::FILE* file = std::fopen(kSettingsFile, "r")) {
        readSettingsFrom(file);
        std::fclose(file);
    } else {
        writeDefaultSettings();
    }
    fillDisplayMode();
}
