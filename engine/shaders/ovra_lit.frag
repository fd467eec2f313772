#version 330

// Ovra's lit shader: the flat shader's colour, times an ambient part plus a diffuse
// (Lambert) part. Both sides of a face are lit alike, whichever way the file winds it.
// A mesh without normals reads (0, 0, 0) and is drawn fully lit.
in vec2 v_texCoord;
in vec4 v_color;
in vec3 v_normal;
in vec3 v_toLight;

uniform vec3 u_color;
uniform uint u_hasColorTexture;
uniform sampler2D u_colorTexture;
uniform uint u_useAlphaMask;

out vec4 out_color;

const float kAmbient = 0.25;

void main() {
    vec4 color = vec4(u_color, 1.0) * v_color;
    if (u_hasColorTexture == 1u) {
        vec4 texel = texture(u_colorTexture, v_texCoord);
        if (u_useAlphaMask == 1u && texel.a < 0.5) {
            discard;
        }
        color *= texel;
    }
    float diffuse = 1.0;
    if (dot(v_normal, v_normal) > 1e-12 && dot(v_toLight, v_toLight) > 1e-12) {
        diffuse = abs(dot(normalize(v_normal), normalize(v_toLight)));
    }
    out_color = vec4(color.rgb * (kAmbient + (1.0 - kAmbient) * diffuse), color.a);
}
