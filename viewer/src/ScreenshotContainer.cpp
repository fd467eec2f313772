#include "ScreenshotContainer.hpp"

#include "Ovra3D/SDL2/SDL2FrameCapture.hpp"

void ScreenshotContainer::captureNextFrame(const std::string& pngPath) {
    pngPath_ = pngPath;
    captured_ = false;
}

void ScreenshotContainer::postDraw() {
    if (!pngPath_.empty()) {
        captured_ = ovra::sdl2::SDL2FrameCapture::savePng(getWidth(), getHeight(), pngPath_);
        pngPath_.clear();
    }
    SDL2Container::postDraw();
}
