/// \file
/// An image file as a GL texture.
#ifndef OVRA_TEXTURE_HPP
#define OVRA_TEXTURE_HPP

#include "Ovra3D/common.hpp"

#include <string>

struct SDL_Surface;

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
    /// Uploads an image already in memory (24 or 32 bits per pixel), with the same settings
    /// and the same error lines as a file; the surface stays the caller's.
    Texture(const SDL_Surface& image, GLuint filter, GLuint edgeBehaviour);
    /// Deletes the GL texture, if any.
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    /// The GL texture, or 0 when the image could not be read.
    GLuint getTextureID() const { return texture_ID_; }

    /// Replaces the picture with `image`, keeping the id, filter and wrap settings.
    /// \return false, with an error line, for an image of another depth or too large.
    bool setImage(const SDL_Surface& image);

private:
    // Makes the GL texture and uploads `image`; `source` names it in error lines.
    void create(const SDL_Surface& image, const std::string& source, GLuint filter, GLuint edgeBehaviour);
    // Uploads `image` into the bound texture. \return false, with an error line, when it cannot be.
    static bool upload(const SDL_Surface& image, const std::string& source);

    GLuint texture_ID_ = 0;
};

}  // namespace ovra

#endif
