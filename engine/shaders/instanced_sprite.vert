#version 330

// Instanced sprites: every instance placed by its own transform, then by the visual's
// model-view-projection, all in one draw.
in vec3 in_vertex;
in vec2 in_texCoord;
layout(location = 4) in mat4 in_instanceTransform;
layout(location = 8) in vec3 in_instanceTint;

uniform mat4 u_mvp;

out vec2 v_texCoord;
flat out vec3 v_tint;

void main() {
    v_texCoord = in_texCoord;
    v_tint = in_instanceTint;
    gl_Position = (u_mvp * in_instanceTransform) * vec4(in_vertex, 1.0);
}
