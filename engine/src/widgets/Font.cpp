#include "Ovra3D/widgets/Font.hpp"

#include "Ovra3D/utils.hpp"

#include <SDL2/SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <cctype>
#include <iostream>
#include <map>
#include <utility>

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

// The faces opened so far, one for each file and size, kept open for the rest of the run: the
// font library keeps some memory for each face it has drawn with, so a program that makes its
// fonts again (for each new level, say) would pay for it again every time.
class OpenFaces {
public:
    ~OpenFaces() {
        for (const auto& entry : faces_) {
            TTF_CloseFont(entry.second);
        }
        if (initialised_) {
            TTF_Quit();
        }
    }

    // The face of `file` at `pixelSize`, opened on first use; null with SDL_ttf's error set.
    _TTF_Font* open(const std::string& file, int pixelSize) {
        const auto key = std::make_pair(file, pixelSize);
        const auto found = faces_.find(key);
        if (found != faces_.end()) {
            return found->second;
        }
        if (!initialised_ && TTF_Init() != 0) {
            return nullptr;
        }
        initialised_ = true;
        _TTF_Font* face = TTF_OpenFont(file.c_str(), pixelSize);
        if (face != nullptr) {
            faces_.emplace(key, face);
        }
        return face;
    }

private:
    std::map<std::pair<std::string, int>, _TTF_Font*> faces_;
    bool initialised_ = false;
};

OpenFaces& openFaces() {
    static OpenFaces faces;
    return faces;
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
    if (is_readable_file(file_.c_str())) {
        font_ = openFaces().open(file_, pixelSize);
    } else {
        TTF_SetError("Couldn't open %s", file_.c_str());
    }
    if (font_ == nullptr) {
        std::cout << "ERROR: Ovra: Font: " << TTF_GetError() << std::endl;
    }
}

Font::~Font() = default;

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
