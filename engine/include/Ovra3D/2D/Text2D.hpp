/// \file
/// A line of text on the overlay.
#ifndef OVRA_TEXT2D_HPP
#define OVRA_TEXT2D_HPP

#include "Ovra3D/2D/Entity2D.hpp"
#include "Ovra3D/Color.hpp"

#include <memory>
#include <string>

namespace ovra {

class Font;
class PlaneMesh;
class Shader;
class Texture;
class Visual;

/// An overlay entity that draws one line of UTF-8 text in a font, at the font's pixel size,
/// in a colour. The text is turned into a texture only when the text or the font changes;
/// the entity's size follows the image, which it shows pixel for pixel at the design size.
/// Without a font, an open one or a text, it draws nothing. Needs the GL context.
class Text2D : public Entity2D {
public:
    /// No font and no text yet; white. Draws with `shader`, an overlay shader of the usual
    /// contract (nothing is drawn when it is null).
    Text2D(const std::string& name, Shader* shader);
    /// Frees its texture, mesh and material.
    ~Text2D() override;

    /// Uses `font` (shared: several texts may use one), and renders the text again.
    void setFont(std::shared_ptr<const Font> font);
    /// The font in use; null when none was given.
    const std::shared_ptr<const Font>& getFont() const { return font_; }

    /// Shows `text`; renders it only when it differs from the text shown.
    void setText(const std::string& text);
    /// The text as last given.
    const std::string& getText() const { return text_; }

    /// Colours the text; no new rendering is needed.
    void setColor(const Color& color);
    /// The text's colour.
    const Color& getColor() const { return color_; }

    /// How many times a text was turned into an image so far.
    int getRenderCount() const { return renderCount_; }

private:
    void render();
    void show(bool visible);

    std::shared_ptr<const Font> font_;
    std::string text_;
    Color color_{1.0f, 1.0f, 1.0f};
    std::unique_ptr<PlaneMesh> mesh_;
    std::unique_ptr<Texture> texture_;
    Visual* visual_ = nullptr;
    int renderCount_ = 0;
};

}  // namespace ovra

#endif
