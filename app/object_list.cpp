// The two global object lists and the operations on them. The lists own what they hold: removing
// or clearing destroys the objects through their base class, so each class cleans up after itself.
#include "app/object_list.h"

#include "effects/effect_object.h"
#include "scene/scene_object.h"

ObjectList<SceneObject> objectList;
ObjectList<EffectObject> effectList;

namespace {

template <typename T> void destroyAll(ObjectList<T>& list) {
    while (ObjectListNode<T>* node = list.head) {
        // Unlinked before the destructor runs, so nothing it calls can reach a dying object.
        list.head = node->next;
        delete node->object;
        delete node;
    }
}

} // namespace

void appendObject(SceneObject* object) {
    appendToList(objectList, object);
}

void appendEffect(EffectObject* effect) {
    appendToList(effectList, effect);
}

void removeObject(SceneObject* object) {
    if (!objectList.head || !object)
        return;
    ObjectListNode<SceneObject>* node = objectList.head;
    while (node && node->object != object)
        node = node->next;
    // Not ours: whoever holds it keeps it.
    if (!node)
        return;
    if (node == objectList.head) {
        objectList.head = node->next;
        // The new head must not point back at the node freed below.
        if (objectList.head)
            objectList.head->prev = nullptr;
    } else {
        // The tail has no follower to relink.
        if (node->next)
            node->next->prev = node->prev;
        node->prev->next = node->next;
    }
    // The object is unlinked first: its destructor may release itself from a carrier or touch
    // other lists, and must never find itself still listed.
    delete node->object;
    delete node;
}

void clearObjectList() {
    destroyAll(objectList);
}

void clearEffectList() {
    destroyAll(effectList);
}
