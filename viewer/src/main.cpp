// ovra_viewer MODEL_FILE [--screenshot OUT.png]: shows a model file through the engine's
// import, framed and orbiting; with --screenshot, draws one frame, writes it and exits.

#include "ScreenshotContainer.hpp"
#include "ViewerInput.hpp"
#include "ViewerLevel.hpp"

#include "ShaderPair.hpp"
#include "WindowSetup.hpp"

#include "Ovra3D/Application.hpp"
#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Shader.hpp"

#include <SDL2/SDL.h>

#include <iostream>
#include <string>

namespace {

const char* const kUsage = "usage: ovra_viewer MODEL_FILE [--screenshot OUT.png]";

struct Arguments {
    std::string modelPath;
    std::string screenshotPath;
};

// False for anything but one model path and at most one --screenshot with a file name: an
// empty value would otherwise leave an interactive window waiting for someone to close it.
bool parseArguments(int argc, char** argv, Arguments& arguments) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--screenshot") {
            if (i + 1 == argc || argv[i + 1][0] == '\0' || !arguments.screenshotPath.empty()) {
                return false;
            }
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

// The engine's lit shader: smooth light from the normals the import keeps or makes. Only
// this one of the built-in pairs is built: the viewer needs no other.
ovra::Shader* loadShader() {
    ovra::Shader* shader = workshop::loadRegisteredShader(ovra::ObjectManager::LIT_SHADER);
    if (shader == nullptr) {
        std::cerr << "ovra_viewer: the engine's lit shader did not build" << std::endl;
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
    ovra::GLContainer::GLContainerParam param = workshop::windowParam(fileName(arguments.modelPath), 960, 540);
    // A tool's picture follows its window: resizing shows more, never letterboxes.
    param.scaleMode = ovra::GLContainer::FILL;
    if (!container.initialize(param)) {
        std::cerr << "ovra_viewer: cannot open a window with an OpenGL 3.3 context" << std::endl;
        return 1;
    }
    const int status = view(container, arguments);
    // Shaders, materials and textures hold GL objects: free them while the window exists.
    workshop::releaseBeforeWindow();
    return status;
}
