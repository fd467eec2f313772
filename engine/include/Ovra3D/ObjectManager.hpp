/// \file
/// The engine's process-wide registry.
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

/// The engine's process-wide registry (static members only): shaders by name, materials
/// by id (both owned), the resources path, and the 3D and 2D visual tables (not owning).
/// Unknown names and ids answer null and change nothing.
class ObjectManager {
public:
    ObjectManager() = delete;

    /// The engine's own shader pairs, built into the library (names starting "ovra_" are
    /// kept for them). FLAT_SHADER draws 3D visuals in the material's colour times the
    /// vertex colour and the colour texture; LIT_SHADER does the same lit by a light at the
    /// camera, from the meshes' normals; OVERLAY_SHADER draws overlay visuals like the flat one.
    static constexpr const char* FLAT_SHADER = "ovra_flat";
    static constexpr const char* LIT_SHADER = "ovra_lit";          ///< See FLAT_SHADER.
    static constexpr const char* OVERLAY_SHADER = "ovra_overlay";  ///< See FLAT_SHADER.

    /// The shader named `shaderPath`, built from the resources path + `shaderPath` + ".vert" and ".frag" when
    /// not yet registered, or rebuilt from them when `reload` is true; one of the built-in names
    /// above is built from the engine's own sources instead, whatever the resources path.
    /// A new shader that fails to build is returned unregistered and becomes the caller's.
    /// Null, with an error line, when a file is missing. Build errors name the two files.
    static Shader* createShader(const std::string& shaderPath, bool reload);
    /// Creates and registers the three built-in shaders (each once; see createShader), to be
    /// found with getShader(FLAT_SHADER) and so on. \return true when all three linked.
    static bool createDefaultShaders();
    /// The registered shader of that name, or null; reads no file.
    static Shader* getShader(const std::string& shaderPath);
    /// Rebuilds a registered shader from its files; an unregistered one is returned untouched.
    static Shader* reloadShader(Shader& shader);
    /// Destroys the named shader. \return true when a shader was deleted; false for an unknown
    /// name, and false with an error line, keeping the shader, while materials are still bound
    /// to it (they would be left without one).
    static bool deleteShader(const std::string& shaderPath);

    /// A new material with default settings, kept here. \return its id.
    static long createMaterial();
    /// The material of that id, or null.
    static Material* getMaterial(long matId);
    /// Hands the material back to the caller, who then owns it; null for an unknown id.
    /// Meshes still pointing at it keep doing so: destroy it only once they are gone.
    static Material* removeMaterial(long matId);

    /// A texture loaded from the resources path + `imagePath`, kept until releaseAll(): materials
    /// only point at their textures, so something must outlive them all.
    static Texture* createTexture(const std::string& imagePath, unsigned int filter, unsigned int edgeBehaviour);
    /// Keeps a texture made by the caller (from memory, say) until releaseAll(), as
    /// createTexture does its own. \return `texture`; null is not kept.
    static Texture* keepTexture(Texture* texture);

    /// Imports the model file resources path + `filePath` as a new, unattached tree of entities
    /// whose root is named `filePath`; the caller owns it. Every material it creates is kept
    /// here and draws with `shader` (none when null). Throws std::invalid_argument with the
    /// importer's message when the file cannot be read. Needs the GL context: meshes are uploaded.
    static Entity* load3DFile(const std::string& filePath, Shader* shader);

    /// Stored with a trailing "/" added when missing; empty stays empty (the working directory).
    static void setRessourcesPath(const std::string& ressourcesPath);
    /// The resources path as stored.
    static const std::string& getRessourcesPath();

    /// Destroys every registered material, then every kept texture, then every registered
    /// shader, and empties those tables, so a clean exit leaks nothing. Needs the GL context
    /// still alive; the visual tables are left alone (their nodes take visuals out).
    /// Materials kept elsewhere (handed back by removeMaterial()) stay, without a shader if
    /// theirs was released. Meant for the very end: meshes still pointing at the released
    /// materials would dangle.
    static void releaseAll();

    /// Enters a visual of a 3D entity in the 3D table under its id; an id already present keeps
    /// its entry. Null, or a visual whose node is not an Entity, is refused with an error line.
    static void addVisual(Visual* visual);
    /// The same for the overlay table; the node must be an Entity2D.
    static void addVisual2D(Visual* visual);
    /// The 3D visual of that id, or null.
    static Visual* getVisual(long visualId);
    /// The overlay visual of that id, or null.
    static Visual* getVisual2D(long visualId);
    /// Takes the 3D visual out of its table (not destroyed); null for an unknown id.
    static Visual* removeVisual(long visualId);
    /// Takes the overlay visual out of its table (not destroyed); null for an unknown id.
    static Visual* removeVisual2D(long visualId);
    /// The 3D visuals in ascending id, the order they are drawn in.
    static const std::map<long, Visual*>& getVisuals();
    /// The overlay visuals in ascending id.
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
