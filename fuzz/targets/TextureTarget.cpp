// Arbitrary bytes loaded as an image through ovra::Texture. The first byte picks the file's
// extension: most formats are recognised by their content, a few (TGA) only by the name.

#include "FuzzContext.hpp"

#include "Ovra3D/widgets/Texture.hpp"

#include <cstdint>
#include <string>

namespace {

constexpr const char* kNames[] = {"image.png", "image.tga", "image.bmp", "image.jpg",
                                  "image.gif", "image.svg", "image.qoi", "image.pnm"};

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
    const std::string name = kNames[data[0] % (sizeof kNames / sizeof kNames[0])];
    context.clearFiles();
    context.writeFile(name, data + 1, size - 1);
    ovra::Texture texture(name, GL_LINEAR, GL_CLAMP_TO_EDGE);
    return 0;
}
