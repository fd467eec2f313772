#include "GpuTestSupport.hpp"

#include "Ovra3D/widgets/Texture.hpp"

using gputest::isBackground;
using gputest::isColor;
using gputest::pixelAt;
using ovra::Texture;

namespace {

struct Texel {
    Uint8 r, g, b, a;
};

// An image `width` texels wide, rows top first, written in `format` through `save`.
enum class Saver { PNG, BMP };

bool writeImage(const std::string& path, Uint32 format, Saver saver, int width, const std::vector<Texel>& texels) {
    const int height = static_cast<int>(texels.size()) / width;
    SDL_Surface* rgba = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    if (rgba == nullptr) {
        return false;
    }
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<Uint8*>(rgba->pixels) + y * rgba->pitch;
        for (int x = 0; x < width; ++x) {
            const Texel& t = texels[static_cast<size_t>(y * width + x)];
            Uint8* p = row + 4 * x;
            p[0] = t.r;
            p[1] = t.g;
            p[2] = t.b;
            p[3] = t.a;
        }
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(rgba, format, 0);
    SDL_FreeSurface(rgba);
    if (converted == nullptr) {
        return false;
    }
    const int rc = saver == Saver::PNG ? IMG_SavePNG(converted, path.c_str()) : SDL_SaveBMP(converted, path.c_str());
    SDL_FreeSurface(converted);
    return rc == 0;
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
    Saver saver;
    const char* file;
    int bitsPerPixel;  // as the loader will see the file
    bool redFirst;
    bool hasAlpha;
};

const FormatCase kFormats[] = {
    {"Rgb24Png", SDL_PIXELFORMAT_RGB24, Saver::PNG, "rgb24.png", 24, true, false},
    {"Bgr24Bmp", SDL_PIXELFORMAT_BGR24, Saver::BMP, "bgr24.bmp", 24, false, false},
    {"Rgba32Png", SDL_PIXELFORMAT_RGBA32, Saver::PNG, "rgba32.png", 32, true, true},
    {"Bgra32Bmp", SDL_PIXELFORMAT_BGRA32, Saver::BMP, "bgra32.bmp", 32, false, true},
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
    const std::vector<Texel> texels = {{255, 0, 0, 255},   {0, 255, 0, 255},   {0, 0, 255, 255},
                                       {255, 255, 255, 255}, {200, 100, 50, a}, {10, 20, 30, 128}};
    ASSERT_TRUE(writeImage(dir_.file(c.file), c.format, c.saver, 3, texels)) << SDL_GetError();
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
    ASSERT_TRUE(writeImage(dir_.file(c.file), c.format, c.saver, 2,
                           {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}}));
    Texture texture(c.file, GL_LINEAR, GL_CLAMP_TO_EDGE);
    auto shader = gputest::makeRepoShader("simple_shader");
    auto material = gputest::makeColorMaterial(*shader, 1.0f, 1.0f, 1.0f);
    material->setColorTexture(&texture);
    material->getProperties().useAlphaMask = true;

    gputest::Scene scene;
    scene.addPlane(material.get());
    scene.drawFrames();
    EXPECT_TRUE(isColor(pixelAt(480, 204), 255, 0, 0));
    EXPECT_TRUE(isColor(pixelAt(800, 204), 0, 255, 0));
    EXPECT_TRUE(isColor(pixelAt(480, 516), 0, 0, 255));
    EXPECT_TRUE(isColor(pixelAt(800, 516), 255, 255, 255));
    EXPECT_TRUE(isBackground(pixelAt(300, 360))) << "left of the plane";
}

INSTANTIATE_TEST_SUITE_P(Cases, TextureFormats, ::testing::ValuesIn(kFormats),
                         [](const ::testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

TEST(TextureAlphaMask, CutsOutTransparentTexelsOnlyWhenOn) {
    TempFolder dir;
    ScopedRessourcesPath path(dir.path());
    // Bottom right is transparent white; the diffuse colour tints what is drawn.
    ASSERT_TRUE(writeImage(dir.file("sprite.png"), SDL_PIXELFORMAT_RGBA32, Saver::PNG, 2,
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
        EXPECT_TRUE(isColor(pixelAt(480, 204), 255, 255, 0)) << "mask " << mask;
        if (mask) {
            EXPECT_TRUE(isBackground(pixelAt(800, 516)));
        } else {
            EXPECT_TRUE(isColor(pixelAt(800, 516), 255, 255, 0));
        }
    }
}

TEST(TextureErrors, MissingOrUndecodableFilesGiveOneLineAndNoTexture) {
    TempFolder dir;
    ScopedRessourcesPath path(dir.path());
    ASSERT_TRUE(writeImage(dir.file("whole.png"), SDL_PIXELFORMAT_RGB24, Saver::PNG, 8,
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
    ASSERT_TRUE(writeImage(dir.file("wide.png"), SDL_PIXELFORMAT_RGB24, Saver::PNG, width,
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
    ASSERT_TRUE(writeImage(dir.file("t.png"), SDL_PIXELFORMAT_RGB24, Saver::PNG, 1, {{1, 2, 3, 255}}));
    GLuint id = 0;
    {
        Texture texture("t.png", GL_NEAREST, GL_REPEAT);
        id = texture.getTextureID();
        ASSERT_EQ(glIsTexture(id), GL_TRUE);
    }
    EXPECT_EQ(glIsTexture(id), GL_FALSE);
}
