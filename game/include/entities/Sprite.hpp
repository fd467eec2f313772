#ifndef SPRITE_HPP
#define SPRITE_HPP

#include "Ovra3D/Entity.hpp"

#include <memory>
#include <string>

namespace ovra {
class Mesh;
class Shader;
class Texture;
}  // namespace ovra

// A flat textured square laid on the ground: the entity is moved and turned by the game,
// its "_visual" child keeps the fixed placement that lays the square flat.
class Sprite : public ovra::Entity {
public:
    ~Sprite() override;

protected:
    // A null shader gives a sprite without material, which the renderer skips.
    Sprite(const std::string& name, ovra::Shader* shader, const std::string& textureFile,
           const glm::vec3& visualPosition, float visualScale);

private:
    void createMaterial(ovra::Shader& shader);
    void placeVisual(const glm::vec3& visualPosition, float visualScale);

    ovra::Entity* visualEntity_;
    // Shared with the other sprites of the same image, not owned by the visual or the
    // material: freed with the last of them, while GL is up.
    std::shared_ptr<ovra::Texture> texture_;
    std::unique_ptr<ovra::Mesh> mesh_;
};

#endif
