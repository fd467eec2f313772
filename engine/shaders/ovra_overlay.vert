#version 330

// Ovra's overlay shader, 2D: the unit plane ([-0.5, 0.5] square) stretched over the window
// rectangle given as (centre x, centre y, width, height) in device units.
in vec3 in_vertex;
in vec2 in_texCoord;
in vec4 in_color;

uniform vec4 u_translationAndScale;

out vec2 v_texCoord;
out vec4 v_color;

void main() {
    v_texCoord = in_texCoord;
    v_color = in_color;
    gl_Position = vec4(in_vertex.xy * u_translationAndScale.zw + u_translationAndScale.xy, in_vertex.z, 1.0);
}
