#ifndef OVRA_WORKSHOP_BUFFERREADBACK_HPP
#define OVRA_WORKSHOP_BUFFERREADBACK_HPP

// What the GL holds, read back: a buffer object's values and the window's back buffer.
// Every call needs the GL context current.

#include "Ovra3D/common.hpp"

#include <cstddef>
#include <vector>

namespace workshop {

// The first `count` values of buffer object `buffer`, read back through binding point `target`.
template <typename T>
std::vector<T> readBuffer(GLenum target, GLuint buffer, size_t count) {
    std::vector<T> values(count);
    glBindBuffer(target, buffer);
    glGetBufferSubData(target, 0, static_cast<GLsizeiptr>(count * sizeof(T)), values.data());
    glBindBuffer(target, 0);
    return values;
}

// The whole back buffer of a `width` x `height` window: RGB, bottom row first.
std::vector<unsigned char> readFrame(int width, int height);

}  // namespace workshop

#endif
