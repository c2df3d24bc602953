// A scenario's mesh settings and mesh regions in the stand-in (docs/standin-mesh.md).
#include <script/Object.h>

namespace script {

Mesh::~Mesh() = default;
MeshEnhancement::~MeshEnhancement() = default;
MeshAdvancedControls::~MeshAdvancedControls() = default;
MeshAdaptation::~MeshAdaptation() = default;
MeshDiagnostics::~MeshDiagnostics() = default;
MeshRegion::~MeshRegion() = default;
MeshBoxRegion::~MeshBoxRegion() = default;
MeshCylindricalRegion::~MeshCylindricalRegion() = default;
MeshSphericalRegion::~MeshSphericalRegion() = default;

}  // namespace script
