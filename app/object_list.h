// ObjectList: the hand-made doubly linked list through which every drawable, updatable thing
// reaches the main loop. Only a head pointer, no tail and no count; appends walk the list (it
// holds a few dozen entries). Two global lists own their objects: `objectList` the scene objects,
// `effectList` the particle effects. A scene object's attached effects use the same node layout
// without owning the effects.
#pragma once

class SceneObject;
class EffectObject;

template <typename T> struct ObjectListNode {
    T* object = nullptr;
    ObjectListNode* next = nullptr;
    ObjectListNode* prev = nullptr; // null for a node appended to an empty list
};

template <typename T> struct ObjectList { ObjectListNode<T>* head = nullptr; };

// Links `object` behind the last node (the list does not take ownership by itself).
template <typename T> void appendToList(ObjectList<T>& list, T* object) {
    auto* node = new ObjectListNode<T>;
    node->object = object;
    if (!list.head) {
        list.head = node;
        return;
    }
    ObjectListNode<T>* last = list.head;
    while (last->next)
        last = last->next;
    last->next = node;
    node->prev = last;
}

extern ObjectList<SceneObject> objectList;
extern ObjectList<EffectObject> effectList;

void appendObject(SceneObject* object);
void appendEffect(EffectObject* effect);
// Unlinks the first node holding `object` and destroys the object. Not listed, or null: no-op.
void removeObject(SceneObject* object);
// Destroy every object (and effect) and free every node; the lists end empty.
void clearObjectList();
void clearEffectList();
