#include "CapturedStdout.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Entity.hpp"
#include "Ovra3D/GLContainer.hpp"
#include "Ovra3D/Input.hpp"

#include <gtest/gtest.h>

#include <functional>

using ovra::Application;
using ovra::Input;

namespace {

// A fresh application that has never run, whatever ran before in this process.
class ApplicationBeforeRun : public ::testing::Test {
protected:
    void SetUp() override { Application::destroy(); }
    void TearDown() override { Application::destroy(); }
};

}  // namespace

TEST_F(ApplicationBeforeRun, InputAndContainerAreStandInsThatReportOneErrorLineEach) {
    ovra::Entity cameraEntity("camera");
    auto* camera = static_cast<ovra::Camera*>(cameraEntity.newComponent(ovra::Component::CAMERA));
    ASSERT_NE(camera, nullptr);
    const std::string noInput = "ERROR: Ovra: Application: no input before run";
    const std::string noContainer = "ERROR: Ovra: Application: no container before run";

    const struct {
        const char* name;
        std::function<bool()> answersNothing;
        std::string line;
    } cases[] = {
        {"key held", [] { return !GETINPUT().isKeyDown(Input::k_A); }, noInput},
        {"key released", [] { return !GETINPUT().isKeyUp(Input::k_ESCAPE); }, noInput},
        {"pointer", [] { return GETINPUT().getMouseX() == 0 && GETINPUT().getMouseY() == 0; },
         noInput + "\n" + noInput},
        {"pointer movement", [] { return !GETINPUT().isMouseMoving(); }, noInput},
        {"window size", [] { return GETCONTAINER().getWidth() == 0; }, noContainer},
        {"window initialisation",
         [] {
             ovra::GLContainer::GLContainerParam param;
             param.width = 640;
             return !GETCONTAINER().initialize(param) && GETCONTAINER().getHeight() == 0;
         },
         noContainer + "\n" + noContainer},
        {"picking through the camera",
         [&] {
             return camera->screenToWorldToPlanePosition(10, 10, glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f)) ==
                    glm::vec3(0.0f);
         },
         noContainer},
    };
    for (const auto& c : cases) {
        CapturedStdout out;
        EXPECT_TRUE(c.answersNothing()) << c.name;
        EXPECT_EQ(out.text(), c.line + "\n") << c.name;
    }
}
