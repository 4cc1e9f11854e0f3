// Tear-down, run when the window closes or when start-up cannot set up GL. Every step tolerates
// what was never created, so it is safe at any point of start-up and safe to run twice.
#include "app/app_window.h"
#include "app/main_loop.h"
#include "app/object_list.h"
#include "game/overlay.h"
#include "platform/display.h"

void shutDown() {
    delete overlay;
    overlay = nullptr;
    platform::restoreDisplayMode();
    platform::showCursor(true);
    if (renderingContextExists) {
        // Display lists belong to the context: they can only be deleted while it is current, and
        // it is not while another application has the foreground.
        if (!isActive)
            platform::makeCurrent(true);
        deleteFont();
        platform::makeCurrent(false);
        platform::deleteContext();
        renderingContextExists = false;
    }
    clearObjectList();
    clearEffectList();
    if (platform::windowExists())
        platform::destroyWindow();
}
