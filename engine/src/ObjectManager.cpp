#include "Ovra3D/ObjectManager.hpp"

#include "Ovra3D/Shader.hpp"
#include "Ovra3D/Visual.hpp"
#include "Ovra3D/utils.hpp"
#include "Ovra3D/widgets/Material.hpp"

#include <iostream>

namespace ovra {

std::map<std::string, Shader*> ObjectManager::shaders_;
std::map<long, Material*> ObjectManager::materials_;
std::string ObjectManager::ressourcesPath_;
std::map<long, Visual*> ObjectManager::visuals_;
std::map<long, Visual*> ObjectManager::visuals2D_;

namespace {

template <typename Key, typename Value>
Value* find(const std::map<Key, Value*>& table, const Key& key) {
    auto it = table.find(key);
    return it != table.end() ? it->second : nullptr;
}

template <typename Key, typename Value>
Value* take(std::map<Key, Value*>& table, const Key& key) {
    auto it = table.find(key);
    if (it == table.end()) {
        return nullptr;
    }
    Value* value = it->second;
    table.erase(it);
    return value;
}

bool readSource(const std::string& path, std::string& code) {
    if (!get_file_contents(path.c_str(), code)) {
        std::cout << "ERROR: [" << path << "] not found" << std::endl;
        return false;
    }
    return true;
}

}  // namespace

Shader* ObjectManager::createShader(const std::string& shaderPath, bool reload) {
    auto it = shaders_.find(shaderPath);
    if (it != shaders_.end() && !reload) {
        return it->second;
    }
    const std::string vertexFilePath = ressourcesPath_ + shaderPath + ".vert";
    const std::string fragmentFilePath = ressourcesPath_ + shaderPath + ".frag";
    std::string vertexCode;
    std::string fragmentCode;
    if (!readSource(vertexFilePath, vertexCode) || !readSource(fragmentFilePath, fragmentCode)) {
        return nullptr;
    }
    if (it != shaders_.end()) {
        it->second->compile(vertexCode.c_str(), fragmentCode.c_str());
        return it->second;
    }
    auto* shader = new Shader(vertexCode.c_str(), fragmentCode.c_str());
    if (shader->getProgramId() != 0) {
        shaders_[shaderPath] = shader;
    }
    return shader;
}

Shader* ObjectManager::getShader(const std::string& shaderPath) { return find(shaders_, shaderPath); }

Shader* ObjectManager::reloadShader(Shader& shader) {
    for (const auto& [name, registered] : shaders_) {
        if (registered == &shader) {
            return createShader(name, true);
        }
    }
    return &shader;
}

bool ObjectManager::deleteShader(const std::string& shaderPath) {
    Shader* shader = take(shaders_, shaderPath);
    delete shader;
    return shader != nullptr;
}

long ObjectManager::createMaterial() {
    auto* mat = new Material();
    materials_[mat->getID()] = mat;
    return mat->getID();
}

Material* ObjectManager::getMaterial(long matId) { return find(materials_, matId); }

Material* ObjectManager::removeMaterial(long matId) { return take(materials_, matId); }

void ObjectManager::setRessourcesPath(const std::string& ressourcesPath) {
    ressourcesPath_ = ressourcesPath;
    // An empty path keeps meaning the working directory rather than becoming "/".
    if (!ressourcesPath_.empty() && ressourcesPath_.back() != '/') {
        ressourcesPath_ += '/';
    }
}

const std::string& ObjectManager::getRessourcesPath() { return ressourcesPath_; }

void ObjectManager::releaseAll() {
    // Materials first: each leaves its shader's observer list while the shader still exists.
    for (auto& [id, material] : materials_) {
        delete material;
    }
    materials_.clear();
    for (auto& [name, shader] : shaders_) {
        delete shader;
    }
    shaders_.clear();
}

void ObjectManager::addVisual(Visual* visual) { visuals_.emplace(visual->getID(), visual); }

void ObjectManager::addVisual2D(Visual* visual) { visuals2D_.emplace(visual->getID(), visual); }

Visual* ObjectManager::getVisual(long visualId) { return find(visuals_, visualId); }

Visual* ObjectManager::getVisual2D(long visualId) { return find(visuals2D_, visualId); }

Visual* ObjectManager::removeVisual(long visualId) { return take(visuals_, visualId); }

Visual* ObjectManager::removeVisual2D(long visualId) { return take(visuals2D_, visualId); }

const std::map<long, Visual*>& ObjectManager::getVisuals() { return visuals_; }

const std::map<long, Visual*>& ObjectManager::getVisuals2D() { return visuals2D_; }

}  // namespace ovra
