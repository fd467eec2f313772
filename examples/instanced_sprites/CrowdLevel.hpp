#ifndef EXAMPLES_CROWDLEVEL_HPP
#define EXAMPLES_CROWDLEVEL_HPP

#include <Ovra3D/InstanceBatch.hpp>
#include <Ovra3D/Level.hpp>
#include <Ovra3D/Shader.hpp>

#include <memory>
#include <vector>

// Ten thousand small squares in one instanced visual: 80 rows of 125, every fifth column
// tinted. The bottom 60 rows drift sideways, each at its own speed, and wrap around; the top
// 20 stand still and are never touched after the start. They are the batch's last
// instances, so each frame copies to the GPU only the range of the moving ones.
// Positions depend on the frame number alone, so a picture can be checked.
class CrowdLevel : public ovra::Level {
public:
    void initialize() override;
    // Moves the drifting rows one frame on, then updates the scene.
    void update() override;

    // True when the instanced shader linked.
    bool isReady() const { return ready_; }

private:
    void place(int row, int column);

    bool ready_ = false;
    std::unique_ptr<ovra::Shader> shader_;
    ovra::InstanceBatch crowd_;
    int frame_ = 0;
};

#endif
