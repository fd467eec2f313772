#include "gui/OverlayQuad.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/Texture.hpp"
#include "Ovra3D/widgets/meshes/PlaneMesh.hpp"

OverlayQuad::OverlayQuad(const std::string& name, const std::string& imageFile, const ovra::Color& color,
                         const glm::ivec2& size)
    : ovra::Entity2D(name) {
    auto* visual = static_cast<ovra::Visual*>(newComponent(ovra::Component::VISUAL2D));
    if (!imageFile.empty()) {
        texture_ = std::make_unique<ovra::Texture>(imageFile, GL_LINEAR, GL_CLAMP_TO_EDGE);
    }
    mesh_ = std::make_unique<ovra::PlaneMesh>(0.0f, 0.0f, 1.0f, 1.0f);
    mesh_->setMaterialID(ovra::ObjectManager::createMaterial(), 0);

    ovra::Material& material = mesh_->getMaterial(0);
    // The level registers the overlay shader before building the display; without it the quad stays unshaded.
    if (ovra::Shader* shader = ovra::ObjectManager::getShader("simple_2D_shader")) {
        material.setShader(shader);
    }
    material.setColorTexture(texture_.get());
    ovra::Material::Properties& properties = material.getProperties();
    properties.diffuseColor.red = color.red;
    properties.diffuseColor.green = color.green;
    properties.diffuseColor.blue = color.blue;
    properties.useAlphaMask = true;

    visual->setMesh(mesh_.get(), false);
    setSize(size);
}

OverlayQuad::~OverlayQuad() {
    // Nothing that outlives this quad may keep pointing at what it frees. The material was
    // registered for this quad alone, so it goes with it rather than staying for the run.
    static_cast<ovra::Visual*>(getComponent(ovra::Component::VISUAL2D))->setMesh(nullptr, false);
    delete ovra::ObjectManager::removeMaterial(mesh_->getMaterialID(0));
}
