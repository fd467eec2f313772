#include "GpuTestSupport.hpp"
#include "ImageFile.hpp"

#include "Ovra3D/widgets/ImageCache.hpp"
#include "Ovra3D/widgets/Texture.hpp"

#include <cstdio>
#include <functional>
#include <memory>

using ovra::Texture;

namespace {

// An image `width` texels wide, rows top first, stored in SDL pixel format `format`.
bool writeTexels(const std::string& path, Uint32 format, ImageFile file, int width, const std::vector<Texel>& texels) {
    const int height = static_cast<int>(texels.size()) / width;
    return writeImage(
        path, width, height, [&](int x, int y) { return texels[static_cast<size_t>(y * width + x)]; }, format, file);
}

// What the loader gets from the file: bits per pixel and whether red is the first byte.
struct Decoded {
    int bitsPerPixel;
    bool redFirst;
};

Decoded decode(const std::string& path) {
    SDL_Surface* surface = IMG_Load(path.c_str());
    if (surface == nullptr) {
        return Decoded{0, false};
    }
    const Decoded d{surface->format->BitsPerPixel, surface->format->Rmask == 0xFF};
    SDL_FreeSurface(surface);
    return d;
}

std::vector<Texel> readBack(const Texture& texture, int texelCount) {
    std::vector<Texel> texels(static_cast<size_t>(texelCount));
    glBindTexture(GL_TEXTURE_2D, texture.getTextureID());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return texels;
}

struct FormatCase {
    const char* name;
    Uint32 format;
    ImageFile kind;
    const char* file;
    int bitsPerPixel;  // as the loader will see the file
    bool redFirst;
    bool hasAlpha;
};

const FormatCase kFormats[] = {
    {"Rgb24Png", SDL_PIXELFORMAT_RGB24, ImageFile::PNG, "rgb24.png", 24, true, false},
    {"Bgr24Bmp", SDL_PIXELFORMAT_BGR24, ImageFile::BMP, "bgr24.bmp", 24, false, false},
    {"Rgba32Png", SDL_PIXELFORMAT_RGBA32, ImageFile::PNG, "rgba32.png", 32, true, true},
    {"Bgra32Bmp", SDL_PIXELFORMAT_BGRA32, ImageFile::BMP, "bgra32.bmp", 32, false, true},
};

class TextureFormats : public ::testing::TestWithParam<FormatCase> {
protected:
    TempFolder dir_;
    ScopedRessourcesPath path_{dir_.path()};
};

}  // namespace

// Three texels wide, so rows of 24-bit images are not a multiple of four bytes.
TEST_P(TextureFormats, UploadsTheTexelsUnchangedTopRowFirst) {
    const FormatCase& c = GetParam();
    const Uint8 a = c.hasAlpha ? 0 : 255;
    const std::vector<Texel> texels = {{255, 0, 0, 255},     {0, 255, 0, 255},  {0, 0, 255, 255},
                                       {255, 255, 255, 255}, {200, 100, 50, a}, {10, 20, 30, 128}};
    ASSERT_TRUE(writeTexels(dir_.file(c.file), c.format, c.kind, 3, texels)) << SDL_GetError();
    const Decoded d = decode(dir_.file(c.file));
    ASSERT_EQ(d.bitsPerPixel, c.bitsPerPixel);
    ASSERT_EQ(d.redFirst, c.redFirst);

    CapturedStdout out;
    Texture texture(c.file, GL_LINEAR, GL_CLAMP_TO_EDGE);
    EXPECT_EQ(out.text(), "");
    ASSERT_NE(texture.getTextureID(), 0u);
    const std::vector<Texel> back = readBack(texture, 6);
    for (size_t i = 0; i < texels.size(); ++i) {
        const Uint8 alpha = c.hasAlpha ? texels[i].a : 255;
        EXPECT_EQ(back[i].r, texels[i].r) << "texel " << i;
        EXPECT_EQ(back[i].g, texels[i].g) << "texel " << i;
        EXPECT_EQ(back[i].b, texels[i].b) << "texel " << i;
        EXPECT_EQ(back[i].a, alpha) << "texel " << i;
    }

    GLint filter = 0;
    GLint wrap = 0;
    glBindTexture(GL_TEXTURE_2D, texture.getTextureID());
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrap);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(filter, GL_LINEAR);
    EXPECT_EQ(wrap, GL_CLAMP_TO_EDGE);
}

