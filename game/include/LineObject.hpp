#ifndef LINEOBJECT_HPP
#define LINEOBJECT_HPP

#include "Ovra3D/Entity.hpp"

#include <memory>
#include <string>

namespace ovra {
class Material;
class Mesh;
class Shader;
}  // namespace ovra

// A coloured segment that can be stretched between two points of its parent's space
// (the shot line); until placed it is a unit segment along z at the origin.
class LineObject : public ovra::Entity {
public:
    LineObject(const std::string& name, ovra::Shader& shader);
    // A null shader gives a line without material, which is never drawn.
    LineObject(const std::string& name, ovra::Shader* shader);
    ~LineObject() override;

    // Equal points give scale 0 at that point and keep the rotation, which is then undefined.
    void setPoints(const glm::vec3& pA, const glm::vec3& pB);
    // Changes only the diffuse colour.
    void setColor(const glm::vec3& color);
    void setColor(float r, float g, float b);

private:
    void createMaterial(ovra::Shader& shader);
    ovra::Material* material() const;

    // Owned here, not by the visual: freed with the line, while GL is up.
    std::unique_ptr<ovra::Mesh> mesh_;
};

#endif
