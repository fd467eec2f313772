/// \file
/// Decoded image files, kept by path so that each is decoded once.
#ifndef OVRA_IMAGECACHE_HPP
#define OVRA_IMAGECACHE_HPP

#include <SDL2/SDL_surface.h>

#include <cstddef>
#include <memory>
#include <string>

namespace ovra {

/// Decoded images keyed by file path, so that a hundred sprites of one image decode it once.
/// A file whose size, modification or change time, or identity differs from when it was
/// decoded is decoded again. The images kept take at most a byte budget (64 MiB unless set):
/// past it the images decoded first are forgotten, so a program that reads many files over
/// its life does not keep them all. Process-wide; main thread only.
class ImageCache {
public:
    /// The image at `path`, decoded with SDL2_image or taken from the cache. Null when the
    /// file cannot be read or decoded (SDL_GetError() says why); a failure is not kept.
    /// The surface is shared: read it, never change it.
    static std::shared_ptr<SDL_Surface> load(const std::string& path);
    /// Forgets every image; surfaces still held elsewhere stay valid.
    static void clear();
    /// How many images the cache holds.
    static std::size_t size();
    /// Sets how many bytes of pixels the cache may keep; the image just decoded is kept even
    /// when it alone is larger. Forgets the oldest images at once if they no longer fit.
    static void setByteBudget(std::size_t bytes);
};

}  // namespace ovra

#endif
