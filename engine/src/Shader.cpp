#include "Ovra3D/Shader.hpp"

#include "Ovra3D/utils.hpp"

#include <algorithm>
#include <iostream>
#include <sstream>
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

// The uniforms the engine sets, with the type its glUniform call needs: a uniform declared
// otherwise makes that call fail, and the feature it carries silently goes off.
struct ContractUniform {
    const char* name;
    GLenum type;
    // A bool takes a glUniform1ui as well as a uint does.
    GLenum alsoAccepted;
};

const ContractUniform kContractUniforms[] = {
    {"u_mvp", GL_FLOAT_MAT4, GL_FLOAT_MAT4},          {"u_translationAndScale", GL_FLOAT_VEC4, GL_FLOAT_VEC4},
    {"u_color", GL_FLOAT_VEC3, GL_FLOAT_VEC3},        {"u_hasColorTexture", GL_UNSIGNED_INT, GL_BOOL},
    {"u_colorTexture", GL_SAMPLER_2D, GL_SAMPLER_2D}, {"u_useAlphaMask", GL_UNSIGNED_INT, GL_BOOL},
};

// The GLSL name of a uniform type, for error lines.
std::string glslTypeName(GLenum type) {
    static const std::pair<GLenum, const char*> names[] = {
        {GL_FLOAT, "float"},
        {GL_FLOAT_VEC2, "vec2"},
        {GL_FLOAT_VEC3, "vec3"},
        {GL_FLOAT_VEC4, "vec4"},
        {GL_INT, "int"},
        {GL_INT_VEC2, "ivec2"},
        {GL_INT_VEC3, "ivec3"},
        {GL_INT_VEC4, "ivec4"},
        {GL_UNSIGNED_INT, "uint"},
        {GL_UNSIGNED_INT_VEC2, "uvec2"},
        {GL_UNSIGNED_INT_VEC3, "uvec3"},
        {GL_UNSIGNED_INT_VEC4, "uvec4"},
        {GL_BOOL, "bool"},
        {GL_FLOAT_MAT2, "mat2"},
        {GL_FLOAT_MAT3, "mat3"},
        {GL_FLOAT_MAT4, "mat4"},
        {GL_SAMPLER_1D, "sampler1D"},
        {GL_SAMPLER_2D, "sampler2D"},
        {GL_SAMPLER_3D, "sampler3D"},
        {GL_SAMPLER_CUBE, "samplerCube"},
    };
    for (const auto& [value, name] : names) {
        if (value == type) {
            return name;
        }
    }
    std::ostringstream other;
    other << "type 0x" << std::hex << type;
    return other.str();
}

}  // namespace

void Shader::OnCompileObserver::onShaderDestroyed(const Shader&) {}

Shader::Shader(const GLchar* vs, const GLchar* fs, const std::string& sourceNames)
    : id_(cid++), sourceNames_(sourceNames) {
    compile(vs, fs);
}

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
    bindAttributeLocations(program);
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
        reportSourceNames();
        return false;
    }
    if (!compile(fragmentId, GL_FRAGMENT_SHADER, fs)) {
        std::cout << "ERROR: while compiling fragment shader" << std::endl;
        reportSourceNames();
        deleteStage(vertexId);
        return false;
    }

    const bool linked = link(program, vertexId, fragmentId);
    // Either way the previous build is replaced: by the new program, or by none.
    releaseGLObjects();
    if (!linked) {
        reportSourceNames();
        deleteStage(vertexId);
        deleteStage(fragmentId);
        return false;
    }
    checkUniformTypes(program);
    verterxId_ = vertexId;
    fragmentId_ = fragmentId;
    programId_ = program;
    notifyObservers();
    return true;
}

void Shader::bindAttributeLocations(GLuint program) {
    glBindAttribLocation(program, ATTRIB_VERTICES_POS, "in_vertex");
    glBindAttribLocation(program, ATTRIB_TEXTURE2D_POS, "in_texCoord");
    glBindAttribLocation(program, ATTRIB_NORMAL_POS, "in_normal");
    glBindAttribLocation(program, ATTRIB_COLOR_POS, "in_color");
}

void Shader::reportSourceNames() const {
    if (!sourceNames_.empty()) {
        std::cout << "ERROR: Ovra: Shader: in " << sourceNames_ << std::endl;
    }
}

void Shader::checkUniformTypes(GLuint program) const {
    GLint count = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    for (GLint i = 0; i < count; ++i) {
        char name[128] = {};
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program, static_cast<GLuint>(i), sizeof(name), nullptr, &size, &type, name);
        for (const ContractUniform& uniform : kContractUniforms) {
            if (std::string(name) == uniform.name && type != uniform.type && type != uniform.alsoAccepted) {
                std::cout << "ERROR: Ovra: Shader: uniform " << uniform.name << " is declared " << glslTypeName(type)
                          << ", the engine sets it as " << glslTypeName(uniform.type) << std::endl;
                reportSourceNames();
            }
        }
    }
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
