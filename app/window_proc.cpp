// The window procedure: records keys, closes the program on Escape or a close request, and gives
// the desktop back while another application has the foreground.
#include "app/app_window.h"
#include "app/display_settings.h"
#include "app/main_loop.h"
#include "platform/display.h"

namespace {

void recordKey(std::uint32_t virtualKey, unsigned char down) {
    // Codes come from outside; one beyond the table must not write past it.
    if (virtualKey < sizeof keyState)
        keyState[virtualKey] = down;
}

void closeProgram() {
    isRunning = false;
    shutDown();
}

void changeActivation(bool active) {
    if (active == isActive)
        return;
    isActive = active;
    if (active) {
        // The mode belongs to the full-screen window; with none there is nothing to switch back.
        if (platform::windowExists())
            platform::changeDisplayMode(displayMode);
        if (renderingContextExists)
            platform::makeCurrent(true);
    } else {
        if (renderingContextExists)
            platform::makeCurrent(false);
        platform::restoreDisplayMode();
    }
}

} // namespace

long windowProc(const platform::WindowMessage& message) {
    switch (message.type) {
    case platform::MessageType::KeyDown:
        recordKey(message.wParam, 1);
        // Handled at once, as a close request sent to the window would be: the tear-down is done
        // before the next message or frame.
        if (message.wParam == platform::vk::Escape)
            closeProgram();
        return 0;
    case platform::MessageType::KeyUp:
        recordKey(message.wParam, 0);
        return 0;
    case platform::MessageType::Close:
        closeProgram();
        return 0;
    case platform::MessageType::ActivateApp:
        changeActivation(message.wParam == 1 || message.wParam == 2);
        return 0;
    case platform::MessageType::Other:
        break;
    }
    return 0;
}
