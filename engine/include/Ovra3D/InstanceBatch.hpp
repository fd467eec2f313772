/// \file
/// Per-instance placements and tints for drawing one mesh many times in one call.
#ifndef OVRA_INSTANCEBATCH_HPP
#define OVRA_INSTANCEBATCH_HPP

#include "Ovra3D/Color.hpp"
#include "Ovra3D/Shader.hpp"
#include "Ovra3D/common.hpp"

#include <memory>
#include <vector>

namespace ovra {

class Renderer;

/// The instances of an instanced visual (Visual::setInstances()): a transform and a tint
/// each, kept on the CPU and copied into one GL buffer when the renderer next draws them;
/// only the instances changed since are copied. The GL buffer is made on the first draw;
/// destroying the batch needs the GL context once it has been drawn.
/// An index that names no instance is refused with an error line.
class InstanceBatch {
public:
    /// Vertex attribute locations of the per-instance data: the transform's four columns
    /// take ATTRIB_TRANSFORM_POS to ATTRIB_TRANSFORM_POS + 3.
    static constexpr GLuint ATTRIB_TRANSFORM_POS = 4;
    static constexpr GLuint ATTRIB_TINT_POS = 8;  ///< Three floats, multiplied into the colour.

    InstanceBatch() = default;
    /// Deletes the GL buffer.
    ~InstanceBatch();
    InstanceBatch(const InstanceBatch&) = delete;
    InstanceBatch& operator=(const InstanceBatch&) = delete;

    /// Appends an instance placed by `transform` (after the visual's node) and tinted by
    /// `tint`. \return its index.
    size_t add(const glm::mat4& transform, const Color& tint = Color(1.0f, 1.0f, 1.0f));
    /// Moves instance `index`.
    void setTransform(size_t index, const glm::mat4& transform);
    /// Recolours instance `index`.
    void setTint(size_t index, const Color& tint);
    /// The transform of instance `index`; the identity for an index that names none.
    glm::mat4 getTransform(size_t index) const;
    /// The tint of instance `index`; white for an index that names none.
    Color getTint(size_t index) const;
    /// Keeps the first `count` instances, or appends untinted ones at the node's origin.
    void resize(size_t count);
    /// The number of instances; a batch of none draws nothing.
    size_t size() const { return instances_.size(); }

    /// A new shader for instanced materials, from the engine's own sources. It keeps the
    /// material contract of the repository's sprite shaders ("u_mvp", "u_color",
    /// "u_hasColorTexture", "u_colorTexture", "u_useAlphaMask") and multiplies the colour
    /// by the instance's tint. Needs the GL context. A visual without a batch drawn with it
    /// is one untinted instance placed by its node alone.
    static std::unique_ptr<Shader> newShader();

private:
    friend class Renderer;

    struct Instance {
        glm::mat4 transform;
        glm::vec3 tint;
    };

    bool isIndex(size_t index, const char* operation) const;
    void markChanged(size_t index);
    // Copies what changed into the GL buffer and points the instance attributes of the
    // bound vertex array at it; detach() switches them off again, so that ordinary visuals
    // sharing the mesh draw as before.
    void attach();
    void detach() const;
    // Gives the instance attributes, while no batch feeds them, the identity transform and a
    // white tint: a visual without a batch then draws with an instanced shader as one
    // instance placed by its node alone.
    static void setDefaultAttributes();
    void upload();

    std::vector<Instance> instances_;
    GLuint buffer_ = 0;
    size_t capacity_ = 0;  // instances the GL buffer holds
    size_t changedBegin_ = 0;
    size_t changedEnd_ = 0;  // empty range: nothing to copy
};

}  // namespace ovra

#endif
