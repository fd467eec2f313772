#include "ImageFile.hpp"
#include "LineObject.hpp"
#include "ScopedRessourcesPath.hpp"
#include "TempFolder.hpp"
#include "WindowPixels.hpp"
#include "WorldTestSupport.hpp"
#include "entities/Cat.hpp"
#include "entities/Floor.hpp"
#include "entities/Zombie.hpp"

#include "Ovra3D/Time.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/Mesh.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

using namespace worldtest;

namespace {

constexpr float kTol = 1e-4f;

const Rgb kBlue{0, 0, 255};

// An 8 x 8 image in `folder`: the top half `top`, the bottom half blue, the top-left 2 x 2 texels transparent.
void writeTestImage(const TempFolder& folder, const std::string& name, const Rgb& top) {
    const bool written = writeImage(folder.file(name), 8, 8, [&](int x, int y) {
        const Rgb color = y < 4 ? top : kBlue;
        const uint8_t alpha = (x < 2 && y < 2) ? 0 : 255;
        return Texel{static_cast<uint8_t>(color.r), static_cast<uint8_t>(color.g), static_cast<uint8_t>(color.b),
                     alpha};
    });
    EXPECT_TRUE(written) << name;
}

// A level seen through the game's camera, drawn into the shared window.
class Scene {
public:
    void draw() {
        ovra::Time::fps = 0;
        runFrames(container_, input_, level_, 1);
        ovra::Time::fps = 60;
    }
    ovra::Entity& add(ovra::Entity* entity) {
        level_.getRootEntity().attach(*entity);
        return *entity;
    }
    Rgb colorAt(const glm::vec3& world) const {
        const glm::ivec2 pixel = pixelOf(camera_, world);
        return windowPixel(pixel.x, pixel.y);
    }

private:
    FakeContainer container_{kWindowWidth, kWindowHeight};
    FakeInput input_;
    FakeLevel level_;
    ovra::Camera& camera_ = useGameCamera(level_);
};

ovra::Visual* visualOf(const ovra::Node& node) {
    return static_cast<ovra::Visual*>(node.getComponent(ovra::Component::VISUAL));
}

ovra::Material& materialOf(const ovra::Node& node) { return visualOf(node)->getMesh().getMaterial(0); }

ovra::Entity& visualChild(const ovra::Entity& sprite) { return *static_cast<ovra::Entity*>(sprite.getChild(0)); }

struct SpriteCase {
    const char* name;
    const char* image;
    Rgb imageTop;  // the top half of the test image drawn for this sprite's file
    ovra::Entity* (*make)(const char* name, ovra::Shader& shader);
    const char* visualName;
    glm::vec3 visualPosition;
    float scale;
};

const SpriteCase kSprites[] = {
    {"Player",
     "cat_01.png",
     {255, 0, 0},
     [](const char* n, ovra::Shader& s) -> ovra::Entity* { return new Cat(n, s); },
     "Player_visual",
     {0.0f, 0.1f, 0.0f},
     2.0f},
    {"Zombie7",
     "zombie01.png",
     {0, 255, 0},
     [](const char* n, ovra::Shader&) -> ovra::Entity* { return new Zombie(n); },
     "Zombie7_visual",
     {0.0f, 0.1f, 0.0f},
     2.0f},
    {"Floor",
     "maps/map_01.png",
     {255, 0, 255},
     [](const char* n, ovra::Shader& s) -> ovra::Entity* { return new Floor(n, s); },
     "Floor_visual",
     {0.0f, 0.0f, 0.0f},
     20.0f},
};

class GameEntitiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        shader_ = ressources_.shader();
        ASSERT_NE(shader_, nullptr);
    }

    RepoRessources ressources_;
    ovra::Shader* shader_ = nullptr;
    // Takes the entities built outside a scene, so that they go with the test.
    ovra::Entity holder_{"holder"};
};

