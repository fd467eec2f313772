#include "Ovra3D/Renderer.hpp"

#include "Ovra3D/2D/Entity2D.hpp"
#include "Ovra3D/Application.hpp"
#include "Ovra3D/Camera.hpp"
#include "Ovra3D/Entity.hpp"
#include "Ovra3D/GLContainer.hpp"
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
// client memory at address 0.
bool isDrawable(const Mesh::Sub& sub) { return sub.material != nullptr && sub.VAO_ID != 0; }

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
    const glm::mat4 projectionView = camera->getProjection() * camera->getView();
    for (const auto& [id, visual] : ObjectManager::getVisuals()) {
        Mesh* mesh = visual->mesh_;
        if (!isDrawable(*visual, mesh)) {
            continue;
        }
        const glm::mat4 mvp = projectionView * static_cast<const Entity&>(visual->getNode()).getTransform().getGlobal();
        for (Mesh::Sub* sub : mesh->subMeshes_) {
            if (!isDrawable(*sub)) {
                continue;
            }
            bindMaterial(*sub->material, mvp);
            glBindVertexArray(sub->VAO_ID);
            drawMaterial(*sub->material, static_cast<GLsizei>(sub->numberIndices));
            glBindVertexArray(0);
            unbindMaterial(*sub->material);
        }
    }
}

void Renderer::draw2DPass() {
    const GLContainer& container = GETCONTAINER();
    const float width = static_cast<float>(container.getWidth());
    const float height = static_cast<float>(container.getHeight());
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
            glBindVertexArray(sub->VAO_ID);
            drawMaterial(*sub->material, static_cast<GLsizei>(sub->numberIndices));
            glBindVertexArray(0);
            unbindMaterial(*sub->material);
        }
    }
}

void Renderer::bindMaterial(Material& material, const glm::mat4& mvp) {
    if (material.shader_ == nullptr) {
        return;
    }
    glUseProgram(material.shader_->getProgramId());
    glUniformMatrix4fv(static_cast<GLint>(material.mvpMatrix_ID_), 1, GL_FALSE, glm::value_ptr(mvp));
    bindAppearance(material);
}

void Renderer::bindMaterial(Material& material, const glm::vec2& position, const glm::vec2& size) {
    if (material.shader_ == nullptr) {
        return;
    }
    glUseProgram(material.shader_->getProgramId());
    glUniform4f(static_cast<GLint>(material.translationAndScale_ID_), position.x, position.y, size.x, size.y);
    bindAppearance(material);
}

void Renderer::bindAppearance(Material& material) {
    const Material::Properties& properties = material.properties_;
    glUniform3f(static_cast<GLint>(material.color_ID_), properties.diffuseColor.red, properties.diffuseColor.green,
                properties.diffuseColor.blue);
    if (material.colorTexture_ != nullptr) {
        // A texture whose image failed to load (id 0) would sample black: the face keeps
        // its plain colour instead.
        const bool hasImage = material.colorTexture_->getTextureID() != 0;
        glUniform1ui(static_cast<GLint>(material.hasColorTexture_ID_), hasImage ? 1 : 0);
        glUniform1i(static_cast<GLint>(material.colortexture_ID_), 0);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, material.colorTexture_->getTextureID());
    } else {
        glUniform1ui(static_cast<GLint>(material.hasColorTexture_ID_), 0);
    }
    glUniform1ui(static_cast<GLint>(material.useAlphaMask_ID_), properties.useAlphaMask ? 1 : 0);
}

void Renderer::drawMaterial(Material& material, GLsizei nbIndices) {
    const Material::Properties& properties = material.properties_;
    switch (properties.drawingMode) {
        case Material::FILL:
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            glDrawElements(properties.drawingType, nbIndices, GL_UNSIGNED_INT, nullptr);
            break;
        case Material::WIRE:
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            glLineWidth(properties.edgeWidth);
            glDrawElements(properties.drawingType, nbIndices, GL_UNSIGNED_INT, nullptr);
            break;
        case Material::WIRE_AND_FILL: {
            // Face and wire lie at the same depth: with the default (zero) offsets the face
            // would hide its own edges under the depth test, so the face is pushed back and
            // the wire pulled forward, and the defaults restored afterwards.
            const float units = depthOffsetUnits_;
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            glPolygonOffset(1.0f, units);
            glEnable(GL_POLYGON_OFFSET_FILL);
            glDrawElements(properties.drawingType, nbIndices, GL_UNSIGNED_INT, nullptr);
            glDisable(GL_POLYGON_OFFSET_FILL);
            glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
            glLineWidth(properties.edgeWidth);
            glUniform3f(static_cast<GLint>(material.color_ID_), properties.edgeColor.red, properties.edgeColor.green,
                        properties.edgeColor.blue);
            glPolygonOffset(-1.0f, -units);
            glEnable(GL_POLYGON_OFFSET_LINE);
            glDrawElements(properties.drawingType, nbIndices, GL_UNSIGNED_INT, nullptr);
            glDisable(GL_POLYGON_OFFSET_LINE);
            glPolygonOffset(0.0f, 0.0f);
            break;
        }
        default: break;
    }
}

void Renderer::unbindMaterial(Material& material) {
    if (material.colorTexture_ != nullptr) {
        glBindTexture(GL_TEXTURE_2D, 0);
    }
    glUseProgram(0);
}

}  // namespace ovra
