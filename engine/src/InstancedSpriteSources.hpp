// The GLSL sources of the instanced sprite shader, compiled into the library from
// engine/shaders/ so that a game needs no file of the engine's at run time.
#ifndef OVRA_INSTANCEDSPRITESOURCES_HPP
#define OVRA_INSTANCEDSPRITESOURCES_HPP

namespace ovra {

extern const char* const kInstancedSpriteVertexSource;
extern const char* const kInstancedSpriteFragmentSource;

}  // namespace ovra

#endif
