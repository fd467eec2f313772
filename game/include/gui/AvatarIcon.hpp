#ifndef AVATARICON_HPP
#define AVATARICON_HPP

#include "Ovra3D/2D/Entity2D.hpp"

#include <memory>
#include <string>

namespace ovra {
class Mesh;
class Texture;
}  // namespace ovra

// The player's round portrait on the overlay: a 128 x 128 textured quad.
class AvatarIcon : public ovra::Entity2D {
public:
    explicit AvatarIcon(const std::string& name);
    // Frees the quad's texture and mesh; the GL context must still be alive.
    ~AvatarIcon() override;

private:
    std::unique_ptr<ovra::Texture> texture_;
    std::unique_ptr<ovra::Mesh> mesh_;
};

#endif
