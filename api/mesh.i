/* ==========================================================================
 * A scenario's mesh, its four groups of settings, and mesh regions. The mesh
 * and its setting objects belong to the scenario: their proxies never own
 * them, and their delete_ functions given such a proxy only clear it. A
 * region that a script makes belongs to its proxy and is deleted through the
 * virtual destructor of its own kind, whichever delete_ function is given
 * it. Included by classes.i where the class tree names these classes.
 * ========================================================================== */

%{
#include <script/Object.h>
%}

namespace script {

/* --- Mesh settings: the scenario's own, never owned by a script ------------ */
/// The enhancement settings of a scenario's mesh, read and set as its properties; never owned by a script.
class MeshEnhancement : public Object {
public:
    /// Clears the proxy; the settings belong to the mesh, which keeps them.
    virtual ~MeshEnhancement();
};
/// The advanced controls of a scenario's mesh, read and set as its properties; never owned by a script.
class MeshAdvancedControls : public Object {
public:
    /// Clears the proxy; the settings belong to the mesh, which keeps them.
    virtual ~MeshAdvancedControls();
};
/// The adaptation settings of a scenario's mesh, read and set as its properties; never owned by a script.
class MeshAdaptation : public Object {
public:
    /// Clears the proxy; the settings belong to the mesh, which keeps them.
    virtual ~MeshAdaptation();
};
/// The diagnostics of a scenario's mesh, read and set as its properties; never owned by a script.
class MeshDiagnostics : public Object {
public:
    /// Sets the minimum length scale back to the application's default.
    void restoreMinimumLengthScale();
    /// Clears the proxy; the diagnostics belong to the mesh, which keeps them.
    virtual ~MeshDiagnostics();
};
/// A scenario's mesh: its four groups of settings and its refinement; never owned by a script.
class Mesh : public Object {
public:
    /// The enhancement settings (the application spells it so); None if the mesh has none.
    script::MeshEnhancement *meshEnahancement() const;
    /// The advanced controls; None if the mesh has none.
    script::MeshAdvancedControls *advancedControls() const;
    /// The adaptation settings; None if the mesh has none.
    script::MeshAdaptation *adaptation() const;
    /// The diagnostics; None if the mesh has none.
    script::MeshDiagnostics *diagnostics() const;
    /// Refines the mesh by one more pass.
    void refine();
    /// Clears the proxy; the mesh belongs to its scenario, which keeps it.
    virtual ~Mesh();
};

/* --- Mesh regions ------------------------------------------------------------ */
/// A region of a mesh with a local mesh size and a uniform flag; one made here is owned by its proxy.
class MeshRegion : public Object {
public:
    /// A region without a shape, owned by the script.
    MeshRegion();
    /// Whether the region is meshed uniformly.
    bool uniform() const;
    /// Sets whether the region is meshed uniformly.
    void setUniform(bool uniform);
    /// The region's local mesh size, in the study's length unit (0.0 for none).
    double localMeshSize() const;
    /// Sets the region's local mesh size (refused for a negative or non-finite size; 0.0 for none).
    void setLocalMeshSize(double size);
    /// Spreads the region's settings to the mesh it lies in.
    void spreadChanges();
    /// Deletes a region that the proxy owns, of whichever kind; a proxy that does not own its region is only cleared.
    virtual ~MeshRegion();
};
/// A box-shaped mesh region; one made here is owned by its proxy.
class MeshBoxRegion : public MeshRegion {
public:
    /// A box region from a corner, the opposite corner and a rotation, each a Vector copied by the region, or None for the origin.
    MeshBoxRegion(Clt::Vector *first = 0, Clt::Vector *second = 0, Clt::Vector *third = 0);
    /// Deletes the region when the proxy owns it; else only clears the proxy.
    virtual ~MeshBoxRegion();
};
/// A cylindrical mesh region; one made here is owned by its proxy.
class MeshCylindricalRegion : public MeshRegion {
public:
    /// A cylinder region from the centre of its base (a Vector or None for the origin), its radius, its height and its axis (a Vector or None), the vectors copied by the region.
    MeshCylindricalRegion(Clt::Vector *base = 0, double radius = 0.0, double height = 0.0, Clt::Vector *axis = 0);
    /// Deletes the region when the proxy owns it; else only clears the proxy.
    virtual ~MeshCylindricalRegion();
};
/// A spherical mesh region; one made here is owned by its proxy.
class MeshSphericalRegion : public MeshRegion {
public:
    /// A sphere region from its centre (a Vector copied by the region, or None for the origin) and its radius.
    MeshSphericalRegion(Clt::Vector *center = 0, double radius = 0.0);
    /// Deletes the region when the proxy owns it; else only clears the proxy.
    virtual ~MeshSphericalRegion();
};

}  // namespace script
