// Test support for the game: a GL fixture that runs in the generated data folder, captures every
// message instead of showing a box, and leaves the world, the lists and the game state empty
// after each test. Also a small stand-in for one frame of the main loop.
#pragma once

#include "game/game_state.h"

#include <string>
#include <vector>

#include "app/object_list.h"
#include "support/gl_test.h"

class GameWorldTest : public GlTest {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Builds the starting world the way start-up does.
    void buildStartingWorld(bool withBackground = true);
    // The main loop's frame order is draw, controls, tick. These are its pieces without the
    // controls: drawing every scene object under the camera's view, and the tick of objects,
    // effects and camera.
    void drawScene();
    void tickScene(float dt);
    // What follows the controls in one pass, and the next frame's drawing.
    void finishPass(float dt) {
        tickScene(dt);
        drawScene();
    }

    std::vector<std::string> messages;

  private:
    std::string previousDirectory;
};

// Number of entries in a list.
template <typename T> int listLength(const ObjectList<T>& list) {
    int count = 0;
    for (const ObjectListNode<T>* node = list.head; node; node = node->next)
        ++count;
    return count;
}

// The entry at `index`, or null past the end.
template <typename T> T* listEntry(const ObjectList<T>& list, int index) {
    const ObjectListNode<T>* node = list.head;
    for (int i = 0; node && i < index; ++i)
        node = node->next;
    return node ? node->object : nullptr;
}
