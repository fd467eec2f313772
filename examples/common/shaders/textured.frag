#version 330
in vec2 v_texCoord;
uniform vec3 u_color;
uniform uint u_hasColorTexture;
uniform sampler2D u_colorTexture;
out vec4 out_color;
void main() {
    vec4 color = vec4(u_color, 1.0);
    if (u_hasColorTexture == 1u) {
        color *= texture(u_colorTexture, v_texCoord);
    }
    out_color = color;
}
