#include "LineObject.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/meshes/LineMesh.hpp"

#include <glm/gtx/quaternion.hpp>

LineObject::LineObject(const std::string& name, ovra::Shader& shader) : LineObject(name, &shader) {}

LineObject::LineObject(const std::string& name, ovra::Shader* shader)
    : ovra::Entity(name), mesh_(std::make_unique<ovra::LineMesh>()) {
    auto* visual = static_cast<ovra::Visual*>(newComponent(ovra::Component::VISUAL));
    if (shader != nullptr) {
        createMaterial(*shader);
    }
    visual->setMesh(mesh_.get(), false);
}

LineObject::~LineObject() {
    // The visual outlives this body for a moment: leave it without the mesh about to be freed.
    if (auto* visual = static_cast<ovra::Visual*>(getComponent(ovra::Component::VISUAL))) {
        visual->setMesh(nullptr, false);
    }
    // The material was registered for this line alone: it goes with it.
    if (mesh_->hasMaterial(0)) {
        delete ovra::ObjectManager::removeMaterial(mesh_->getMaterialID(0));
    }
}

void LineObject::createMaterial(ovra::Shader& shader) {
    mesh_->setMaterialID(ovra::ObjectManager::createMaterial(), 0);
    ovra::Material& material = mesh_->getMaterial(0);
    material.setShader(&shader);
    ovra::Material::Properties& properties = material.getProperties();
    properties.diffuseColor.red = 1.0f;
    properties.diffuseColor.green = 0.0f;
    properties.diffuseColor.blue = 0.0f;
    properties.useAlphaMask = false;
    properties.drawingType = GL_LINES;
    properties.drawingMode = ovra::Material::WIRE;
}

void LineObject::setPoints(const glm::vec3& pA, const glm::vec3& pB) {
    const glm::vec3 ab = pB - pA;
    const float length = glm::length(ab);
    ovra::Transform& transform = getTransform();
    transform.setScale(length);
    transform.setPosition(pA + ab * 0.5f);
    // Two equal points have no direction: normalising would give NaN, so keep the rotation.
    if (length > 0.0f) {
        transform.setRotation(glm::rotation(glm::vec3(0.0f, 0.0f, 1.0f), ab / length));
    }
}

void LineObject::setColor(const glm::vec3& color) { setColor(color.x, color.y, color.z); }

void LineObject::setColor(float r, float g, float b) {
    ovra::Material* lineMaterial = material();
    if (lineMaterial == nullptr) {
        return;
    }
    ovra::Color& diffuse = lineMaterial->getProperties().diffuseColor;
    diffuse.red = r;
    diffuse.green = g;
    diffuse.blue = b;
}

ovra::Material* LineObject::material() const {
    const auto* visual = static_cast<ovra::Visual*>(getComponent(ovra::Component::VISUAL));
    if (visual == nullptr || !visual->hasMesh() || !visual->getMesh().hasMaterial(0)) {
        return nullptr;
    }
    return &visual->getMesh().getMaterial(0);
}
