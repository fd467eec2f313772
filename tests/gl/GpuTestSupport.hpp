#ifndef OVRA_TESTS_GPUTESTSUPPORT_HPP
#define OVRA_TESTS_GPUTESTSUPPORT_HPP

// Helpers shared by the GPU resource and renderer tests: the repository's shader sources,
// buffers read back from the GL, and a one-frame scene. The scratch folder, resources
// folder and scope, window pixels and console capture they use come from tests/support and workshop/.

#include "BufferReadback.hpp"
#include "CapturedStdout.hpp"
#include "Fakes.hpp"
#include "GLTestEnvironment.hpp"
#include "RepoPaths.hpp"
#include "ScopedRessourcesPath.hpp"
#include "ShaderPair.hpp"
#include "TempFolder.hpp"
#include "WindowPixels.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Time.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/utils.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/meshes/PlaneMesh.hpp"

#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace gputest {

// The repository's own shader source, e.g. "simple_shader.vert".
inline std::string repoShaderSource(const std::string& name) {
    std::string code;
    EXPECT_TRUE(ovra::get_file_contents((repoRessources() + name).c_str(), code)) << name;
    return code;
}

using workshop::readBuffer;

// The same number of values, each within 1e-6 of the expected one.
inline void expectFloats(const std::vector<float>& actual, const std::vector<float>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(actual[i], expected[i], 1e-6f) << "value " << i;
    }
}

// A level with a camera at (0, 0, 2) looking down -z, drawn through the real application
// loop into the shared window. The camera has fields of view of 90 degrees across and 60
// up: a unit plane scaled by 2 at the origin then spans window pixels x 320..960 and
// y 48..672 (the projection's scales are 1 and 1.7320508).
class Scene {
public:
    explicit Scene(bool withCamera = true) {
        if (withCamera) {
            auto* cameraEntity = new ovra::Entity("camera");
            cameraEntity->getTransform().setPosition(0.0f, 0.0f, 2.0f);
            level.getRootEntity().attach(*cameraEntity);
            auto* camera = static_cast<ovra::Camera*>(cameraEntity->newComponent(ovra::Component::CAMERA));
            camera->setFieldsOfView(90.0f, 60.0f);
            level.setCamera(camera);
        }
    }

    // Runs frames without frame pacing; the back buffer then holds the last frame.
    void drawFrames(int frames = 1) {
        ovra::Time::fps = 0;
        runFrames(container, input, level, frames);
        ovra::Time::fps = 60;
    }

    // Where a world point lands in the window, through the camera as last drawn.
    glm::ivec2 windowPointOf(const glm::vec3& world) const {
        const ovra::Camera& camera = *level.getCamera();
        const glm::vec4 clip = camera.getProjection() * camera.getView() * glm::vec4(world, 1.0f);
        const glm::vec2 ndc = glm::vec2(clip) / clip.w;
        const ovra::GLContainer& window = GLTestEnvironment::container();
        return {static_cast<int>(std::lround((ndc.x + 1.0f) * 0.5f * window.getWidth())),
                static_cast<int>(std::lround((1.0f - ndc.y) * 0.5f * window.getHeight()))};
    }
    // A plane scaled by `scale` at `position`, drawn with `material` (may be null) on its one sub-mesh.
    ovra::Entity& addPlane(ovra::Material* material, const glm::vec3& position = glm::vec3(0.0f), float scale = 2.0f,
                           ovra::Entity* parent = nullptr) {
        auto* entity = new ovra::Entity("plane");
        entity->getTransform().setPosition(position);
        entity->getTransform().setScale(scale);
        giveMesh(*entity, ovra::Component::VISUAL, material);
        (parent != nullptr ? *parent : level.getRootEntity()).attach(*entity);
        return *entity;
    }

    // An overlay quad centred on window pixel `center`, `size` pixels large.
    ovra::Entity2D& addQuad(ovra::Material* material, const glm::ivec2& center, const glm::ivec2& size) {
        auto* entity = new ovra::Entity2D("quad");
        entity->setPosition(center);
        entity->setSize(size);
        giveMesh(*entity, ovra::Component::VISUAL2D, material);
        level.getRootEntity2D().attach(*entity);
        return *entity;
    }

    FakeContainer container;
    FakeInput input;
    FakeLevel level;

private:
    static void giveMesh(ovra::Node& node, ovra::Component::COMPONENT_TYPE kind, ovra::Material* material) {
        auto* visual = static_cast<ovra::Visual*>(node.newComponent(kind));
        auto* mesh = new ovra::PlaneMesh(0.0f, 0.0f, 1.0f, 1.0f);
        mesh->setMaterial(material, 0);
        visual->setMesh(mesh, true);
    }
};

// The real 3D and overlay shaders, built from the repository's sources.
inline std::unique_ptr<ovra::Shader> makeRepoShader(const std::string& name) {
    std::unique_ptr<ovra::Shader> shader = workshop::buildShaderPair(repoRessources(), name);
    EXPECT_NE(shader, nullptr) << name << ".vert / .frag";
    // A missing pair fails the test; the shader built from nothing keeps it from crashing.
    return shader != nullptr ? std::move(shader) : std::make_unique<ovra::Shader>("", "");
}

// A material of one plain colour drawn with `shader`.
inline std::unique_ptr<ovra::Material> makeColorMaterial(ovra::Shader& shader, float r, float g, float b) {
    auto material = std::make_unique<ovra::Material>(&shader);
    material->getProperties().diffuseColor = ovra::Color(r, g, b);
    return material;
}

}  // namespace gputest

#endif
