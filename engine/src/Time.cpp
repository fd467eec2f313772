#include "Ovra3D/Time.hpp"

namespace ovra {

float Time::deltaTime = 0.0f;
uint16_t Time::fps = 60;

}  // namespace ovra
