/// \file
/// The frame's two drawing passes.
#ifndef OVRA_RENDERER_HPP
#define OVRA_RENDERER_HPP

#include "Ovra3D/common.hpp"

#include <optional>
#include <vector>

namespace ovra {

class InstanceBatch;
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
    /// material or not uploaded, and those whose material's shader has no linked program.
    /// A material without any shader draws with no program.
    /// A colour texture that failed to load (id 0) leaves faces in their plain colour; one
    /// whose image had an unsupported depth (an 8-bit palette image, say) is a texture
    /// object without image, which samples black.
    /// A 3D visual with an InstanceBatch draws its mesh once per instance, in one call.
    /// Program, texture, vertex array and polygon mode change only where a draw needs
    /// another; each pass ends with all three bindings back at 0.
    virtual void draw(uint16_t x, uint16_t y, uint16_t w, uint16_t h);
    /// Nothing to finish.
    virtual void postdraw();

private:
    // The material uniforms last sent to one program during the current pass.
    struct ProgramUniforms {
        GLuint program = 0;
        std::optional<glm::vec3> color;
        std::optional<GLuint> hasColorTexture;
        std::optional<GLint> colorTexture;
        std::optional<GLuint> useAlphaMask;
    };

    void draw3DPass();
    void draw2DPass();
    void bindMaterial(Material& material, const glm::mat4& mvp);
    void bindMaterial(Material& material, const glm::vec2& position, const glm::vec2& size);
    // `instances` 0 is an ordinary draw; more draws the bound vertex array that many times.
    void drawMaterial(Material& material, GLsizei nbIndices, GLsizei instances = 0);
    // The steps after the placement that both bindMaterial share: colour, texture, alpha mask.
    void bindAppearance(Material& material);

    // Bind-on-change: each issues its GL call only when the value differs from the last one
    // this pass set. A pass starts knowing nothing, since anyone may change GL state between
    // frames, and ends with every binding back at 0.
    void beginPass();
    void endPass();
    void useProgram(GLuint program);
    void bindTexture(GLuint texture);
    void unbindTexture();
    void bindVertexArray(GLuint vertexArray);
    void setPolygonMode(GLenum mode);
    void setLineWidth(float width);
    // The uniform setters leave out values the program in use already holds; with program 0
    // in use they send nothing.
    void setColor(GLuint location, const glm::vec3& color);
    void setFlag(std::optional<GLuint> ProgramUniforms::*flag, GLuint location, bool value);
    void setSampler(GLuint location, GLint unit);

    // Polygon offset that separates a face from its own wire frame; set by initialize().
    float depthOffsetUnits_ = 1.0f;

    std::optional<GLuint> program_;
    std::optional<GLuint> texture_;
    std::optional<GLuint> vertexArray_;
    std::optional<GLenum> polygonMode_;
    std::optional<float> lineWidth_;
    // One entry per program used this pass; a uniform's value lives in its program, and a
    // reloaded shader is a new program, met first in a later pass.
    std::vector<ProgramUniforms> uniforms_;
    // The entry of the program in use; null while program 0 (no uniforms) is.
    ProgramUniforms* current_ = nullptr;
};

}  // namespace ovra

#endif
