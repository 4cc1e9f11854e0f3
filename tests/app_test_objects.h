// Small scene objects and effects that record what the main loop does with them.
#pragma once

#include <string>
#include <vector>

#include "effects/effect_object.h"
#include "scene/scene_object.h"

namespace apptest {

inline std::vector<std::string>& callLog() {
    static std::vector<std::string> log;
    return log;
}

class RecordingObject : public SceneObject {
  public:
    explicit RecordingObject(std::string objectName) : name(std::move(objectName)) {}
    ~RecordingObject() override { callLog().push_back(name + ".destroyed"); }
    void draw() override { callLog().push_back(name + ".draw"); }
    void update(float dt) override {
        lastDt = dt;
        callLog().push_back(name + ".update");
    }
    std::string name;
    float lastDt = -1.0f;
};

class RecordingEffect : public EffectObject {
  public:
    explicit RecordingEffect(std::string effectName) : name(std::move(effectName)) {}
    ~RecordingEffect() override { callLog().push_back(name + ".destroyed"); }
    void draw() override { callLog().push_back(name + ".draw"); }
    void update(float) override { callLog().push_back(name + ".update"); }
    std::string name;
};

} // namespace apptest
