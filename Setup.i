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
%include "frame/objects.i"
%include "frame/variant.i"

/* 4. The class tree's names, which the records refer to. */
namespace script { class Scenario; }

/* 5. Value records. */
%include "records/vector.i"
%include "records/results.i"
%include "records/variant.i"

/* 6. The class tree and its enumerations. */
%include "api/classes.i"

/* 7. The list types and their iterator. */
%include "lists/adapter.i"
%include "lists/lists.i"

%pythoncode %{
OverloadError = _Setup.OverloadError

# The flat module's constants, under their flat names too (Variant_Int beside Variant.Int).
globals().update((name, value) for name, value in vars(_Setup).items() if type(value) is int)
%}
