#include "EmbeddedModels.hpp"
#include "GpuTestSupport.hpp"
#include "ImageFile.hpp"

#include "Ovra3D/ModelImport.hpp"
#include "Ovra3D/widgets/Texture.hpp"

#include <functional>

using gputest::Scene;
using ovra::ObjectManager;

namespace {

const Texel kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255}, kWhite{255, 255, 255, 255};

// An 8 x 8 image in four colours: red, green above blue, white.
Texel quadrantTexel(int x, int y) { return y < 4 ? (x < 4 ? kRed : kGreen) : (x < 4 ? kBlue : kWhite); }

// The same image as a PNG file's bytes.
std::string quadrantPng(const TempFolder& folder) {
    std::string bytes;
    EXPECT_TRUE(writeImage(folder.file("quadrants.png"), 8, 8, quadrantTexel));
    EXPECT_TRUE(ovra::get_file_contents(folder.file("quadrants.png").c_str(), bytes));
    return bytes;
}

// The quad of the embedded models, drawn through `scene`, shows the image upright.
void expectQuadrantsUpright(const Scene& scene) {
    const struct {
        const char* where;
        glm::vec3 world;
        Rgb colour;
    } corners[] = {
        {"top left", {-0.5f, 0.5f, 0.0f}, {255, 0, 0}},
        {"top right", {0.5f, 0.5f, 0.0f}, {0, 255, 0}},
        {"bottom left", {-0.5f, -0.5f, 0.0f}, {0, 0, 255}},
        {"bottom right", {0.5f, -0.5f, 0.0f}, {255, 255, 255}},
    };
    for (const auto& corner : corners) {
        const glm::ivec2 p = scene.windowPointOf(corner.world);
        EXPECT_TRUE(isColor(windowPixel(p.x, p.y), corner.colour)) << corner.where;
    }
}

class EmbeddedTextures : public ::testing::Test {
protected:
    void TearDown() override { ObjectManager::releaseAll(); }

    TempFolder dir_;
    ScopedRessourcesPath path_{dir_.path()};
    std::unique_ptr<ovra::Shader> shader_ = gputest::makeRepoShader("simple_shader");
};

struct FileCase {
    const char* name;
    const char* file;
    std::function<std::string(const std::string& png)> write;
};

class EmbeddedTextureFiles : public EmbeddedTextures, public ::testing::WithParamInterface<FileCase> {};

}  // namespace

TEST_P(EmbeddedTextureFiles, ImageInsideTheModelFileIsDecodedFromMemory) {
    const FileCase& c = GetParam();
    dir_.write(c.file, c.write(quadrantPng(dir_)));
    // Only the model holds the image: a stray file of the same name must not be what loads.
    std::remove(dir_.file("quadrants.png").c_str());
    Scene scene;
    CapturedStdout out;
    scene.level.getRootEntity().attach(*ObjectManager::load3DFile(c.file, shader_.get()));
    scene.drawFrames();

    EXPECT_EQ(out.text().find("ERROR"), std::string::npos) << out.text();
    expectQuadrantsUpright(scene);
}

INSTANTIATE_TEST_SUITE_P(Cases, EmbeddedTextureFiles,
                         ::testing::Values(FileCase{"GltfDataUri", "quad.gltf", texturedQuadGltfWithDataUris},
                                           FileCase{"Glb", "quad.glb", texturedQuadGlb},
                                           FileCase{"Fbx", "quad.fbx", texturedQuadFbx}),
                         [](const ::testing::TestParamInfo<FileCase>& info) { return info.param.name; });

TEST_F(EmbeddedTextures, RawTexelsOfASceneAreUploadedAsTheyAre) {
    // assimp's uncompressed form: width x height texels, blue first, rows from the top.
    auto* texture = new aiTexture();
    texture->mWidth = 8;
    texture->mHeight = 8;
    texture->pcData = new aiTexel[64];
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const Texel t = quadrantTexel(x, y);
            texture->pcData[y * 8 + x] = aiTexel{t.b, t.g, t.r, t.a};
        }
    }
    const std::unique_ptr<aiScene> aiscene = texturedQuadScene(texture);
    Scene scene;
    CapturedStdout out;
    scene.level.getRootEntity().attach(*ovra::load_aiscene_into_entity_tree(*aiscene, "quad", shader_.get()));
    scene.drawFrames();

    EXPECT_EQ(out.text().find("ERROR"), std::string::npos) << out.text();
    expectQuadrantsUpright(scene);
}

TEST_F(EmbeddedTextures, UndecodableImageIsReportedNamingTheModelAndTheQuadStaysInItsColour) {
    const std::unique_ptr<aiScene> aiscene = texturedQuadScene(compressedTexture("not an image at all", "png"));
    Scene scene;
    CapturedStdout out;
    scene.level.getRootEntity().attach(
        *ovra::load_aiscene_into_entity_tree(*aiscene, "models/quad.fbx", shader_.get()));
    scene.drawFrames();

    const std::vector<std::string> errors = out.linesStartingWith("ERROR: Ovra: Texture: ");
    ASSERT_EQ(errors.size(), 1u) << out.text();
    EXPECT_NE(errors[0].find("models/quad.fbx, texture *0"), std::string::npos) << errors[0];
    const glm::ivec2 centre = scene.windowPointOf(glm::vec3(0.0f));
    EXPECT_TRUE(isColor(windowPixel(centre.x, centre.y), {255, 255, 255}));
}
