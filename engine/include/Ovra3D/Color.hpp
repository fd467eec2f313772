#ifndef OVRA_COLOR_HPP
#define OVRA_COLOR_HPP

namespace ovra {

// The engine's RGB colour record; components are 0 to 1 by convention, never clamped.
class Color {
public:
    Color() = default;
    Color(float r, float g, float b) : red(r), green(g), blue(b) {}
    Color(const Color& c) = default;
    Color& operator=(const Color& c);

    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
};

}  // namespace ovra

#endif
