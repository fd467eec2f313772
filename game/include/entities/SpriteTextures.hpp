#ifndef SPRITETEXTURES_HPP
#define SPRITETEXTURES_HPP

#include <map>
#include <memory>
#include <string>

namespace ovra {
class Texture;
}  // namespace ovra

// The sprites' textures, one GL texture per image file shared by every sprite that shows
// it: a hundred zombies upload their picture once. A texture lives as long as a sprite
// holds it; one that failed to load is not shared, so each sprite reports its own failure.
class SpriteTextures {
public:
    // The texture of `imageFile` (relative to the resources path), loaded now or shared.
    static std::shared_ptr<ovra::Texture> get(const std::string& imageFile);

private:
    static std::map<std::string, std::weak_ptr<ovra::Texture>>& shelf();
};

#endif
