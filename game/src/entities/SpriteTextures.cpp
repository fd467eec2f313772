#include "entities/SpriteTextures.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/widgets/Texture.hpp"

std::shared_ptr<ovra::Texture> SpriteTextures::get(const std::string& imageFile) {
    // Keyed by the full path: the same name under another resources path is another image.
    const std::string key = ovra::ObjectManager::getRessourcesPath() + imageFile;
    if (std::shared_ptr<ovra::Texture> shared = shelf()[key].lock()) {
        return shared;
    }
    auto texture = std::make_shared<ovra::Texture>(imageFile, GL_LINEAR, GL_CLAMP_TO_EDGE);
    if (texture->getTextureID() != 0) {
        shelf()[key] = texture;
    }
    return texture;
}

std::map<std::string, std::weak_ptr<ovra::Texture>>& SpriteTextures::shelf() {
    static std::map<std::string, std::weak_ptr<ovra::Texture>> textures;
    return textures;
}
