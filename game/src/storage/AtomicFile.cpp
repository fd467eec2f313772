#include "storage/AtomicFile.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Past this a file of ours is not what we wrote: read no more of it.
const off_t kLargestFile = 64 * 1024;

std::string reason(const std::string& path) { return path + ": " + std::strerror(errno); }

}  // namespace

bool AtomicFile::write(const std::string& folder, const std::string& name, const std::string& contents,
                       std::string& error, const Step& beforeRename) {
    if (!makeFolder(folder, error)) {
        return false;
    }
    std::string temporary = folder + "." + name + ".XXXXXX";
    std::vector<char> pattern(temporary.begin(), temporary.end());
    pattern.push_back('\0');
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) {
        error = reason(folder);
        return false;
    }
    temporary = pattern.data();
    const bool written = writeAll(fd, contents) && ::fsync(fd) == 0;
    if (!written) {
        error = reason(temporary);
    }
    const bool closed = ::close(fd) == 0;
    if (written && !closed) {
        error = reason(temporary);
    }
    if (!written || !closed) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (beforeRename) {
        beforeRename();
    }
    const std::string path = folder + name;
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        error = reason(path);
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself lives in the folder: sync it too, or a power cut may undo it.
    syncFolder(folder);
    return true;
}

bool AtomicFile::read(const std::string& path, std::string& contents, bool& missing, std::string& error) {
    missing = false;
    // Not blocking on a pipe, and refusing anything that is not a plain file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        // A path through a file holds nothing either: the write will tell what is wrong.
        missing = errno == ENOENT || errno == ENOTDIR;
        error = reason(path);
        return false;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > kLargestFile) {
        error = path + ": not a small regular file";
        ::close(fd);
        return false;
    }
    contents.clear();
    char buffer[4096];
    ssize_t count = 0;
    while ((count = ::read(fd, buffer, sizeof buffer)) > 0 && contents.size() <= static_cast<size_t>(kLargestFile)) {
        contents.append(buffer, static_cast<size_t>(count));
    }
    if (count < 0) {
        error = reason(path);
    }
    ::close(fd);
    return count >= 0;
}

bool AtomicFile::makeFolder(const std::string& folder, std::string& error) {
    // Each level in turn, like mkdir -p; only the user may look into what is made here.
    for (size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
        const std::string level = folder.substr(0, slash);
        if (::mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) {
            error = reason(level);
            return false;
        }
    }
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) {
        error = reason(folder);
        return false;
    }
    if (!S_ISDIR(status.st_mode)) {
        error = folder + ": not a folder";
        return false;
    }
    return true;
}

bool AtomicFile::writeAll(int fd, const std::string& contents) {
    size_t done = 0;
    while (done < contents.size()) {
        const ssize_t count = ::write(fd, contents.data() + done, contents.size() - done);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        done += static_cast<size_t>(count);
    }
    return true;
}

void AtomicFile::syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
