/// \file
/// The GL loader and glm, included in the order and with the settings the engine needs.
#ifndef OVRA_COMMON_HPP
#define OVRA_COMMON_HPP

// GLEW must come before any other OpenGL header.
#include <GL/glew.h>

#ifndef GLM_FORCE_RADIANS
/// glm takes every angle in radians.
#define GLM_FORCE_RADIANS
#endif
#ifndef GLM_ENABLE_EXPERIMENTAL
/// The engine uses glm's extensions (orientedAngle, rotation).
#define GLM_ENABLE_EXPERIMENTAL
#endif
#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

#include <cstdint>

/// The Ovra engine: application and main loop, scene graph, GPU resources, registry and rendering.
/// Failures are text lines and false, null or id 0 answers; only the model import throws.
namespace ovra {}

#endif
