/// \file
/// A TrueType font at one pixel size.
#ifndef OVRA_FONT_HPP
#define OVRA_FONT_HPP

#include <string>

struct SDL_Surface;
struct _TTF_Font;

namespace ovra {

/// A TrueType font at one pixel size, found by family name through fontconfig, that turns
/// UTF-8 text into images. Errors are lines on the standard output; a font that could not
/// be opened renders nothing.
class Font {
public:
    /// Finds `family` ("DejaVu Sans", or with a style: "DejaVu Sans:bold") and opens it with
    /// an em of `pixelSize` pixels. A family that fontconfig does not have, or only stands
    /// in for with another, gives one error line and a closed font. Fonts of one file and
    /// size share one open face, which stays open for the rest of the run: making a font
    /// again costs no new memory.
    Font(const std::string& family, int pixelSize);
    /// Leaves the face open for the next font of the same file and size.
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    /// True when the font was found and opened.
    bool isOpen() const { return font_ != nullptr; }
    /// The family asked for.
    const std::string& getFamily() const { return family_; }
    /// The size asked for.
    int getPixelSize() const { return pixelSize_; }
    /// The font file in use; empty when none was found.
    const std::string& getFile() const { return file_; }

    /// The file fontconfig has for `family`, or empty when it has none of that family.
    static std::string findFile(const std::string& family);

    /// `text` drawn in white with its coverage in alpha, 32 bits per pixel, one line high.
    /// Null for an empty text or a closed font, and with an error line when the text cannot
    /// be drawn. The caller frees it with SDL_FreeSurface.
    SDL_Surface* render(const std::string& text) const;

private:
    std::string family_;
    int pixelSize_;
    std::string file_;
    _TTF_Font* font_ = nullptr;
};

}  // namespace ovra

#endif
