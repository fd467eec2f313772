#include "Ovra3D/Renderer.hpp"

#include "Ovra3D/2D/Entity2D.hpp"
#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Entity.hpp"
#include "Ovra3D/GLContainer.hpp"
#include "Ovra3D/InstanceBatch.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Shader.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/Mesh.hpp"
#include "Ovra3D/widgets/Texture.hpp"

#include <glm/gtc/type_ptr.hpp>

namespace ovra {

namespace {

bool isDrawable(const Visual& visual, const Mesh* mesh) { return visual.getNode().isEnabled(true) && mesh != nullptr; }

// A sub-mesh never uploaded has no vertex array: drawing it would read indices from
// client memory at address 0. A shader that failed to build would draw untransformed.
bool isDrawable(const Mesh::Sub& sub) {
    return sub.material != nullptr && sub.VAO_ID != 0 && !sub.material->hasUnlinkedShader();
}

glm::vec3 toVec3(const Color& color) { return glm::vec3(color.red, color.green, color.blue); }

// Polygon offset units count steps of the depth buffer's resolution, but depth is interpolated
// in single precision (24 bits of mantissa): with a deeper buffer one step is lost in rounding,
// so aim for about 2^-22 of the depth range whatever the buffer.
float depthOffsetUnits() {
    GLint bits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &bits);
    return bits > 22 ? static_cast<float>(1 << (bits - 22)) : 1.0f;
}

}  // namespace

bool Renderer::initialize() {
    depthOffsetUnits_ = depthOffsetUnits();
    return true;
}

void Renderer::predraw(uint16_t, uint16_t, uint16_t, uint16_t) {}

void Renderer::draw(uint16_t x, uint16_t y, uint16_t w, uint16_t h) {
    // A letterboxed picture: the bars are black, and nothing (wide lines either) spills into them.
    const GLContainer& container = GETCONTAINER();
    const bool bars = x != 0 || y != 0 || w != container.getDrawableWidth() || h != container.getDrawableHeight();
    if (bars) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glScissor(x, y, w, h);
        glEnable(GL_SCISSOR_TEST);
    }
    glViewport(x, y, w, h);
    glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    draw3DPass();
    draw2DPass();
    glDisable(GL_SCISSOR_TEST);
}

void Renderer::postdraw() {}

void Renderer::draw3DPass() {
    const Camera* camera = GETCAMERA();
    if (camera == nullptr) {
        return;
    }
    beginPass();
    InstanceBatch::setDefaultAttributes();
    const glm::mat4 projectionView = camera->getProjection() * camera->getView();
    for (const auto& [id, visual] : ObjectManager::getVisuals()) {
        Mesh* mesh = visual->mesh_;
        if (!isDrawable(*visual, mesh)) {
            continue;
        }
        InstanceBatch* instances = visual->instances_;
        if (instances != nullptr && instances->size() == 0) {
            continue;
        }
        const glm::mat4 mvp = projectionView * static_cast<const Entity&>(visual->getNode()).getTransform().getGlobal();
        for (Mesh::Sub* sub : mesh->subMeshes_) {
            if (!isDrawable(*sub)) {
                continue;
            }
            bindMaterial(*sub->material, mvp);
            bindVertexArray(sub->VAO_ID);
            if (instances == nullptr) {
                drawMaterial(*sub->material, static_cast<GLsizei>(sub->numberIndices));
            } else {
                instances->attach();
                drawMaterial(*sub->material, static_cast<GLsizei>(sub->numberIndices),
                             static_cast<GLsizei>(instances->size()));
                instances->detach();
            }
        }
    }
    endPass();
}

void Renderer::draw2DPass() {
    const GLContainer& container = GETCONTAINER();
    const float width = static_cast<float>(container.getWidth());
    const float height = static_cast<float>(container.getHeight());
    beginPass();
    for (const auto& [id, visual] : ObjectManager::getVisuals2D()) {
        Mesh* mesh = visual->mesh_;
        if (!isDrawable(*visual, mesh)) {
            continue;
        }
        const auto& entity = static_cast<const Entity2D&>(visual->getNode());
        const glm::vec2 p(entity.getWorldPosition());
        const glm::vec2 s(entity.getSize());
        // Window pixels (origin top-left, y down) to device units (origin centre, y up).
        const glm::vec2 positionOGL((p.x / width) * 2.0f - 1.0f, -2.0f * (p.y / height) + 1.0f);
        const glm::vec2 sizeOGL((s.x / width) * 2.0f, (s.y / height) * 2.0f);
        for (Mesh::Sub* sub : mesh->subMeshes_) {
            if (!isDrawable(*sub)) {
                continue;
            }
            bindMaterial(*sub->material, positionOGL, sizeOGL);
            bindVertexArray(sub->VAO_ID);
            drawMaterial(*sub->material, static_cast<GLsizei>(sub->numberIndices));
        }
    }
    endPass();
}

void Renderer::bindMaterial(Material& material, const glm::mat4& mvp) {
    if (material.shader_ == nullptr) {
        // Drawn with no program and no texture, as after an unbind.
        useProgram(0);
        unbindTexture();
        return;
    }
    useProgram(material.shader_->getProgramId());
    if (current_ != nullptr) {
        glUniformMatrix4fv(static_cast<GLint>(material.mvpMatrix_ID_), 1, GL_FALSE, glm::value_ptr(mvp));
    }
    bindAppearance(material);
}

void Renderer::bindMaterial(Material& material, const glm::vec2& position, const glm::vec2& size) {
    if (material.shader_ == nullptr) {
        useProgram(0);
        unbindTexture();
        return;
    }
    useProgram(material.shader_->getProgramId());
    if (current_ != nullptr) {
        glUniform4f(static_cast<GLint>(material.translationAndScale_ID_), position.x, position.y, size.x, size.y);
    }
    bindAppearance(material);
}

