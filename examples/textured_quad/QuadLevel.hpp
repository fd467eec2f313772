#ifndef EXAMPLES_QUADLEVEL_HPP
#define EXAMPLES_QUADLEVEL_HPP

#include <Ovra3D/Level.hpp>

#include <string>

// One textured quad facing a camera; Escape ends the run.
class QuadLevel : public ovra::Level {
public:
    explicit QuadLevel(const std::string& dataFolder);

    void initialize() override;
    void update() override;

    // True when the shader and the texture were both loaded.
    bool isReady() const { return ready_; }

private:
    std::string dataFolder_;
    bool ready_ = false;
};

#endif
