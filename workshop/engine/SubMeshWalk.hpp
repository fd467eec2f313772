#ifndef OVRA_WORKSHOP_SUBMESHWALK_HPP
#define OVRA_WORKSHOP_SUBMESHWALK_HPP

// A walk over the sub-meshes of the 3D visuals in a scene tree, parents before children.

#include "Ovra3D/widgets/Mesh.hpp"

#include <cstddef>
#include <functional>

namespace ovra {
class Node;
}

namespace workshop {

// Calls `visit` with each node, the index of the sub-mesh in its mesh, and the sub-mesh, for
// every node under and including `root` whose 3D visual has a mesh.
using SubMeshVisit = std::function<void(const ovra::Node& node, size_t index, ovra::Mesh::Sub& sub)>;
void forEachSubMesh(const ovra::Node& root, const SubMeshVisit& visit);

}  // namespace workshop

#endif
