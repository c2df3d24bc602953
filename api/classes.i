/* ==========================================================================
 * The class tree of the application's scripting objects. Object is the root;
 * Container and MeshRegion are its inner nodes. A class is accepted wherever
 * a class above it is expected. The operations of each class are declared by
 * its own area; what stands here are the classes that no area has declared
 * yet, and the enumerations. Object, Container, the study's classes, parts,
 * groups, entities, properties, variations and the scenario are in object.i,
 * study.i, parts.i, properties.i and scenario.i.
 * ========================================================================== */

%{
#include <script/Object.h>
#include <script/Units.h>
%}

/* --- Parts, groups and entities, with the entity kinds -------------------- */
%include "api/parts.i"

/* --- Properties of setting objects and their variations --------------------- */
%include "api/properties.i"

namespace script {

/* --- Materials; their properties and variations are in properties.i --------- */
/// A material that a scenario's parts are made of.
class Material : public Object {};
/// The ambient state that materials and a scenario are set in; a value, which its proxy owns.
class MaterialEnv : public Object {
public:
    virtual ~MaterialEnv();
};

/* --- Boundary and initial conditions: value classes ----------------------- */
/// A boundary condition of a scenario; a value, which lists of conditions copy.
class BoundaryCondition : public Object {
public:
    ~BoundaryCondition();
};
/// An initial condition of a scenario; a value, which lists of conditions copy.
class InitialCondition : public Object {
public:
    ~InitialCondition();
};

/* --- Mesh settings: the scenario's own, never owned by a script ---------- */
/// A scenario's mesh settings and its refinement.
class Mesh : public Object {
public:
    virtual ~Mesh();
};
/// The enhancement settings of a scenario's mesh.
class MeshEnhancement : public Object {
public:
    virtual ~MeshEnhancement();
};
/// The advanced controls of a scenario's mesh.
class MeshAdvancedControls : public Object {
public:
    virtual ~MeshAdvancedControls();
};
/// The adaptation settings of a scenario's mesh.
class MeshAdaptation : public Object {
public:
    virtual ~MeshAdaptation();
};
/// The diagnostics of a scenario's mesh.
class MeshDiagnostics : public Object {
public:
    virtual ~MeshDiagnostics();
};

/* --- Mesh refinement regions ---------------------------------------------- */
/// A region of a scenario's mesh that is refined.
class MeshRegion : public Object {};
/// A box-shaped mesh refinement region.
class MeshBoxRegion : public MeshRegion {};
/// A cylindrical mesh refinement region.
class MeshCylindricalRegion : public MeshRegion {};
/// A spherical mesh refinement region.
class MeshSphericalRegion : public MeshRegion {};

}  // namespace script

/* --- Units: quantity and unit-system codes are module constants ----------- */
/// The codes of physical quantities and of systems of units.
%include <script/Units.h>
