#include "Fakes.hpp"
#include "RepoPaths.hpp"
#include "ScopedRessourcesPath.hpp"
#include "WindowPixels.hpp"

#include "gui/AvatarIcon.hpp"
#include "gui/GameOver.hpp"
#include "gui/LifeBar.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Time.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/Mesh.hpp"

#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Reads the game's resources from the repository and registers the overlay shader,
// as the level does before it builds the display.
class OnScreenDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(ovra::ObjectManager::createShader("simple_2D_shader", false), nullptr);
        ASSERT_NE(ovra::ObjectManager::getShader("simple_2D_shader"), nullptr) << "the repository's shader builds";
    }

    // Draws one frame of `level` through the real loop; the back buffer then holds it.
    void drawFrame(FakeLevel& level) {
        ovra::Time::fps = 0;
        runFrames(container_, input_, level, 1);
        ovra::Time::fps = 60;
    }

    FakeContainer container_;
    FakeInput input_;

private:
    ScopedRessourcesPath ressources_{repoRessources()};
};

ovra::Material& materialOf(const ovra::Node& node) {
    auto* visual = static_cast<ovra::Visual*>(node.getComponent(ovra::Component::VISUAL2D));
    return visual->getMesh().getMaterial(0);
}

struct Rgba {
    int r, g, b, a;
};

// The texels of an image file, rows top first.
class Image {
public:
    explicit Image(const std::string& path) {
        SDL_Surface* loaded = IMG_Load(path.c_str());
        if (loaded != nullptr) {
            surface_ = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGBA32, 0);
            SDL_FreeSurface(loaded);
        }
    }
    ~Image() { SDL_FreeSurface(surface_); }
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    bool loaded() const { return surface_ != nullptr; }
    Rgba at(int x, int y) const {
        const auto* p = static_cast<const Uint8*>(surface_->pixels) + y * surface_->pitch + 4 * x;
        return Rgba{p[0], p[1], p[2], p[3]};
    }

private:
    SDL_Surface* surface_ = nullptr;
};

// The quads below are drawn at the images' own size, so each window pixel shows one texel:
// an opaque texel in its colour, a transparent one cut out by the alpha mask.
void expectPictureAt(const Image& image, const glm::ivec2& center, const glm::ivec2& size,
                     const std::vector<glm::ivec2>& texels) {
    const glm::ivec2 topLeft = center - size / 2;
    for (const glm::ivec2& t : texels) {
        const Rgba texel = image.at(t.x, t.y);
        const int x = topLeft.x + t.x;
        const int y = topLeft.y + t.y;
        if (texel.a >= 128) {
            EXPECT_TRUE(isColor(windowPixel(x, y), {texel.r, texel.g, texel.b}))
                << "texel (" << t.x << ", " << t.y << ")";
        } else {
            EXPECT_TRUE(isClearColor(windowPixel(x, y)))
                << "transparent texel (" << t.x << ", " << t.y << ") not cut out";
        }
    }
}

struct ElementCase {
    const char* name;
    std::function<std::unique_ptr<ovra::Entity2D>()> make;
    glm::ivec2 size;
    ovra::Color diffuse;
};

class DisplayElements : public OnScreenDisplay, public ::testing::WithParamInterface<ElementCase> {};

}  // namespace

TEST_P(DisplayElements, StartAtTheOriginWithTheirSizeAndAnAlphaMaskedMaterial) {
    const ElementCase& c = GetParam();
    std::unique_ptr<ovra::Entity2D> element = c.make();
    EXPECT_EQ(element->getSize(), c.size);
    EXPECT_EQ(element->getPosition(), glm::ivec2(0, 0));

    ovra::Material::Properties& properties = materialOf(*element).getProperties();
    EXPECT_FLOAT_EQ(properties.diffuseColor.red, c.diffuse.red);
    EXPECT_FLOAT_EQ(properties.diffuseColor.green, c.diffuse.green);
    EXPECT_FLOAT_EQ(properties.diffuseColor.blue, c.diffuse.blue);
    EXPECT_TRUE(properties.useAlphaMask);
    EXPECT_TRUE(ovra::ObjectManager::getVisuals2D().count(
        static_cast<ovra::Visual*>(element->getComponent(ovra::Component::VISUAL2D))->getID()))
        << "the element's visual is drawn in the overlay pass";
}

INSTANTIATE_TEST_SUITE_P(
    Table, DisplayElements,
    ::testing::Values(
        ElementCase{"AvatarIcon", [] { return std::make_unique<AvatarIcon>("Avatar"); }, {128, 128}, {1, 1, 1}},
        ElementCase{"GameOver", [] { return std::make_unique<GameOver>("GameOver"); }, {1024, 578}, {1, 1, 1}},
        ElementCase{"LifeBar", [] { return std::make_unique<LifeBar>("Avatar_lifebar"); }, {128, 10}, {1, 0, 0}}),
    [](const ::testing::TestParamInfo<ElementCase>& info) { return info.param.name; });

