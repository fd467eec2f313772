#ifndef OVRA_TESTS_IMAGEFILE_HPP
#define OVRA_TESTS_IMAGEFILE_HPP

#include <SDL2/SDL_pixels.h>

#include <cstdint>
#include <functional>
#include <string>

// Image files written by the tests, so that every texel the engine loads is known.
struct Texel {
    uint8_t r, g, b, a;
};

enum class ImageFile { PNG, BMP };

// Writes a `width` x `height` image whose texel (x, y), rows counted from the top, is
// texelAt(x, y). It is stored in SDL pixel format `pixelFormat` (RGBA32 keeps the alpha,
// RGB24 drops it, ...) as a PNG or BMP file; missing folders on the way are created.
// False when SDL could not build or save it.
bool writeImage(const std::string& path, int width, int height, const std::function<Texel(int x, int y)>& texelAt,
                uint32_t pixelFormat = SDL_PIXELFORMAT_RGBA32, ImageFile file = ImageFile::PNG);

#endif
