/// \file
/// The window and OpenGL context, as the engine sees them.
#ifndef OVRA_GLCONTAINER_HPP
#define OVRA_GLCONTAINER_HPP

#include <glm/vec2.hpp>

#include <cstdint>
#include <string>

namespace ovra {

/// The window and its OpenGL context, as the engine sees them; the platform layer implements it.
///
/// Three sizes are involved. The design size is the one asked for at initialize(). The
/// drawable size is what the window holds now, in pixels. The picture size is the size in
/// picture pixels that overlay placement, the pointer and picking work in: the design size
/// in LETTERBOX mode, the drawable size in FILL mode. The viewport is where the picture
/// lands in the window.
class GLContainer {
public:
    /// How the picture fills a window whose shape differs from the design size.
    enum SCALE_MODE : int32_t {
        LETTERBOX = 0,  ///< The design size, scaled to fit, centred, black bars around it.
        FILL = 1        ///< The picture is as large as the window, pixel for pixel.
    };

    /// What the caller asks of the window.
    struct GLContainerParam {
        int16_t width = 0;                 ///< Window width in pixels; also the design width.
        int16_t height = 0;                ///< Window height in pixels; also the design height.
        std::string name;                  ///< Window title.
        bool resizable = true;             ///< The user may resize the window.
        bool fullscreen = false;           ///< Start in desktop fullscreen.
        SCALE_MODE scaleMode = LETTERBOX;  ///< See SCALE_MODE.
    };

    /// A rectangle of the window in drawable pixels, GL's way: origin at the bottom-left.
    struct Viewport {
        int x = 0;       ///< Left edge.
        int y = 0;       ///< Bottom edge.
        int width = 0;   ///< Width.
        int height = 0;  ///< Height.
    };

    virtual ~GLContainer() = default;

    /// Creates the window and its context from `param`.
    /// \return true when the window, the context and the GL entry points are all available.
    virtual bool initialize(const GLContainerParam& param) = 0;
    /// Called at the start of every frame.
    virtual void preDraw() = 0;
    /// Called at the end of every frame: presents it.
    virtual void postDraw() = 0;

    /// Switches between desktop fullscreen and a window. \return true when the window
    /// system did it; a container without that ability answers false and changes nothing.
    virtual bool setFullscreen(bool fullscreen);
    /// True while the window covers the desktop.
    virtual bool isFullscreen() const;

    /// The picture's width in picture pixels: the design width in LETTERBOX mode, the
    /// drawable width in FILL mode; 0 before initialize().
    int16_t getWidth() const;
    /// The picture's height, as getWidth().
    int16_t getHeight() const;
    /// The width asked for at initialize(); 0 before.
    int16_t getDesignWidth() const { return width_; }
    /// The height asked for at initialize(); 0 before.
    int16_t getDesignHeight() const { return height_; }
    /// The window's drawable width in pixels; the design width until the platform reports one.
    int getDrawableWidth() const { return hasDrawableSize_ ? drawableWidth_ : width_; }
    /// The window's drawable height in pixels; the design height until the platform reports one.
    int getDrawableHeight() const { return hasDrawableSize_ ? drawableHeight_ : height_; }

    /// Chooses how the picture fills the window; takes effect with the next frame.
    void setScaleMode(SCALE_MODE mode) { scaleMode_ = mode; }
    /// The current scale mode; LETTERBOX unless asked otherwise.
    SCALE_MODE getScaleMode() const { return scaleMode_; }

    /// Where the picture is drawn: in LETTERBOX mode the largest rectangle of the design
    /// shape that fits the window, centred (the whole window at the design size); in FILL
    /// mode the whole window. Empty when either size is empty.
    Viewport getViewport() const;
    /// The picture pixel under window pixel (x, y) (both with the origin at the top-left,
    /// y downward). Outside the viewport the answer lies outside the picture. Rounded down.
    glm::ivec2 windowToPicture(int x, int y) const;

protected:
    /// Records the window's drawable size, as the platform reports it.
    void setDrawableSize(int width, int height);

    int16_t width_ = 0;   ///< Width given to initialize(): the design width.
    int16_t height_ = 0;  ///< Height given to initialize(): the design height.
    std::string name_;    ///< Title given to initialize().

private:
    int drawableWidth_ = 0;
    int drawableHeight_ = 0;
    bool hasDrawableSize_ = false;
    SCALE_MODE scaleMode_ = LETTERBOX;
};

}  // namespace ovra

#endif
