#version 330

// Ovra's flat shader, 3D: positions through u_mvp; texture coordinates and vertex colours
// passed on. A mesh without vertex colours reads white at location 3.
in vec3 in_vertex;
in vec2 in_texCoord;
in vec4 in_color;

uniform mat4 u_mvp;

out vec2 v_texCoord;
out vec4 v_color;

void main() {
    v_texCoord = in_texCoord;
    v_color = in_color;
    gl_Position = u_mvp * vec4(in_vertex, 1.0);
}
