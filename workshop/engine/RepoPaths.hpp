#ifndef OVRA_WORKSHOP_REPOPATHS_HPP
#define OVRA_WORKSHOP_REPOPATHS_HPP

#include <string>

// The repository the tests were built from, and the game's resources folder in it: tests
// read the real shaders and images from there whatever their working directory.
std::string repoRoot();
// "<repository>/Ressources/", ending in "/".
std::string repoRessources();

#endif
