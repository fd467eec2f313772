#include "Ovra3D/Visual.hpp"

#include "Ovra3D/ObjectManager.hpp"
#include "Ovra3D/widgets/Mesh.hpp"

#include <iostream>

namespace ovra {

namespace {
int64_t mid = 0;
}

Visual::Visual(Node& containerEntity) : Component(containerEntity), id_(mid++) {}

Visual::~Visual() {
    // Whoever destroys a visual should take it out of its table first; one still listed
    // would be drawn from freed memory on the next frame.
    if (ObjectManager::getVisual(id_) == this) {
        ObjectManager::removeVisual(id_);
    }
    if (ObjectManager::getVisual2D(id_) == this) {
        ObjectManager::removeVisual2D(id_);
    }
    if (isMeshObjectOwner_ && mesh_ != nullptr) {
        delete mesh_;
    }
}

void Visual::setMesh(Mesh* m, bool isMeshObjectOwner) {
    mesh_ = m;
    isMeshObjectOwner_ = isMeshObjectOwner;
}

Mesh& Visual::getMesh() const {
    if (mesh_ == nullptr) {
        std::cout << "ERROR: Ovra: Visual: no mesh set" << std::endl;
        // Never destroyed: what a caller adds to it stays harmless and nothing draws it.
        static Mesh* const standIn = new Mesh();
        return *standIn;
    }
    return *mesh_;
}

}  // namespace ovra
