/// \file
/// Saving a drawn frame as a picture.
#ifndef OVRA_SDL2FRAMECAPTURE_HPP
#define OVRA_SDL2FRAMECAPTURE_HPP

#include <string>

namespace ovra {
namespace sdl2 {

/// Writes what the current GL context has drawn into its back buffer to a PNG file,
/// through SDL2_image: a screenshot, taken in a container's postDraw() before the swap.
class SDL2FrameCapture {
public:
    /// Reads the `width` x `height` pixels at the back buffer's lower left corner and
    /// writes them, top row first, as an RGB PNG to `pngPath`.
    /// \return false, with an error line naming the path, when the size is not positive
    /// or the file cannot be written.
    static bool savePng(int width, int height, const std::string& pngPath);
};

}  // namespace sdl2
}  // namespace ovra

#endif