// A 2 x 2 image on a plane seen by the camera: red top left, green top right,
// blue bottom left, white bottom right, each at the centre of its quarter.
TEST_P(TextureFormats, PlaneShowsTheImageUprightInItsColours) {
    const FormatCase& c = GetParam();
    ASSERT_TRUE(writeTexels(dir_.file(c.file), c.format, c.kind, 2,
                            {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}}));
    Texture texture(c.file, GL_LINEAR, GL_CLAMP_TO_EDGE);
    auto shader = gputest::makeRepoShader("simple_shader");
    auto material = gputest::makeColorMaterial(*shader, 1.0f, 1.0f, 1.0f);
    material->setColorTexture(&texture);
    material->getProperties().useAlphaMask = true;

    gputest::Scene scene;
    scene.addPlane(material.get());
    scene.drawFrames();
    EXPECT_TRUE(isColor(windowPixel(480, 204), {255, 0, 0}));
    EXPECT_TRUE(isColor(windowPixel(800, 204), {0, 255, 0}));
    EXPECT_TRUE(isColor(windowPixel(480, 516), {0, 0, 255}));
    EXPECT_TRUE(isColor(windowPixel(800, 516), {255, 255, 255}));
    EXPECT_TRUE(isClearColor(windowPixel(300, 360))) << "left of the plane";
}

