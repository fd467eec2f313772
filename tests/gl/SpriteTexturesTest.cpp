#include "CapturedStdout.hpp"
#include "ImageFile.hpp"
#include "ScopedRessourcesPath.hpp"
#include "TempFolder.hpp"
#include "entities/SpriteTextures.hpp"

#include "Ovra3D/widgets/Texture.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

bool writeSquare(const TempFolder& dir, const std::string& name) {
    return writeImage(dir.file(name), 4, 4, [](int, int) { return Texel{10, 20, 30, 255}; });
}

}  // namespace

// One GL texture per image while a sprite holds it; freed with the last holder, while GL
// is up; an image under another resources path is another texture.
TEST(SpriteTextures, SpritesOfOneImageShareOneTextureFreedWithTheLastOfThem) {
    TempFolder first;
    TempFolder second;
    ASSERT_TRUE(writeSquare(first, "zombie.png") && writeSquare(first, "cat.png") && writeSquare(second, "zombie.png"));
    ScopedRessourcesPath path(first.path());

    std::shared_ptr<ovra::Texture> a = SpriteTextures::get("zombie.png");
    std::shared_ptr<ovra::Texture> b = SpriteTextures::get("zombie.png");
    ASSERT_NE(a->getTextureID(), 0u);
    EXPECT_EQ(a, b);
    EXPECT_NE(SpriteTextures::get("cat.png")->getTextureID(), a->getTextureID());
    {
        ScopedRessourcesPath other(second.path());
        EXPECT_NE(SpriteTextures::get("zombie.png"), a) << "same name, other folder";
    }

    const GLuint id = a->getTextureID();
    a.reset();
    EXPECT_EQ(glIsTexture(id), GL_TRUE) << "still held";
    b.reset();
    EXPECT_EQ(glIsTexture(id), GL_FALSE) << "the last holder is gone";
    EXPECT_NE(SpriteTextures::get("zombie.png")->getTextureID(), 0u) << "made again when asked again";
}

// Each sprite whose image is missing says so, as when every sprite loaded its own.
TEST(SpriteTextures, AnImageThatFailedIsNotSharedAndEachSpriteReportsIt) {
    TempFolder dir;
    ScopedRessourcesPath path(dir.path());
    CapturedStdout out;
    const std::shared_ptr<ovra::Texture> a = SpriteTextures::get("missing.png");
    const std::shared_ptr<ovra::Texture> b = SpriteTextures::get("missing.png");
    EXPECT_EQ(a->getTextureID(), 0u);
    EXPECT_NE(a, b);
    EXPECT_EQ(out.linesStartingWith("ERROR: Ovra: Texture: ").size(), 2u);

    ASSERT_TRUE(writeSquare(dir, "missing.png"));
    EXPECT_NE(SpriteTextures::get("missing.png")->getTextureID(), 0u) << "once there, it loads";
}
