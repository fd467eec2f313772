#ifndef WORLDTESTSUPPORT_HPP
#define WORLDTESTSUPPORT_HPP

// Helpers shared by the game world tests: the repository's resources and 3D shader, pixel
// projection and a vector comparison. The console capture, the game's camera and the
// resources folder they use come from tests/support and workshop/.

#include "CapturedStdout.hpp"
#include "Fakes.hpp"
#include "GameCamera.hpp"
#include "RepoPaths.hpp"
#include "ScopedRessourcesPath.hpp"

#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Entity.hpp"
#include "Ovra3D/ObjectManager.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace worldtest {

constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 720;

// For its lifetime, points the object manager at the repository's resources, with
// "simple_shader" registered from them; then gives the previous path back.
class RepoRessources {
public:
    RepoRessources() : path_(repoRessources()) { shader_ = ovra::ObjectManager::createShader("simple_shader", false); }
    RepoRessources(const RepoRessources&) = delete;
    RepoRessources& operator=(const RepoRessources&) = delete;

    // Null when the repository's shader files are missing or do not build.
    ovra::Shader* shader() const { return shader_; }

private:
    ScopedRessourcesPath path_;
    ovra::Shader* shader_ = nullptr;
};

// The window pixel that shows world point `world` through `camera`.
inline glm::ivec2 pixelOf(const ovra::Camera& camera, const glm::vec3& world) {
    const glm::vec4 clip = camera.getProjection() * camera.getView() * glm::vec4(world, 1.0f);
    const glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return glm::ivec2(static_cast<int>((ndc.x + 1.0f) * 0.5f * kWindowWidth),
                      static_cast<int>((1.0f - ndc.y) * 0.5f * kWindowHeight));
}

// Each coordinate of `actual` within `tolerance` of `expected`.
inline ::testing::AssertionResult near(const glm::vec3& actual, const glm::vec3& expected, float tolerance) {
    if (glm::all(glm::lessThanEqual(glm::abs(actual - expected), glm::vec3(tolerance)))) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") instead of ("
                                         << expected.x << ", " << expected.y << ", " << expected.z << ")";
}

}  // namespace worldtest

#endif
