// The event pump: SDL events become the window messages the program's window procedure handles.
// Our own posted messages come first, as they were queued before anything the pump finds.
#include "platform/events.h"

#include <SDL.h>

#include <deque>

#include "platform/key_map.h"

namespace platform {
namespace {

std::deque<WindowMessage> postedMessages;

// A flood of events the program has no use for (mouse motion) must not keep one call busy; the
// rest waits for the next call.
constexpr int kMaxEventsPerPeek = 64;

WindowMessage makeMessage(MessageType type, std::uint32_t wParam) {
    WindowMessage message;
    message.type = type;
    message.wParam = wParam;
    return message;
}

bool translateKey(const SDL_KeyboardEvent& key, MessageType type, WindowMessage* message) {
    std::uint32_t virtualKey = virtualKeyForScancode(key.keysym.scancode, key.keysym.sym);
    if (virtualKey == 0)
        return false;
    *message = makeMessage(type, virtualKey);
    return true;
}

bool translateWindowEvent(const SDL_WindowEvent& event, WindowMessage* message) {
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        *message = makeMessage(MessageType::Close, 0);
        return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        // The screen saver and monitor power-down stay off only while the user is with us.
        SDL_DisableScreenSaver();
        *message = makeMessage(MessageType::ActivateApp, 1);
        return true;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        SDL_EnableScreenSaver();
        *message = makeMessage(MessageType::ActivateApp, 0);
        return true;
    default:
        return false;
    }
}

// False for events the program does not handle; they are dropped.
bool translate(const SDL_Event& event, WindowMessage* message) {
    switch (event.type) {
    case SDL_KEYDOWN: // auto-repeats arrive here too, as repeated key-downs
        return translateKey(event.key, MessageType::KeyDown, message);
    case SDL_KEYUP:
        return translateKey(event.key, MessageType::KeyUp, message);
    case SDL_QUIT: // also SIGINT and SIGTERM, so the close handling restores the desktop
        *message = makeMessage(MessageType::Close, 0);
        return true;
    case SDL_WINDOWEVENT:
        return translateWindowEvent(event.window, message);
    default:
        return false;
    }
}

} // namespace

bool peekMessage(WindowMessage* message) {
    if (!postedMessages.empty()) {
        *message = postedMessages.front();
        postedMessages.pop_front();
        return true;
    }
    if (!SDL_WasInit(SDL_INIT_EVENTS))
        return false;
    SDL_Event event;
    for (int i = 0; i < kMaxEventsPerPeek && SDL_PollEvent(&event); ++i) {
        if (translate(event, message))
            return true;
    }
    return false;
}

void postMessage(const WindowMessage& message) {
    postedMessages.push_back(message);
}

} // namespace platform
