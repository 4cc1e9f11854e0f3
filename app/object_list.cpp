#include "app/object_list.h"
ObjectList<SceneObject> objectList;
ObjectList<EffectObject> effectList;
void appendObject(SceneObject*) {}
void appendEffect(EffectObject*) {}
void removeObject(SceneObject*) {}
void clearObjectList() {}
void clearEffectList() {}
