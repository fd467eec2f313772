#include "FuzzContext.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Shader.hpp"

#include "ShaderPair.hpp"
#include "WindowSetup.hpp"

#include <SDL2/SDL_image.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

const char* const FuzzContext::kImageName = "tex.png";

FuzzContext& FuzzContext::get() {
    static FuzzContext context;
    return context;
}

FuzzContext::FuzzContext() : container_(workshop::openWindow(workshop::windowParam("Ovra fuzz", 64, 64))) {
    if (!container_) {
        std::fprintf(stderr, "fuzz: no window or GL context: run under a display (Xvfb)\n");
        std::exit(2);
    }
    makeScratchFolder();
    ovra::ObjectManager::setRessourcesPath(scratch_);
    makeShader();
}

FuzzContext::~FuzzContext() {
    workshop::releaseBeforeWindow();
    shader_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(scratch_, ignored);
}

void FuzzContext::makeScratchFolder() {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr && tmp[0] != '\0' ? tmp : "/tmp") + "/ovra-fuzz-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        std::perror("fuzz: scratch folder");
        std::exit(2);
    }
    scratch_ = pattern + "/";
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, 2, 2, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_FillRect(image, nullptr, SDL_MapRGBA(image->format, 200, 120, 40, 255));
    IMG_SavePNG(image, (scratch_ + kImageName).c_str());
    SDL_FreeSurface(image);
}

// Kept out of the object manager's shader table, so releaseImports() can empty the tables
// after every input while the shader stays.
void FuzzContext::makeShader() {
    shader_ = workshop::buildShaderPair(std::string(OVRA_FUZZ_SOURCE_DIR) + "/Ressources/", "simple_shader");
    if (!shader_) {
        std::fprintf(stderr, "fuzz: shader sources missing under %s\n", OVRA_FUZZ_SOURCE_DIR);
        std::exit(2);
    }
}

void FuzzContext::writeFile(const std::string& name, const uint8_t* data, size_t size) {
    std::ofstream out(scratch_ + name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    written_.push_back(name);
}

void FuzzContext::clearFiles() {
    for (const std::string& name : written_) {
        std::remove((scratch_ + name).c_str());
    }
    written_.clear();
}

void FuzzContext::releaseImports() { ovra::ObjectManager::releaseAll(); }
