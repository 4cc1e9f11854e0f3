#include <gtest/gtest.h>

#include <cstring>

#include "app/app_window.h"
#include "app/main_loop.h"
#include "app/object_list.h"
#include "app_test_objects.h"
#include "game/overlay.h"
#include "platform/events.h"
#include "support/gl_test.h"

using apptest::callLog;
using apptest::RecordingEffect;
using apptest::RecordingObject;

namespace {

using Log = std::vector<std::string>;

platform::WindowMessage message(platform::MessageType type, std::uint32_t wParam = 0) {
    platform::WindowMessage result;
    result.type = type;
    result.wParam = wParam;
    return result;
}

class CountedOverlay : public Overlay {
  public:
    ~CountedOverlay() override { callLog().push_back("overlay.destroyed"); }
    void draw() override {}
    void update(float) override {}
};

// A world of one object, one effect and the overlay, as after start-up; no window or context.
class AppWindowProc : public ::testing::Test {
  protected:
    void SetUp() override {
        std::memset(keyState, 0, sizeof keyState);
        isRunning = true;
        isActive = true;
        appendObject(new RecordingObject("o0"));
        appendEffect(new RecordingEffect("e0"));
        overlay = new CountedOverlay;
        callLog().clear();
    }
    void TearDown() override {
        shutDown();
        isRunning = true;
        isActive = true;
        std::memset(keyState, 0, sizeof keyState);
        platform::WindowMessage leftOver;
        while (platform::peekMessage(&leftOver)) {
        }
        callLog().clear();
    }
    static void expectTornDown() {
        EXPECT_FALSE(isRunning);
        EXPECT_EQ(overlay, nullptr);
        EXPECT_EQ(objectList.head, nullptr);
        EXPECT_EQ(effectList.head, nullptr);
        EXPECT_EQ(callLog(), (Log{"overlay.destroyed", "o0.destroyed", "e0.destroyed"}));
    }
};

} // namespace

TEST_F(AppWindowProc, KeysSetAndClearTheirByte) {
    windowProc(message(platform::MessageType::KeyDown, platform::vk::Numpad8));
    windowProc(message(platform::MessageType::KeyDown, platform::vk::Space));
    EXPECT_EQ(keyState[platform::vk::Numpad8], 1);
    EXPECT_EQ(keyState[platform::vk::Space], 1);
    // Auto-repeat is just another key-down.
    windowProc(message(platform::MessageType::KeyDown, platform::vk::Numpad8));
    windowProc(message(platform::MessageType::KeyUp, platform::vk::Numpad8));
    EXPECT_EQ(keyState[platform::vk::Numpad8], 0);
    EXPECT_EQ(keyState[platform::vk::Space], 1);
    // A code beyond the table is ignored instead of written past its end.
    windowProc(message(platform::MessageType::KeyDown, 256));
    windowProc(message(platform::MessageType::KeyDown, 0xFFFFFFFFu));
    windowProc(message(platform::MessageType::Other, 0));
    EXPECT_TRUE(isRunning);
    EXPECT_TRUE(callLog().empty());
}

TEST_F(AppWindowProc, EscapeTearsDownAtOnce) {
    windowProc(message(platform::MessageType::KeyDown, platform::vk::Escape));
    EXPECT_EQ(keyState[platform::vk::Escape], 1);
    expectTornDown();
}

TEST_F(AppWindowProc, CloseTearsDownAndASecondCloseIsHarmless) {
    windowProc(message(platform::MessageType::Close));
    expectTornDown();
    callLog().clear();
    windowProc(message(platform::MessageType::Close));
    EXPECT_TRUE(callLog().empty());
}

TEST_F(AppWindowProc, ActivationFollowsTheForeground) {
    windowProc(message(platform::MessageType::ActivateApp, 0));
    EXPECT_FALSE(isActive);
    windowProc(message(platform::MessageType::ActivateApp, 0));
    EXPECT_FALSE(isActive);
    windowProc(message(platform::MessageType::ActivateApp, 2));
    EXPECT_TRUE(isActive);
    windowProc(message(platform::MessageType::ActivateApp, 1));
    EXPECT_TRUE(isActive);
    windowProc(message(platform::MessageType::ActivateApp, 3));
    EXPECT_FALSE(isActive);
    EXPECT_TRUE(isRunning);
}

namespace {

class AppLoopPass : public GlTest {
  protected:
    void SetUp() override {
        GlTest::SetUp();
        isRunning = true;
        isActive = true;
        appendObject(new RecordingObject("o0"));
        callLog().clear();
    }
    void TearDown() override {
        clearObjectList();
        clearEffectList();
        isRunning = true;
        isActive = true;
        std::memset(keyState, 0, sizeof keyState);
        callLog().clear();
    }
};

} // namespace

TEST_F(AppLoopPass, APendingMessageIsHandledInsteadOfAFrame) {
    platform::postMessage(message(platform::MessageType::KeyDown, platform::vk::F1));
    runLoopPass();
    EXPECT_EQ(keyState[platform::vk::F1], 1);
    EXPECT_TRUE(callLog().empty());
    runLoopPass();
    EXPECT_EQ(callLog(), (Log{"o0.draw", "o0.update"}));
}

TEST_F(AppLoopPass, NothingMovesWhileInTheBackground) {
    isActive = false;
    runLoopPass();
    EXPECT_TRUE(callLog().empty());
}

TEST_F(AppLoopPass, EscapeEndsTheLoopWithNoFurtherFrame) {
    platform::postMessage(message(platform::MessageType::KeyDown, platform::vk::Escape));
    while (isRunning)
        runLoopPass();
    EXPECT_EQ(callLog(), (Log{"o0.destroyed"}));
}
