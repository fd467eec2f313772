#include "Ovra3D/widgets/ImageCache.hpp"

#include <SDL2/SDL_image.h>
#include <sys/stat.h>

#include <deque>
#include <map>

namespace ovra {

namespace {

// What tells one version of a file from another without reading it.
struct FileStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    bool operator==(const FileStamp& other) const {
        return device == other.device && inode == other.inode && size == other.size && same(modified, other.modified) &&
               same(changed, other.changed);
    }
    static bool same(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }
};

struct Entry {
    FileStamp stamp;
    std::shared_ptr<SDL_Surface> image;
};

std::map<std::string, Entry>& entries() {
    static std::map<std::string, Entry> cache;
    return cache;
}

// The paths in the order they were decoded, oldest first, and the budget they share.
std::deque<std::string>& decodeOrder() {
    static std::deque<std::string> order;
    return order;
}

std::size_t& byteBudget() {
    static std::size_t budget = 64u << 20;
    return budget;
}

std::size_t bytesOf(const SDL_Surface& image) {
    return static_cast<std::size_t>(image.pitch) * static_cast<std::size_t>(image.h);
}

void forget(const std::string& path) {
    entries().erase(path);
    std::deque<std::string>& order = decodeOrder();
    for (auto it = order.begin(); it != order.end(); ++it) {
        if (*it == path) {
            order.erase(it);
            break;
        }
    }
}

// Forgets the oldest images until the rest fit the budget; the newest always stays.
void trim() {
    std::size_t total = 0;
    for (const auto& [path, entry] : entries()) {
        total += bytesOf(*entry.image);
    }
    std::deque<std::string>& order = decodeOrder();
    while (total > byteBudget() && order.size() > 1) {
        const std::string oldest = order.front();
        total -= bytesOf(*entries()[oldest].image);
        forget(oldest);
    }
}

bool stampOf(const std::string& path, FileStamp& stamp) {
    struct stat status {};
    // Only a regular file goes to the decoder: a pipe would block it.
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return false;
    }
    stamp.device = status.st_dev;
    stamp.inode = status.st_ino;
    stamp.size = status.st_size;
    stamp.modified = status.st_mtim;
    stamp.changed = status.st_ctim;
    return true;
}

}  // namespace

std::shared_ptr<SDL_Surface> ImageCache::load(const std::string& path) {
    FileStamp stamp;
    if (!stampOf(path, stamp)) {
        forget(path);
        SDL_SetError("Couldn't open %s", path.c_str());
        return nullptr;
    }
    auto found = entries().find(path);
    if (found != entries().end() && found->second.stamp == stamp) {
        return found->second.image;
    }
    std::shared_ptr<SDL_Surface> image(IMG_Load(path.c_str()), SDL_FreeSurface);
    forget(path);
    if (!image) {
        return nullptr;
    }
    entries()[path] = Entry{stamp, image};
    decodeOrder().push_back(path);
    trim();
    return image;
}

void ImageCache::clear() {
    entries().clear();
    decodeOrder().clear();
}

void ImageCache::setByteBudget(std::size_t bytes) {
    byteBudget() = bytes;
    if (!entries().empty()) {
        trim();
    }
}

std::size_t ImageCache::size() { return entries().size(); }

}  // namespace ovra
