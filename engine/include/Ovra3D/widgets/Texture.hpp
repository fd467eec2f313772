#ifndef OVRA_TEXTURE_HPP
#define OVRA_TEXTURE_HPP

#include "Ovra3D/common.hpp"

#include <string>

namespace ovra {

// A 2D GL texture loaded from an image file under the resources path (24 or 32 bits per pixel).
class Texture {
public:
    // Failures are reported on the standard output; a missing or unreadable file gives id 0.
    Texture(const std::string& imagePath, GLuint filter, GLuint edgeBehaviour);
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    GLuint getTextureID() const { return texture_ID_; }

private:
    GLuint texture_ID_ = 0;
};

}  // namespace ovra

#endif
