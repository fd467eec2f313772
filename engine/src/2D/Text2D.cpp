#include "Ovra3D/2D/Text2D.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/widgets/Font.hpp"
#include "Ovra3D/widgets/Material.hpp"
#include "Ovra3D/widgets/Texture.hpp"
#include "Ovra3D/widgets/meshes/PlaneMesh.hpp"

#include <SDL2/SDL.h>

namespace ovra {

namespace {

// An image of even width and height: the quad is placed by its centre, so an odd extent
// would put its edges on half pixels and blur every texel across two.
SDL_Surface* evenSized(SDL_Surface* image) {
    if (image->w % 2 == 0 && image->h % 2 == 0) {
        return image;
    }
    SDL_Surface* padded = SDL_CreateRGBSurfaceWithFormat(0, image->w + image->w % 2, image->h + image->h % 2, 32,
                                                         image->format->format);
    if (padded != nullptr) {
        SDL_FillRect(padded, nullptr, 0);  // transparent
        SDL_SetSurfaceBlendMode(image, SDL_BLENDMODE_NONE);
        SDL_BlitSurface(image, nullptr, padded, nullptr);
        SDL_FreeSurface(image);
        return padded;
    }
    return image;
}

}  // namespace

Text2D::Text2D(const std::string& name, Shader* shader) : Entity2D(name) {
    visual_ = static_cast<Visual*>(newComponent(Component::VISUAL2D));
    mesh_ = std::make_unique<PlaneMesh>(0.0f, 0.0f, 1.0f, 1.0f);
    mesh_->setMaterialID(ObjectManager::createMaterial(), 0);
    Material& material = mesh_->getMaterial(0);
    if (shader != nullptr) {
        material.setShader(shader);
    }
    // Blending is not on: the glyphs' coverage cuts their shape out at one half.
    material.getProperties().useAlphaMask = true;
    setColor(color_);
    setSize(0, 0);
}

Text2D::~Text2D() {
    // The material was registered for this text alone: it goes with it.
    visual_->setMesh(nullptr, false);
    delete ObjectManager::removeMaterial(mesh_->getMaterialID(0));
}

void Text2D::setFont(std::shared_ptr<const Font> font) {
    if (font == font_) {
        return;
    }
    font_ = std::move(font);
    render();
}

void Text2D::setText(const std::string& text) {
    if (text == text_) {
        return;
    }
    text_ = text;
    render();
}

void Text2D::setColor(const Color& color) {
    color_ = color;
    mesh_->getMaterial(0).getProperties().diffuseColor = color;
}

void Text2D::render() {
    SDL_Surface* image = font_ != nullptr ? font_->render(text_) : nullptr;
    if (image == nullptr) {
        show(false);
        return;
    }
    image = evenSized(image);
    ++renderCount_;
    bool uploaded = true;
    if (texture_ == nullptr) {
        texture_ = std::make_unique<Texture>(*image, GL_LINEAR, GL_CLAMP_TO_EDGE);
        mesh_->getMaterial(0).setColorTexture(texture_.get());
    } else {
        uploaded = texture_->setImage(*image);
    }
    setSize(image->w, image->h);
    SDL_FreeSurface(image);
    show(uploaded);
}

void Text2D::show(bool visible) {
    visual_->setMesh(visible ? mesh_.get() : nullptr, false);
    if (!visible) {
        setSize(0, 0);
    }
}

}  // namespace ovra
