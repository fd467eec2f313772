#include "Ovra3D/utils.hpp"

#include "Ovra3D/common.hpp"

#include <SDL2/SDL_video.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iostream>

namespace ovra {

bool get_file_contents(const char* filename, std::string& output) {
    if (!is_readable_file(filename)) {
        return false;
    }
    std::ifstream in(filename, std::ios::in | std::ios::binary);
    if (!in) {
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        return false;
    }
    output.resize(static_cast<size_t>(size));
    in.seekg(0, std::ios::beg);
    in.read(&output[0], static_cast<std::streamsize>(output.size()));
    in.close();
    return true;
}

bool is_readable_file(const char* path) {
    struct stat status {};
    return path != nullptr && ::stat(path, &status) == 0 && S_ISREG(status.st_mode) &&
           ::faccessat(AT_FDCWD, path, R_OK, AT_EACCESS) == 0;
}

bool has_gl_context(const char* attempted) {
    // Before GLEW has loaded them, the entry points past GL 1.1 are null pointers.
    if (SDL_GL_GetCurrentContext() != nullptr && glGenVertexArrays != nullptr) {
        return true;
    }
    std::cout << "ERROR: Ovra: no GL context to " << (attempted != nullptr ? attempted : "use GL")
              << " (initialise the window container first)" << std::endl;
    return false;
}

bool test_GL_error(const char* file, int line) {
    bool retCode = false;
    GLenum glErr = glGetError();
    // Writing a null string would put std::cout in a failed state and silence it for good.
    const char* fileName = file != nullptr ? file : "(null)";
    while (glErr != GL_NO_ERROR) {
        std::cout << "glError in file " << fileName << " @ line " << line << ": "
                  << reinterpret_cast<const char*>(glewGetErrorString(glErr)) << "(" << std::hex << glErr << ")"
                  << std::dec << std::endl;
        retCode = true;
        glErr = glGetError();
    }
    return retCode;
}

}  // namespace ovra
