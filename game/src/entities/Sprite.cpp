#include "entities/Sprite.hpp"

#include "entities/SpriteTextures.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/Texture.hpp"
#include "Ovra3D/widgets/meshes/PlaneMesh.hpp"

namespace {

const float kHalfPi = 1.5707964f;

ovra::Visual* visualOf(ovra::Entity& entity) {
    return static_cast<ovra::Visual*>(entity.getComponent(ovra::Component::VISUAL));
}

}  // namespace

Sprite::Sprite(const std::string& name, ovra::Shader* shader, const std::string& textureFile,
               const glm::vec3& visualPosition, float visualScale)
    : ovra::Entity(name), visualEntity_(new ovra::Entity(name + "_visual")) {
    auto* visual = static_cast<ovra::Visual*>(visualEntity_->newComponent(ovra::Component::VISUAL));
    texture_ = SpriteTextures::get(textureFile);
    mesh_ = std::make_unique<ovra::PlaneMesh>(0.0f, 0.0f, 1.0f, 1.0f);
    if (shader != nullptr) {
        createMaterial(*shader);
    }
    visual->setMesh(mesh_.get(), false);
    placeVisual(visualPosition, visualScale);
    attach(*visualEntity_);
}

Sprite::~Sprite() {
    // The visual outlives this body for a moment: leave it without the mesh about to be freed.
    if (ovra::Visual* visual = visualOf(*visualEntity_)) {
        visual->setMesh(nullptr, false);
    }
    // The material was registered for this sprite alone; left registered, every level
    // built after this one would add its own to the registry for the rest of the run.
    if (mesh_->hasMaterial(0)) {
        delete ovra::ObjectManager::removeMaterial(mesh_->getMaterialID(0));
    }
}

void Sprite::createMaterial(ovra::Shader& shader) {
    mesh_->setMaterialID(ovra::ObjectManager::createMaterial(), 0);
    ovra::Material& material = mesh_->getMaterial(0);
    material.setShader(&shader);
    material.setColorTexture(texture_.get());
    ovra::Material::Properties& properties = material.getProperties();
    properties.diffuseColor.red = 1.0f;
    properties.diffuseColor.green = 1.0f;
    properties.diffuseColor.blue = 1.0f;
    // Transparent texels cut the sprite's shape out of its square.
    properties.useAlphaMask = true;
}

void Sprite::placeVisual(const glm::vec3& visualPosition, float visualScale) {
    ovra::Transform& transform = visualEntity_->getTransform();
    transform.setPosition(visualPosition);
    transform.setScale(visualScale);
    // The plane mesh stands in its local x-y plane; a quarter turn lays it on the ground.
    transform.rotateAroundLeft(kHalfPi);
}
