#ifndef ATOMICFILE_HPP
#define ATOMICFILE_HPP

#include <functional>
#include <string>

// Replaces a small file so that a crash or a kill at any moment leaves either the old
// content or the new, never a mix: a temporary file in the same folder, synced, then renamed.
class AtomicFile {
public:
    // Runs between the synced temporary file and the rename; tests end the process there.
    using Step = std::function<void()>;

    // Writes `contents` to `folder` + `name`, making the folder (and its parents) first.
    // False when it could not, with the reason in `error`; an old file is then left as it was.
    static bool write(const std::string& folder, const std::string& name, const std::string& contents,
                      std::string& error, const Step& beforeRename = Step());
    // The whole content of `path` into `contents`. False, with the reason in `error`, when
    // it cannot be read; a missing file (or a path through a file)
    // is reported through `missing`.
    static bool read(const std::string& path, std::string& contents, bool& missing, std::string& error);

private:
    static bool makeFolder(const std::string& folder, std::string& error);
    static bool writeAll(int fd, const std::string& contents);
    static void syncFolder(const std::string& folder);
};

#endif
