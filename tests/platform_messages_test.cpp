// Messages that need no display: a captured message box, and messages the program posts itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/events.h"
#include "platform/message_box.h"

TEST(PlatformMessageBox, CaptureTakesTheMessageAndNothingReachesStandardError) {
    std::vector<std::string> captured;
    platform::setMessageCapture([&](const char* caption, const char* text) {
        captured.push_back(std::string(caption) + "|" + text);
    });
    testing::internal::CaptureStderr();
    platform::messageBox("Error!", "Error setting up OpenGL...");
    platform::messageBox(nullptr, nullptr);
    std::string printed = testing::internal::GetCapturedStderr();
    platform::setMessageCapture(nullptr);

    ASSERT_EQ(captured.size(), 2u);
    EXPECT_EQ(captured[0], "Error!|Error setting up OpenGL...");
    EXPECT_EQ(captured[1], "|");
    EXPECT_EQ(printed, "");
}

TEST(PlatformMessageBox, WithoutCaptureTheTextGoesToStandardError) {
    // No display here: only the line on standard error, and no box to block the test.
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((display && *display) || (wayland && *wayland))
        GTEST_SKIP() << "a display is available; a box would wait for a click";
    testing::internal::CaptureStderr();
    platform::messageBox("Error", "Cannot open ship_tex.bmp");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: Cannot open ship_tex.bmp\n");
}

TEST(PlatformEvents, PostedMessagesComeBackInOrderThenTheQueueIsEmpty) {
    platform::WindowMessage message;
    while (platform::peekMessage(&message)) {
    }
    platform::WindowMessage key;
    key.type = platform::MessageType::KeyDown;
    key.wParam = platform::vk::Escape;
    platform::WindowMessage close;
    close.type = platform::MessageType::Close;
    platform::postMessage(key);
    platform::postMessage(close);

    ASSERT_TRUE(platform::peekMessage(&message));
    EXPECT_EQ(message.type, platform::MessageType::KeyDown);
    EXPECT_EQ(message.wParam, platform::vk::Escape);
    ASSERT_TRUE(platform::peekMessage(&message));
    EXPECT_EQ(message.type, platform::MessageType::Close);
    EXPECT_FALSE(platform::peekMessage(&message));
}
