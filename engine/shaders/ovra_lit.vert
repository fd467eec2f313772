#version 330

// Ovra's lit shader: a light at the eye, so it follows the camera. The engine hands the
// shader only u_mvp, so the eye is found in model space: the eye is the one point that the
// projection sends to infinity along clip z, (0, 0, 1, 0). An orthographic projection puts
// it at infinity itself, and the light then falls along the view direction. Light and
// normals meet in model space, which keeps their angle for rotations and even scales.
in vec3 in_vertex;
in vec2 in_texCoord;
in vec3 in_normal;
in vec4 in_color;

uniform mat4 u_mvp;

out vec2 v_texCoord;
out vec4 v_color;
out vec3 v_normal;
out vec3 v_toLight;

void main() {
    v_texCoord = in_texCoord;
    v_color = in_color;
    v_normal = in_normal;
    vec4 eye = inverse(u_mvp) * vec4(0.0, 0.0, 1.0, 0.0);
    if (abs(eye.w) > 1e-6 * length(eye.xyz)) {
        v_toLight = eye.xyz / eye.w - in_vertex;
    } else {
        v_toLight = -eye.xyz;
    }
    gl_Position = u_mvp * vec4(in_vertex, 1.0);
}
