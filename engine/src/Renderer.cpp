#include "Ovra3D/Renderer.hpp"

namespace ovra {

bool Renderer::initialize() { return true; }

void Renderer::predraw(uint16_t, uint16_t, uint16_t, uint16_t) {}

void Renderer::draw(uint16_t x, uint16_t y, uint16_t w, uint16_t h) {
    glViewport(x, y, w, h);
    glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
}

void Renderer::postdraw() {}

}  // namespace ovra
