#include "ModelFileSystem.hpp"

#include "ModelFileStream.hpp"

#include "Ovra3D/utils.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

namespace ovra {

bool ModelFileSystem::Exists(const char* pFile) const { return is_readable_file(pFile); }

Assimp::IOStream* ModelFileSystem::Open(const char* pFile, const char* pMode) {
    if (pMode == nullptr || std::strpbrk(pMode, "wa+") != nullptr || !is_readable_file(pFile)) {
        return nullptr;
    }
    // Checked again on the open file: the name may have become a pipe since, and opening a
    // pipe without O_NONBLOCK waits for a writer.
    const int fd = ::open(pFile, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat status {};
    std::FILE* file = nullptr;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || (file = ::fdopen(fd, "rb")) == nullptr) {
        ::close(fd);
        return nullptr;
    }
    return new ModelFileStream(file, pFile, static_cast<std::size_t>(status.st_size));
}

void ModelFileSystem::Close(Assimp::IOStream* pFile) { delete pFile; }

}  // namespace ovra
