#include "Ovra3D/GLContainer.hpp"

#include <algorithm>
#include <cmath>

namespace ovra {

bool GLContainer::setFullscreen(bool) { return false; }

bool GLContainer::isFullscreen() const { return false; }

int16_t GLContainer::getWidth() const {
    return scaleMode_ == FILL ? static_cast<int16_t>(std::min(getDrawableWidth(), 32767)) : width_;
}

int16_t GLContainer::getHeight() const {
    return scaleMode_ == FILL ? static_cast<int16_t>(std::min(getDrawableHeight(), 32767)) : height_;
}

void GLContainer::setDrawableSize(int width, int height) {
    drawableWidth_ = std::max(width, 0);
    drawableHeight_ = std::max(height, 0);
    hasDrawableSize_ = true;
}

GLContainer::Viewport GLContainer::getViewport() const {
    const int windowWidth = getDrawableWidth();
    const int windowHeight = getDrawableHeight();
    Viewport viewport;
    if (scaleMode_ == FILL || width_ <= 0 || height_ <= 0 || windowWidth <= 0 || windowHeight <= 0) {
        viewport.width = std::max(windowWidth, 0);
        viewport.height = std::max(windowHeight, 0);
        return viewport;
    }
    // Integer comparison first, so that the design size itself gives the whole window exactly.
    const int64_t wideness = static_cast<int64_t>(windowWidth) * height_ - static_cast<int64_t>(windowHeight) * width_;
    if (wideness >= 0) {
        // Window wider than the design: bars left and right.
        viewport.height = windowHeight;
        viewport.width = static_cast<int>(std::lround(static_cast<double>(windowHeight) * width_ / height_));
    } else {
        viewport.width = windowWidth;
        viewport.height = static_cast<int>(std::lround(static_cast<double>(windowWidth) * height_ / width_));
    }
    viewport.x = (windowWidth - viewport.width) / 2;
    viewport.y = (windowHeight - viewport.height) / 2;
    return viewport;
}

glm::ivec2 GLContainer::windowToPicture(int x, int y) const {
    const Viewport viewport = getViewport();
    if (viewport.width <= 0 || viewport.height <= 0) {
        return glm::ivec2(x, y);
    }
    // The viewport counts from the bottom, the pointer from the top.
    const int top = getDrawableHeight() - viewport.y - viewport.height;
    const double pictureX = static_cast<double>(x - viewport.x) * getWidth() / viewport.width;
    const double pictureY = static_cast<double>(y - top) * getHeight() / viewport.height;
    return glm::ivec2(static_cast<int>(std::floor(pictureX)), static_cast<int>(std::floor(pictureY)));
}

}  // namespace ovra
