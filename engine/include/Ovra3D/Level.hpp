/// \file
/// The base of a playable scene.
#ifndef OVRA_LEVEL_HPP
#define OVRA_LEVEL_HPP

#include "Ovra3D/2D/Entity2D.hpp"
#include "Ovra3D/Entity.hpp"

namespace ovra {

class Camera;

/// One playable scene: a 3D root, a 2D overlay root and the camera the 3D root is seen through.
/// A game derives its levels from it and builds the scene under the roots in initialize().
class Level {
public:
    /// Two empty roots, both marked enabled, and no camera.
    Level();
    /// Destroys both trees; a current level stops being current.
    virtual ~Level();

    /// Builds the scene under the roots and sets camera_; the GL context must exist.
    virtual void initialize() = 0;
    /// Updates the 3D tree, then the 2D tree. Overrides call this first.
    virtual void update();

    /// The level's camera, or null when it has none (its 3D tree is then not drawn).
    Camera* getCamera() const { return camera_; }
    /// The root of the 3D scene.
    Entity& getRootEntity() { return rootEntity_; }
    /// The root of the overlay.
    Entity2D& getRootEntity2D() { return rootEntity2D_; }

protected:
    Entity rootEntity_;      ///< Root of the 3D scene, named "RootEntity".
    Entity2D rootEntity2D_;  ///< Root of the overlay, named "RootEntity2D".
    /// The camera component the derived level chose; not owned. Its entity must stay alive
    /// while the level is current: the level manager refreshes its view every frame.
    Camera* camera_;
};

}  // namespace ovra

#endif
