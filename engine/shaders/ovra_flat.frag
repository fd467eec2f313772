#version 330

// Ovra's flat shader: the material's colour times the vertex colour, times the colour
// texture when there is one; with the alpha mask, texels under half alpha are cut out.
in vec2 v_texCoord;
in vec4 v_color;

uniform vec3 u_color;
uniform uint u_hasColorTexture;
uniform sampler2D u_colorTexture;
uniform uint u_useAlphaMask;

out vec4 out_color;

void main() {
    vec4 color = vec4(u_color, 1.0) * v_color;
    if (u_hasColorTexture == 1u) {
        vec4 texel = texture(u_colorTexture, v_texCoord);
        if (u_useAlphaMask == 1u && texel.a < 0.5) {
            discard;
        }
        color *= texel;
    }
    out_color = color;
}
