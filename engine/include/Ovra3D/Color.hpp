/// \file
/// The engine's RGB colour record.
#ifndef OVRA_COLOR_HPP
#define OVRA_COLOR_HPP

namespace ovra {

/// An RGB colour; components are 0 to 1 by convention, never clamped.
class Color {
public:
    /// Black.
    Color() = default;
    /// The colour (r, g, b).
    Color(float r, float g, float b) : red(r), green(g), blue(b) {}
    /// A copy of `c`.
    Color(const Color& c) = default;
    /// Copies the three components; assigning a colour to itself changes nothing.
    Color& operator=(const Color& c);

    float red = 0.0f;    ///< Red, 0 to 1.
    float green = 0.0f;  ///< Green, 0 to 1.
    float blue = 0.0f;   ///< Blue, 0 to 1.
};

}  // namespace ovra

#endif
