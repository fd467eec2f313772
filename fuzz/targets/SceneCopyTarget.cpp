// Synthetic assimp scenes, decoded from the bytes, fed to the import's own conversion: the
// same call load3DFile makes once assimp has read a file, here with the damaged shapes that
// assimp's readers would not let through.

#include "ByteReader.hpp"
#include "FuzzContext.hpp"
#include "ImportChecks.hpp"
#include "SyntheticScene.hpp"

#include "Ovra3D/Entity.hpp"
#include "Ovra3D/ModelImport.hpp"

#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzContext::get();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzContext& context = FuzzContext::get();
    ByteReader in(data, size);
    const SyntheticScene synthetic(in);
    const bool withShader = in.flag();
    std::unique_ptr<ovra::Entity> root(
        ovra::load_aiscene_into_entity_tree(synthetic.scene(), "model.obj", withShader ? context.shader() : nullptr));
    checkImportedTree(*root);
    root.reset();
    context.releaseImports();
    return 0;
}
