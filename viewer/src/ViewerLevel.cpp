#include "ViewerLevel.hpp"

#include "ModelBounds.hpp"
#include "ViewerInput.hpp"

#include "SubMeshWalk.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/Mesh.hpp"
#include "Ovra3D/widgets/Texture.hpp"

#include <exception>

namespace {

// The model's folder becomes the resources path, so the import finds textures beside it.
void splitPath(const std::string& path, std::string& folder, std::string& file) {
    const size_t slash = path.rfind('/');
    folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    file = slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

ViewerLevel::ViewerLevel(ViewerInput& input) : input_(input) {
    pivot_ = new ovra::Entity("Model");
    rootEntity_.attach(*pivot_);
}

bool ViewerLevel::load(const std::string& modelPath, ovra::Shader& shader, std::ostream& errors, std::ostream& notes) {
    std::string folder;
    std::string file;
    splitPath(modelPath, folder, file);
    ovra::ObjectManager::setRessourcesPath(folder);
    ovra::Entity* model = nullptr;
    try {
        model = ovra::ObjectManager::load3DFile(file, &shader);
    } catch (const std::exception& e) {
        errors << "ovra_viewer: cannot read model \"" << modelPath << "\": " << e.what() << std::endl;
        return false;
    }
    pivot_->attach(*model);
    dropMissingTextures(*model);
    rootEntity_.update();
    if (ModelBounds::of(*model).isEmpty()) {
        notes << "ovra_viewer: \"" << modelPath << "\" holds no meshes; the scene is empty" << std::endl;
    }
    return true;
}

// A texture whose image could not be loaded has already said so; without this its material
// would sample an empty texture and draw black instead of its own colour.
void ViewerLevel::dropMissingTextures(const ovra::Entity& entity) {
    workshop::forEachSubMesh(entity, [](const ovra::Node&, size_t, ovra::Mesh::Sub& sub) {
        ovra::Material* material = sub.material;
        if (material != nullptr && material->getColorTexture() != nullptr &&
            material->getColorTexture()->getTextureID() == 0) {
            material->setColorTexture(nullptr);
        }
    });
}

void ViewerLevel::initialize() {
    rootEntity_.update();
    const ModelBounds bounds = ModelBounds::of(*pivot_);
    // Centred on the origin and scaled to a unit sphere, any model suits the camera's
    // fixed near and far planes.
    const float radius = bounds.getRadius() > 0.0f ? bounds.getRadius() : 1.0f;
    pivot_->getTransform().setScale(1.0f / radius);
    pivot_->getTransform().setPosition(-bounds.getCentre() / radius);
    orbit_.frame(1.0f);

    cameraEntity_ = new ovra::Entity("Camera");
    rootEntity_.attach(*cameraEntity_);
    camera_ = static_cast<ovra::Camera*>(cameraEntity_->newComponent(ovra::Component::CAMERA));
    placeCamera();
}

void ViewerLevel::update() {
    ovra::Level::update();
    if (quitAfterFirstFrame_) {
        GETAPP().exit();
        return;
    }
    handleControls();
    placeCamera();
}

void ViewerLevel::handleControls() {
    if (input_.isQuitRequested() || input_.isKeyUp(ovra::Input::k_ESCAPE)) {
        GETAPP().exit();
    }
    // Keys act on release: a quick tap can go down and up within one frame.
    if (input_.isKeyUp(ovra::Input::k_R)) {
        orbit_.reset();
    }
    const glm::ivec2 drag = input_.getDrag();
    if (drag != glm::ivec2(0, 0)) {
        orbit_.orbit(static_cast<float>(drag.x), static_cast<float>(drag.y));
    }
    if (input_.getWheelSteps() != 0) {
        orbit_.zoom(static_cast<float>(input_.getWheelSteps()));
    }
}

// The engine's camera reads its entity's local placement; the camera hangs off the root.
void ViewerLevel::placeCamera() {
    cameraEntity_->getTransform().setPosition(orbit_.getPosition());
    cameraEntity_->getTransform().setRotation(orbit_.getRotation());
}
