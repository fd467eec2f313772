#include "Ovra3D/Color.hpp"

namespace ovra {

Color& Color::operator=(const Color& c) {
    if (&c != this) {
        red = c.red;
        green = c.green;
        blue = c.blue;
    }
    return *this;
}

}  // namespace ovra
