#ifndef OVRA_OBJECTMANAGER_HPP
#define OVRA_OBJECTMANAGER_HPP

#include <map>
#include <string>

namespace ovra {

class Material;
class Shader;
class Visual;

// The engine's process-wide registry (static members only): shaders by name, materials
// by id (both owned), the resources path, and the 3D and 2D visual tables (not owning).
class ObjectManager {
public:
    ObjectManager() = delete;

    // The shader named `shaderPath`, built from <resources path><shaderPath>.vert/.frag when
    // not yet registered, or rebuilt from them when `reload` is true. A new shader that fails
    // to build is returned unregistered and becomes the caller's. Null when a file is missing.
    static Shader* createShader(const std::string& shaderPath, bool reload);
    static Shader* getShader(const std::string& shaderPath);
    // Rebuilds a registered shader from its files; an unregistered one is returned untouched.
    static Shader* reloadShader(Shader& shader);
    // Destroys the named shader; materials still bound to it must have moved or gone first.
    // True when a shader was deleted.
    static bool deleteShader(const std::string& shaderPath);

    // A new material with default settings; returns its id.
    static long createMaterial();
    static Material* getMaterial(long matId);
    // Hands the material back to the caller, who then owns it.
    static Material* removeMaterial(long matId);

    // Stored with a trailing "/" added when missing; empty stays empty (the working directory).
    static void setRessourcesPath(const std::string& ressourcesPath);
    static const std::string& getRessourcesPath();

    // Destroys every registered material, then every registered shader, and empties both
    // tables, so a clean exit leaks nothing. Needs the GL context still alive; the visual
    // tables are left alone (their nodes take visuals out).
    static void releaseAll();

    // Visual registries: not owning; iterated in ascending visual id.
    static void addVisual(Visual* visual);
    static void addVisual2D(Visual* visual);
    static Visual* getVisual(long visualId);
    static Visual* getVisual2D(long visualId);
    static Visual* removeVisual(long visualId);
    static Visual* removeVisual2D(long visualId);
    static const std::map<long, Visual*>& getVisuals();
    static const std::map<long, Visual*>& getVisuals2D();

private:
    static std::map<std::string, Shader*> shaders_;
    static std::map<long, Material*> materials_;
    static std::string ressourcesPath_;
    static std::map<long, Visual*> visuals_;
    static std::map<long, Visual*> visuals2D_;
};

}  // namespace ovra

#endif
