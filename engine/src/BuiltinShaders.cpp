#include "BuiltinShaders.hpp"

namespace ovra {

namespace {

#include "BuiltinShaderSources.inc"

struct BuiltinPair {
    const char* name;
    const char* vertex;
    const char* fragment;
};

// The overlay's fragment stage is the flat one: they colour alike.
const BuiltinPair kPairs[] = {
    {"ovra_flat", k_ovra_flat_vert, k_ovra_flat_frag},
    {"ovra_lit", k_ovra_lit_vert, k_ovra_lit_frag},
    {"ovra_overlay", k_ovra_overlay_vert, k_ovra_flat_frag},
    {"ovra_instanced_sprite", k_instanced_sprite_vert, k_instanced_sprite_frag},
};

}  // namespace

bool builtin_shader_sources(const std::string& name, const char*& vertex, const char*& fragment) {
    for (const BuiltinPair& pair : kPairs) {
        if (name == pair.name) {
            vertex = pair.vertex;
            fragment = pair.fragment;
            return true;
        }
    }
    return false;
}

}  // namespace ovra