TEST_F(GameEntitiesTest, SpritesCarryOneFlatVisualChildWithAnAlphaMaskedWhiteMaterial) {
    for (const SpriteCase& c : kSprites) {
        SCOPED_TRACE(c.name);
        ovra::Entity* sprite = c.make(c.name, *shader_);
        holder_.attach(*sprite);

        EXPECT_EQ(sprite->getName(), c.name);
        EXPECT_EQ(visualOf(*sprite), nullptr);
        EXPECT_TRUE(near(sprite->getTransform().getPosition(), glm::vec3(0.0f), 0.0f));
        EXPECT_TRUE(near(sprite->getTransform().getScale(), glm::vec3(1.0f), 0.0f));
        ASSERT_EQ(sprite->countChildren(), 1u);

        const ovra::Entity& child = visualChild(*sprite);
        EXPECT_EQ(child.getName(), c.visualName);
        EXPECT_EQ(child.countChildren(), 0u);
        ASSERT_NE(visualOf(child), nullptr);
        ASSERT_TRUE(visualOf(child)->hasMesh());
        ASSERT_TRUE(visualOf(child)->getMesh().hasMaterial(0));
        const ovra::Material::Properties& properties = materialOf(child).getProperties();
        EXPECT_EQ(properties.diffuseColor.red, 1.0f);
        EXPECT_EQ(properties.diffuseColor.green, 1.0f);
        EXPECT_EQ(properties.diffuseColor.blue, 1.0f);
        EXPECT_TRUE(properties.useAlphaMask);

        const ovra::Transform& placement = child.getTransform();
        EXPECT_TRUE(near(placement.getPosition(), c.visualPosition, kTol));
        EXPECT_TRUE(near(placement.getScale(), glm::vec3(c.scale), kTol));
        // The square's local +y (the image's top) turns onto world +z: it lies flat.
        EXPECT_TRUE(near(placement.getRotation() * glm::vec3(0.0f, 1.0f, 0.0f), glm::vec3(0.0f, 0.0f, 1.0f), kTol));
        EXPECT_TRUE(near(placement.getRotation() * glm::vec3(1.0f, 0.0f, 0.0f), glm::vec3(1.0f, 0.0f, 0.0f), kTol));
    }
}

// Each sprite shows its own image: the image's top rows towards world +z (the bottom of the
// screen), its transparent texels cut out, and the square placed under its parent.
TEST_F(GameEntitiesTest, SpritesShowTheirImageLaidFlatWithTransparentTexelsCutOut) {
    TempFolder ressources;
    for (const SpriteCase& c : kSprites) {
        writeTestImage(ressources, c.image, c.imageTop);
    }
    const glm::vec3 sidePlace(3.0f, 0.0f, -2.0f);
    for (const SpriteCase& c : kSprites) {
        SCOPED_TRACE(c.name);
        Scene scene;
        ovra::Entity* sprite = nullptr;
        {
            ScopedRessourcesPath path(ressources.path());
            sprite = &scene.add(c.make(c.name, *shader_));
        }
        const bool isFloor = c.scale > 10.0f;
        const glm::vec3 place = isFloor ? glm::vec3(0.0f) : sidePlace;
        sprite->getTransform().setPosition(place);
        scene.draw();

        // Texel (tx, ty) of the 8 x 8 image, with ty counted from the image's top row.
        const auto texel = [&](float tx, float ty) {
            return place + c.visualPosition + c.scale * glm::vec3(tx / 8.0f - 0.5f, 0.0f, 0.5f - ty / 8.0f);
        };
        EXPECT_TRUE(isColor(scene.colorAt(texel(5.0f, 2.0f)), c.imageTop));
        EXPECT_TRUE(isColor(scene.colorAt(texel(5.0f, 6.0f)), kBlue));
        EXPECT_TRUE(isColor(scene.colorAt(texel(1.0f, 1.0f)), kClearColor));
    }
}

TEST_F(GameEntitiesTest, MissingImageIsReportedAndTheSpriteDrawsInItsPlainColour) {
    TempFolder emptyRessources;
    Scene scene;
    CapturedStdout out;
    {
        ScopedRessourcesPath path(emptyRessources.path());
        scene.add(new Cat("Player", *shader_));
    }
    const std::vector<std::string> lines = out.lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("ERROR: Ovra: Texture: ", 0), 0u) << lines[0];

    // Drawn whole (nothing to cut out) in the sprite's plain diffuse colour, white.
    scene.draw();
    const Rgb white{255, 255, 255};
    EXPECT_TRUE(isColor(scene.colorAt(glm::vec3(0.3f, 0.1f, 0.3f)), white));
    EXPECT_TRUE(isColor(scene.colorAt(glm::vec3(-0.75f, 0.1f, 0.75f)), white));
}

