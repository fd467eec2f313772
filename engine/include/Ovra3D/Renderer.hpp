#ifndef OVRA_RENDERER_HPP
#define OVRA_RENDERER_HPP

#include "Ovra3D/common.hpp"

namespace ovra {

class Material;

// Draws one frame: clears it, then the registered 3D visuals through the current
// camera, then the registered 2D visuals as an overlay in window pixels.
class Renderer {
public:
    Renderer() = default;
    virtual ~Renderer() = default;

    virtual bool initialize();
    virtual void predraw(uint16_t x, uint16_t y, uint16_t w, uint16_t h);
    virtual void draw(uint16_t x, uint16_t y, uint16_t w, uint16_t h);
    virtual void postdraw();
};

}  // namespace ovra

#endif
