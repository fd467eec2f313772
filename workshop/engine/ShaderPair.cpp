#include "ShaderPair.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Shader.hpp"
#include "Ovra3D/utils.hpp"

namespace workshop {

ovra::Shader* loadRegisteredShader(const std::string& name) {
    ovra::Shader* shader = ovra::ObjectManager::createShader(name, false);
    if (shader != nullptr && ovra::ObjectManager::getShader(name) != shader) {
        delete shader;
    }
    return ovra::ObjectManager::getShader(name);
}

std::unique_ptr<ovra::Shader> buildShaderPair(const std::string& folder, const std::string& name) {
    const std::string base = folder + name;
    std::string vertex;
    std::string fragment;
    if (!ovra::get_file_contents((base + ".vert").c_str(), vertex) ||
        !ovra::get_file_contents((base + ".frag").c_str(), fragment)) {
        return nullptr;
    }
    return std::make_unique<ovra::Shader>(vertex.c_str(), fragment.c_str());
}

}  // namespace workshop
