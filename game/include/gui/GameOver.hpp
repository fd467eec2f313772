#ifndef GAMEOVER_HPP
#define GAMEOVER_HPP

#include "Ovra3D/2D/Entity2D.hpp"

#include <memory>
#include <string>

namespace ovra {
class Mesh;
class Texture;
}  // namespace ovra

// The game-over banner on the overlay: a 1024 x 578 textured quad, shown once the player falls.
class GameOver : public ovra::Entity2D {
public:
    explicit GameOver(const std::string& name);
    // Frees the quad's texture and mesh; the GL context must still be alive.
    ~GameOver() override;

private:
    std::unique_ptr<ovra::Texture> texture_;
    std::unique_ptr<ovra::Mesh> mesh_;
};

#endif
