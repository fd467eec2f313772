#include "SpriteLevel.hpp"

#include <Ovra3D/Application.hpp>
#include <Ovra3D/Camera.hpp>
#include <Ovra3D/Input.hpp>
#include <Ovra3D/ObjectManager.hpp>
#include <Ovra3D/Visual.hpp>
#include <Ovra3D/widgets/Material.hpp>
#include <Ovra3D/widgets/meshes/PlaneMesh.hpp>

#include <algorithm>

namespace {

const float kStep = 0.1f;       // the square's move per frame, in world units
const float kRise = 0.05f;      // a spark's climb per frame
const int kSparkLifetime = 30;  // frames
const float kBoundX = 7.0f;     // the square stays within the view
const float kBoundY = 5.0f;

}  // namespace

SpriteLevel::SpriteLevel(const std::string& dataFolder) : dataFolder_(dataFolder) {}

void SpriteLevel::initialize() {
    ovra::ObjectManager::setRessourcesPath(dataFolder_);
    shader_ = ovra::ObjectManager::createShader("textured", false);
    ready_ = shader_ != nullptr && shader_->getProgramId() != 0;
    if (!ready_) {
        return;
    }
    // Ten units above the plane z = 0, looking down along -z.
    auto* cameraEntity = new ovra::Entity("Camera");
    cameraEntity->getTransform().setPosition(0.0f, 0.0f, 10.0f);
    rootEntity_.attach(*cameraEntity);
    camera_ = static_cast<ovra::Camera*>(cameraEntity->newComponent(ovra::Component::CAMERA));

    playerMaterial_ = makeMaterial(ovra::Color(0.2f, 0.6f, 1.0f));
    sparkMaterial_ = makeMaterial(ovra::Color(1.0f, 0.6f, 0.1f));
    player_ = makeSprite("Player", playerMaterial_, 1.0f);
}

void SpriteLevel::update() {
    if (GETINPUT().isKeyUp(ovra::Input::k_ESCAPE)) {
        GETAPP().exit();
    }
    if (ready_) {
        movePlayer();
        ageSparks();
        if (GETINPUT().isKeyUp(ovra::Input::k_SPACE)) {
            dropSpark();
        }
    }
    // Last, so that the frame draws the placements set above.
    ovra::Level::update();
}

long SpriteLevel::makeMaterial(const ovra::Color& color) {
    const long id = ovra::ObjectManager::createMaterial();
    ovra::Material* material = ovra::ObjectManager::getMaterial(id);
    material->setShader(shader_);
    material->getProperties().diffuseColor = color;
    return id;
}

ovra::Entity* SpriteLevel::makeSprite(const std::string& name, long materialId, float size) {
    auto* entity = new ovra::Entity(name);
    entity->getTransform().setScale(size);
    rootEntity_.attach(*entity);
    // Each sprite owns its quad; the material is shared and stays with the ObjectManager.
    auto* mesh = new ovra::PlaneMesh(0.0f, 0.0f, 1.0f, 1.0f);
    mesh->setMaterialID(materialId, 0);
    auto* visual = static_cast<ovra::Visual*>(entity->newComponent(ovra::Component::VISUAL));
    visual->setMesh(mesh, true);
    return entity;
}

void SpriteLevel::movePlayer() {
    ovra::Input& input = GETINPUT();
    const float dx = (input.isKeyDown(ovra::Input::k_RIGHT_ARROW) ? kStep : 0.0f) -
                     (input.isKeyDown(ovra::Input::k_LEFT_ARROW) ? kStep : 0.0f);
    const float dy = (input.isKeyDown(ovra::Input::k_UP_ARROW) ? kStep : 0.0f) -
                     (input.isKeyDown(ovra::Input::k_DOWN_ARROW) ? kStep : 0.0f);
    glm::vec3 position = player_->getTransform().getPosition() + glm::vec3(dx, dy, 0.0f);
    position.x = std::clamp(position.x, -kBoundX, kBoundX);
    position.y = std::clamp(position.y, -kBoundY, kBoundY);
    player_->getTransform().setPosition(position);
}

void SpriteLevel::dropSpark() {
    ovra::Entity* spark = makeSprite("Spark", sparkMaterial_, 0.5f);
    spark->getTransform().setPosition(player_->getTransform().getPosition());
    sparks_.push_back({spark, 0});
}

void SpriteLevel::ageSparks() {
    for (Spark& spark : sparks_) {
        ++spark.age;
        spark.entity->getTransform().translate(0.0f, kRise, 0.0f);
        if (spark.age >= kSparkLifetime) {
            // Deleting an entity takes it out of its parent and its visual out of the renderer.
            delete spark.entity;
            spark.entity = nullptr;
        }
    }
    sparks_.erase(std::remove_if(sparks_.begin(), sparks_.end(), [](const Spark& s) { return s.entity == nullptr; }),
                  sparks_.end());
}
