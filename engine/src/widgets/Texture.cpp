#include "Ovra3D/widgets/Texture.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/utils.hpp"

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
    SDL_Surface* sdlimage = nullptr;
    if (is_readable_file(fullPath.c_str())) {
        sdlimage = IMG_Load(fullPath.c_str());
    } else {
        SDL_SetError("Couldn't open %s", fullPath.c_str());
    }
    upload(sdlimage, fullPath, filter, edgeBehaviour);
}

Texture::Texture(const unsigned char* bytes, size_t size, const std::string& name, GLuint filter,
                 GLuint edgeBehaviour) {
    SDL_Surface* sdlimage = nullptr;
    if (bytes == nullptr || size == 0 || size > static_cast<size_t>(INT_MAX)) {
        SDL_SetError("%s: no image data", name.c_str());
    } else {
        sdlimage = IMG_Load_RW(SDL_RWFromConstMem(bytes, static_cast<int>(size)), 1);
        if (sdlimage == nullptr) {
            const std::string reason = SDL_GetError();
            SDL_SetError("%s: %s", name.c_str(), reason.c_str());
        }
    }
    upload(sdlimage, name, filter, edgeBehaviour);
}

Texture::Texture(int width, int height, const unsigned char* bgraTexels, const std::string& name, GLuint filter,
                 GLuint edgeBehaviour) {
    SDL_Surface* sdlimage = nullptr;
    if (bgraTexels == nullptr || width <= 0 || height <= 0 || width > INT_MAX / 4) {
        SDL_SetError("%s: no texels of size %dx%d", name.c_str(), width, height);
    } else {
        // A view of the caller's texels: upload() reads them before the call returns.
        sdlimage = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<unsigned char*>(bgraTexels), width, height, 32,
                                                      width * 4, SDL_PIXELFORMAT_BGRA32);
    }
    upload(sdlimage, name, filter, edgeBehaviour);
}

void Texture::upload(SDL_Surface* sdlimage, const std::string& name, GLuint filter, GLuint edgeBehaviour) {
    if (sdlimage == nullptr) {
        std::cout << "ERROR: Ovra: Texture: " << SDL_GetError() << std::endl;
        return;
    }
    glGenTextures(1, &texture_ID_);
    glBindTexture(GL_TEXTURE_2D, texture_ID_);

    const SDL_PixelFormat* pixelFormat = sdlimage->format;
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (pixelFormat->BitsPerPixel < 24 || pixelFormat->BitsPerPixel > 32) {
        std::cout << "ERROR: Ovra: Texture: Unable to load image's format (" << name
                  << "):" << static_cast<int>(pixelFormat->BitsPerPixel) << std::endl;
    } else if (sdlimage->w > maxSize || sdlimage->h > maxSize) {
        // Past the driver's limit: some drivers read out of bounds instead of refusing it.
        std::cout << "ERROR: Ovra: Texture: Image too large (" << name << "):" << sdlimage->w << "x" << sdlimage->h
                  << std::endl;
    } else {
        // Red in the first byte means RGB order in memory, anything else BGR.
        const bool redFirst = pixelFormat->Rmask == 0xFF;
        GLenum globalFormat = GL_RGBA;
        GLenum format = redFirst ? GL_RGBA : GL_BGRA;
        if (pixelFormat->BytesPerPixel == 3) {
            globalFormat = GL_RGB;
            format = redFirst ? GL_RGB : GL_BGR;
        }
        glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(globalFormat), sdlimage->w, sdlimage->h, 0, format,
                     GL_UNSIGNED_BYTE, sdlimage->pixels);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLint>(filter));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLint>(filter));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLint>(edgeBehaviour));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLint>(edgeBehaviour));
        glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    SDL_FreeSurface(sdlimage);
}

Texture::~Texture() {
    if (texture_ID_ != 0) {
        glDeleteTextures(1, &texture_ID_);
    }
}

}  // namespace ovra
