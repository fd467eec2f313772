// GL work asked for before any GL context exists (before the window container is
// initialised): one error line naming what was attempted, and no crash. This binary never
// makes a context. Each case runs in a child, as a GL call without one may crash.
#include "CapturedStdout.hpp"
#include "ChildProcess.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Shader.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/Texture.hpp"
#include "Ovra3D/widgets/meshes/LineMesh.hpp"
#include "Ovra3D/widgets/meshes/PlaneMesh.hpp"

#include <functional>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::string refusal(const std::string& attempted) {
    return "ERROR: Ovra: no GL context to " + attempted + " (initialise the window container first)";
}

const char* const kSource = "#version 330\nvoid main() {}\n";

}  // namespace

TEST(NoGLContext, EachGLEntryPointRefusesWithALineNamingTheAttempt) {
    const struct {
        const char* what;
        std::function<bool()> attempt;  // true when it left nothing behind in the GL
        std::vector<std::string> lines;
    } cases[] = {
        {"a plane mesh",
         [] {
             ovra::PlaneMesh plane(0.0f, 0.0f, 1.0f, 1.0f);
             return plane.getSubMeshes().at(0)->VAO_ID == 0;
         },
         {refusal("upload a mesh")}},
        {"a line mesh",
         [] {
             ovra::LineMesh line;
             return line.getSubMeshes().at(0)->VAO_ID == 0;
         },
         {refusal("upload a mesh")}},
        {"a shader",
         [] {
             ovra::Shader shader(kSource, kSource);
             return shader.getProgramId() == 0;
         },
         {refusal("compile a shader")}},
        {"a material bound to a shader",
         [] {
             ovra::Shader shader(kSource, kSource);
             ovra::Material material(&shader);
             return material.getShader() == nullptr;
         },
         {refusal("compile a shader"), refusal("bind a material to its shader")}},
        {"a texture",
         [] {
             ovra::Texture texture("any.png", GL_LINEAR, GL_CLAMP_TO_EDGE);
             return texture.getTextureID() == 0;
         },
         {refusal("load the texture " + ovra::ObjectManager::getRessourcesPath() + "any.png")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectInChild(30, [&c] {
            bool nothingLeft = false;
            std::vector<std::string> lines;
            {
                CapturedStdout out;
                nothingLeft = c.attempt();
                lines = out.lines();
            }
            if (!nothingLeft || lines != c.lines) {
                std::cerr << c.what << (nothingLeft ? "" : " left GL objects behind") << "; it wrote:\n";
                for (const std::string& line : lines) {
                    std::cerr << line << "\n";
                }
                return 1;
            }
            return 0;
        });
    }
}
