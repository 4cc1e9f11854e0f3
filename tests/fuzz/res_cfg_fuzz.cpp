// The "res.cfg" reader, which takes the file from the working directory: each input becomes that
// file in a private folder. An empty input stands for a missing file, so the path that writes the
// defaults is fuzzed as well, and the file it writes must read back to the same settings.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "app/display_settings.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

bool sameSettings(const DisplaySettings& a, const DisplaySettings& b) {
    return a.width == b.width && a.height == b.height && a.bitsPerPixel == b.bitsPerPixel &&
           a.refreshRate == b.refreshRate && a.useVertexBuffers == b.useVertexBuffers &&
           a.multisampleSamples == b.multisampleSamples && a.showBackground == b.showBackground;
}

void checkDisplayMode() {
    if (displayMode.width != displaySettings.width ||
        displayMode.height != displaySettings.height ||
        displayMode.bitsPerPixel != displaySettings.bitsPerPixel ||
        displayMode.refreshRate != displaySettings.refreshRate)
        fuzz::fail("the display mode does not match the settings read");
}

void checkDefaultsWritten() {
    const DisplaySettings written = displaySettings;
    readDisplaySettings();
    if (!sameSettings(written, displaySettings))
        fuzz::fail("the written defaults read back differently");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::captureMessages();
    if (chdir(fuzz::privateFolder().c_str()) != 0)
        fuzz::fail("cannot enter the private folder");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A switch that does not parse keeps what an earlier read left; starting every input from the
    // defaults keeps a crash reproducible from its input alone.
    displaySettings = DisplaySettings{};
    if (size == 0) {
        std::remove("res.cfg");
        readDisplaySettings();
        checkDefaultsWritten();
    } else {
        fuzz::writeFile("res.cfg", data, size);
        readDisplaySettings();
    }
    checkDisplayMode();
    if (fuzz::messagesSinceLastCall() != 0)
        fuzz::fail("reading res.cfg showed a message");
    return 0;
}
