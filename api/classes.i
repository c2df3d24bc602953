/* ==========================================================================
 * The class tree of the application's scripting objects. Object is the root;
 * Container and MeshRegion are its inner nodes. A class is accepted wherever
 * a class above it is expected. The operations of each class are declared by
 * its own area; what stands here are the classes that no area has declared
 * yet, and the enumerations. Object, Container and the study's classes are
 * in object.i and study.i.
 * ========================================================================== */

%{
#include <script/Object.h>
#include <script/Units.h>
%}

namespace script {

/* --- Study model: scenarios and what they hold --------------------------- */
/// A scenario of a design: an analysis of its geometry, with its conditions, materials and mesh.
class Scenario : public Container {
public:
    /// Renames the scenario (refused for an empty name or one that another scenario of the design has).
    void setName(const QString &name);
};
/// A part of a scenario's geometry.
class Part : public Container {};
/// A group of parts.
class Group : public Container {};

/* --- Entity: a value class; its kinds are module constants --------------- */
/// A point, edge, surface or volume of a part's geometry; a value, which lists of entities copy.
class Entity : public Object {
public:
    enum Type { Point = 0, Edge = 1, Surface = 2, Volume = 3, Unknown = 4 };
    ~Entity();
};

/* --- Materials, their properties and variations ---------------------------- */
/// A material that a scenario's parts are made of.
class Material : public Object {};
/// A property of a material.
class Property : public Object {};
/// A variation of a material property.
class Variation : public Object {};

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
