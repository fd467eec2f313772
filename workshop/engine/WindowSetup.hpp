#ifndef OVRA_WORKSHOP_WINDOWSETUP_HPP
#define OVRA_WORKSHOP_WINDOWSETUP_HPP

// Bringing up a window with its GL context, and taking it down in the engine's order: the
// object manager's shaders, materials and textures hold GL objects, so they go first.

#include "Ovra3D/GLContainer.hpp"
#include "Ovra3D/SDL2/SDL2Container.hpp"

#include <functional>
#include <memory>
#include <string>

namespace workshop {

// What a `width` x `height` window titled `title` asks of its container; the rest as default.
ovra::GLContainer::GLContainerParam windowParam(const std::string& title, int width, int height);

// An SDL2 window with its GL context, tried up to `attempts` times half a second apart (an X
// server under load at times refuses a connection); `onFailure` hears each failed attempt's
// number. Null when none opened.
std::unique_ptr<ovra::sdl2::SDL2Container> openWindow(const ovra::GLContainer::GLContainerParam& param,
                                                      int attempts = 1,
                                                      const std::function<void(int attempt)>& onFailure = {});

// Frees what the object manager holds while the window's GL context still exists.
void releaseBeforeWindow();

}  // namespace workshop

#endif
