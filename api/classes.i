/* ==========================================================================
 * The class tree of the application's scripting objects. Object is the root;
 * Container and MeshRegion are its inner nodes. A class is accepted wherever
 * a class above it is expected. The operations of each class are declared by
 * its own area, included here in the order that the classes' constants and
 * registrations keep: parts.i, properties.i, materials.i, conditions.i,
 * mesh.i, motion.i, solar.i and units.i. Object, Container, the study's
 * classes and the scenario are in object.i, study.i and scenario.i.
 * ========================================================================== */

%{
#include <script/Object.h>
#include <script/Units.h>
%}

/* What an object frees with itself, handed out by it: a condition's fan
   curve, a material's or motion's property, a motion's component. Each is a
   view that holds the object it came from (frame/views.i). */
%setup_part_of_receiver(script::FanCurve *, fanCurve)
%setup_part_of_receiver(script::Property *, property)
%setup_part_of_receiver(script::Motion *, motionComponent)

/* --- Parts, groups and entities, with the entity kinds -------------------- */
%include "api/parts.i"

/* --- Properties of setting objects and their variations --------------------- */
%include "api/properties.i"

/* --- Materials and the material environment ------------------------------------ */
%include "api/materials.i"

/* --- Boundary and initial conditions, with their fan and time curves -------- */
%include "api/conditions.i"

/* --- Mesh settings and mesh regions ------------------------------------------- */
%include "api/mesh.i"

/* --- Motion: its settings, components and properties ------------------------- */
%include "api/motion.i"

/* --- Solar heating ------------------------------------------------------------ */
%include "api/solar.i"

/* --- Units: quantity and unit-system codes are module constants, last ------- */
%include "api/units.i"
