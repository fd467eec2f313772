#ifndef OVRA_VIEWER_VIEWERLEVEL_HPP
#define OVRA_VIEWER_VIEWERLEVEL_HPP

#include "OrbitCamera.hpp"

#include "Ovra3D/Level.hpp"

#include <ostream>
#include <string>

class ViewerInput;

namespace ovra {
class Shader;
}

// The viewer's one level: an imported model, centred and scaled to a unit sphere under a
// pivot, and a camera orbiting it. Left drag orbits, the wheel zooms, R resets the view,
// Escape, Ctrl+C and the window's close button quit.
class ViewerLevel : public ovra::Level {
public:
    explicit ViewerLevel(ViewerInput& input);

    // Imports `modelPath` drawn with `shader`; textures are looked for beside the model.
    // False, with one line naming the file and the importer's reason on `errors`, when the
    // file cannot be read. A model without meshes is not an error: a line on `notes` says so.
    bool load(const std::string& modelPath, ovra::Shader& shader, std::ostream& errors, std::ostream& notes);
    // Frames the model and places the camera.
    void initialize() override;
    void update() override;

    // Leave after the first frame has been drawn (and shown).
    void quitAfterFirstFrame() { quitAfterFirstFrame_ = true; }

    const OrbitCamera& getOrbit() const { return orbit_; }

private:
    void dropMissingTextures(const ovra::Entity& entity);
    void handleControls();
    void placeCamera();

    ViewerInput& input_;
    ovra::Entity* pivot_ = nullptr;
    ovra::Entity* cameraEntity_ = nullptr;
    OrbitCamera orbit_;
    bool quitAfterFirstFrame_ = false;
};

#endif
