#include "Ovra3D/widgets/Material.hpp"

#include <iostream>

namespace ovra {

namespace {
long cid = 0;
}

Material::Properties::Properties()
    : ambientColor(0.1f, 0.1f, 0.1f),
      diffuseColor(0.8f, 0.8f, 0.8f),
      specularColor(1.0f, 1.0f, 1.0f),
      transparency(1.0f),
      specularIntensity(1.0f),
      specularStrength(1.0f),
      useAlphaMask(false),
      drawingMode(FILL),
      edgeColor(1.0f, 0.52f, 0.0f),
      edgeWidth(2.0f),
      drawingType(GL_TRIANGLES) {}

Material::Material() : id_(cid++) {}

Material::Material(Shader* shader) : Material() { setShader(shader); }

Material::~Material() {
    if (shader_ != nullptr) {
        shader_->removeCompileObserver(*this);
    }
}

void Material::setShader(Shader* shader) {
    if (shader == nullptr) {
        std::cout << "ERROR: Ovra: Material: no shader given" << std::endl;
        return;
    }
    if (standIn_) {
        // Nothing draws with it; bound, it would only keep the shader from being deleted.
        return;
    }
    if (!has_gl_context("bind a material to its shader")) {
        return;
    }
    if (shader_ != nullptr) {
        shader_->removeCompileObserver(*this);
    }
    shader_ = shader;
    shader->addCompileObserver(*this);
    linkShaderAttributes();
}

void Material::onCompileOccured(const Shader&) { linkShaderAttributes(); }

void Material::onShaderDestroyed(const Shader&) {
    shader_ = nullptr;
    forgetUniforms();
}

void Material::forgetUniforms() {
    const auto missing = static_cast<GLuint>(-1);
    mvpMatrix_ID_ = translationAndScale_ID_ = color_ID_ = missing;
    hasColorTexture_ID_ = colortexture_ID_ = useAlphaMask_ID_ = missing;
}

void Material::setProperties(const Material::Properties& p) {
    properties_.ambientColor = p.ambientColor;
    properties_.diffuseColor = p.diffuseColor;
    properties_.specularColor = p.specularColor;
    properties_.transparency = p.transparency;
    properties_.specularIntensity = p.specularIntensity;
    properties_.specularStrength = p.specularStrength;
}

void Material::linkShaderAttributes() {
    const GLuint program = shader_->getProgramId();
    glUseProgram(program);
    // Program 0 has no uniforms: asking would only raise GL errors, the answer is -1 anyway.
    auto location = [program](const char* name) {
        return static_cast<GLuint>(program != 0 ? glGetUniformLocation(program, name) : -1);
    };
    if (program != 0) {
        Shader::bindAttributeLocations(program);
    }
    mvpMatrix_ID_ = location("u_mvp");
    translationAndScale_ID_ = location("u_translationAndScale");
    color_ID_ = location("u_color");
    hasColorTexture_ID_ = location("u_hasColorTexture");
    colortexture_ID_ = location("u_colorTexture");
    useAlphaMask_ID_ = location("u_useAlphaMask");
    glUseProgram(0);
}

}  // namespace ovra
