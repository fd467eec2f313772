#version 330

// The diffuse colour times the instance's tint, optionally modulated by the colour
// texture; with the alpha mask, texels under half opacity cut the sprite's shape.
in vec2 v_texCoord;
flat in vec3 v_tint;

uniform vec3 u_color;
uniform uint u_hasColorTexture;
uniform sampler2D u_colorTexture;
uniform uint u_useAlphaMask;

out vec4 out_color;

void main() {
    vec4 color = vec4(u_color * v_tint, 1.0);
    if (u_hasColorTexture == 1u) {
        vec4 texel = texture(u_colorTexture, v_texCoord);
        if (u_useAlphaMask == 1u && texel.a < 0.5) {
            discard;
        }
        color *= texel;
    }
    out_color = color;
}
