#include "support/game_world.h"

#include <unistd.h>

#include <climits>
#include <cstring>

#include "app/app_window.h"
#include "app/display_settings.h"
#include "app/main_loop.h"
#include "effects/effect_object.h"
#include "game/game_state.h"
#include "game/overlay.h"
#include "game/world.h"
#include "math/camera.h"
#include "math/random.h"
#include "platform/message_box.h"
#include "scene/scene_object.h"

void GameWorldTest::SetUp() {
    GlTest::SetUp();
    char directory[PATH_MAX];
    if (getcwd(directory, sizeof directory))
        previousDirectory = directory;
    ASSERT_EQ(chdir(KAVO_DATA_DIR), 0) << "no data folder " << KAVO_DATA_DIR;
    platform::setMessageCapture([this](const char* caption, const char* text) {
        messages.push_back(std::string(caption) + ": " + text);
    });
    resetGameState();
    seedRandom(1);
    vboSupported = false;
    displaySettings = DisplaySettings();
}

void GameWorldTest::TearDown() {
    clearObjectList();
    clearEffectList();
    delete overlay;
    overlay = nullptr;
    resetGameState();
    displaySettings = DisplaySettings();
    platform::setMessageCapture(nullptr);
    if (!previousDirectory.empty() && chdir(previousDirectory.c_str()) != 0)
        ADD_FAILURE() << "cannot return to " << previousDirectory;
}

void GameWorldTest::buildStartingWorld(bool withBackground) {
    displaySettings.showBackground = withBackground ? 1 : 0;
    buildWorld();
}

void GameWorldTest::drawScene() {
    drawSceneObjects();
}

void GameWorldTest::tickScene(float dt) {
    for (ObjectListNode<SceneObject>* node = objectList.head; node; node = node->next)
        node->object->update(dt);
    for (ObjectListNode<EffectObject>* node = effectList.head; node; node = node->next)
        node->object->update(dt);
    updateCamera(dt);
}
