#ifndef OVRA_TESTS_TEMPFOLDER_HPP
#define OVRA_TESTS_TEMPFOLDER_HPP

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

// A fresh folder under the system's temporary directory, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "ovra-test-XXXXXX").string();
        path_ = mkdtemp(&pattern[0]) != nullptr ? pattern : std::string();
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, ending in "/".
    std::string path() const { return path_ + "/"; }
    // The path of `name` inside the folder.
    std::string file(const std::string& name) const { return path() + name; }
    // Writes `bytes` to `name` inside the folder, replacing any earlier content.
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream out(file(name), std::ios::binary);
        out << bytes;
    }

private:
    std::string path_;
};

#endif
