// Window events translated into the messages the window procedure handles: key down (including
// auto-repeats) and key up with Windows virtual-key codes, close requests, and the application
// gaining or losing the foreground.
#pragma once

#include <cstdint>

namespace platform {

enum class MessageType { KeyDown, KeyUp, Close, ActivateApp, Other };

struct WindowMessage {
    MessageType type = MessageType::Other;
    // KeyDown/KeyUp: the virtual-key code. ActivateApp: 1 when becoming active, 0 when not.
    std::uint32_t wParam = 0;
};

// Takes one pending message off the queue; false when the queue is empty. Never blocks.
bool peekMessage(WindowMessage* message);
// Queues a message as if the window system had sent it (tests, and the program's own requests).
void postMessage(const WindowMessage& message);

// Windows virtual-key codes used by the game.
namespace vk {
constexpr std::uint32_t Space = 0x20;
constexpr std::uint32_t Escape = 0x1B;
constexpr std::uint32_t Numpad2 = 0x62;
constexpr std::uint32_t Numpad4 = 0x64;
constexpr std::uint32_t Numpad6 = 0x66;
constexpr std::uint32_t Numpad7 = 0x67;
constexpr std::uint32_t Numpad8 = 0x68;
constexpr std::uint32_t Numpad9 = 0x69;
constexpr std::uint32_t F1 = 0x70;
constexpr std::uint32_t F2 = 0x71;
constexpr std::uint32_t F3 = 0x72;
constexpr std::uint32_t F4 = 0x73;
} // namespace vk

} // namespace platform
