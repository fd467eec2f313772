#ifndef EXAMPLES_EXAMPLEPROGRAM_HPP
#define EXAMPLES_EXAMPLEPROGRAM_HPP

#include <Ovra3D/Input.hpp>
#include <Ovra3D/Level.hpp>
#include <Ovra3D/SDL2/SDL2Container.hpp>

#include <string>

// What every example shares: its window, its data folder beside the executable, and the
// option --screenshot OUT.png, with which it draws a few frames, saves the last one and ends.
class ExampleProgram : public ovra::sdl2::SDL2Container {
public:
    // Reads the command line; a wrong one leaves the program unusable (see isUsable()).
    ExampleProgram(int argc, char** argv);
    // Releases the engine's shaders, materials and textures while the GL context still
    // exists: declare the program before the level, so that the level is gone by then.
    ~ExampleProgram() override;

    // False, after a usage line on the error stream, when the command line was wrong.
    bool isUsable() const { return usable_; }
    // Opens the window; false, with a message on the error stream, when it cannot.
    bool open(const std::string& title, int width, int height);
    // The folder of the example's shaders and images: data/ beside the executable.
    const std::string& getDataFolder() const { return dataFolder_; }
    // In screenshot mode, the frames drawn before the picture is taken (at least 1).
    void setScreenshotFrame(int frame) { screenshotFrame_ = frame < 1 ? 1 : frame; }

    // Runs `level` until Escape, or until the picture is saved in screenshot mode, where
    // `scripted` replaces the keyboard so that the picture is the same every time.
    // Returns the exit status for main.
    int run(ovra::Level& level, ovra::Input& scripted);

    void postDraw() override;

private:
    std::string program_;
    std::string screenshotPath_;
    std::string dataFolder_;
    bool usable_ = true;
    int screenshotFrame_ = 3;
    int frames_ = 0;
    bool saved_ = false;
};

#endif
