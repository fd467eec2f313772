#include "QuadLevel.hpp"

#include <Ovra3D/Application.hpp>
#include <Ovra3D/Camera.hpp>
#include <Ovra3D/Input.hpp>
#include <Ovra3D/ObjectManager.hpp>
#include <Ovra3D/Visual.hpp>
#include <Ovra3D/widgets/Material.hpp>
#include <Ovra3D/widgets/Texture.hpp>
#include <Ovra3D/widgets/meshes/PlaneMesh.hpp>

QuadLevel::QuadLevel(const std::string& dataFolder) : dataFolder_(dataFolder) {}

void QuadLevel::initialize() {
    ovra::ObjectManager::setRessourcesPath(dataFolder_);
    ovra::Shader* shader = ovra::ObjectManager::createShader("textured", false);
    ovra::Texture* texture = ovra::ObjectManager::createTexture("quad.png", GL_NEAREST, GL_CLAMP_TO_EDGE);
    ready_ = shader != nullptr && shader->getProgramId() != 0 && texture->getTextureID() != 0;
    if (!ready_) {
        return;
    }

    // Two units in front of the camera, which looks along -z.
    auto* cameraEntity = new ovra::Entity("Camera");
    cameraEntity->getTransform().setPosition(0.0f, 0.0f, 2.0f);
    rootEntity_.attach(*cameraEntity);
    camera_ = static_cast<ovra::Camera*>(cameraEntity->newComponent(ovra::Component::CAMERA));

    auto* quad = new ovra::Entity("Quad");
    quad->getTransform().setScale(1.6f);
    rootEntity_.attach(*quad);
    auto* mesh = new ovra::PlaneMesh(0.0f, 0.0f, 1.0f, 1.0f);
    const long materialId = ovra::ObjectManager::createMaterial();
    mesh->setMaterialID(materialId, 0);
    ovra::Material& material = mesh->getMaterial(0);
    material.setShader(shader);
    material.getProperties().diffuseColor = ovra::Color(1.0f, 1.0f, 1.0f);
    material.setColorTexture(texture);
    auto* visual = static_cast<ovra::Visual*>(quad->newComponent(ovra::Component::VISUAL));
    visual->setMesh(mesh, true);
}

void QuadLevel::update() {
    ovra::Level::update();
    if (GETINPUT().isKeyUp(ovra::Input::k_ESCAPE)) {
        GETAPP().exit();
    }
}
