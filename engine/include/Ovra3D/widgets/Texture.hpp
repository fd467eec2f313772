/// \file
/// An image as a GL texture: from a file, from an image file held in memory, or from raw texels.
#ifndef OVRA_TEXTURE_HPP
#define OVRA_TEXTURE_HPP

#include "Ovra3D/common.hpp"

#include <cstddef>
#include <string>

struct SDL_Surface;

namespace ovra {

/// A 2D GL texture made from an image of 24 or 32 bits per pixel: a file under the resources
/// path, an image file held in memory (a model's embedded texture) or raw texels.
/// Failures are error lines on the standard output; the texture is then either without a GL
/// object (id 0) or, for an image of another depth (an 8-bit palette image, say), an empty
/// GL texture object that samples black. Needs the GL context.
class Texture {
public:
    /// Loads the resources path + `imagePath` with `filter` for both filters and `edgeBehaviour`
    /// for both wrap directions. A missing or unreadable file gives id 0. A filter or wrap
    /// value the GL does not know is left to the GL's error flag; the texture keeps the GL's
    /// default for it.
    Texture(const std::string& imagePath, GLuint filter, GLuint edgeBehaviour);
    /// Decodes the image file held in the `size` bytes at `bytes` (any format SDL_image reads),
    /// otherwise as the file constructor. `name` stands for the image in error lines; bytes
    /// that are no image give id 0.
    Texture(const unsigned char* bytes, size_t size, const std::string& name, GLuint filter, GLuint edgeBehaviour);
    /// Uploads `width` x `height` texels of four bytes each in the order blue, green, red,
    /// alpha, rows from the top, otherwise as the file constructor. A size that is not
    /// positive, or null texels, give id 0.
    Texture(int width, int height, const unsigned char* bgraTexels, const std::string& name, GLuint filter,
            GLuint edgeBehaviour);
    /// Uploads an image already in memory (24 or 32 bits per pixel), with the same settings
    /// and the same error lines as a file; the surface stays the caller's.
    Texture(const SDL_Surface& image, GLuint filter, GLuint edgeBehaviour);
    /// Deletes the GL texture, if any.
    ~Texture();
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    /// The GL texture, or 0 when no image could be read. Not 0 for an image of an unsupported
    /// depth: that texture object has no image.
    GLuint getTextureID() const { return texture_ID_; }

    /// Replaces the picture with `image`, keeping the id, filter and wrap settings.
    /// \return false, with an error line, for an image of another depth or too large.
    bool setImage(const SDL_Surface& image);

private:
    // Makes the GL texture from a decoded image (null: report SDL's error, no texture) and
    // frees the image. `source` names it in error lines.
    void createFrom(SDL_Surface* image, const std::string& source, GLuint filter, GLuint edgeBehaviour);
    // Makes the GL texture and uploads `image`; `source` names it in error lines.
    void create(const SDL_Surface& image, const std::string& source, GLuint filter, GLuint edgeBehaviour);
    // Uploads `image` into the bound texture. \return false, with an error line, when it cannot be.
    static bool upload(const SDL_Surface& image, const std::string& source);

    GLuint texture_ID_ = 0;
};

}  // namespace ovra

#endif
