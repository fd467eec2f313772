#ifndef OVRA_WORKSHOP_SHADERPAIR_HPP
#define OVRA_WORKSHOP_SHADERPAIR_HPP

// Shaders built from a vertex and fragment source pair: registered through the object
// manager, or owned by the caller and kept out of its table.

#include <memory>
#include <string>

namespace ovra {
class Shader;
}

namespace workshop {

// The shader registered as `name`, built by the object manager when it is not yet (see
// ObjectManager::createShader); null when it cannot be. A pair that was read but did not
// build comes back unregistered and so the caller's: it is deleted here.
ovra::Shader* loadRegisteredShader(const std::string& name);

// The shader built from `folder` + `name` + ".vert" and ".frag", the caller's alone, so that
// ObjectManager::releaseAll() leaves it be; null when a file cannot be read.
std::unique_ptr<ovra::Shader> buildShaderPair(const std::string& folder, const std::string& name);

}  // namespace workshop

#endif
