#ifndef OVRA_RENDERER_HPP
#define OVRA_RENDERER_HPP

#include "Ovra3D/common.hpp"

namespace ovra {

class Material;
class Mesh;

// Draws one frame: clears it, then the registered 3D visuals through the current
// camera, then the registered 2D visuals as an overlay in window pixels.
class Renderer {
public:
    Renderer() = default;
    virtual ~Renderer() = default;

    // Reads what it needs of the current context once (the depth buffer's resolution).
    virtual bool initialize();
    virtual void predraw(uint16_t x, uint16_t y, uint16_t w, uint16_t h);
    // Without a current camera the 3D pass draws nothing; the overlay still does.
    // A colour texture that failed to load (id 0) leaves faces in their plain colour.
    virtual void draw(uint16_t x, uint16_t y, uint16_t w, uint16_t h);
    virtual void postdraw();

private:
    void draw3DPass();
    void draw2DPass();
    void bindMaterial(Material& material, const glm::mat4& mvp);
    void bindMaterial(Material& material, const glm::vec2& position, const glm::vec2& size);
    void drawMaterial(Material& material, GLsizei nbIndices);
    void unbindMaterial(Material& material);
    // The steps after the placement that both bindMaterial share: colour, texture, alpha mask.
    void bindAppearance(Material& material);

    // Polygon offset that separates a face from its own wire frame; set by initialize().
    float depthOffsetUnits_ = 1.0f;
};

}  // namespace ovra

#endif
