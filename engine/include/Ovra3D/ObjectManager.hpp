#ifndef OVRA_OBJECTMANAGER_HPP
#define OVRA_OBJECTMANAGER_HPP

#include <map>
#include <string>

namespace ovra {

class Visual;

// The engine's process-wide registry (static members only).
class ObjectManager {
public:
    ObjectManager() = delete;

    // Visual registries: not owning; iterated in ascending visual id.
    static void addVisual(Visual* visual);
    static void addVisual2D(Visual* visual);
    static Visual* getVisual(long visualId);
    static Visual* getVisual2D(long visualId);
    static Visual* removeVisual(long visualId);
    static Visual* removeVisual2D(long visualId);
    static const std::map<long, Visual*>& getVisuals();
    static const std::map<long, Visual*>& getVisuals2D();

private:
    static std::map<long, Visual*> visuals_;
    static std::map<long, Visual*> visuals2D_;
};

}  // namespace ovra

#endif
