/// \file
/// The frame's two drawing passes.
#ifndef OVRA_RENDERER_HPP
#define OVRA_RENDERER_HPP

#include "Ovra3D/common.hpp"

namespace ovra {

class Material;
class Mesh;

/// Draws one frame: clears it, then the registered 3D visuals through the current
/// camera, then the registered 2D visuals as an overlay in window pixels.
/// The application owns one and calls it once per frame, with the GL context current.
class Renderer {
public:
    Renderer() = default;
    virtual ~Renderer() = default;

    /// Reads what it needs of the current context once (the depth buffer's resolution).
    /// \return true.
    virtual bool initialize();
    /// Nothing to prepare.
    virtual void predraw(uint16_t x, uint16_t y, uint16_t w, uint16_t h);
    /// Clears the viewport (x, y, w, h) and draws both passes into it. When the viewport
    /// leaves part of the container's drawable area, that part is cleared black.
    /// Without a current camera the 3D pass draws nothing; the overlay still does.
    /// Skipped: visuals whose node is disabled or that have no mesh, sub-meshes without
    /// material or not uploaded. A material without shader draws with no program.
    /// A colour texture that failed to load (id 0) leaves faces in their plain colour.
    virtual void draw(uint16_t x, uint16_t y, uint16_t w, uint16_t h);
    /// Nothing to finish.
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
