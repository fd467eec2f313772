#include "Ovra3D/Visual.hpp"

#include "Ovra3D/widgets/Mesh.hpp"

namespace ovra {

namespace {
int64_t mid = 0;
}

Visual::Visual(Node& containerEntity) : Component(containerEntity), id_(mid++) {}

Visual::~Visual() {
    if (isMeshObjectOwner_ && mesh_ != nullptr) {
        delete mesh_;
    }
}

void Visual::setMesh(Mesh* m, bool isMeshObjectOwner) {
    mesh_ = m;
    isMeshObjectOwner_ = isMeshObjectOwner;
}

}  // namespace ovra
