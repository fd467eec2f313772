#ifndef OVRA_MODELFILESYSTEM_HPP
#define OVRA_MODELFILESYSTEM_HPP

// The file system the model import gives assimp, so that every file it opens (the model
// and its companions: material libraries, buffers) goes through the engine's rule.

#include <assimp/IOSystem.hpp>

namespace ovra {

/// An assimp file system that opens only what is_readable_file() accepts, read-only, and
/// without ever blocking on a pipe. A name it refuses is, to assimp, a missing file: a
/// missing model fails the import, and each reader treats a missing companion its own way.
class ModelFileSystem final : public Assimp::IOSystem {
public:
    bool Exists(const char* pFile) const override;
    char getOsSeparator() const override { return '/'; }
    /// A ModelFileStream, or null for a refused name or a mode that would write.
    Assimp::IOStream* Open(const char* pFile, const char* pMode = "rb") override;
    void Close(Assimp::IOStream* pFile) override;
};

}  // namespace ovra

#endif
