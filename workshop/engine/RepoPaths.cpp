#include "RepoPaths.hpp"

// The build names the source tree; the tests never guess it from their working directory.
std::string repoRoot() { return OVRA_SOURCE_DIR; }

std::string repoRessources() { return repoRoot() + "/Ressources/"; }
