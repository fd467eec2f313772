#ifndef OVRA_TESTS_UNREADABLEPATHS_HPP
#define OVRA_TESTS_UNREADABLEPATHS_HPP

#include "TempFolder.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

// Names that exist in a folder but are no file one may read: a loader handed one must
// refuse it as it refuses a missing file, without blocking, throwing or crashing.
struct UnreadablePath {
    std::string what;
    std::string name;  // inside the folder
};

// Ends the process if the scope takes longer than `seconds`: a loader that opens a pipe
// for reading waits for a writer forever, and a hung run says less than a dead one.
class ScopedAlarm {
public:
    explicit ScopedAlarm(unsigned int seconds) { ::alarm(seconds); }
    ~ScopedAlarm() { ::alarm(0); }
    ScopedAlarm(const ScopedAlarm&) = delete;
    ScopedAlarm& operator=(const ScopedAlarm&) = delete;
};

// A file that root may not read either: the kernel refuses every reader of this
// write-only setting. Empty when this system has none.
inline std::string fileNobodyMayRead() {
    const char* const candidate = "/proc/sys/vm/compact_memory";
    struct stat status {};
    if (::stat(candidate, &status) != 0 || !S_ISREG(status.st_mode)) {
        return {};
    }
    const int fd = ::open(candidate, O_RDONLY);
    if (fd >= 0) {
        ::close(fd);
        return {};
    }
    return candidate;
}

// Plants one entry of each kind in `dir`, each named its kind followed by `suffix`
// (for instance ".vert"), and lists them.
inline std::vector<UnreadablePath> plantUnreadablePaths(const TempFolder& dir, const std::string& suffix) {
    std::vector<UnreadablePath> planted;
    const auto add = [&](const std::string& what, const std::string& stem) {
        planted.push_back({what, stem + suffix});
        return dir.file(stem + suffix);
    };
    const std::string folder = add("a folder", "folder");
    ::mkdir(folder.c_str(), 0755);
    ::mkfifo(add("a pipe", "pipe").c_str(), 0644);
    ::symlink(dir.file("absent").c_str(), add("a dangling link", "dangling").c_str());
    ::symlink(folder.c_str(), add("a link to a folder", "folderlink").c_str());
    ::symlink("/dev/null", add("a device", "device").c_str());
    dir.write("plain", "some bytes\n");
    add("a path through a file", "plain/inner");
    if (::geteuid() != 0) {
        const std::string locked = add("a file without read permission", "locked");
        std::ofstream(locked) << "secret\n";
        ::chmod(locked.c_str(), 0200);
    } else if (const std::string denied = fileNobodyMayRead(); !denied.empty()) {
        ::symlink(denied.c_str(), add("a file even root may not read", "denied").c_str());
    }
    return planted;
}

#endif
