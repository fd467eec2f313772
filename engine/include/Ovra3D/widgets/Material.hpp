#ifndef OVRA_MATERIAL_HPP
#define OVRA_MATERIAL_HPP

#include "Ovra3D/Shader.hpp"
#include "Ovra3D/utils.hpp"

#include <cstdint>
#include <string>

namespace ovra {

class Renderer;
class Texture;

// How a sub-mesh is drawn: shader, colours, texture, fill or wire, GL primitive.
// Keeps its shader's uniform locations current by observing the shader's relinks.
class Material final : public Shader::OnCompileObserver {
public:
    enum DRAWING_MODE : int32_t { WIRE_AND_FILL = 0, WIRE = 1, FILL = 2 };

    // The settings of a material; the constructor gives the defaults.
    class Properties {
    public:
        Properties();

        Color ambientColor;
        Color diffuseColor;
        Color specularColor;
        float transparency;
        float specularIntensity;
        float specularStrength;
        bool useAlphaMask;
        DRAWING_MODE drawingMode;
        Color edgeColor;
        float edgeWidth;
        GLenum drawingType;
    };

    Material();
    // As Material(), then setShader(shader).
    explicit Material(Shader* shader);
    // Leaves its shader's observer list; the shader must still exist.
    ~Material();
    Material(const Material&) = delete;
    Material& operator=(const Material&) = delete;

    long getID() const { return id_; }
    const std::string& getName() const { return name_; }
    void setName(const std::string& name) { name_ = name; }

    // Moves the material to `shader` (not null) and looks its uniforms up.
    void setShader(Shader* shader);
    void onCompileOccured(const Shader& newShader) override;

    // Copies only the ambient, diffuse and specular colours, the transparency and
    // the two specular factors; the drawing settings stay as they are.
    void setProperties(const Material::Properties& p);
    Material::Properties& getProperties() { return properties_; }

    // Not owned; null means no texture.
    void setColorTexture(Texture* texture) { colorTexture_ = texture; }
    Texture* getColorTexture() const { return colorTexture_; }

private:
    friend class Renderer;

    void linkShaderAttributes();

    long id_;
    std::string name_;
    Material::Properties properties_;
    Texture* colorTexture_ = nullptr;
    Shader* shader_ = nullptr;
    // Locations as glGetUniformLocation gave them: a missing uniform is -1 with all bits set.
    GLuint color_ID_ = 0;
    GLuint useAlphaMask_ID_ = 0;
    GLuint colortexture_ID_ = 0;
    GLuint hasColorTexture_ID_ = 0;
    GLuint mvpMatrix_ID_ = 0;
    GLuint translationAndScale_ID_ = 0;
};

}  // namespace ovra

#endif
