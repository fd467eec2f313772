#include "Ovra3D/InstanceBatch.hpp"

#include "BuiltinShaders.hpp"

#include <algorithm>
#include <cstddef>
#include <iostream>

namespace ovra {

namespace {

glm::vec3 toVec3(const Color& color) { return glm::vec3(color.red, color.green, color.blue); }

}  // namespace

InstanceBatch::~InstanceBatch() {
    if (buffer_ != 0) {
        glDeleteBuffers(1, &buffer_);
    }
}

size_t InstanceBatch::add(const glm::mat4& transform, const Color& tint) {
    instances_.push_back(Instance{transform, toVec3(tint)});
    markChanged(instances_.size() - 1);
    return instances_.size() - 1;
}

void InstanceBatch::setTransform(size_t index, const glm::mat4& transform) {
    if (isIndex(index, "setTransform")) {
        instances_[index].transform = transform;
        markChanged(index);
    }
}

void InstanceBatch::setTint(size_t index, const Color& tint) {
    if (isIndex(index, "setTint")) {
        instances_[index].tint = toVec3(tint);
        markChanged(index);
    }
}

glm::mat4 InstanceBatch::getTransform(size_t index) const {
    return isIndex(index, "getTransform") ? instances_[index].transform : glm::mat4(1.0f);
}

Color InstanceBatch::getTint(size_t index) const {
    if (!isIndex(index, "getTint")) {
        return Color(1.0f, 1.0f, 1.0f);
    }
    const glm::vec3& tint = instances_[index].tint;
    return Color(tint.r, tint.g, tint.b);
}

void InstanceBatch::resize(size_t count) {
    const size_t previous = instances_.size();
    instances_.resize(count, Instance{glm::mat4(1.0f), glm::vec3(1.0f)});
    for (size_t i = previous; i < count; ++i) {
        markChanged(i);
    }
    changedEnd_ = std::min(changedEnd_, count);
    changedBegin_ = std::min(changedBegin_, changedEnd_);
}

std::unique_ptr<Shader> InstanceBatch::newShader() {
    const char* vertex = nullptr;
    const char* fragment = nullptr;
    builtin_shader_sources("ovra_instanced_sprite", vertex, fragment);
    return std::make_unique<Shader>(vertex, fragment);
}

bool InstanceBatch::isIndex(size_t index, const char* operation) const {
    if (index < instances_.size()) {
        return true;
    }
    std::cout << "ERROR: Ovra: InstanceBatch: " << operation << ": no instance " << index << " (there are "
              << instances_.size() << ")" << std::endl;
    return false;
}

void InstanceBatch::markChanged(size_t index) {
    if (changedBegin_ == changedEnd_) {
        changedBegin_ = index;
        changedEnd_ = index + 1;
        return;
    }
    changedBegin_ = std::min(changedBegin_, index);
    changedEnd_ = std::max(changedEnd_, index + 1);
}

void InstanceBatch::upload() {
    constexpr auto stride = static_cast<GLsizeiptr>(sizeof(Instance));
    if (buffer_ == 0) {
        glGenBuffers(1, &buffer_);
    }
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    if (instances_.size() > capacity_) {
        // Room to grow, so that a batch filled one instance at a time is not reallocated each frame.
        capacity_ = std::max(instances_.size(), capacity_ * 2);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(capacity_) * stride, nullptr, GL_DYNAMIC_DRAW);
        changedBegin_ = 0;
        changedEnd_ = instances_.size();
    }
    if (changedBegin_ < changedEnd_) {
        glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(changedBegin_) * stride,
                        static_cast<GLsizeiptr>(changedEnd_ - changedBegin_) * stride, &instances_[changedBegin_]);
    }
    changedBegin_ = changedEnd_ = 0;
}

void InstanceBatch::attach() {
    if (buffer_ == 0 || changedBegin_ < changedEnd_ || instances_.size() > capacity_) {
        upload();
    } else {
        glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    }
    constexpr auto stride = static_cast<GLsizei>(sizeof(Instance));
    for (GLuint column = 0; column < 4; ++column) {
        const GLuint location = ATTRIB_TRANSFORM_POS + column;
        const size_t offset = offsetof(Instance, transform) + column * sizeof(glm::vec4);
        glVertexAttribPointer(location, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offset));
        glVertexAttribDivisor(location, 1);
        glEnableVertexAttribArray(location);
    }
    glVertexAttribPointer(ATTRIB_TINT_POS, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(offsetof(Instance, tint)));
    glVertexAttribDivisor(ATTRIB_TINT_POS, 1);
    glEnableVertexAttribArray(ATTRIB_TINT_POS);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void InstanceBatch::detach() const {
    for (GLuint location = ATTRIB_TRANSFORM_POS; location <= ATTRIB_TINT_POS; ++location) {
        glDisableVertexAttribArray(location);
        glVertexAttribDivisor(location, 0);
    }
    // The values read with the arrays off are left undefined by the draw.
    setDefaultAttributes();
}

void InstanceBatch::setDefaultAttributes() {
    for (GLuint column = 0; column < 4; ++column) {
        const glm::vec4 identity = glm::mat4(1.0f)[static_cast<glm::length_t>(column)];
        glVertexAttrib4f(ATTRIB_TRANSFORM_POS + column, identity.x, identity.y, identity.z, identity.w);
    }
    glVertexAttrib3f(ATTRIB_TINT_POS, 1.0f, 1.0f, 1.0f);
}

}  // namespace ovra
