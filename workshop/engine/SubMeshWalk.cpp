#include "SubMeshWalk.hpp"

#include "Ovra3D/Node.hpp"
#include "Ovra3D/Visual.hpp"

#include <vector>

namespace workshop {

void forEachSubMesh(const ovra::Node& root, const SubMeshVisit& visit) {
    const auto* visual = static_cast<const ovra::Visual*>(root.getComponent(ovra::Component::VISUAL));
    if (visual != nullptr && visual->hasMesh()) {
        const std::vector<ovra::Mesh::Sub*>& subs = visual->getMesh().getSubMeshes();
        for (size_t i = 0; i < subs.size(); ++i) {
            visit(root, i, *subs[i]);
        }
    }
    for (const ovra::Node* child : root.getChildren()) {
        forEachSubMesh(*child, visit);
    }
}

}  // namespace workshop
