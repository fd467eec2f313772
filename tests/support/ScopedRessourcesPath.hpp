#ifndef OVRA_TESTS_SCOPEDRESSOURCESPATH_HPP
#define OVRA_TESTS_SCOPEDRESSOURCESPATH_HPP

#include "Ovra3D/ObjectManager.hpp"

#include <string>

// Points the object manager at a resources folder for the scope's duration, then gives
// the previous path back.
class ScopedRessourcesPath {
public:
    explicit ScopedRessourcesPath(const std::string& path) : previous_(ovra::ObjectManager::getRessourcesPath()) {
        ovra::ObjectManager::setRessourcesPath(path);
    }
    ~ScopedRessourcesPath() { ovra::ObjectManager::setRessourcesPath(previous_); }
    ScopedRessourcesPath(const ScopedRessourcesPath&) = delete;
    ScopedRessourcesPath& operator=(const ScopedRessourcesPath&) = delete;

private:
    std::string previous_;
};

#endif
