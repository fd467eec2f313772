#include "ModelFileStream.hpp"

#include <stdexcept>
#include <utility>

namespace ovra {

ModelFileStream::ModelFileStream(std::FILE* file, std::string path, std::size_t size)
    : file_(file), path_(std::move(path)), size_(size) {}

ModelFileStream::~ModelFileStream() { std::fclose(file_); }

std::size_t ModelFileStream::Read(void* pvBuffer, std::size_t pSize, std::size_t pCount) {
    if (pvBuffer == nullptr || pSize == 0 || pCount == 0) {
        return 0;
    }
    const std::size_t read = std::fread(pvBuffer, pSize, pCount, file_);
    if (read != 0) {
        readsAtEnd_ = 0;
    } else if (++readsAtEnd_ > kReadsAtEndAllowed) {
        throw std::runtime_error("Unexpected end of file \"" + path_ +
                                 "\": it is cut short or damaged (a PLY header must end with a line \"end_header\")");
    }
    return read;
}

std::size_t ModelFileStream::Write(const void*, std::size_t, std::size_t) { return 0; }

aiReturn ModelFileStream::Seek(std::size_t pOffset, aiOrigin pOrigin) {
    const int whence = pOrigin == aiOrigin_CUR ? SEEK_CUR : pOrigin == aiOrigin_END ? SEEK_END : SEEK_SET;
    return std::fseek(file_, static_cast<long>(pOffset), whence) == 0 ? aiReturn_SUCCESS : aiReturn_FAILURE;
}

std::size_t ModelFileStream::Tell() const {
    const long position = std::ftell(file_);
    return position < 0 ? 0 : static_cast<std::size_t>(position);
}

}  // namespace ovra
