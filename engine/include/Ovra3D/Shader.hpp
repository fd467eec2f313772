/// \file
/// The GL program built from a vertex and a fragment source.
#ifndef OVRA_SHADER_HPP
#define OVRA_SHADER_HPP

#include "Ovra3D/common.hpp"

#include <list>
#include <string>

namespace ovra {

/// A linked GL program built from a vertex and a fragment source, with the engine's
/// fixed attribute locations; observers hear of every successful (re)link.
/// Failures are error lines on the standard output; all calls need the GL context.
class Shader {
public:
    /// Told after the shader has linked a new program, and when it is destroyed.
    /// Never destroyed through this interface.
    class OnCompileObserver {
    public:
        /// `shader` has just linked a new program: look its uniforms up again.
        virtual void onCompileOccured(const Shader& shader) = 0;
        /// `shader` is being destroyed and has already taken this observer off its list:
        /// forget it. Does nothing unless overridden.
        virtual void onShaderDestroyed(const Shader& shader);

    protected:
        ~OnCompileObserver() = default;
    };

    static constexpr GLint ATTRIB_VERTICES_POS = 0;   ///< Location of "in_vertex", three floats.
    static constexpr GLint ATTRIB_TEXTURE2D_POS = 1;  ///< Location of "in_texCoord", two floats.
    static constexpr GLint ATTRIB_NORMAL_POS = 2;     ///< Location of "in_normal", three floats.
    static constexpr GLint ATTRIB_COLOR_POS = 3;      ///< Location of "in_color", four floats (RGBA).

    /// Builds the program at once; a failed build shows as getProgramId() == 0.
    /// `sourceNames` says where the sources came from (for instance their two files); when
    /// not empty, every error line of a build is followed by a line naming it.
    Shader(const GLchar* vs, const GLchar* fs, const std::string& sourceNames = std::string());
    /// Deletes the GL objects still held, then tells each observer still listed
    /// (onShaderDestroyed()), so that no material keeps pointing at a destroyed shader.
    ~Shader();
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    /// (Re)builds the program; true when a new one linked and the observers were told.
    /// A successful rebuild deletes the program and stages it replaced. A stage that
    /// fails, or whose source is null, keeps the previous program (and its stages) in use;
    /// a failed link leaves no program (0). The stage objects of a failed rebuild are
    /// deleted at once. An observer may add or remove observers while being told.
    /// A linked program that declares one of the engine's uniforms ("u_mvp", "u_color", ...)
    /// with another type than the engine sets gets an error line naming the uniform and the
    /// type expected; it stays linked, but that uniform never receives a value.
    bool compile(const GLchar* vs, const GLchar* fs);

    /// The linked program, or 0 when there is none.
    GLuint getProgramId() const { return programId_; }
    /// The shader's number in the process-wide sequence of shaders.
    long getId() const { return id_; }
    /// Where the sources came from, as given to the constructor; empty when not said.
    const std::string& getSourceNames() const { return sourceNames_; }

    /// Binds the four attribute names to their locations in `program`; they take effect at
    /// the program's next link.
    static void bindAttributeLocations(GLuint program);

    /// Appends the observer unless it is already listed. Observers are not owned.
    void addCompileObserver(Shader::OnCompileObserver& onCompileObserver);
    /// Takes the observer off the list. \return false when it was not listed.
    bool removeCompileObserver(Shader::OnCompileObserver& onCompileObserver);
    /// True while at least one observer is listed (a material is bound to the shader).
    bool hasCompileObservers() const { return !onCompileObserverList_.empty(); }

private:
    // Compiles one stage into `shaderId`; on failure reports, deletes it and leaves 0.
    bool compile(GLuint& shaderId, GLenum type, const GLchar* src);
    // Links the two stages into `program`; on failure reports, deletes it and leaves 0.
    bool link(GLuint& program, GLuint vertexId, GLuint fragmentId);
    void releaseGLObjects();
    void notifyObservers();
    // Writes the line naming the sources, when they were named.
    void reportSourceNames() const;
    // Reports the engine's uniforms that the program declares with another type.
    void checkUniformTypes(GLuint program) const;

    GLuint verterxId_ = 0;
    GLuint fragmentId_ = 0;
    GLuint programId_ = 0;
    long id_;
    std::string sourceNames_;
    std::list<Shader::OnCompileObserver*> onCompileObserverList_;
};

}  // namespace ovra

#endif
