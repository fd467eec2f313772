#ifndef OVRA_COMMON_HPP
#define OVRA_COMMON_HPP

// GLEW must come before any other OpenGL header.
#include <GL/glew.h>

#ifndef GLM_FORCE_RADIANS
#define GLM_FORCE_RADIANS
#endif
#ifndef GLM_ENABLE_EXPERIMENTAL
#define GLM_ENABLE_EXPERIMENTAL
#endif
#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include <cstdint>

#endif
