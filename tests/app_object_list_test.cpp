#include <gtest/gtest.h>

#include "app/object_list.h"
#include "app_test_objects.h"

using apptest::callLog;
using apptest::RecordingEffect;
using apptest::RecordingObject;

namespace {

class AppObjectList : public ::testing::Test {
  protected:
    void SetUp() override {
        clearObjectList();
        clearEffectList();
        for (int i = 0; i < 4; ++i) {
            objects[i] = new RecordingObject("o" + std::to_string(i));
            appendObject(objects[i]);
        }
        callLog().clear();
    }
    void TearDown() override {
        clearObjectList();
        clearEffectList();
        callLog().clear();
    }

    // The names in list order, checking the back links on the way.
    std::string walk() {
        std::string names;
        ObjectListNode<SceneObject>* previous = nullptr;
        for (auto* node = objectList.head; node; node = node->next) {
            if (previous) {
                EXPECT_EQ(node->prev, previous);
            }
            names += static_cast<RecordingObject*>(node->object)->name + " ";
            previous = node;
        }
        return names;
    }

    RecordingObject* objects[4] = {};
};

} // namespace

TEST_F(AppObjectList, AppendKeepsInsertionOrder) {
    EXPECT_EQ(walk(), "o0 o1 o2 o3 ");
    EXPECT_EQ(objectList.head->prev, nullptr);
}

TEST_F(AppObjectList, RemovingHeadMiddleAndTailRelinksAndDestroys) {
    removeObject(objects[0]);
    EXPECT_EQ(walk(), "o1 o2 o3 ");
    EXPECT_EQ(objectList.head->object, objects[1]);
    removeObject(objects[2]);
    EXPECT_EQ(walk(), "o1 o3 ");
    removeObject(objects[3]);
    EXPECT_EQ(walk(), "o1 ");
    EXPECT_EQ(objectList.head->next, nullptr);
    EXPECT_EQ(callLog(),
              (std::vector<std::string>{"o0.destroyed", "o2.destroyed", "o3.destroyed"}));
    removeObject(objects[1]);
    EXPECT_EQ(objectList.head, nullptr);
    // The list still works after it was emptied by removals.
    appendObject(new RecordingObject("again"));
    EXPECT_EQ(walk(), "again ");
}

TEST_F(AppObjectList, RemovingWhatIsNotListedChangesNothing) {
    RecordingObject outsider("outsider");
    removeObject(&outsider);
    removeObject(nullptr);
    EXPECT_EQ(walk(), "o0 o1 o2 o3 ");
    EXPECT_TRUE(callLog().empty());
    clearObjectList();
    removeObject(&outsider); // an empty list
    EXPECT_EQ(objectList.head, nullptr);
    callLog().clear();
}

TEST_F(AppObjectList, ClearingDestroysEverythingInOrder) {
    appendEffect(new RecordingEffect("e0"));
    appendEffect(new RecordingEffect("e1"));
    clearObjectList();
    clearEffectList();
    EXPECT_EQ(objectList.head, nullptr);
    EXPECT_EQ(effectList.head, nullptr);
    EXPECT_EQ(callLog(),
              (std::vector<std::string>{"o0.destroyed", "o1.destroyed", "o2.destroyed",
                                        "o3.destroyed", "e0.destroyed", "e1.destroyed"}));
    // Clearing empty lists is harmless.
    clearObjectList();
    clearEffectList();
}
