#include "Ovra3D/GLContainer.hpp"
