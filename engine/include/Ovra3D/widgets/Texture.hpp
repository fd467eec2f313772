/// \file
/// An image file as a GL texture.
#ifndef OVRA_TEXTURE_HPP
#define OVRA_TEXTURE_HPP

#include "Ovra3D/common.hpp"

#include <string>

namespace ovra {

/// A 2D GL texture loaded from an image file under the resources path (24 or 32 bits per pixel).
/// Needs the GL context.
class Texture {
public:
    /// Loads the resources path + `imagePath` with `filter` for both filters and `edgeBehaviour`
    /// for both wrap directions. Failures are error lines on the standard output; a missing
    /// or unreadable file gives id 0. A filter or wrap value the GL does not know is left
    /// to the GL's error flag; the texture keeps the GL's default for it.
    Texture(const std::string& imagePath, GLuint filter, GLuint edgeBehaviour);
    /// Deletes the GL texture, if any.
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    /// The GL texture, or 0 when the image could not be read.
    GLuint getTextureID() const { return texture_ID_; }

private:
    GLuint texture_ID_ = 0;
};

}  // namespace ovra

#endif
