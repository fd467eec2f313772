#include "OrbitLevel.hpp"

#include <Ovra3D/Application.hpp>
#include <Ovra3D/Camera.hpp>
#include <Ovra3D/Input.hpp>
#include <Ovra3D/ObjectManager.hpp>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <stdexcept>

namespace {

const float kDistance = 4.0f;   // from the camera to the model's centre
const float kDrift = 1.0f;      // degrees turned by itself each frame
const float kKeyTurn = 2.0f;    // degrees per frame an arrow key adds
const float kMouseTurn = 0.5f;  // degrees per pixel dragged
const float kPitchLimit = 80.0f;

}  // namespace

OrbitLevel::OrbitLevel(const std::string& dataFolder) : dataFolder_(dataFolder), yaw_(-10.0f), pitch_(25.0f) {}

void OrbitLevel::initialize() {
    if (!ovra::ObjectManager::createDefaultShaders()) {
        return;
    }
    ovra::ObjectManager::setRessourcesPath(dataFolder_);
    ovra::Entity* model = nullptr;
    try {
        // The import gives every material of the file the lit shader.
        model = ovra::ObjectManager::load3DFile("block.obj",
                                                ovra::ObjectManager::getShader(ovra::ObjectManager::LIT_SHADER));
    } catch (const std::invalid_argument& error) {
        std::cerr << "lit_model: " << error.what() << std::endl;
        return;
    }
    rootEntity_.attach(*model);

    cameraEntity_ = new ovra::Entity("Camera");
    rootEntity_.attach(*cameraEntity_);
    camera_ = static_cast<ovra::Camera*>(cameraEntity_->newComponent(ovra::Component::CAMERA));
    placeCamera();
    ready_ = true;
}

void OrbitLevel::update() {
    if (GETINPUT().isKeyUp(ovra::Input::k_ESCAPE)) {
        GETAPP().exit();
    }
    if (ready_) {
        steer();
        placeCamera();
    }
    ovra::Level::update();
}

void OrbitLevel::steer() {
    ovra::Input& input = GETINPUT();
    yaw_ += kDrift;
    yaw_ += (input.isKeyDown(ovra::Input::k_RIGHT_ARROW) ? kKeyTurn : 0.0f) -
            (input.isKeyDown(ovra::Input::k_LEFT_ARROW) ? kKeyTurn : 0.0f);
    pitch_ += (input.isKeyDown(ovra::Input::k_UP_ARROW) ? kKeyTurn : 0.0f) -
              (input.isKeyDown(ovra::Input::k_DOWN_ARROW) ? kKeyTurn : 0.0f);
    if (input.isKeyDown(ovra::Input::k_MOUSE_LEFT) && input.isMouseMoving()) {
        yaw_ += kMouseTurn * static_cast<float>(input.getMouseRelativeX());
        pitch_ += kMouseTurn * static_cast<float>(input.getMouseRelativeY());
    }
    pitch_ = std::clamp(pitch_, -kPitchLimit, kPitchLimit);
    yaw_ = yaw_ >= 360.0f ? yaw_ - 360.0f : (yaw_ < 0.0f ? yaw_ + 360.0f : yaw_);
}

void OrbitLevel::placeCamera() {
    const float yaw = glm::radians(yaw_);
    const float pitch = glm::radians(pitch_);
    const glm::vec3 eye = kDistance *
                          glm::vec3(std::sin(yaw) * std::cos(pitch), std::sin(pitch), std::cos(yaw) * std::cos(pitch));
    // The camera's rotation is that of its view: the one glm::lookAt builds.
    const glm::mat4 view = glm::lookAt(eye, glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    ovra::Transform& transform = cameraEntity_->getTransform();
    transform.setPosition(eye);
    transform.setRotation(glm::quat_cast(glm::mat3(view)));
}
