/// \file
/// How a sub-mesh is drawn.
#ifndef OVRA_MATERIAL_HPP
#define OVRA_MATERIAL_HPP

#include "Ovra3D/Shader.hpp"
#include "Ovra3D/utils.hpp"

#include <cstdint>
#include <string>

namespace ovra {

class Renderer;
class Texture;

/// How a sub-mesh is drawn: shader, colours, texture, fill or wire, GL primitive.
/// Keeps its shader's uniform locations current by observing the shader's relinks.
/// Usually made and owned by the ObjectManager; needs the GL context once a shader is set.
class Material final : public Shader::OnCompileObserver {
public:
    /// How the faces are drawn.
    enum DRAWING_MODE : int32_t {
        WIRE_AND_FILL = 0,  ///< Filled faces, then their edges in the edge colour.
        WIRE = 1,           ///< Edges only, edgeWidth wide.
        FILL = 2            ///< Filled faces only.
    };

    /// The settings of a material; the constructor gives the defaults.
    class Properties {
    public:
        /// Grey diffuse, orange edges 2 pixels wide, filled triangles, no alpha mask.
        Properties();

        Color ambientColor;        ///< Kept from model files; not drawn with.
        Color diffuseColor;        ///< The face colour ("u_color").
        Color specularColor;       ///< Kept from model files; not drawn with.
        float transparency;        ///< Opacity from model files, 0 to 1; not drawn with.
        float specularIntensity;   ///< Kept from model files; not drawn with.
        float specularStrength;    ///< Not drawn with.
        bool useAlphaMask;         ///< Sent to "u_useAlphaMask".
        DRAWING_MODE drawingMode;  ///< Fill, wire or both.
        Color edgeColor;           ///< Edge colour of WIRE_AND_FILL.
        float edgeWidth;           ///< Line width of the wire passes, in pixels.
        GLenum drawingType;        ///< The primitive handed to glDrawElements (GL_TRIANGLES, GL_LINES...).
    };

    /// Default settings, no shader, no texture, the next material number.
    Material();
    /// As Material(), then setShader(shader); a null shader leaves it without one (error line).
    explicit Material(Shader* shader);
    /// Leaves its shader's observer list.
    ~Material();
    Material(const Material&) = delete;
    Material& operator=(const Material&) = delete;

    /// The material's number: its key in the ObjectManager.
    long getID() const { return id_; }
    /// The name (from the model file); empty by default.
    const std::string& getName() const { return name_; }
    /// Replaces the name.
    void setName(const std::string& name) { name_ = name; }

    /// Moves the material to `shader` and looks its uniforms up. A null shader is refused
    /// with an error line and the material keeps the shader it had.
    void setShader(Shader* shader);
    /// True when it has a shader whose build left no program: the renderer skips it, rather
    /// than draw with no program at all.
    bool hasUnlinkedShader() const { return shader_ != nullptr && shader_->getProgramId() == 0; }
    /// The shader it draws with, or null: none was set, or the one set has been destroyed.
    Shader* getShader() const { return shader_; }
    /// Looks the uniform locations up again in the shader's new program.
    void onCompileOccured(const Shader& newShader) override;
    /// Leaves the material without a shader, and so undrawn, until another is set.
    void onShaderDestroyed(const Shader& shader) override;

    /// Copies only the ambient, diffuse and specular colours, the transparency and
    /// the two specular factors; the drawing settings stay as they are.
    void setProperties(const Material::Properties& p);
    /// The settings themselves, to read and write.
    Material::Properties& getProperties() { return properties_; }

    /// Not owned; null means no texture.
    void setColorTexture(Texture* texture) { colorTexture_ = texture; }
    /// The colour texture, or null when there is none.
    Texture* getColorTexture() const { return colorTexture_; }

private:
    friend class Mesh;  // makes the stand-in material
    friend class Renderer;

    void linkShaderAttributes();
    void forgetUniforms();

    long id_;
    std::string name_;
    Material::Properties properties_;
    Texture* colorTexture_ = nullptr;
    Shader* shader_ = nullptr;
    bool standIn_ = false;  // Mesh's stand-in for a missing material: drawn by nothing, bound to no shader
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
