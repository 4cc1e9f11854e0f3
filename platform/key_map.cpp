// Physical keys and key codes to Windows virtual-key codes.
#include "platform/key_map.h"

#include <SDL_keycode.h>
#include <SDL_scancode.h>

#include "platform/events.h"

namespace platform {
namespace {

constexpr std::uint32_t kLetterA = 0x41;
constexpr std::uint32_t kDigit0 = 0x30;
constexpr std::uint32_t kNumpad0 = 0x60;

// Keypad digits by position, so NumLock off (where the keys send arrows) still steers.
std::uint32_t keypadKey(int scancode) {
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
        return kNumpad0 + 1 + std::uint32_t(scancode - SDL_SCANCODE_KP_1);
    if (scancode == SDL_SCANCODE_KP_0)
        return kNumpad0;
    return 0;
}

// The navigation keys a keypad sends with NumLock off, read as the digit they sit on.
std::uint32_t navigationKey(int scancode) {
    switch (scancode) {
    case SDL_SCANCODE_LEFT:
        return vk::Numpad4;
    case SDL_SCANCODE_RIGHT:
        return vk::Numpad6;
    case SDL_SCANCODE_UP:
        return vk::Numpad8;
    case SDL_SCANCODE_DOWN:
        return vk::Numpad2;
    case SDL_SCANCODE_HOME:
        return vk::Numpad7;
    case SDL_SCANCODE_PAGEUP:
        return vk::Numpad9;
    default:
        return 0;
    }
}

std::uint32_t letterOrDigitByKeycode(int keycode) {
    if (keycode >= 'a' && keycode <= 'z')
        return kLetterA + std::uint32_t(keycode - 'a');
    if (keycode >= '0' && keycode <= '9')
        return kDigit0 + std::uint32_t(keycode - '0');
    return 0;
}

// For layouts without Latin letters or with symbols on the digit row (as Windows does, the
// key in the place of A is still A and the top-row key 1 is still 1).
std::uint32_t letterOrDigitByPosition(int scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return kLetterA + std::uint32_t(scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return kDigit0 + 1 + std::uint32_t(scancode - SDL_SCANCODE_1);
    if (scancode == SDL_SCANCODE_0)
        return kDigit0;
    return 0;
}

// Keys that a user may have moved with a remapping (Caps Lock as Escape) go by key code first.
std::uint32_t commandKeyByKeycode(int keycode) {
    switch (keycode) {
    case SDLK_SPACE:
        return vk::Space;
    case SDLK_ESCAPE:
        return vk::Escape;
    case SDLK_F1:
        return vk::F1;
    case SDLK_F2:
        return vk::F2;
    case SDLK_F3:
        return vk::F3;
    case SDLK_F4:
        return vk::F4;
    default:
        return 0;
    }
}

std::uint32_t commandKeyByPosition(int scancode) {
    switch (scancode) {
    case SDL_SCANCODE_SPACE:
        return vk::Space;
    case SDL_SCANCODE_ESCAPE:
        return vk::Escape;
    case SDL_SCANCODE_F1:
        return vk::F1;
    case SDL_SCANCODE_F2:
        return vk::F2;
    case SDL_SCANCODE_F3:
        return vk::F3;
    case SDL_SCANCODE_F4:
        return vk::F4;
    default:
        return 0;
    }
}

} // namespace

std::uint32_t virtualKeyForScancode(int scancode, int keycode) {
    // Physical position wins for the steering keys: with NumLock on the keypad's key code is a
    // digit, which must not read as the top-row digit that selects a camera mode.
    if (std::uint32_t key = keypadKey(scancode))
        return key;
    if (std::uint32_t key = navigationKey(scancode))
        return key;
    if (std::uint32_t key = letterOrDigitByKeycode(keycode))
        return key;
    if (std::uint32_t key = commandKeyByKeycode(keycode))
        return key;
    if (std::uint32_t key = letterOrDigitByPosition(scancode))
        return key;
    return commandKeyByPosition(scancode);
}

} // namespace platform
