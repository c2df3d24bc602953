/* ==========================================================================
 * Start-up: the shared type table, and what every call's pointer conversion
 * relies on.
 * ========================================================================== */

%begin %{
/* The application's binding modules share one type table under this name. */
#define SWIG_TYPE_TABLE iQZt
%}

%header %{
/* The application's modules meet at "swig_runtime_data4", attribute
   "type_pointeriQZt". SWIG's own name for the same table (a module named after
   its runtime version) is published too, so that modules built by a stock SWIG
   join the same table. */
#define SETUP_TABLE_MODULE "swig_runtime_data4"
#define SETUP_TABLE_ATTR "type_pointer" SWIG_TYPE_TABLE_NAME

static swig_module_info *Setup_GetSharedTable(void) {
  void *table = PyCapsule_Import(SETUP_TABLE_MODULE "." SETUP_TABLE_ATTR, 0);
  if (!table) {
    PyErr_Clear();
    table = SWIG_Python_GetModule(0);
  }
  return (swig_module_info *)table;
}

/* Publishes the table under each name where no table stands yet. Only SWIG's
   own capsule frees the registrations at shutdown, so they are freed once. */
static void Setup_PublishSharedTable(swig_module_info *table) {
  PyObject *module;
  PyObject *capsule;
  if (!SWIG_Python_GetModule(0))
    SWIG_Python_SetModule(table);
  module = PyImport_AddModule(SETUP_TABLE_MODULE);
  if (!module) {
    PyErr_Clear();
    return;
  }
  if (PyObject_HasAttrString(module, SETUP_TABLE_ATTR))
    return;
  capsule = PyCapsule_New(table, SETUP_TABLE_MODULE "." SETUP_TABLE_ATTR, NULL);
  if (!capsule || PyModule_AddObject(module, SETUP_TABLE_ATTR, capsule) < 0) {
    Py_XDECREF(capsule);
    PyErr_Clear();
  }
}

#undef SWIG_GetModule
#define SWIG_GetModule(clientdata) Setup_GetSharedTable()
#undef SWIG_SetModule
#define SWIG_SetModule(clientdata, pointer) Setup_PublishSharedTable(pointer)

/* What the modules of one interpreter share beside the type table: made by
   the first module that starts, found by the others in the runtime module. */
struct Setup_Shared {
  /* The views into lists (frame/views.i), which either module may meet. */
  PyTypeObject *viewType;
  PyTypeObject *listStateType;
  /* Set by a host-control module, never by the application: called after
     each host operation returns, it raises a refusal that the host reported
     as a Python exception and answers 1, else answers 0. */
  int (*afterHostCall)(void);
};
static Setup_Shared *Setup_shared;

#define SETUP_SHARED_ATTR "Setup_shared"

static int Setup_JoinShared(void) {
  static Setup_Shared own = {0, 0, 0};
  PyObject *runtime = PyImport_AddModule(SETUP_TABLE_MODULE);
  PyObject *capsule;
  if (!runtime)
    return 0;
  capsule = PyObject_GetAttrString(runtime, SETUP_SHARED_ATTR);
  if (capsule) {
    Setup_shared = (Setup_Shared *)PyCapsule_GetPointer(capsule, SETUP_TABLE_MODULE "." SETUP_SHARED_ATTR);
    Py_DECREF(capsule);
    return Setup_shared != 0;
  }
  PyErr_Clear();
  capsule = PyCapsule_New(&own, SETUP_TABLE_MODULE "." SETUP_SHARED_ATTR, NULL);
  if (!capsule || PyModule_AddObject(runtime, SETUP_SHARED_ATTR, capsule) < 0) {
    Py_XDECREF(capsule);
    return 0;
  }
  Setup_shared = &own;
  return 1;
}

/* A None or null reference is a ValueError. */
#undef SWIG_NullReferenceError
#define SWIG_NullReferenceError SWIG_ValueError
%}

%init %{
  /* A table found under only one of its names gets the other too. */
  Setup_PublishSharedTable(&swig_module);
  if (!Setup_JoinShared())
    return -1;
%}

%fragment("Setup_Deliver", "header") %{
#include <type_traits>

/* Hands a converted argument, held on the wrapper's stack, to a parameter
   taken by value or by const reference. */
template <class Parameter, class Value> inline Parameter Setup_Deliver(Value &value) {
  if constexpr (std::is_pointer<Parameter>::value)
    return &value;
  else
    return value;
}
%}
