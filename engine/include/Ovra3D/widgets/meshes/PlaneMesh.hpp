/// \file
/// The unit square mesh.
#ifndef OVRA_PLANEMESH_HPP
#define OVRA_PLANEMESH_HPP

#include "Ovra3D/widgets/Mesh.hpp"

namespace ovra {

/// A unit square in the local XY plane, centred on the origin, with normals along +Z,
/// uploaded and ready to draw.
/// The texture window (x, y, w, h) covers it with row y on the top edge, so images stand upright.
class PlaneMesh : public Mesh {
public:
    /// One sub-mesh, uploaded; needs the GL context. An extent above 1 repeats the image
    /// when its texture wraps.
    PlaneMesh(float textureX, float textureY, float textureW, float textureH);
    ~PlaneMesh() override = default;
};

}  // namespace ovra

#endif
