#ifndef OVRA_LEVEL_HPP
#define OVRA_LEVEL_HPP

#include "Ovra3D/Entity.hpp"
#include "Ovra3D/2D/Entity2D.hpp"

namespace ovra {

class Camera;

// One playable scene: a 3D root, a 2D overlay root and the camera the 3D root is seen through.
class Level {
public:
    Level();
    virtual ~Level();

    virtual void initialize() = 0;
    // Updates the 3D tree, then the 2D tree. Overrides call this first.
    virtual void update();

    Camera* getCamera() const { return camera_; }
    Entity& getRootEntity() { return rootEntity_; }
    Entity2D& getRootEntity2D() { return rootEntity2D_; }

protected:
    Entity rootEntity_;
    Entity2D rootEntity2D_;
    Camera* camera_;
};

}  // namespace ovra

#endif