TEST_F(GameEntitiesTest, WithoutAShaderEntitiesAreBuiltButNeverDrawn) {
    Scene scene;
    auto& cat = static_cast<Cat&>(scene.add(new Cat("Player", nullptr)));
    auto& line = static_cast<LineObject&>(scene.add(new LineObject("line", nullptr)));
    line.setColor(1.0f, 1.0f, 0.0f);
    line.setPoints(glm::vec3(-5.0f, 0.1f, 0.0f), glm::vec3(5.0f, 0.1f, 0.0f));

    ASSERT_NE(visualOf(visualChild(cat)), nullptr);
    EXPECT_TRUE(visualOf(visualChild(cat))->hasMesh());
    EXPECT_FALSE(visualOf(visualChild(cat))->getMesh().hasMaterial(0));
    EXPECT_FALSE(visualOf(line)->getMesh().hasMaterial(0));

    scene.draw();
    EXPECT_TRUE(isColor(scene.colorAt(glm::vec3(0.3f, 0.1f, 0.3f)), kClearColor));
}

class LineObjectTest : public GameEntitiesTest {
protected:
    void SetUp() override {
        GameEntitiesTest::SetUp();
        line_ = new LineObject("line", *shader_);
        holder_.attach(*line_);
    }

    // Where the mesh's two ends, (0, 0, -0.5) and (0, 0, 0.5), land in the parent's space.
    std::pair<glm::vec3, glm::vec3> ends() {
        line_->getTransform().applyUpdates();
        const glm::mat4& global = line_->getTransform().getGlobal();
        return {glm::vec3(global * glm::vec4(0.0f, 0.0f, -0.5f, 1.0f)),
                glm::vec3(global * glm::vec4(0.0f, 0.0f, 0.5f, 1.0f))};
    }

    LineObject* line_ = nullptr;
};

TEST_F(LineObjectTest, StartsAsARedUnitSegmentDrawnAsLines) {
    EXPECT_EQ(line_->countChildren(), 0u);
    ASSERT_NE(visualOf(*line_), nullptr);
    ASSERT_TRUE(visualOf(*line_)->getMesh().hasMaterial(0));
    const ovra::Material::Properties& properties = materialOf(*line_).getProperties();
    EXPECT_EQ(properties.diffuseColor.red, 1.0f);
    EXPECT_EQ(properties.diffuseColor.green, 0.0f);
    EXPECT_EQ(properties.diffuseColor.blue, 0.0f);
    EXPECT_FALSE(properties.useAlphaMask);
    EXPECT_EQ(properties.drawingType, static_cast<GLenum>(GL_LINES));
    EXPECT_EQ(properties.drawingMode, ovra::Material::WIRE);

    const auto [a, b] = ends();
    EXPECT_TRUE(near(a, glm::vec3(0.0f, 0.0f, -0.5f), kTol));
    EXPECT_TRUE(near(b, glm::vec3(0.0f, 0.0f, 0.5f), kTol));
}

TEST_F(LineObjectTest, SetPointsStretchesTheSegmentFromTheFirstPointToTheSecond) {
    struct Case {
        const char* name;
        glm::vec3 a, b;
    };
    const Case cases[] = {
        {"3-4-5 on the ground", {0.0f, 0.0f, 0.0f}, {3.0f, 0.0f, 4.0f}},
        {"straight along -z (half turn)", {1.0f, 2.0f, 3.0f}, {1.0f, 2.0f, -1.0f}},
        {"straight along +z (no turn)", {-2.0f, 0.1f, -1.0f}, {-2.0f, 0.1f, 6.0f}},
        {"along -x, off the ground", {4.0f, 1.0f, 5.0f}, {-4.0f, 1.0f, 5.0f}},
        {"slanted", {-1.0f, -2.0f, 0.5f}, {2.0f, 4.0f, -1.5f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        line_->setPoints(c.a, c.b);
        const float length = glm::length(c.b - c.a);
        EXPECT_TRUE(near(line_->getTransform().getScale(), glm::vec3(length), kTol));
        EXPECT_TRUE(near(line_->getTransform().getPosition(), (c.a + c.b) * 0.5f, kTol));
        const auto [a, b] = ends();
        EXPECT_TRUE(near(a, c.a, 1e-3f));
        EXPECT_TRUE(near(b, c.b, 1e-3f));
    }
}

TEST_F(LineObjectTest, SetPointsTurnsLocalZOntoTheSegment) {
    line_->setPoints(glm::vec3(0.0f), glm::vec3(3.0f, 0.0f, 4.0f));
    EXPECT_TRUE(near(line_->getTransform().getScale(), glm::vec3(5.0f), kTol));
    EXPECT_TRUE(near(line_->getTransform().getPosition(), glm::vec3(1.5f, 0.0f, 2.0f), kTol));
    EXPECT_TRUE(
        near(line_->getTransform().getRotation() * glm::vec3(0.0f, 0.0f, 1.0f), glm::vec3(0.6f, 0.0f, 0.8f), kTol));

    // Straight back along -z: a half turn about an axis perpendicular to z.
    line_->setPoints(glm::vec3(0.0f, 0.0f, 2.0f), glm::vec3(0.0f, 0.0f, -2.0f));
    const glm::quat rotation = line_->getTransform().getRotation();
    EXPECT_NEAR(std::fabs(rotation.w), 0.0f, kTol);
    EXPECT_NEAR(rotation.z, 0.0f, kTol);
    EXPECT_TRUE(near(rotation * glm::vec3(0.0f, 0.0f, 1.0f), glm::vec3(0.0f, 0.0f, -1.0f), kTol));
}

TEST_F(LineObjectTest, SetPointsOnOnePointCollapsesThereAndKeepsTheRotation) {
    line_->setPoints(glm::vec3(0.0f), glm::vec3(3.0f, 0.0f, 4.0f));
    const glm::quat before = line_->getTransform().getRotation();

    line_->setPoints(glm::vec3(2.0f, 0.1f, -7.0f), glm::vec3(2.0f, 0.1f, -7.0f));

    EXPECT_EQ(line_->getTransform().getScale(), glm::vec3(0.0f));
    EXPECT_EQ(line_->getTransform().getPosition(), glm::vec3(2.0f, 0.1f, -7.0f));
    EXPECT_EQ(line_->getTransform().getRotation(), before);
    line_->getTransform().applyUpdates();
    const glm::mat4& global = line_->getTransform().getGlobal();
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            EXPECT_TRUE(std::isfinite(global[column][row])) << column << ", " << row;
        }
    }
}