INSTANTIATE_TEST_SUITE_P(Cases, TextureFormats, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

TEST(TextureAlphaMask, CutsOutTransparentTexelsOnlyWhenOn) {
    TempFolder dir;
    ScopedRessourcesPath path(dir.path());
    // Bottom right is transparent white; the diffuse colour tints what is drawn.
    ASSERT_TRUE(writeTexels(dir.file("sprite.png"), SDL_PIXELFORMAT_RGBA32, ImageFile::PNG, 2,
                            {{255, 255, 255, 255}, {255, 255, 255, 255}, {255, 255, 255, 255}, {255, 255, 255, 0}}));
    Texture texture("sprite.png", GL_LINEAR, GL_CLAMP_TO_EDGE);
    auto shader = gputest::makeRepoShader("simple_shader");
    auto material = gputest::makeColorMaterial(*shader, 1.0f, 1.0f, 0.0f);
    material->setColorTexture(&texture);

    for (bool mask : {true, false}) {
        material->getProperties().useAlphaMask = mask;
        gputest::Scene scene;
        scene.addPlane(material.get());
        scene.drawFrames();
        EXPECT_TRUE(isColor(windowPixel(480, 204), {255, 255, 0})) << "mask " << mask;
        if (mask) {
            EXPECT_TRUE(isClearColor(windowPixel(800, 516)));
        } else {
            EXPECT_TRUE(isColor(windowPixel(800, 516), {255, 255, 0}));
        }
    }
}

TEST(TextureErrors, MissingOrUndecodableFilesGiveOneLineAndNoTexture) {
    TempFolder dir;
    ScopedRessourcesPath path(dir.path());
    ASSERT_TRUE(writeTexels(dir.file("whole.png"), SDL_PIXELFORMAT_RGB24, ImageFile::PNG, 8,
                            std::vector<Texel>(64, Texel{1, 2, 3, 255})));
    std::string png;
    ASSERT_TRUE(ovra::get_file_contents(dir.file("whole.png").c_str(), png));
    dir.write("truncated.png", png.substr(0, png.size() / 2));
    dir.write("text.png", "this file only pretends to be an image\n");

    for (const char* name : {"absent.png", "truncated.png", "text.png"}) {
        CapturedStdout out;
        Texture texture(name, GL_LINEAR, GL_CLAMP_TO_EDGE);
        const std::vector<std::string> lines = out.lines();
        ASSERT_EQ(lines.size(), 1u) << name << ": " << out.text();
        EXPECT_EQ(lines[0].rfind("ERROR: Ovra: Texture: ", 0), 0u) << lines[0];
        EXPECT_GT(lines[0].size(), std::string("ERROR: Ovra: Texture: ").size()) << "the SDL error follows";
        EXPECT_EQ(texture.getTextureID(), 0u) << name;
    }
}

TEST(TextureErrors, PaletteImageIsRefusedNamingItsFullPathAndDepth) {
    TempFolder dir;
    ScopedRessourcesPath path(dir.path());
    SDL_Surface* indexed = SDL_CreateRGBSurfaceWithFormat(0, 2, 2, 8, SDL_PIXELFORMAT_INDEX8);
    ASSERT_NE(indexed, nullptr);
    SDL_Color colors[2] = {{255, 0, 0, 255}, {0, 0, 255, 255}};
    SDL_SetPaletteColors(indexed->format->palette, colors, 0, 2);
    ASSERT_EQ(IMG_SavePNG(indexed, dir.file("palette.png").c_str()), 0);
    SDL_FreeSurface(indexed);
    ASSERT_EQ(decode(dir.file("palette.png")).bitsPerPixel, 8);

    CapturedStdout out;
    Texture texture("palette.png", GL_LINEAR, GL_CLAMP_TO_EDGE);
    EXPECT_EQ(out.lines(), std::vector<std::string>{"ERROR: Ovra: Texture: Unable to load image's format (" +
                                                    dir.file("palette.png") + "):8"});
    // The texture object exists, without an image.
    EXPECT_NE(texture.getTextureID(), 0u);
}

TEST(TextureErrors, ImageWiderThanTheDriverAllowsIsRefusedNamingItsSize) {
    TempFolder dir;
    ScopedRessourcesPath path(dir.path());
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    const int width = maxSize + 1;
    ASSERT_TRUE(writeTexels(dir.file("wide.png"), SDL_PIXELFORMAT_RGB24, ImageFile::PNG, width,
                            std::vector<Texel>(static_cast<size_t>(width), Texel{1, 2, 3, 255})));

    CapturedStdout out;
    Texture texture("wide.png", GL_LINEAR, GL_CLAMP_TO_EDGE);
    EXPECT_EQ(out.lines(), std::vector<std::string>{"ERROR: Ovra: Texture: Image too large (" + dir.file("wide.png") +
                                                    "):" + std::to_string(width) + "x1"});
    EXPECT_NE(texture.getTextureID(), 0u) << "an empty texture object, as for a refused format";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(Texture, DestructionDeletesTheTextureObject) {
    TempFolder dir;
    ScopedRessourcesPath path(dir.path());
    ASSERT_TRUE(writeTexels(dir.file("t.png"), SDL_PIXELFORMAT_RGB24, ImageFile::PNG, 1, {{1, 2, 3, 255}}));
    GLuint id = 0;
    {
        Texture texture("t.png", GL_NEAREST, GL_REPEAT);
        id = texture.getTextureID();
        ASSERT_EQ(glIsTexture(id), GL_TRUE);
    }
    EXPECT_EQ(glIsTexture(id), GL_FALSE);
}

TEST(TextureFromMemory, ImageFileBytesAndRawTexelsUploadTheSameTexels) {
    TempFolder dir;
    std::vector<Texel> texels;
    for (int i = 0; i < 12; ++i) {
        texels.push_back(Texel{static_cast<uint8_t>(20 * i), static_cast<uint8_t>(255 - 20 * i), 7, 200});
    }
    ASSERT_TRUE(writeTexels(dir.file("t.png"), SDL_PIXELFORMAT_RGBA32, ImageFile::PNG, 4, texels));
    std::string png;
    ASSERT_TRUE(ovra::get_file_contents(dir.file("t.png").c_str(), png));
    std::vector<unsigned char> bgra;
    for (const Texel& t : texels) {
        bgra.insert(bgra.end(), {t.b, t.g, t.r, t.a});
    }

    CapturedStdout out;
    const Texture decoded(reinterpret_cast<const unsigned char*>(png.data()), png.size(), "t.png", GL_NEAREST,
                          GL_CLAMP_TO_EDGE);
    const Texture raw(4, 3, bgra.data(), "raw", GL_NEAREST, GL_CLAMP_TO_EDGE);
    EXPECT_EQ(out.text(), "");
    for (const Texture* texture : {&decoded, &raw}) {
        const std::vector<Texel> back = readBack(*texture, 12);
        for (size_t i = 0; i < texels.size(); ++i) {
            EXPECT_EQ(back[i].r, texels[i].r) << i;
            EXPECT_EQ(back[i].g, texels[i].g) << i;
            EXPECT_EQ(back[i].b, texels[i].b) << i;
            EXPECT_EQ(back[i].a, texels[i].a) << i;
        }
    }
}

TEST(TextureFromMemory, WhatIsNoImageGivesOneLineNamingItAndNoTexture) {
    const std::string text = "no image here";
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char texel[4] = {1, 2, 3, 4};
    const struct {
        const char* name;
        std::function<std::unique_ptr<Texture>()> make;
    } cases[] = {
        {"text", [&] { return std::make_unique<Texture>(bytes, text.size(), "text", GL_LINEAR, GL_REPEAT); }},
        {"no bytes", [&] { return std::make_unique<Texture>(nullptr, 16, "no bytes", GL_LINEAR, GL_REPEAT); }},
        {"empty", [&] { return std::make_unique<Texture>(bytes, 0, "empty", GL_LINEAR, GL_REPEAT); }},
        {"no texels", [&] { return std::make_unique<Texture>(2, 2, nullptr, "no texels", GL_LINEAR, GL_REPEAT); }},
        {"zero wide", [&] { return std::make_unique<Texture>(0, 1, texel, "zero wide", GL_LINEAR, GL_REPEAT); }},
        {"negative", [&] { return std::make_unique<Texture>(1, -1, texel, "negative", GL_LINEAR, GL_REPEAT); }},
    };
    for (const auto& c : cases) {
        CapturedStdout out;
        const std::unique_ptr<Texture> texture = c.make();
        const std::vector<std::string> lines = out.lines();
        ASSERT_EQ(lines.size(), 1u) << c.name << ": " << out.text();
        EXPECT_EQ(lines[0].rfind(std::string("ERROR: Ovra: Texture: ") + c.name + ": ", 0), 0u) << lines[0];
        EXPECT_EQ(texture->getTextureID(), 0u) << c.name;
    }
}

// Each file is decoded once however many textures use it, yet a file changed in place,
// or replaced by another with the same size, is read again.
TEST(Texture, ManyTexturesOfOneFileShareOneDecodeAndAChangedFileIsReadAgain) {
    TempFolder dir;
    ScopedRessourcesPath path(dir.path());
    const std::string file = dir.file("sprite.png");
    ASSERT_TRUE(writeTexels(file, SDL_PIXELFORMAT_RGBA32, ImageFile::PNG, 2, {{10, 20, 30, 255}, {40, 50, 60, 255}}));
    const std::shared_ptr<SDL_Surface> first = ovra::ImageCache::load(file);
    ASSERT_NE(first, nullptr);
    const Texture a("sprite.png", GL_NEAREST, GL_CLAMP_TO_EDGE);
    const Texture b("sprite.png", GL_NEAREST, GL_CLAMP_TO_EDGE);
    EXPECT_EQ(ovra::ImageCache::load(file), first) << "decoded once, shared";
    EXPECT_NE(a.getTextureID(), b.getTextureID()) << "each texture still owns its GL object";

    struct Change {
        const char* how;
        std::function<bool()> make;
        Texel expected;
    };
    const std::vector<Change> changes = {
        {"rewritten in place",
         [&] {
             return writeTexels(file, SDL_PIXELFORMAT_RGBA32, ImageFile::PNG, 2, {{200, 0, 0, 255}, {0, 0, 0, 255}});
         },
         {200, 0, 0, 255}},
        {"replaced by a renamed file",
         [&] {
             return writeTexels(dir.file("other.png"), SDL_PIXELFORMAT_RGBA32, ImageFile::PNG, 2,
                                {{0, 200, 0, 255}, {0, 0, 0, 255}}) &&
                    std::rename(dir.file("other.png").c_str(), file.c_str()) == 0;
         },
         {0, 200, 0, 255}},
    };
    for (const Change& change : changes) {
        ASSERT_TRUE(change.make()) << change.how;
        const Texture changed("sprite.png", GL_NEAREST, GL_CLAMP_TO_EDGE);
        const Texel texel = readBack(changed, 2)[0];
        EXPECT_EQ((std::vector<int>{texel.r, texel.g, texel.b}),
                  (std::vector<int>{change.expected.r, change.expected.g, change.expected.b}))
            << change.how;
    }
    const Texel kept = readBack(a, 2)[0];
    EXPECT_EQ(kept.r, 10) << "a texture made before the change keeps its picture";

    ASSERT_EQ(std::remove(file.c_str()), 0);
    EXPECT_EQ(ovra::ImageCache::load(file), nullptr) << "a file gone is not served from memory";
    EXPECT_EQ(Texture("sprite.png", GL_NEAREST, GL_CLAMP_TO_EDGE).getTextureID(), 0u);
}

// A program that reads many files over its life keeps only the newest within the budget;
// the image just decoded stays even when it alone is over it.
TEST(Texture, TheImageCacheKeepsTheNewestImagesWithinItsBudget) {
    TempFolder dir;
    ovra::ImageCache::clear();
    std::vector<std::string> files;
    for (int i = 0; i < 4; ++i) {
        files.push_back(dir.file("image" + std::to_string(i) + ".png"));
        ASSERT_TRUE(writeTexels(files.back(), SDL_PIXELFORMAT_RGBA32, ImageFile::PNG, 2,
                                {{static_cast<uint8_t>(i), 0, 0, 255}, {0, 0, 0, 255}}));
    }
    const std::shared_ptr<SDL_Surface> first = ovra::ImageCache::load(files[0]);
    ASSERT_NE(first, nullptr);
    const size_t bytes = static_cast<size_t>(first->pitch) * static_cast<size_t>(first->h);
    ovra::ImageCache::setByteBudget(2 * bytes);
    for (const std::string& file : files) {
        ASSERT_NE(ovra::ImageCache::load(file), nullptr) << file;
    }
    EXPECT_EQ(ovra::ImageCache::size(), 2u) << "two images fit";
    EXPECT_NE(ovra::ImageCache::load(files[0]), first) << "the oldest was forgotten and decoded again";

    ovra::ImageCache::setByteBudget(0);
    EXPECT_EQ(ovra::ImageCache::size(), 1u) << "the newest stays";
    ovra::ImageCache::setByteBudget(64u << 20);
    ovra::ImageCache::clear();
}
