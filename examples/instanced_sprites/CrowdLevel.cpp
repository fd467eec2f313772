#include "CrowdLevel.hpp"

#include <Ovra3D/Application.hpp>
#include <Ovra3D/Camera.hpp>
#include <Ovra3D/Entity.hpp>
#include <Ovra3D/Input.hpp>
#include <Ovra3D/ObjectManager.hpp>
#include <Ovra3D/Visual.hpp>
#include <Ovra3D/widgets/Material.hpp>
#include <Ovra3D/widgets/meshes/PlaneMesh.hpp>

#include <glm/gtc/matrix_transform.hpp>

namespace {

const int kRows = 80;
const int kColumns = 125;            // 10,000 squares in all
const int kCell = 3;                 // pixels from one square to the next
const int kSize = 2;                 // a square's side, in pixels
const int kLoop = kColumns * kCell;  // a row wraps around after this many pixels
const int kWidth = 320;              // the window, in pixels: the world is measured in them
const int kHeight = 240;
const int kTintEvery = 5;  // every fifth column is tinted

const int kMovingRows = 60;  // the bottom rows drift; the top ones stand still

// Pixels a row moves per frame: 1, 2 or 3 in turn, and 0 above the moving rows.
int speedOf(int row) { return row < kMovingRows ? row % 3 + 1 : 0; }

}  // namespace

void CrowdLevel::initialize() {
    shader_ = ovra::InstanceBatch::newShader();
    ready_ = shader_ != nullptr && shader_->getProgramId() != 0;
    if (!ready_) {
        return;
    }
    // One world unit per pixel, the origin at the window's bottom left.
    auto* cameraEntity = new ovra::Entity("Camera");
    rootEntity_.attach(*cameraEntity);
    camera_ = static_cast<ovra::Camera*>(cameraEntity->newComponent(ovra::Component::CAMERA));
    camera_->setProjection(glm::ortho(0.0f, float(kWidth), 0.0f, float(kHeight), -1.0f, 1.0f));

    auto* mesh = new ovra::PlaneMesh(0.0f, 0.0f, 1.0f, 1.0f);
    const long materialId = ovra::ObjectManager::createMaterial();
    mesh->setMaterialID(materialId, 0);
    ovra::Material& material = mesh->getMaterial(0);
    material.setShader(shader_.get());
    material.getProperties().diffuseColor = ovra::Color(1.0f, 1.0f, 1.0f);

    const ovra::Color tint(1.0f, 0.55f, 0.1f);
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            crowd_.add(glm::mat4(1.0f), column % kTintEvery == 0 ? tint : ovra::Color(1.0f, 1.0f, 1.0f));
            place(row, column);
        }
    }
    auto* entity = new ovra::Entity("Crowd");
    rootEntity_.attach(*entity);
    auto* visual = static_cast<ovra::Visual*>(entity->newComponent(ovra::Component::VISUAL));
    visual->setMesh(mesh, true);
    visual->setInstances(&crowd_);
}

void CrowdLevel::update() {
    if (GETINPUT().isKeyUp(ovra::Input::k_ESCAPE)) {
        GETAPP().exit();
    }
    if (ready_) {
        ++frame_;
        for (int row = 0; row < kRows; ++row) {
            if (speedOf(row) == 0) {
                break;  // the still rows come last, so the batch copies none of them
            }
            for (int column = 0; column < kColumns; ++column) {
                place(row, column);
            }
        }
    }
    ovra::Level::update();
}

void CrowdLevel::place(int row, int column) {
    // Whole pixels: a square covers exactly kSize x kSize of them, starting at (x, y).
    const int x = (column * kCell + speedOf(row) * frame_) % kLoop - (kLoop - kWidth) / 2;
    const int y = row * kCell;
    glm::mat4 transform = glm::translate(glm::mat4(1.0f), glm::vec3(x + kSize / 2.0f, y + kSize / 2.0f, 0.0f));
    transform = glm::scale(transform, glm::vec3(float(kSize), float(kSize), 1.0f));
    crowd_.setTransform(static_cast<size_t>(row * kColumns + column), transform);
}
