#version 330

// Model positions, passed on for the fragment stage's flat shading.
in vec3 in_vertex;
in vec2 in_texCoord;

uniform mat4 u_mvp;

out vec2 v_texCoord;
out vec3 v_position;

void main() {
    v_texCoord = in_texCoord;
    v_position = in_vertex;
    gl_Position = u_mvp * vec4(in_vertex, 1.0);
}
