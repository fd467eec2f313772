#include "Ovra3D/widgets/Font.hpp"

#include "Ovra3D/utils.hpp"

#include <SDL2/SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cctype>
#include <iostream>

namespace ovra {

namespace {

const FcChar8* fcText(const std::string& text) { return reinterpret_cast<const FcChar8*>(text.c_str()); }

// A family name without blanks, in lower case, as fontconfig compares them.
std::string folded(const FcChar8* name) {
    std::string result;
    for (const FcChar8* c = name; *c != 0; ++c) {
        if (*c != ' ') {
            result += static_cast<char>(std::tolower(*c));
        }
    }
    return result;
}

// True when one of the families of `match` is `wanted`, blanks and case aside: fontconfig
// answers every query with some font, and a stand-in is not the font asked for.
bool hasFamily(FcPattern* match, const std::string& wanted) {
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
        if (folded(family) == wanted) {
            return true;
        }
    }
    return false;
}

}  // namespace

Font::Font(const std::string& family, int pixelSize) : family_(family), pixelSize_(pixelSize) {
    if (pixelSize <= 0) {
        std::cout << "ERROR: Ovra: Font: pixel size " << pixelSize << " for \"" << family << "\"" << std::endl;
        return;
    }
    file_ = findFile(family);
    if (file_.empty()) {
        std::cout << "ERROR: Ovra: Font: no font of family \"" << family << "\"" << std::endl;
        return;
    }
    if (TTF_Init() != 0) {
        std::cout << "ERROR: Ovra: Font: " << TTF_GetError() << std::endl;
        return;
    }
    if (is_readable_file(file_.c_str())) {
        font_ = TTF_OpenFont(file_.c_str(), pixelSize);
    } else {
        TTF_SetError("Couldn't open %s", file_.c_str());
    }
    if (font_ == nullptr) {
        std::cout << "ERROR: Ovra: Font: " << TTF_GetError() << std::endl;
        TTF_Quit();
    }
}

Font::~Font() {
    if (font_ != nullptr) {
        TTF_CloseFont(font_);
        TTF_Quit();
    }
}

std::string Font::findFile(const std::string& family) {
    if (family.empty() || FcInit() == FcFalse) {
        return std::string();
    }
    FcPattern* pattern = FcNameParse(fcText(family));
    if (pattern == nullptr) {
        return std::string();
    }
    std::string file;
    FcChar8* wanted = nullptr;
    if (FcPatternGetString(pattern, FC_FAMILY, 0, &wanted) == FcResultMatch) {
        const std::string wantedFamily = folded(wanted);
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(nullptr, pattern, &result);
        FcChar8* path = nullptr;
        if (match != nullptr && hasFamily(match, wantedFamily) &&
            FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) {
            file = reinterpret_cast<const char*>(path);
        }
        if (match != nullptr) {
            FcPatternDestroy(match);
        }
    }
    FcPatternDestroy(pattern);
    return file;
}

SDL_Surface* Font::render(const std::string& text) const {
    if (font_ == nullptr || text.empty()) {
        return nullptr;
    }
    const SDL_Color white{255, 255, 255, 255};
    SDL_Surface* image = TTF_RenderUTF8_Blended(font_, text.c_str(), white);
    if (image == nullptr) {
        std::cout << "ERROR: Ovra: Font: " << TTF_GetError() << std::endl;
    }
    return image;
}

}  // namespace ovra
