// The engine's own shader pairs, compiled into the library.
#ifndef OVRA_BUILTINSHADERS_HPP
#define OVRA_BUILTINSHADERS_HPP

#include <string>

namespace ovra {

/// Sets the two sources of the built-in pair `name` ("ovra_flat", "ovra_lit", "ovra_overlay",
/// "ovra_instanced_sprite").
/// \return false, leaving them untouched, for any other name.
bool builtin_shader_sources(const std::string& name, const char*& vertex, const char*& fragment);

}  // namespace ovra

#endif
