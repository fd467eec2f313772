#ifndef OVRA_OBJECTMANAGER_HPP
#define OVRA_OBJECTMANAGER_HPP

#include <map>
#include <string>
#include <vector>

namespace ovra {

class Entity;
class Material;
class Shader;
class Texture;
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

    // A texture loaded from <resources path><imagePath>, kept until releaseAll(): materials
    // only point at their textures, so something must outlive them all.
    static Texture* createTexture(const std::string& imagePath, unsigned int filter, unsigned int edgeBehaviour);

    // Imports the model file <resources path><filePath> as a new, unattached tree of entities
    // whose root is named `filePath`; the caller owns it. Every material it creates is kept
    // here and draws with `shader` (none when null). Throws std::invalid_argument with the
    // importer's message when the file cannot be read. Needs the GL context: meshes are uploaded.
    static Entity* load3DFile(const std::string& filePath, Shader* shader);

    // Stored with a trailing "/" added when missing; empty stays empty (the working directory).
    static void setRessourcesPath(const std::string& ressourcesPath);
    static const std::string& getRessourcesPath();

    // Destroys every registered material, then every kept texture, then every registered
    // shader, and empties those tables, so a clean exit leaks nothing. Needs the GL context
    // still alive; the visual tables are left alone (their nodes take visuals out).
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
    static std::vector<Texture*> textures_;
    static std::map<long, Visual*> visuals_;
    static std::map<long, Visual*> visuals2D_;
};

}  // namespace ovra

#endif