namespace {

struct PercentCase {
    const char* name;
    float percent;
    int width;
    int x;
};

class LifeBarPercent : public OnScreenDisplay, public ::testing::WithParamInterface<PercentCase> {};

}  // namespace

// The bar as the level places it: centred on (100, 204), 128 wide, so its left edge is x 36.
TEST_P(LifeBarPercent, ShortensFromTheRightKeepingTheLeftEdge) {
    const PercentCase& c = GetParam();
    LifeBar bar("Avatar_lifebar");
    bar.setPosition(100, 204);
    bar.updateData();

    bar.setLifePercent(c.percent);
    EXPECT_EQ(bar.getSize(), glm::ivec2(c.width, 10));
    EXPECT_EQ(bar.getPosition(), glm::ivec2(c.x, 204));
    EXPECT_EQ(bar.getWorldPosition(), glm::ivec2(c.x, 204)) << "the renderer draws the world position";
}

INSTANTIATE_TEST_SUITE_P(Table, LifeBarPercent,
                         ::testing::Values(PercentCase{"Full", 1.0f, 128, 100}, PercentCase{"Half", 0.5f, 64, 68},
                                           PercentCase{"WidthTruncated", 0.37f, 47, 60},
                                           PercentCase{"Empty", 0.0f, 0, 36},
                                           PercentCase{"AboveFullGrowsRight", 1.5f, 192, 132}),
                         [](const ::testing::TestParamInfo<PercentCase>& info) { return info.param.name; });

TEST_F(OnScreenDisplay, LifeBarKeepsWhateverHeightAndYItHasAndReturnsToItsReference) {
    LifeBar bar("Avatar_lifebar");
    bar.setPosition(100, 204);
    bar.updateData();
    bar.setSize(128, 17);
    bar.setPosition(100, 250);

    bar.setLifePercent(0.5f);
    EXPECT_EQ(bar.getSize(), glm::ivec2(64, 17));
    EXPECT_EQ(bar.getPosition(), glm::ivec2(68, 250));

    bar.setLifePercent(1.0f);
    EXPECT_EQ(bar.getSize(), glm::ivec2(128, 17)) << "the full width recorded by updateData, not the last one";
    EXPECT_EQ(bar.getPosition(), glm::ivec2(100, 250));
}

// The three elements drawn by the real renderer with the repository's shader and images.
TEST_F(OnScreenDisplay, DrawsThePicturesCutOutAndTheRedBarShortenedFromTheRight) {
    const Image avatarImage(repoRessources() + "spacecat_circle.png");
    const Image bannerImage(repoRessources() + "gameover.png");
    ASSERT_TRUE(avatarImage.loaded() && bannerImage.loaded()) << IMG_GetError();

    FakeLevel level;
    auto* avatar = new AvatarIcon("Avatar");
    avatar->setPosition(100, 100);
    level.getRootEntity2D().attach(*avatar);
    auto* bar = new LifeBar("Avatar_lifebar");
    bar->setPosition(100, 204);
    bar->updateData();
    level.getRootEntity2D().attach(*bar);
    auto* banner = new GameOver("GameOver");
    banner->setPosition(700, 400);
    level.getRootEntity2D().attach(*banner);

    drawFrame(level);
    // Corners outside the round portrait are transparent; the rest spans the face and the rim.
    expectPictureAt(avatarImage, {100, 100}, {128, 128},
                    {{0, 0}, {3, 124}, {64, 64}, {40, 50}, {88, 50}, {64, 100}, {64, 6}, {120, 64}});
    expectPictureAt(bannerImage, {700, 400}, {1024, 578},
                    {{2, 2}, {512, 289}, {150, 230}, {700, 230}, {300, 405}, {40, 40}, {1000, 560}});
    EXPECT_TRUE(isColor(windowPixel(37, 204), {255, 0, 0})) << "left end of the full bar";
    EXPECT_TRUE(isColor(windowPixel(162, 204), {255, 0, 0})) << "right end of the full bar";
    EXPECT_TRUE(isClearColor(windowPixel(100, 211))) << "the bar is 10 pixels high";

    bar->setLifePercent(0.25f);
    banner->enable(false);
    drawFrame(level);
    EXPECT_TRUE(isColor(windowPixel(37, 204), {255, 0, 0})) << "the left end stays";
    EXPECT_TRUE(isColor(windowPixel(66, 204), {255, 0, 0}));
    EXPECT_TRUE(isClearColor(windowPixel(71, 204))) << "a quarter bar ends at x 68";
    EXPECT_TRUE(isClearColor(windowPixel(700, 400))) << "a banner switched off is not drawn";
    EXPECT_TRUE(isClearColor(windowPixel(1000, 300)));
}
