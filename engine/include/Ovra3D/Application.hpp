/// \file
/// The application singleton and the shorthand accessors the whole engine uses.
#ifndef OVRA_APPLICATION_HPP
#define OVRA_APPLICATION_HPP

#include "Ovra3D/LevelManager.hpp"
#include "Ovra3D/Renderer.hpp"

namespace ovra {

class GLContainer;
class Input;
class Level;
class FrameClock;

/// The process-wide singleton: owns the renderer and the level manager and runs
/// the rate-capped main loop over the container, the input and the current level.
class Application {
public:
    /// The singleton, created on the first call.
    static Application& get();
    /// Destroys the singleton so that the next get() makes a fresh one. Never call it
    /// from inside run(): the loop would go on with a destroyed application.
    static void destroy();

    /// Binds the container and the input, makes `firstLevel` current and runs frames
    /// until exit() is called or SIGINT or SIGTERM arrives (see StopSignals). The three
    /// objects stay the caller's and must outlive the loop.
    /// \return true once the loop has ended.
    bool run(GLContainer& glContainer, Input& input, Level& firstLevel);
    /// Ends the loop after the frame in progress; an exit() before run() is forgotten.
    void exit();
    /// True from the start of run() until it returns: the container and input it was given
    /// are bound and alive.
    bool isRunning() const { return running_; }

    /// The input bound by run(). Before that, an error line and a stand-in that reports
    /// no key and the pointer at (0, 0).
    Input& getInput();
    /// The container bound by run(). Before that, an error line and a stand-in of size 0 x 0.
    GLContainer& getContainer();
    /// The level manager the loop updates.
    LevelManager& getLevelManager();

    /// The clock the loop measures and sleeps with; null restores the system clock.
    void setClock(FrameClock* clock);

private:
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    void runFrame(int64_t timePerFrame, int64_t& timePostDraw);

    static Application* instance_;
    GLContainer* glContainer_ = nullptr;
    Input* input_ = nullptr;
    Renderer renderer_;
    LevelManager levelManager_;
    bool bExit_ = false;
    bool running_ = false;
    FrameClock* clock_;
};

}  // namespace ovra

/// The application singleton.
#define GETAPP() ovra::Application::get()
/// The input the running loop polls.
#define GETINPUT() GETAPP().getInput()
/// The window container the running loop draws into.
#define GETCONTAINER() GETAPP().getContainer()
/// The current level's camera, or null.
#define GETCAMERA() GETAPP().getLevelManager().camera()

#endif
