#include "Ovra3D/widgets/Texture.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/utils.hpp"
#include "Ovra3D/widgets/ImageCache.hpp"

#include <SDL2/SDL_image.h>

#include <climits>
#include <iostream>

namespace ovra {

Texture::Texture(const std::string& imagePath, GLuint filter, GLuint edgeBehaviour) {
    const std::string fullPath = ObjectManager::getRessourcesPath() + imagePath;
    if (!has_gl_context(("load the texture " + fullPath).c_str())) {
        return;
    }
    // Only a readable regular file goes to the decoder: a pipe would block it.
    // Decoded once per file version and shared: only read from it.
    std::shared_ptr<SDL_Surface> image;
    if (is_readable_file(fullPath.c_str())) {
        image = ImageCache::load(fullPath);
    } else {
        SDL_SetError("Couldn't open %s", fullPath.c_str());
    }
    if (image == nullptr) {
        std::cout << "ERROR: Ovra: Texture: " << SDL_GetError() << std::endl;
        return;
    }
    create(*image, fullPath, filter, edgeBehaviour);
}

Texture::Texture(const unsigned char* bytes, size_t size, const std::string& name, GLuint filter,
                 GLuint edgeBehaviour) {
    SDL_Surface* image = nullptr;
    if (bytes == nullptr || size == 0 || size > static_cast<size_t>(INT_MAX)) {
        SDL_SetError("%s: no image data", name.c_str());
    } else {
        image = IMG_Load_RW(SDL_RWFromConstMem(bytes, static_cast<int>(size)), 1);
        if (image == nullptr) {
            const std::string reason = SDL_GetError();
            SDL_SetError("%s: %s", name.c_str(), reason.c_str());
        }
    }
    createFrom(image, name, filter, edgeBehaviour);
}

Texture::Texture(int width, int height, const unsigned char* bgraTexels, const std::string& name, GLuint filter,
                 GLuint edgeBehaviour) {
    SDL_Surface* image = nullptr;
    if (bgraTexels == nullptr || width <= 0 || height <= 0 || width > INT_MAX / 4) {
        SDL_SetError("%s: no texels of size %dx%d", name.c_str(), width, height);
    } else {
        // A view of the caller's texels, read before the constructor returns.
        image = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<unsigned char*>(bgraTexels), width, height, 32, width * 4,
                                                   SDL_PIXELFORMAT_BGRA32);
    }
    createFrom(image, name, filter, edgeBehaviour);
}

void Texture::createFrom(SDL_Surface* image, const std::string& source, GLuint filter, GLuint edgeBehaviour) {
    if (image == nullptr) {
        std::cout << "ERROR: Ovra: Texture: " << SDL_GetError() << std::endl;
        return;
    }
    create(*image, source, filter, edgeBehaviour);
    SDL_FreeSurface(image);
}

Texture::Texture(const SDL_Surface& image, GLuint filter, GLuint edgeBehaviour) {
    create(image, "image in memory", filter, edgeBehaviour);
}

void Texture::create(const SDL_Surface& image, const std::string& source, GLuint filter, GLuint edgeBehaviour) {
    glGenTextures(1, &texture_ID_);
    glBindTexture(GL_TEXTURE_2D, texture_ID_);
    if (upload(image, source)) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(filter));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(filter));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLint>(edgeBehaviour));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLint>(edgeBehaviour));
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

bool Texture::setImage(const SDL_Surface& image) {
    if (texture_ID_ == 0) {
        glGenTextures(1, &texture_ID_);
    }
    glBindTexture(GL_TEXTURE_2D, texture_ID_);
    const bool uploaded = upload(image, "image in memory");
    glBindTexture(GL_TEXTURE_2D, 0);
    return uploaded;
}

bool Texture::upload(const SDL_Surface& image, const std::string& source) {
    const SDL_PixelFormat* pixelFormat = image.format;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (pixelFormat->BitsPerPixel < 24 || pixelFormat->BitsPerPixel > 32) {
        std::cout << "ERROR: Ovra: Texture: Unable to load image's format (" << source
                  << "):" << static_cast<int>(pixelFormat->BitsPerPixel) << std::endl;
        return false;
    }
    if (image.w > maxSize || image.h > maxSize) {
        // Past the driver's limit: some drivers read out of bounds instead of refusing it.
        std::cout << "ERROR: Ovra: Texture: Image too large (" << source << "):" << image.w << "x" << image.h
                  << std::endl;
        return false;
    }
    // Red in the first byte means RGB order in memory, anything else BGR.
    const bool redFirst = pixelFormat->Rmask == 0xFF;
    GLenum globalFormat = GL_RGBA;
    GLenum format = redFirst ? GL_RGBA : GL_BGRA;
    if (pixelFormat->BytesPerPixel == 3) {
        globalFormat = GL_RGB;
        format = redFirst ? GL_RGB : GL_BGR;
    }
    // GL reads rows padded to 4 bytes, as SDL lays them out; a wider pitch needs saying.
    const int packedPitch = (image.w * pixelFormat->BytesPerPixel + 3) / 4 * 4;
    const bool widerRows = image.pitch != packedPitch && image.pitch % pixelFormat->BytesPerPixel == 0;
    if (widerRows) {
        glPixelStorei(GL_UNPACK_ROW_LENGTH, image.pitch / pixelFormat->BytesPerPixel);
    }
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(globalFormat), image.w, image.h, 0, format, GL_UNSIGNED_BYTE,
                 image.pixels);
    if (widerRows) {
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    }
    return true;
}

Texture::~Texture() {
    if (texture_ID_ != 0) {
        glDeleteTextures(1, &texture_ID_);
    }
}

}  // namespace ovra
