#include "Ovra3D/Input.hpp"
