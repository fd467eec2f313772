#ifndef OVRA_MODELFILESTREAM_HPP
#define OVRA_MODELFILESTREAM_HPP

// One model file as the model import's file system hands it to assimp: read-only, and
// refusing to be read at its end over and over.

#include <assimp/IOStream.hpp>

#include <cstdio>
#include <string>

namespace ovra {

/// A read-only assimp stream over one open file, which it owns. Some of assimp's readers
/// loop for ever at the end of a damaged file (a PLY header whose end line they do not
/// recognise), reading nothing each time: once many reads in a row have found the end,
/// the next throws std::runtime_error, which assimp reports as the import's failure.
class ModelFileStream final : public Assimp::IOStream {
public:
    /// Takes over `file`, `size` bytes long, opened from `path`.
    ModelFileStream(std::FILE* file, std::string path, std::size_t size);
    ~ModelFileStream() override;
    ModelFileStream(const ModelFileStream&) = delete;
    ModelFileStream& operator=(const ModelFileStream&) = delete;

    std::size_t Read(void* pvBuffer, std::size_t pSize, std::size_t pCount) override;
    /// Writes nothing: the import only reads.
    std::size_t Write(const void* pvBuffer, std::size_t pSize, std::size_t pCount) override;
    aiReturn Seek(std::size_t pOffset, aiOrigin pOrigin) override;
    std::size_t Tell() const override;
    std::size_t FileSize() const override { return size_; }
    void Flush() override {}

    /// Reads in a row that may find the end before the stream gives up on its reader.
    static constexpr unsigned int kReadsAtEndAllowed = 1000;

private:
    std::FILE* file_;
    std::string path_;
    std::size_t size_;
    unsigned int readsAtEnd_ = 0;  // reads in a row that found nothing left
};

}  // namespace ovra

#endif
