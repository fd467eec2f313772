#include "Ovra3D/Shader.hpp"

#include "Ovra3D/utils.hpp"

#include <algorithm>
#include <iostream>
#include <vector>

namespace ovra {

namespace {

long cid = 0;

// Writes a stage's or a program's info log as one line: the two kinds of object
// share the same query signatures.
void writeInfoLog(GLuint object, PFNGLGETSHADERIVPROC getParameter, PFNGLGETSHADERINFOLOGPROC getInfoLog) {
    GLint errorSize = 0;
    getParameter(object, GL_INFO_LOG_LENGTH, &errorSize);
    std::vector<char> log(static_cast<size_t>(std::max(errorSize, 0)) + 1, '\0');
    getInfoLog(object, errorSize, &errorSize, log.data());
    log[static_cast<size_t>(std::max(errorSize, 0))] = '\0';
    std::cout << log.data() << std::endl;
}

using ObserverList = std::list<Shader::OnCompileObserver*>;

ObserverList::iterator find_onCompileObserver(ObserverList& list, Shader::OnCompileObserver& observer) {
    return std::find_if(list.begin(), list.end(),
                        [&observer](Shader::OnCompileObserver* o) { return o != nullptr && o == &observer; });
}

void deleteStage(GLuint& id) {
    if (id != 0) {
        glDeleteShader(id);
        id = 0;
    }
}

void deleteProgram(GLuint& id) {
    if (id != 0) {
        glDeleteProgram(id);
        id = 0;
    }
}

}  // namespace

void Shader::OnCompileObserver::onShaderDestroyed(const Shader&) {}

Shader::Shader(const GLchar* vs, const GLchar* fs) : id_(cid++) { compile(vs, fs); }

Shader::~Shader() {
    releaseGLObjects();
    // Each observer leaves the list before it is told, so one destroyed meanwhile (a material
    // leaves its shader's list as it goes) is never reached.
    while (!onCompileObserverList_.empty()) {
        Shader::OnCompileObserver* observer = onCompileObserverList_.front();
        onCompileObserverList_.pop_front();
        observer->onShaderDestroyed(*this);
    }
}

void Shader::releaseGLObjects() {
    deleteStage(verterxId_);
    deleteStage(fragmentId_);
    deleteProgram(programId_);
}

bool Shader::compile(GLuint& shaderId, GLenum type, const GLchar* src) {
    if (src == nullptr) {
        std::cout << "ERROR: Ovra: Shader: no source text" << std::endl;
        return false;
    }
    shaderId = glCreateShader(type);
    if (shaderId == 0) {
        std::cout << "ERROR: shader type (" << static_cast<unsigned int>(type) << ") does not exist" << std::endl;
        return false;
    }
    glShaderSource(shaderId, 1, &src, nullptr);
    glCompileShader(shaderId);

    GLint errorCp = 0;
    glGetShaderiv(shaderId, GL_COMPILE_STATUS, &errorCp);
    if (errorCp != GL_TRUE) {
        std::cout << "ERROR: while compiling Shader :" << std::endl;
        writeInfoLog(shaderId, glGetShaderiv, glGetShaderInfoLog);
        deleteStage(shaderId);
        return false;
    }
    return true;
}

bool Shader::link(GLuint& program, GLuint vertexId, GLuint fragmentId) {
    program = glCreateProgram();
    glAttachShader(program, vertexId);
    glAttachShader(program, fragmentId);
    glBindAttribLocation(program, ATTRIB_VERTICES_POS, "in_vertex");
    glBindAttribLocation(program, ATTRIB_TEXTURE2D_POS, "in_texCoord");
    glLinkProgram(program);

    GLint errorlk = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &errorlk);
    if (errorlk != GL_TRUE) {
        std::cout << "ERROR: while linking Shader :" << std::endl;
        writeInfoLog(program, glGetProgramiv, glGetProgramInfoLog);
        deleteProgram(program);
        return false;
    }
    return true;
}

bool Shader::compile(const GLchar* vs, const GLchar* fs) {
    if (!has_gl_context("compile a shader")) {
        return false;
    }
    // The new objects are built beside the ones in use, so that a failed stage leaves
    // the previous program (and the stages it was built from) untouched.
    GLuint vertexId = 0;
    GLuint fragmentId = 0;
    GLuint program = 0;
    if (!compile(vertexId, GL_VERTEX_SHADER, vs)) {
        std::cout << "ERROR: while compiling vertex shader" << std::endl;
        return false;
    }
    if (!compile(fragmentId, GL_FRAGMENT_SHADER, fs)) {
        std::cout << "ERROR: while compiling fragment shader" << std::endl;
        deleteStage(vertexId);
        return false;
    }

    const bool linked = link(program, vertexId, fragmentId);
    // Either way the previous build is replaced: by the new program, or by none.
    releaseGLObjects();
    if (!linked) {
        deleteStage(vertexId);
        deleteStage(fragmentId);
        return false;
    }
    verterxId_ = vertexId;
    fragmentId_ = fragmentId;
    programId_ = program;
    notifyObservers();
    return true;
}

void Shader::notifyObservers() {
    // An observer may move to another shader while being told (leaving this list):
    // walk a copy, and skip those that left before their turn.
    const ObserverList observers = onCompileObserverList_;
    for (Shader::OnCompileObserver* observer : observers) {
        if (find_onCompileObserver(onCompileObserverList_, *observer) != onCompileObserverList_.end()) {
            observer->onCompileOccured(*this);
        }
    }
}

void Shader::addCompileObserver(Shader::OnCompileObserver& onCompileObserver) {
    if (find_onCompileObserver(onCompileObserverList_, onCompileObserver) == onCompileObserverList_.end()) {
        onCompileObserverList_.push_back(&onCompileObserver);
    }
}

bool Shader::removeCompileObserver(Shader::OnCompileObserver& onCompileObserver) {
    auto it = find_onCompileObserver(onCompileObserverList_, onCompileObserver);
    if (it == onCompileObserverList_.end()) {
        return false;
    }
    onCompileObserverList_.erase(it);
    return true;
}

}  // namespace ovra
