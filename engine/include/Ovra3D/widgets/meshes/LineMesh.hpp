/// \file
/// The unit segment mesh.
#ifndef OVRA_LINEMESH_HPP
#define OVRA_LINEMESH_HPP

#include "Ovra3D/widgets/Mesh.hpp"

namespace ovra {

/// A unit segment on the local Z axis, centred on the origin, uploaded and ready to draw as GL_LINES.
class LineMesh : public Mesh {
public:
    /// One sub-mesh, uploaded; needs the GL context.
    LineMesh();
    ~LineMesh() override = default;
};

}  // namespace ovra

#endif