TEST_F(LineObjectTest, SetColorChangesOnlyTheDiffuseColour) {
    const ovra::Material::Properties& properties = materialOf(*line_).getProperties();
    const ovra::Material::Properties before = properties;

    line_->setColor(1.0f, 1.0f, 0.0f);
    EXPECT_EQ(properties.diffuseColor.red, 1.0f);
    EXPECT_EQ(properties.diffuseColor.green, 1.0f);
    EXPECT_EQ(properties.diffuseColor.blue, 0.0f);
    line_->setColor(glm::vec3(0.25f, 0.5f, 0.75f));
    EXPECT_EQ(properties.diffuseColor.red, 0.25f);
    EXPECT_EQ(properties.diffuseColor.green, 0.5f);
    EXPECT_EQ(properties.diffuseColor.blue, 0.75f);

    const auto sameColor = [](const ovra::Color& x, const ovra::Color& y) {
        return x.red == y.red && x.green == y.green && x.blue == y.blue;
    };
    EXPECT_TRUE(sameColor(properties.ambientColor, before.ambientColor));
    EXPECT_TRUE(sameColor(properties.specularColor, before.specularColor));
    EXPECT_TRUE(sameColor(properties.edgeColor, before.edgeColor));
    EXPECT_EQ(properties.transparency, before.transparency);
    EXPECT_EQ(properties.specularIntensity, before.specularIntensity);
    EXPECT_EQ(properties.specularStrength, before.specularStrength);
    EXPECT_EQ(properties.useAlphaMask, before.useAlphaMask);
    EXPECT_EQ(properties.drawingMode, before.drawingMode);
    EXPECT_EQ(properties.edgeWidth, before.edgeWidth);
    EXPECT_EQ(properties.drawingType, before.drawingType);
}

TEST_F(LineObjectTest, IsDrawnInItsColourBetweenItsPoints) {
    Scene scene;
    auto& line = static_cast<LineObject&>(scene.add(new LineObject("line", *shader_)));
    line.setColor(1.0f, 1.0f, 0.0f);
    line.setPoints(glm::vec3(-5.0f, 0.1f, 0.5f), glm::vec3(5.0f, 0.1f, 0.5f));
    scene.draw();

    EXPECT_TRUE(isColor(scene.colorAt(glm::vec3(0.0f, 0.1f, 0.5f)), Rgb{255, 255, 0}));
    EXPECT_TRUE(isColor(scene.colorAt(glm::vec3(-4.0f, 0.1f, 0.5f)), Rgb{255, 255, 0}));
    EXPECT_TRUE(isColor(scene.colorAt(glm::vec3(7.0f, 0.1f, 0.5f)), kClearColor));
    EXPECT_TRUE(isColor(scene.colorAt(glm::vec3(0.0f, 0.1f, 2.0f)), kClearColor));
}

}  // namespace
