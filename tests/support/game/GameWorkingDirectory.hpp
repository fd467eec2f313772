#ifndef OVRA_TESTS_GAMEWORKINGDIRECTORY_HPP
#define OVRA_TESTS_GAMEWORKINGDIRECTORY_HPP

#include "RepoPaths.hpp"
#include "ScopedVariable.hpp"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>

// The game reads "../Ressources/" from its working directory. For the scope's duration the
// working directory is a fresh folder whose parent links to the repository's resources, as
// the game is run, and the user's data and config folders are inside it, so that no test
// touches the real ones; then the previous ones are restored and the folder removed.
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
        data_ = std::make_unique<ScopedVariable>("XDG_DATA_HOME", (root_ / "data").c_str());
        config_ = std::make_unique<ScopedVariable>("XDG_CONFIG_HOME", (root_ / "config").c_str());
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
    // The folder the game keeps its data in ($XDG_DATA_HOME/brimwold/), which may not exist yet.
    std::string dataFolder() const { return (root_ / "data" / "brimwold").string() + "/"; }
    // The folder the game keeps its settings in ($XDG_CONFIG_HOME/brimwold/).
    std::string configFolder() const { return (root_ / "config" / "brimwold").string() + "/"; }

private:
    std::filesystem::path previous_;
    std::filesystem::path root_;
    std::unique_ptr<ScopedVariable> data_;
    std::unique_ptr<ScopedVariable> config_;
};

#endif
