// Start-up, the main loop and the order of one frame. The loop never waits: it handles one pending
// message per pass, or, when the queue is empty and the program has the foreground, draws the
// frame, runs the controls and advances the world. The picture therefore shows the state the
// previous tick left.
#include "app/main_loop.h"

#include <GL/gl.h>

#include "app/app_window.h"
#include "app/frame_clock.h"
#include "app/object_list.h"
#include "effects/effect_object.h"
#include "game/controls.h"
#include "game/overlay.h"
#include "game/world.h"
#include "math/camera.h"
#include "math/random.h"
#include "platform/clock.h"
#include "platform/display.h"
#include "platform/events.h"
#include "platform/message_box.h"
#include "scene/scene_object.h"

bool isRunning = true;
bool isActive = true;
Overlay* overlay = nullptr;

namespace {

constexpr GLenum kMultisample = 0x809D; // GL_MULTISAMPLE_ARB
constexpr const char* kErrorCaption = "Error!";
// A start-up that failed must not look like a success to whoever started the program.
constexpr int kStartUpFailed = 1;

} // namespace

void tickFrame() {
    // Taken before anything moves: an effect appended to an empty list during this tick waits
    // for the next one, while one appended behind existing effects is reached now.
    ObjectListNode<EffectObject>* firstEffect = effectList.head;
    const float dt = advanceFrameClock();
    for (ObjectListNode<SceneObject>* node = objectList.head; node; node = node->next)
        node->object->update(dt);
    for (ObjectListNode<EffectObject>* node = firstEffect; node; node = node->next)
        node->object->update(dt);
    updateCamera(dt);
    if (overlay)
        overlay->update(dt);
}

void drawSceneObjects() {
    // Every object is drawn from a fresh camera view, so a draw may leave the modelview as it
    // likes.
    for (ObjectListNode<SceneObject>* node = objectList.head; node; node = node->next) {
        camera.applyLookAt();
        node->object->draw();
    }
}

void drawEffects() {
    for (ObjectListNode<EffectObject>* node = effectList.head; node; node = node->next)
        node->object->draw();
}

void drawOverlay() {
    if (overlay)
        overlay->draw();
}

void renderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (multisampleOn)
        glEnable(kMultisample);
    drawSceneObjects();
    drawEffects();
    // Text and reticle stay crisp: the overlay is drawn without multisampling.
    if (multisampleOn)
        glDisable(kMultisample);
    drawOverlay();
    platform::swapBuffers();
}

void runLoopPass() {
    platform::WindowMessage message;
    if (platform::peekMessage(&message)) {
        windowProc(message);
        return;
    }
    // In the background nothing is drawn or moved; the clock is not advanced either, so the first
    // tick after coming back carries the whole absence.
    if (!isActive)
        return;
    renderFrame();
    runControls();
    tickFrame();
}

int runProgram() {
    seedRandom(platform::clock().tickCount());
    if (!createAppWindow()) {
        platform::messageBox(kErrorCaption,
                             "Error creating window. Try to change screen resolution or bitrate.");
        return kStartUpFailed;
    }
    if (!setUpRenderingContext(0)) {
        shutDown();
        platform::messageBox(kErrorCaption, "Error setting up OpenGL...");
        return kStartUpFailed;
    }
    buildFont();
    buildWorld();
    // Started last, so the loading time never enters a frame's dt.
    startFrameClock();
    while (isRunning)
        runLoopPass();
    // The tear-down already ran inside the close handling that ended the loop.
    return 0;
}
