#include <gtest/gtest.h>

#include <cmath>

#include "app/app_window.h"
#include "app/frame_clock.h"
#include "app/main_loop.h"
#include "app/object_list.h"
#include "app_test_objects.h"
#include "game/overlay.h"
#include "math/camera.h"
#include "platform/clock.h"
#include "support/gl_test.h"

using apptest::callLog;
using apptest::RecordingEffect;
using apptest::RecordingObject;

namespace {

using Log = std::vector<std::string>;

class SteppedClock : public platform::ClockSource {
  public:
    bool queryPerformanceFrequency(std::int64_t* countsPerSecond) override {
        *countsPerSecond = 1000;
        return true;
    }
    bool queryPerformanceCounter(std::int64_t* value) override {
        *value = count;
        return true;
    }
    std::uint32_t tickCount() override { return 0; }
    std::uint32_t timeGetTime() override { return 0; }
    std::int64_t count = 0;
};

// Appends an effect while the objects are being updated, as a gun hit does.
class SpawningObject : public RecordingObject {
  public:
    SpawningObject() : RecordingObject("spawner") {}
    void update(float dt) override {
        RecordingObject::update(dt);
        if (!spawned)
            appendEffect(new RecordingEffect("late"));
        spawned = true;
    }
    bool spawned = false;
};

class RecordingOverlay : public Overlay {
  public:
    ~RecordingOverlay() override { callLog().push_back("overlay.destroyed"); }
    void draw() override { callLog().push_back("overlay.draw"); }
    void update(float dt) override {
        lastDt = dt;
        callLog().push_back("overlay.update");
    }
    float lastDt = -1.0f;
};

class AppTick : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::setClockSource(&clock);
        startFrameClock();
        camera = Camera{}; // no target left over from elsewhere
        callLog().clear();
    }
    void TearDown() override {
        clearObjectList();
        clearEffectList();
        delete overlay;
        overlay = nullptr;
        platform::setClockSource(nullptr);
        callLog().clear();
    }
    void tickAfter(std::int64_t ms) {
        clock.count += ms;
        tickFrame();
    }
    SteppedClock clock;
};

} // namespace

TEST_F(AppTick, UpdatesObjectsThenEffectsThenCameraThenOverlayWithOneDt) {
    auto* first = new RecordingObject("o0");
    appendObject(first);
    appendObject(new RecordingObject("o1"));
    appendEffect(new RecordingEffect("e0"));
    auto* hud = new RecordingOverlay;
    overlay = hud;
    tickAfter(25);
    EXPECT_EQ(callLog(), (Log{"o0.update", "o1.update", "e0.update", "overlay.update"}));
    EXPECT_FLOAT_EQ(first->lastDt, 0.025f);
    EXPECT_FLOAT_EQ(camera.lastDt, 0.025f);
    EXPECT_FLOAT_EQ(hud->lastDt, 0.025f);
}

TEST_F(AppTick, WorksWithEmptyListsAndNoOverlay) {
    tickAfter(10);
    EXPECT_TRUE(callLog().empty());
    EXPECT_FLOAT_EQ(camera.lastDt, 0.010f);
}

TEST_F(AppTick, EffectAppendedDuringTheTickIsReachedOnlyBehindExistingEffects) {
    appendObject(new SpawningObject);
    appendEffect(new RecordingEffect("e0"));
    tickAfter(16);
    EXPECT_EQ(callLog(), (Log{"spawner.update", "e0.update", "late.update"}));
}

TEST_F(AppTick, EffectAppendedToAnEmptyListWaitsForTheNextTick) {
    appendObject(new SpawningObject);
    tickAfter(16);
    EXPECT_EQ(callLog(), (Log{"spawner.update"}));
    callLog().clear();
    tickAfter(16);
    EXPECT_EQ(callLog(), (Log{"spawner.update", "late.update"}));
}

