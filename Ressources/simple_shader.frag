#version 330

// Diffuse colour, optionally modulated by the colour texture. Blending is never on,
// so the alpha mask is what cuts a sprite's shape out of its square.
in vec2 v_texCoord;

uniform vec3 u_color;
uniform uint u_hasColorTexture;
uniform sampler2D u_colorTexture;
uniform uint u_useAlphaMask;

out vec4 out_color;

void main() {
    vec4 color = vec4(u_color, 1.0);
    if (u_hasColorTexture == 1u) {
        vec4 texel = texture(u_colorTexture, v_texCoord);
        if (u_useAlphaMask == 1u && texel.a < 0.5) {
            discard;
        }
        color *= texel;
    }
    out_color = color;
}
