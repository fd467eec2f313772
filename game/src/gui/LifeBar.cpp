#include "gui/LifeBar.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/meshes/PlaneMesh.hpp"

LifeBar::LifeBar(const std::string& name) : ovra::Entity2D(name) {
    auto* visual = static_cast<ovra::Visual*>(newComponent(ovra::Component::VISUAL2D));
    mesh_ = std::make_unique<ovra::PlaneMesh>(0.0f, 0.0f, 1.0f, 1.0f);
    mesh_->setMaterialID(ovra::ObjectManager::createMaterial(), 0);

    ovra::Material& material = mesh_->getMaterial(0);
    // The level registers the overlay shader before building the display; without it the quad stays unshaded.
    if (ovra::Shader* shader = ovra::ObjectManager::getShader("simple_2D_shader")) {
        material.setShader(shader);
    }
    ovra::Material::Properties& properties = material.getProperties();
    properties.diffuseColor.red = 1.0f;
    properties.diffuseColor.green = 0.0f;
    properties.diffuseColor.blue = 0.0f;
    properties.useAlphaMask = true;

    visual->setMesh(mesh_.get(), false);
    setSize(128, 10);
}

LifeBar::~LifeBar() = default;

void LifeBar::updateData() {
    initialWidth_ = getSize().x;
    initialPosition_ = getPosition();
}

void LifeBar::setLifePercent(float percent) {
    const int width = static_cast<int>(percent * static_cast<float>(initialWidth_));
    // The renderer centres a quad on its position: move the centre left by half the lost
    // width so the left edge stays where the full bar's was.
    const int x = initialPosition_.x - (initialWidth_ - width) / 2;
    setSize(width, getSize().y);
    setPosition(x, getPosition().y);
}
