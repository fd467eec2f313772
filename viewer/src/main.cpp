// ovra_viewer MODEL_FILE [--screenshot OUT.png]: shows a model file through the engine's
// import, framed and orbiting; with --screenshot, draws one frame, writes it and exits.

#include "ScreenshotContainer.hpp"
#include "ViewerInput.hpp"
#include "ViewerLevel.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Shader.hpp"

#include <SDL2/SDL.h>

#include <iostream>
#include <string>

#ifndef OVRA_VIEWER_SHADER_DIR
#define OVRA_VIEWER_SHADER_DIR "../share/ovra_viewer"
#endif

namespace {

const char* const kUsage = "usage: ovra_viewer MODEL_FILE [--screenshot OUT.png]";
const char* const kShaderName = "model";

struct Arguments {
    std::string modelPath;
    std::string screenshotPath;
};

bool parseArguments(int argc, char** argv, Arguments& arguments) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--screenshot" && i + 1 < argc && arguments.screenshotPath.empty()) {
            arguments.screenshotPath = argv[++i];
        } else if (!argument.empty() && argument[0] != '-' && arguments.modelPath.empty()) {
            arguments.modelPath = argument;
        } else {
            return false;
        }
    }
    return !arguments.modelPath.empty();
}

std::string fileName(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The shader pair lies at a fixed place relative to the executable, in the build tree as
// once installed, so the viewer runs from any working directory.
std::string shaderFolder() {
    char* base = SDL_GetBasePath();
    const std::string folder = std::string(base != nullptr ? base : "./") + OVRA_VIEWER_SHADER_DIR + "/";
    SDL_free(base);
    return folder;
}

ovra::Shader* loadShader() {
    const std::string folder = shaderFolder();
    ovra::ObjectManager::setRessourcesPath(folder);
    ovra::Shader* shader = ovra::ObjectManager::createShader(kShaderName, false);
    if (shader != nullptr && shader->getProgramId() == 0) {
        delete shader;  // built but not linked: never registered, so it is ours
        shader = nullptr;
    }
    if (shader == nullptr) {
        std::cerr << "ovra_viewer: shader \"" << kShaderName << "\" is not available from " << folder << std::endl;
    }
    return shader;
}

int view(ScreenshotContainer& container, const Arguments& arguments) {
    ovra::Shader* shader = loadShader();
    if (shader == nullptr) {
        return 1;
    }
    ViewerInput input;
    ViewerLevel level(input);
    if (!level.load(arguments.modelPath, *shader, std::cerr, std::cout)) {
        return 1;
    }
    level.initialize();
    if (!arguments.screenshotPath.empty()) {
        container.captureNextFrame(arguments.screenshotPath);
        level.quitAfterFirstFrame();
    }
    GETAPP().run(container, input, level);
    return arguments.screenshotPath.empty() || container.hasCaptured() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    if (!parseArguments(argc, argv, arguments)) {
        std::cerr << kUsage << std::endl;
        return 2;
    }
    ScreenshotContainer container;
    ovra::GLContainer::GLContainerParam param;
    param.width = 960;
    param.height = 540;
    param.name = fileName(arguments.modelPath);
    // A tool's picture follows its window: resizing shows more, never letterboxes.
    param.scaleMode = ovra::GLContainer::FILL;
    if (!container.initialize(param)) {
        std::cerr << "ovra_viewer: cannot open a window with an OpenGL 3.3 context" << std::endl;
        return 1;
    }
    const int status = view(container, arguments);
    // Shaders, materials and textures hold GL objects: free them while the window exists.
    ovra::ObjectManager::releaseAll();
    return status;
}
