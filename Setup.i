/* The Python binding of the application's scripting interface: the flat
   module _Setup and its proxy-class companion Setup. */

%module Setup

/* Host classes get no constructor or destructor functions unless their area
   declares them. */
%nodefaultctor;
%nodefaultdtor;

/* 1. Start-up, the shared type table, and how calls reach the functions. */
%include "frame/runtime.i"
%include "frame/calls.i"
/* 2. Failures that are not SWIG's own. */
%include "frame/failures.i"
/* 3. Conversion rules, applied by type everywhere below. */
%include "frame/numbers.i"
%include "frame/strings.i"
%include "frame/views.i"
%include "frame/objects.i"
%include "frame/variant.i"

/* 4. The class tree's names, which the records and lists refer to. */
%{
#include <script/Object.h>

namespace script {
/* The application's analysis class is exposed to scripts as a scenario. */
typedef Analysis Scenario;
}
%}
namespace script {
class Scenario;
class Design;
class Part;
class Material;
class Property;
class Variation;
class BoundaryCondition;
class InitialCondition;
class Entity;
}

/* Records that the host returns by value are made from its answer alone, so
   that a call refused before the host answers makes none. */
%feature("valuewrapper") Clt::Vector;
%feature("valuewrapper") script::CTMResults;
%feature("valuewrapper") script::TECResults;
%feature("valuewrapper") script::ThermalComfortParams;
%feature("valuewrapper") script::SmokeParams;
%feature("valuewrapper") script::Variant;
%feature("valuewrapper") script::PropertyDefinition;
%feature("valuewrapper") script::BoundingBox;
%feature("valuewrapper") script::MaterialEnv;

/* 5. Value records. */
%include "records/vector.i"
%include "records/results.i"
%include "records/variant.i"

/* 6. The list types and their iterator, which the classes' operations take. */
%include "lists/adapter.i"
%include "lists/lists.i"

/* 7. The class tree: named objects and containers, the study, the classes
      that later areas fill in with the enumerations, then the scenario,
      whose operations take those classes. */
%include "api/object.i"
%include "api/study.i"
%include "api/classes.i"
%include "api/scenario.i"

/* 8. What Python users expect of every proxy: reprs, copies and pickles. */
%include "frame/proxies.i"

%pythoncode %{
OverloadError = _Setup.OverloadError

# The flat module's constants, under their flat names too (Variant_Int beside Variant.Int).
globals().update((name, value) for name, value in vars(_Setup).items() if type(value) is int)
%}
