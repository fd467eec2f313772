#include "Ovra3D/utils.hpp"

#include "Ovra3D/common.hpp"

#include <fstream>
#include <iostream>

namespace ovra {

bool get_file_contents(const char* filename, std::string& output) {
    if (filename == nullptr) {
        return false;
    }
    std::ifstream in(filename, std::ios::in | std::ios::binary);
    if (!in) {
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    // A stream that cannot tell its size (not a regular file) reads as empty.
    output.resize(size > 0 ? static_cast<size_t>(size) : 0);
    in.seekg(0, std::ios::beg);
    in.read(&output[0], static_cast<std::streamsize>(output.size()));
    in.close();
    return true;
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
