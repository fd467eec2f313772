#ifndef OVRA_APPLICATION_HPP
#define OVRA_APPLICATION_HPP

#include "Ovra3D/LevelManager.hpp"
#include "Ovra3D/Renderer.hpp"

namespace ovra {

class GLContainer;
class Input;
class Level;
class FrameClock;

// The process-wide singleton: owns the renderer and the level manager and runs
// the rate-capped main loop over the container, the input and the current level.
class Application {
public:
    static Application& get();
    static void destroy();

    // Runs frames until exit() is called or SIGINT or SIGTERM arrives (see StopSignals);
    // returns true once the loop has ended.
    bool run(GLContainer& glContainer, Input& input, Level& firstLevel);
    void exit();

    Input& getInput();
    GLContainer& getContainer();
    LevelManager& getLevelManager();

    // The clock the loop measures and sleeps with; null restores the system clock.
    void setClock(FrameClock* clock);

private:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    void runFrame(int64_t timePerFrame, int64_t& timePostDraw, uint16_t width, uint16_t height);

    static Application* instance_;
    GLContainer* glContainer_ = nullptr;
    Input* input_ = nullptr;
    Renderer renderer_;
    LevelManager levelManager_;
    bool bExit_ = false;
    FrameClock* clock_;
};

}  // namespace ovra

#define GETAPP() ovra::Application::get()
#define GETINPUT() GETAPP().getInput()
#define GETCONTAINER() GETAPP().getContainer()
#define GETCAMERA() GETAPP().getLevelManager().camera()

#endif
