// Physical keys to virtual-key codes. Scancodes are USB HID keyboard usage IDs; key codes are
// the layout's character, or bit 30 set over the usage for keys without one.
#include <gtest/gtest.h>

#include "platform/events.h"
#include "platform/key_map.h"

using platform::virtualKeyForScancode;
namespace vk = platform::vk;

namespace {

constexpr int kUsageA = 0x04;
constexpr int kUsage1 = 0x1E;
constexpr int kUsage0 = 0x27;
constexpr int kUsageEscape = 0x29;
constexpr int kUsageSpace = 0x2C;
constexpr int kUsageF1 = 0x3A;
constexpr int kUsageHome = 0x4A;
constexpr int kUsagePageUp = 0x4B;
constexpr int kUsageRight = 0x4F;
constexpr int kUsageLeft = 0x50;
constexpr int kUsageDown = 0x51;
constexpr int kUsageUp = 0x52;
constexpr int kUsageKeypad1 = 0x59; // keypad 1..9 follow in order, then keypad 0
constexpr int kUsageKeypad0 = 0x62;
constexpr int kUsageCapsLock = 0x39;
constexpr int kUsageF12 = 0x45;

int keycodeWithoutCharacter(int usage) {
    return usage | (1 << 30);
}

} // namespace

TEST(PlatformKeyMap, LettersDigitsAndCommandKeys) {
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(virtualKeyForScancode(kUsageA + i, 'a' + i), 0x41u + i) << char('a' + i);
        // A layout without Latin letters still gives the letter of the key's place.
        EXPECT_EQ(virtualKeyForScancode(kUsageA + i, 0x430), 0x41u + i) << char('a' + i);
    }
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(virtualKeyForScancode(kUsage1 + i, '1' + i), 0x31u + i);
    EXPECT_EQ(virtualKeyForScancode(kUsage0, '0'), 0x30u);
    // A layout with symbols on the digit row (AZERTY's '&' on the 1 key) still gives the digit.
    EXPECT_EQ(virtualKeyForScancode(kUsage1, '&'), 0x31u);
    // A layout that moves letters (AZERTY's A where QWERTY has Q) gives the layout's letter.
    EXPECT_EQ(virtualKeyForScancode(kUsageA + ('q' - 'a'), 'a'), 0x41u);

    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(virtualKeyForScancode(kUsageF1 + i, keycodeWithoutCharacter(kUsageF1 + i)),
                  vk::F1 + i);
        EXPECT_EQ(virtualKeyForScancode(kUsageF1 + i, 0), vk::F1 + i);
    }
    EXPECT_EQ(virtualKeyForScancode(kUsageSpace, ' '), vk::Space);
    EXPECT_EQ(virtualKeyForScancode(kUsageEscape, 27), vk::Escape);
    // Caps Lock remapped to Escape by the user is Escape.
    EXPECT_EQ(virtualKeyForScancode(kUsageCapsLock, 27), vk::Escape);
}

TEST(PlatformKeyMap, KeypadGoesByPhysicalKeyInEitherNumLockState) {
    const std::uint32_t expected[] = {0x61,        vk::Numpad2, 0x63,        vk::Numpad4, 0x65,
                                      vk::Numpad6, vk::Numpad7, vk::Numpad8, vk::Numpad9};
    // NumLock off: the keypad keys carry navigation key codes (End, Down, ..., Page Up).
    const int navigationUsages[] = {0x4D,        kUsageDown, 0x4E,     kUsageLeft,  0,
                                    kUsageRight, kUsageHome, kUsageUp, kUsagePageUp};
    for (int i = 0; i < 9; ++i) {
        int scancode = kUsageKeypad1 + i;
        // NumLock on, as SDL codes keypad digits, and as a layout giving the plain digit: a
        // keypad 8 must not read as the top-row 8.
        EXPECT_EQ(virtualKeyForScancode(scancode, keycodeWithoutCharacter(scancode)), expected[i]);
        EXPECT_EQ(virtualKeyForScancode(scancode, '1' + i), expected[i]);
        EXPECT_EQ(virtualKeyForScancode(scancode, keycodeWithoutCharacter(navigationUsages[i])),
                  expected[i]);
    }
    EXPECT_EQ(virtualKeyForScancode(kUsageKeypad0, '0'), 0x60u);
}

TEST(PlatformKeyMap, ArrowsHomeAndPageUpSteerLikeTheKeypad) {
    auto navigation = [](int usage) {
        return virtualKeyForScancode(usage, keycodeWithoutCharacter(usage));
    };
    EXPECT_EQ(navigation(kUsageLeft), vk::Numpad4);
    EXPECT_EQ(navigation(kUsageRight), vk::Numpad6);
    EXPECT_EQ(navigation(kUsageUp), vk::Numpad8);
    EXPECT_EQ(navigation(kUsageDown), vk::Numpad2);
    EXPECT_EQ(navigation(kUsageHome), vk::Numpad7);
    EXPECT_EQ(navigation(kUsagePageUp), vk::Numpad9);
}

TEST(PlatformKeyMap, KeysTheGameDoesNotUseAreDropped) {
    EXPECT_EQ(virtualKeyForScancode(kUsageF12, keycodeWithoutCharacter(kUsageF12)), 0u);
    EXPECT_EQ(virtualKeyForScancode(kUsageCapsLock, keycodeWithoutCharacter(kUsageCapsLock)), 0u);
    EXPECT_EQ(virtualKeyForScancode(0, 0), 0u);
    EXPECT_EQ(virtualKeyForScancode(0x2D, '-'), 0u);
}
