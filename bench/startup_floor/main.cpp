// The least a program can do to start up as the game does: open the same window with
// the same GL context, compile and link the same two shader pairs, decode and upload each
// distinct image once, and present one frame. It prints one line when that frame is
// presented and exits; the start-up benchmark times it against the game's first line.
// Reads ../Ressources/ like the game.

#include <GL/glew.h>
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace {

const std::string kRessources = "../Ressources/";

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

GLuint compileStage(GLenum stage, const std::string& path) {
    const std::string source = readFile(path);
    const char* text = source.c_str();
    const GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    return shader;
}

bool buildProgram(const std::string& name) {
    const GLuint vertex = compileStage(GL_VERTEX_SHADER, kRessources + name + ".vert");
    const GLuint fragment = compileStage(GL_FRAGMENT_SHADER, kRessources + name + ".frag");
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glBindAttribLocation(program, 0, "in_vertex");
    glBindAttribLocation(program, 1, "in_texCoord");
    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    return linked == GL_TRUE;
}

bool uploadImage(const std::string& name) {
    SDL_Surface* image = IMG_Load((kRessources + name).c_str());
    if (image == nullptr) {
        return false;
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const bool redFirst = image->format->Rmask == 0xFF;
    const bool alpha = image->format->BytesPerPixel == 4;
    const GLenum format = alpha ? (redFirst ? GL_RGBA : GL_BGRA) : (redFirst ? GL_RGB : GL_BGR);
    glTexImage2D(GL_TEXTURE_2D, 0, alpha ? GL_RGBA : GL_RGB, image->w, image->h, 0, format, GL_UNSIGNED_BYTE,
                 image->pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    SDL_FreeSurface(image);
    return true;
}

}  // namespace

int main(int, char**) {
    if (SDL_Init(SDL_INIT_VIDEO) < 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 1);
    SDL_Window* window = SDL_CreateWindow("Brimwold", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 1280, 720,
                                          SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    SDL_GLContext context = window != nullptr ? SDL_GL_CreateContext(window) : nullptr;
    if (context == nullptr || glewInit() != GLEW_OK) {
        std::fprintf(stderr, "no window or GL 3.3 context: %s\n", SDL_GetError());
        return 1;
    }

    bool ok = buildProgram("simple_shader") && buildProgram("simple_2D_shader");
    for (const char* image : {"cat_01.png", "zombie01.png", "maps/map_01.png", "spacecat_circle.png", "gameover.png"}) {
        ok = uploadImage(image) && ok;
    }
    if (!ok) {
        std::fprintf(stderr, "a shader or an image of %s did not load\n", kRessources.c_str());
        return 1;
    }

    glViewport(0, 0, 1280, 720);
    glClearColor(0.2f, 0.2f, 0.2f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
    std::printf("frame presented\n");
    std::fflush(stdout);

    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
