#include "WindowSetup.hpp"

#include "Ovra3D/ObjectManager.hpp"

#include <chrono>
#include <thread>

namespace workshop {

ovra::GLContainer::GLContainerParam windowParam(const std::string& title, int width, int height) {
    ovra::GLContainer::GLContainerParam param;
    param.width = static_cast<int16_t>(width);
    param.height = static_cast<int16_t>(height);
    param.name = title;
    return param;
}

std::unique_ptr<ovra::sdl2::SDL2Container> openWindow(const ovra::GLContainer::GLContainerParam& param, int attempts,
                                                      const std::function<void(int attempt)>& onFailure) {
    for (int attempt = 1; attempt <= attempts; ++attempt) {
        // A container whose initialisation failed is not tried again: each attempt gets a new one.
        auto container = std::make_unique<ovra::sdl2::SDL2Container>();
        if (container->initialize(param)) {
            return container;
        }
        container.reset();
        if (onFailure) {
            onFailure(attempt);
        }
        if (attempt < attempts) {
            std::this_thread::sleep_for(std::chrono::milliseconds(500));
        }
    }
    return nullptr;
}

void releaseBeforeWindow() { ovra::ObjectManager::releaseAll(); }

}  // namespace workshop
