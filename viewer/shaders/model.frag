#version 330

// Diffuse colour, times the colour texture when there is one, lit by a fixed light.
// Meshes carry no normals: each face's normal comes from how its position changes
// across the screen, which gives flat shading that tells the faces apart.
in vec2 v_texCoord;
in vec3 v_position;

uniform vec3 u_color;
uniform uint u_hasColorTexture;
uniform sampler2D u_colorTexture;
uniform uint u_useAlphaMask;

out vec4 out_color;

const vec3 kLight = normalize(vec3(0.45, 0.8, 0.6));

void main() {
    vec4 color = vec4(u_color, 1.0);
    if (u_hasColorTexture == 1u) {
        vec4 texel = texture(u_colorTexture, v_texCoord);
        if (u_useAlphaMask == 1u && texel.a < 0.5) {
            discard;
        }
        color *= texel;
    }
    vec3 normal = normalize(cross(dFdx(v_position), dFdy(v_position)));
    // Both sides of a face are lit alike, whichever way the file winds it.
    float light = 0.35 + 0.65 * abs(dot(normal, kLight));
    out_color = vec4(color.rgb * light, 1.0);
}
