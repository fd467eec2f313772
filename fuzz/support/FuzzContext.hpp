#ifndef OVRA_FUZZ_FUZZCONTEXT_HPP
#define OVRA_FUZZ_FUZZCONTEXT_HPP

// What every fuzz target runs in, made once per process: a small window with its GL context,
// a scratch folder set as the engine's resources folder, and a shader for imported materials.

#include "Ovra3D/SDL2/SDL2Container.hpp"
#include "Ovra3D/Shader.hpp"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class FuzzContext {
public:
    // Made on first use; ends the process with a message when there is no GL context.
    static FuzzContext& get();

    ~FuzzContext();
    FuzzContext(const FuzzContext&) = delete;
    FuzzContext& operator=(const FuzzContext&) = delete;

    ovra::Shader* shader() const { return shader_.get(); }

    // Writes the bytes as <scratch>/<name>; the file is removed by the next clearFiles().
    void writeFile(const std::string& name, const uint8_t* data, size_t size);
    // Removes what writeFile() wrote, so one input never sees another's files.
    void clearFiles();
    // Destroys the materials and textures an input left in the object manager.
    void releaseImports();

    // The image every input may name as a texture: a small valid PNG in the scratch folder.
    static const char* const kImageName;

private:
    FuzzContext();
    void makeScratchFolder();
    void makeShader();

    std::unique_ptr<ovra::sdl2::SDL2Container> container_;
    std::string scratch_;
    std::vector<std::string> written_;
    std::unique_ptr<ovra::Shader> shader_;
};

#endif
