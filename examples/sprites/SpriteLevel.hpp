#ifndef EXAMPLES_SPRITELEVEL_HPP
#define EXAMPLES_SPRITELEVEL_HPP

#include <Ovra3D/Color.hpp>
#include <Ovra3D/Entity.hpp>
#include <Ovra3D/Level.hpp>
#include <Ovra3D/Shader.hpp>

#include <string>
#include <vector>

// A square moved with the arrow keys that drops a spark with each tap of Space; sparks
// rise and are removed after a while. Shows entities made and destroyed during play.
// Everything moves a fixed step per frame, so a scripted play gives the same picture.
class SpriteLevel : public ovra::Level {
public:
    explicit SpriteLevel(const std::string& dataFolder);

    void initialize() override;
    // Moves the square, drops and retires sparks, then updates the scene.
    void update() override;

    // True when the shader was loaded.
    bool isReady() const { return ready_; }

private:
    struct Spark {
        ovra::Entity* entity;
        int age;
    };

    long makeMaterial(const ovra::Color& color);
    ovra::Entity* makeSprite(const std::string& name, long materialId, float size);
    void movePlayer();
    void dropSpark();
    void ageSparks();

    std::string dataFolder_;
    bool ready_ = false;
    ovra::Shader* shader_ = nullptr;
    long playerMaterial_ = 0;
    long sparkMaterial_ = 0;
    ovra::Entity* player_ = nullptr;
    std::vector<Spark> sparks_;
};

#endif
