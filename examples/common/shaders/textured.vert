#version 330
in vec3 in_vertex;
in vec2 in_texCoord;
uniform mat4 u_mvp;
out vec2 v_texCoord;
void main() {
    v_texCoord = in_texCoord;
    gl_Position = u_mvp * vec4(in_vertex, 1.0);
}
