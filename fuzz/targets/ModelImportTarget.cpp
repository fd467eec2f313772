// Arbitrary bytes read as a model file through ObjectManager::load3DFile. The first byte picks
// the format (and so the file's extension); for formats that read a second file (OBJ its
// materials, glTF its buffer) the rest is split at the first separator line into the model
// and that companion file.

#include "FuzzContext.hpp"
#include "ImportChecks.hpp"

#include "Ovra3D/Entity.hpp"
#include "Ovra3D/ObjectManager.hpp"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

struct Format {
    const char* model;
    const char* companion;  // null: the whole rest is the model
};

constexpr Format kFormats[] = {
    {"model.obj", "model.mtl"}, {"model.gltf", "model.bin"}, {"model.glb", "model.bin"},
    {"model.ply", nullptr},     {"model.stl", nullptr},      {"model.fbx", nullptr},
};

constexpr char kSeparator[] = "\n----\n";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzContext::get();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    FuzzContext& context = FuzzContext::get();
    const Format& format = kFormats[data[0] % (sizeof kFormats / sizeof kFormats[0])];
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const size_t split = format.companion != nullptr ? rest.find(kSeparator) : std::string::npos;
    context.clearFiles();
    if (split == std::string::npos) {
        context.writeFile(format.model, data + 1, size - 1);
    } else {
        const size_t companion = split + sizeof kSeparator - 1;
        context.writeFile(format.model, data + 1, split);
        context.writeFile(format.companion, data + 1 + companion, rest.size() - companion);
    }
    std::unique_ptr<ovra::Entity> root;
    try {
        root.reset(ovra::ObjectManager::load3DFile(format.model, context.shader()));
    } catch (const std::invalid_argument&) {
        return 0;  // refused by the importer: the documented outcome
    }
    checkImportedTree(*root);
    root.reset();
    context.releaseImports();
    return 0;
}