namespace {

// Records the view it was handed and the multisample state, then moves the modelview away.
class ViewCheckingObject : public RecordingObject {
  public:
    using RecordingObject::RecordingObject;
    void draw() override {
        RecordingObject::draw();
        glGetFloatv(GL_MODELVIEW_MATRIX, view);
        multisampleEnabled = glIsEnabled(0x809D);
        glTranslatef(100.0f, 0.0f, 0.0f);
        glRotatef(30.0f, 0.0f, 1.0f, 0.0f);
    }
    float view[16] = {};
    bool multisampleEnabled = false;
};

class MultisampleCheckingOverlay : public RecordingOverlay {
  public:
    void draw() override {
        RecordingOverlay::draw();
        multisampleEnabled = glIsEnabled(0x809D);
    }
    bool multisampleEnabled = true;
};

class AppRender : public GlTest {
  protected:
    void TearDown() override {
        clearObjectList();
        clearEffectList();
        delete overlay;
        overlay = nullptr;
        multisampleOn = false;
        camera = Camera{};
        glDisable(0x809D);
        callLog().clear();
    }
};

} // namespace

TEST_F(AppRender, EveryObjectStartsFromTheCameraView) {
    camera.eye = Vec3(1.0f, 2.0f, 3.0f);
    camera.direction = Vec3(0.0f, 0.0f, -1.0f);
    camera.up = Vec3(0.0f, 1.0f, 0.0f);
    auto* first = new ViewCheckingObject("o0");
    auto* second = new ViewCheckingObject("o1");
    appendObject(first);
    appendObject(second);
    appendEffect(new RecordingEffect("e0"));
    overlay = new RecordingOverlay;
    callLog().clear();
    renderFrame();
    EXPECT_EQ(callLog(), (Log{"o0.draw", "o1.draw", "e0.draw", "overlay.draw"}));
    for (const ViewCheckingObject* object : {first, second}) {
        // Looking down -z from (1, 2, 3): the view is a translation by (-1, -2, -3).
        EXPECT_NEAR(object->view[0], 1.0f, 1e-6f);
        EXPECT_NEAR(object->view[5], 1.0f, 1e-6f);
        EXPECT_NEAR(object->view[10], 1.0f, 1e-6f);
        EXPECT_NEAR(object->view[12], -1.0f, 1e-5f);
        EXPECT_NEAR(object->view[13], -2.0f, 1e-5f);
        EXPECT_NEAR(object->view[14], -3.0f, 1e-5f);
    }
}

TEST_F(AppRender, ClearsTheFrameAndDrawsTheOverlayWithoutMultisampling) {
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    multisampleOn = true;
    auto* object = new ViewCheckingObject("o0");
    appendObject(object);
    auto* hud = new MultisampleCheckingOverlay;
    overlay = hud;
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_POINTS);
    glVertex2f(0.0f, 0.0f);
    glEnd();
    glDisable(0x809D); // GL enables it by default; the frame must switch it on itself
    renderFrame();
    EXPECT_TRUE(object->multisampleEnabled);
    EXPECT_FALSE(hud->multisampleEnabled);
    const Rgb pixel = readPixel(surfaceWidth() / 2, surfaceHeight() / 2);
    EXPECT_EQ(pixel.b, 255);
    EXPECT_EQ(pixel.r, 0);
}

TEST_F(AppRender, ViewportCoversTheDrawableWithA45DegreeProjection) {
    setUpViewport();
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], surfaceWidth());
    EXPECT_EQ(viewport[3], surfaceHeight());
    float projection[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    const float focal = 1.0f / std::tan(22.5f * 3.14159265f / 180.0f);
    EXPECT_NEAR(projection[5], focal, 1e-5f);
    EXPECT_NEAR(projection[0], focal * surfaceHeight() / surfaceWidth(), 1e-5f);
    // Near 0.1 and far 1500000: the depth row of the perspective matrix.
    const double nearPlane = 0.1f, farPlane = 1500000.0;
    EXPECT_NEAR(projection[10], -(farPlane + nearPlane) / (farPlane - nearPlane), 1e-6);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
}
