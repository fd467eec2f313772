#ifndef EXAMPLES_ORBITLEVEL_HPP
#define EXAMPLES_ORBITLEVEL_HPP

#include <Ovra3D/Entity.hpp>
#include <Ovra3D/Level.hpp>

#include <string>

// A model imported from an OBJ file and drawn with the engine's lit shader, seen by a camera
// that circles it by itself; the arrow keys, or dragging with the left mouse button, turn it
// further. The light sits at the camera, so the faces brighten as they turn towards it.
class OrbitLevel : public ovra::Level {
public:
    explicit OrbitLevel(const std::string& dataFolder);

    void initialize() override;
    // Turns the camera, then updates the scene.
    void update() override;

    // True when the shaders linked and the model was imported.
    bool isReady() const { return ready_; }

private:
    void steer();
    void placeCamera();

    std::string dataFolder_;
    bool ready_ = false;
    ovra::Entity* cameraEntity_ = nullptr;
    float yaw_;    // degrees around the vertical axis
    float pitch_;  // degrees above the horizon
};

#endif
