#ifndef OVRA_FUZZ_IMPORTCHECKS_HPP
#define OVRA_FUZZ_IMPORTCHECKS_HPP

// What must hold for any tree an import returns, whatever the file: every uploaded sub-mesh
// is whole triangles whose indices name its own vertices, and every material it points at is
// registered. A draw of anything else would read past the GPU buffers.

namespace ovra {
class Node;
}

// Aborts with a message naming the node and the sub-mesh when the tree breaks a rule.
void checkImportedTree(const ovra::Node& root);

#endif
