#ifndef OVRA_TESTS_GAMEWORKINGDIRECTORY_HPP
#define OVRA_TESTS_GAMEWORKINGDIRECTORY_HPP

#include "RepoPaths.hpp"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

// The game reads "../Ressources/" from its working directory. For the scope's duration the
// working directory is a fresh folder whose parent links to the repository's resources, as
// the game is run; then the previous one is restored and the folder removed.
class GameWorkingDirectory {
public:
    GameWorkingDirectory() : previous_(std::filesystem::current_path()) {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "brimwold-level-XXXXXX").string();
        if (mkdtemp(&pattern[0]) == nullptr) {
            return;
        }
        root_ = pattern;
        fs::create_directory_symlink(repoRessources(), root_ / "Ressources");
        fs::create_directory(root_ / "run");
        fs::current_path(root_ / "run");
    }
    ~GameWorkingDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        if (!root_.empty()) {
            std::filesystem::remove_all(root_, ignored);
        }
    }
    GameWorkingDirectory(const GameWorkingDirectory&) = delete;
    GameWorkingDirectory& operator=(const GameWorkingDirectory&) = delete;

    // False when the folder could not be made; the working directory is then unchanged.
    bool ready() const { return !root_.empty(); }

private:
    std::filesystem::path previous_;
    std::filesystem::path root_;
};

#endif
