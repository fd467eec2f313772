#include "gui/GameOver.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/Texture.hpp"
#include "Ovra3D/widgets/meshes/PlaneMesh.hpp"

GameOver::GameOver(const std::string& name) : ovra::Entity2D(name) {
    auto* visual = static_cast<ovra::Visual*>(newComponent(ovra::Component::VISUAL2D));
    texture_ = std::make_unique<ovra::Texture>("gameover.png", GL_LINEAR, GL_CLAMP_TO_EDGE);
    mesh_ = std::make_unique<ovra::PlaneMesh>(0.0f, 0.0f, 1.0f, 1.0f);
    mesh_->setMaterialID(ovra::ObjectManager::createMaterial(), 0);

    ovra::Material& material = mesh_->getMaterial(0);
    // The level registers the overlay shader before building the display; without it the quad stays unshaded.
    if (ovra::Shader* shader = ovra::ObjectManager::getShader("simple_2D_shader")) {
        material.setShader(shader);
    }
    material.setColorTexture(texture_.get());
    ovra::Material::Properties& properties = material.getProperties();
    properties.diffuseColor.red = 1.0f;
    properties.diffuseColor.green = 1.0f;
    properties.diffuseColor.blue = 1.0f;
    properties.useAlphaMask = true;

    visual->setMesh(mesh_.get(), false);
    setSize(1024, 578);
}

GameOver::~GameOver() = default;
