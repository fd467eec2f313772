#ifndef OVERLAYQUAD_HPP
#define OVERLAYQUAD_HPP

#include "Ovra3D/2D/Entity2D.hpp"
#include "Ovra3D/Color.hpp"

#include <memory>
#include <string>

namespace ovra {
class Mesh;
class Texture;
}  // namespace ovra

// A quad of the on-screen display: an alpha-masked plane in one colour, with an
// optional image, drawn with the overlay shader. Owns its texture and mesh.
class OverlayQuad : public ovra::Entity2D {
public:
    // An empty image file gives a plain coloured quad.
    OverlayQuad(const std::string& name, const std::string& imageFile, const ovra::Color& color,
                const glm::ivec2& size);
    // Frees the texture and mesh; the GL context must still be alive.
    ~OverlayQuad() override;

private:
    std::unique_ptr<ovra::Texture> texture_;
    std::unique_ptr<ovra::Mesh> mesh_;
};

#endif
