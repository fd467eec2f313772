#include "GameCamera.hpp"

#include "Fakes.hpp"
#include "LevelLab.hpp"

#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Entity.hpp"

ovra::Camera& addGameCamera(ovra::Entity& root) {
    auto* cameraEntity = new ovra::Entity("Camera");
    LevelLab::placeCamera(cameraEntity->getTransform());
    root.attach(*cameraEntity);
    auto* camera = static_cast<ovra::Camera*>(cameraEntity->newComponent(ovra::Component::CAMERA));
    camera->setFieldsOfView(90.0f, 60.0f);
    return *camera;
}

ovra::Camera& useGameCamera(FakeLevel& level) {
    ovra::Camera& camera = addGameCamera(level.getRootEntity());
    camera.updateView();
    level.setCamera(&camera);
    return camera;
}
