#ifndef OVRA_SHADER_HPP
#define OVRA_SHADER_HPP

#include "Ovra3D/common.hpp"

#include <list>

namespace ovra {

// A linked GL program built from a vertex and a fragment source, with the engine's
// fixed attribute locations; observers hear of every successful (re)link.
class Shader {
public:
    // Told after the shader has linked a new program. Never destroyed through this interface.
    class OnCompileObserver {
    public:
        virtual void onCompileOccured(const Shader& shader) = 0;

    protected:
        ~OnCompileObserver() = default;
    };

    static constexpr GLint ATTRIB_VERTICES_POS = 0;   // "in_vertex", three floats
    static constexpr GLint ATTRIB_TEXTURE2D_POS = 1;  // "in_texCoord", two floats

    // Builds the program at once; a failed build shows as getProgramId() == 0.
    Shader(const GLchar* vs, const GLchar* fs);
    // Deletes the GL objects still held; observers are not told.
    ~Shader();
    Shader(const Shader&) = delete;
    Shader& operator=(const Shader&) = delete;

    // (Re)builds the program; true when a new one linked and the observers were told.
    // A successful rebuild deletes the program and stages it replaced. A stage that
    // fails keeps the previous program (and its stages) in use; a failed link leaves
    // no program (0). The stage objects of a failed rebuild are deleted at once.
    bool compile(const GLchar* vs, const GLchar* fs);

    GLuint getProgramId() const { return programId_; }
    long getId() const { return id_; }

    // Appends the observer unless it is already listed. Observers are not owned.
    void addCompileObserver(Shader::OnCompileObserver& onCompileObserver);
    // False when the observer was not listed.
    bool removeCompileObserver(Shader::OnCompileObserver& onCompileObserver);

private:
    // Compiles one stage into `shaderId`; on failure reports, deletes it and leaves 0.
    bool compile(GLuint& shaderId, GLenum type, const GLchar* src);
    // Links the two stages into `program`; on failure reports, deletes it and leaves 0.
    bool link(GLuint& program, GLuint vertexId, GLuint fragmentId);
    void releaseGLObjects();

    GLuint verterxId_ = 0;
    GLuint fragmentId_ = 0;
    GLuint programId_ = 0;
    long id_;
    std::list<Shader::OnCompileObserver*> onCompileObserverList_;
};

}  // namespace ovra

#endif