void Renderer::bindAppearance(Material& material) {
    const Material::Properties& properties = material.properties_;
    setColor(material.color_ID_, toVec3(properties.diffuseColor));
    if (material.colorTexture_ != nullptr) {
        // A texture whose image failed to load (id 0) would sample black: the face keeps
        // its plain colour instead.
        const GLuint texture = material.colorTexture_->getTextureID();
        setFlag(&ProgramUniforms::hasColorTexture, material.hasColorTexture_ID_, texture != 0);
        setSampler(material.colortexture_ID_, 0);
        bindTexture(texture);
    } else {
        setFlag(&ProgramUniforms::hasColorTexture, material.hasColorTexture_ID_, false);
        unbindTexture();
    }
    setFlag(&ProgramUniforms::useAlphaMask, material.useAlphaMask_ID_, properties.useAlphaMask);
}

void Renderer::drawMaterial(Material& material, GLsizei nbIndices, GLsizei instances) {
    const Material::Properties& properties = material.properties_;
    const auto drawElements = [&properties, nbIndices, instances]() {
        if (instances == 0) {
            glDrawElements(properties.drawingType, nbIndices, GL_UNSIGNED_INT, nullptr);
        } else {
            glDrawElementsInstanced(properties.drawingType, nbIndices, GL_UNSIGNED_INT, nullptr, instances);
        }
    };
    switch (properties.drawingMode) {
        case Material::FILL:
            setPolygonMode(GL_FILL);
            drawElements();
            break;
        case Material::WIRE:
            setPolygonMode(GL_LINE);
            setLineWidth(properties.edgeWidth);
            drawElements();
            break;
        case Material::WIRE_AND_FILL: {
            // Face and wire lie at the same depth: with the default (zero) offsets the face
            // would hide its own edges under the depth test, so the face is pushed back and
            // the wire pulled forward, and the defaults restored afterwards.
            const float units = depthOffsetUnits_;
            setPolygonMode(GL_FILL);
            glPolygonOffset(1.0f, units);
            glEnable(GL_POLYGON_OFFSET_FILL);
            drawElements();
            glDisable(GL_POLYGON_OFFSET_FILL);
            setPolygonMode(GL_LINE);
            setLineWidth(properties.edgeWidth);
            setColor(material.color_ID_, toVec3(properties.edgeColor));
            glPolygonOffset(-1.0f, -units);
            glEnable(GL_POLYGON_OFFSET_LINE);
            drawElements();
            glDisable(GL_POLYGON_OFFSET_LINE);
            glPolygonOffset(0.0f, 0.0f);
            break;
        }
        default: break;
    }
}

void Renderer::beginPass() {
    program_.reset();
    texture_.reset();
    vertexArray_.reset();
    polygonMode_.reset();
    lineWidth_.reset();
    uniforms_.clear();
    current_ = nullptr;
}

void Renderer::endPass() {
    // Only what this pass bound; a pass that drew nothing leaves the context alone.
    if (vertexArray_.value_or(0) != 0) {
        glBindVertexArray(0);
    }
    if (texture_.value_or(0) != 0) {
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    if (program_.value_or(0) != 0) {
        glUseProgram(0);
    }
    beginPass();
}

void Renderer::useProgram(GLuint program) {
    if (program_ == program) {
        return;
    }
    glUseProgram(program);
    program_ = program;
    current_ = nullptr;
    if (program == 0) {
        return;
    }
    for (ProgramUniforms& entry : uniforms_) {
        if (entry.program == program) {
            current_ = &entry;
            return;
        }
    }
    uniforms_.emplace_back();
    uniforms_.back().program = program;
    current_ = &uniforms_.back();
}

void Renderer::bindTexture(GLuint texture) {
    if (texture_ == texture) {
        return;
    }
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    texture_ = texture;
}

void Renderer::unbindTexture() {
    // A texture this pass bound is taken away, as an unbind after its draw did; one bound
    // by someone else before the pass is not the renderer's to touch.
    if (texture_.has_value()) {
        bindTexture(0);
    }
}

void Renderer::bindVertexArray(GLuint vertexArray) {
    if (vertexArray_ == vertexArray) {
        return;
    }
    glBindVertexArray(vertexArray);
    vertexArray_ = vertexArray;
}

void Renderer::setPolygonMode(GLenum mode) {
    if (polygonMode_ == mode) {
        return;
    }
    glPolygonMode(GL_FRONT_AND_BACK, mode);
    polygonMode_ = mode;
}

void Renderer::setLineWidth(float width) {
    if (lineWidth_ == width) {
        return;
    }
    glLineWidth(width);
    lineWidth_ = width;
}

void Renderer::setColor(GLuint location, const glm::vec3& color) {
    if (current_ == nullptr || current_->color == color) {
        return;
    }
    glUniform3f(static_cast<GLint>(location), color.r, color.g, color.b);
    current_->color = color;
}

void Renderer::setFlag(std::optional<GLuint> ProgramUniforms::*flag, GLuint location, bool value) {
    const GLuint v = value ? 1 : 0;
    if (current_ == nullptr || (current_->*flag) == v) {
        return;
    }
    glUniform1ui(static_cast<GLint>(location), v);
    current_->*flag = v;
}

void Renderer::setSampler(GLuint location, GLint unit) {
    if (current_ == nullptr || current_->colorTexture == unit) {
        return;
    }
    glUniform1i(static_cast<GLint>(location), unit);
    current_->colorTexture = unit;
}

}  // namespace ovra
