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
class Scenario : public Container {
public:
    void setName(const QString &name);
};
class Part : public Container {};
class Group : public Container {};

/* --- Entity: a value class; its kinds are module constants --------------- */
class Entity : public Object {
public:
    enum Type { Point = 0, Edge = 1, Surface = 2, Volume = 3, Unknown = 4 };
    ~Entity();
};

/* --- Materials, their properties and variations ---------------------------- */
class Material : public Object {};
class Property : public Object {};
class Variation : public Object {};

/* --- Boundary and initial conditions: value classes ----------------------- */
class BoundaryCondition : public Object {
public:
    ~BoundaryCondition();
};
class InitialCondition : public Object {
public:
    ~InitialCondition();
};

/* --- Mesh refinement regions ---------------------------------------------- */
class MeshRegion : public Object {};
class MeshBoxRegion : public MeshRegion {};
class MeshCylindricalRegion : public MeshRegion {};
class MeshSphericalRegion : public MeshRegion {};

}  // namespace script

/* --- Units: quantity and unit-system codes are module constants ----------- */
%include <script/Units.h>
