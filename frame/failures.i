/* ==========================================================================
 * The overload failure: raised when no form of an overloaded function takes
 * the call's arguments. Its text lists the function's prototypes as the
 * application documents them, from the table below; its class is both a
 * NotImplementedError and a TypeError, so either except clause catches it.
 * ========================================================================== */

%header %{
#include <cstring>
#include <string>

/* One row per overloaded function: its prototype lines, in documented order. */
struct Setup_Prototypes {
  const char *function;
  const char *lines[9];
};

static const Setup_Prototypes Setup_prototypeTable[] = {
  /* Vector and result records */
  {"new_Vector", {"Clt::Vector()", "Clt::Vector(double,double,double)", "Clt::Vector(Clt::Vector const &)"}},
  /* Variant */
  {"new_Variant",
   {"script::Variant()", "script::Variant(bool)", "script::Variant(int)", "script::Variant(double)",
    "script::Variant(char const *)", "script::Variant(QStringList const &)",
    "script::Variant(script::Variant const &)", "script::Variant(QVariant const &)"}},
  {"Variant_toInt", {"toInt(script::Variant const *,bool *)", "toInt(script::Variant const *)"}},
  {"Variant_toDouble", {"toDouble(script::Variant const *,bool *)", "toDouble(script::Variant const *)"}},
  /* Object */
  {"Object_property", {"property(script::Object const *,char const *,bool *)", "property(script::Object const *,char const *)"}},
  {"Object_setProperty",
   {"setProperty(script::Object *,char const *,int)", "setProperty(script::Object *,char const *,double)",
    "setProperty(script::Object *,char const *,char const *)"}},
  /* DesignStudy and Design */
  {"DesignStudy_createFrom",
   {"createFrom(script::DesignStudy *,QString const &,bool)", "createFrom(script::DesignStudy *,QString const &)"}},
  {"DesignStudy_add",
   {"add(script::DesignStudy *,QString const &,QString const &,bool)",
    "add(script::DesignStudy *,QString const &,QString const &)"}},
  {"DesignStudy_saveShareFile",
   {"saveShareFile(script::DesignStudy *,QString const &,char const *)",
    "saveShareFile(script::DesignStudy *,QString const &)"}},
  {"DesignStudy_createSetupFileOfActiveScenario",
   {"createSetupFileOfActiveScenario(script::DesignStudy const *,QString const &)",
    "createSetupFileOfActiveScenario(script::DesignStudy const *)"}},
  {"DesignStudy_createExternalVolumeForActiveScenario",
   {"createExternalVolumeForActiveScenario(script::DesignStudy *,double,double,double,double,double,double)",
    "createExternalVolumeForActiveScenario(script::DesignStudy *,double,double,double,double,double)",
    "createExternalVolumeForActiveScenario(script::DesignStudy *,double,double,double,double)",
    "createExternalVolumeForActiveScenario(script::DesignStudy *,double,double,double)",
    "createExternalVolumeForActiveScenario(script::DesignStudy *,double,double)",
    "createExternalVolumeForActiveScenario(script::DesignStudy *,double)",
    "createExternalVolumeForActiveScenario(script::DesignStudy *)"}},
  {"Design_scenario", {"scenario(script::Design *,QString const &,bool)", "scenario(script::Design *,QString const &)"}},
  /* Part and Group */
  {"Part_volume", {"volume(script::Part *,bool *)", "volume(script::Part *)"}},
  {"Part_minTemp", {"minTemp(script::Part *,bool *)", "minTemp(script::Part *)"}},
  {"Part_avgTemp", {"avgTemp(script::Part *,bool *)", "avgTemp(script::Part *)"}},
  {"Part_maxTemp", {"maxTemp(script::Part *,bool *)", "maxTemp(script::Part *)"}},
  {"Group_add", {"add(script::Group *,int)", "add(script::Group *,char const *)"}},
  /* Variation and Property */
  {"Variation_value",
   {"value(script::Variation const *)", "value(script::Variation const *,QString const &,bool *)",
    "value(script::Variation const *,QString const &)"}},
  {"Variation_units",
   {"units(script::Variation const *)", "units(script::Variation const *,QString const &,bool *)",
    "units(script::Variation const *,QString const &)"}},
  {"Variation_setValue",
   {"setValue(script::Variation *,double,char const *)", "setValue(script::Variation *,double)",
    "setValue(script::Variation *,char const *,double,char const *)", "setValue(script::Variation *,char const *,double)",
    "setValue(script::Variation *,char const *,char const *)"}},
  {"Variation_addVelocity",
   {"addVelocity(script::Variation *,double,double,double,double)", "addVelocity(script::Variation *,double,double,double)",
    "addVelocity(script::Variation *,double,double)"}},
  {"Property_variation", {"variation(script::Property *,QString const &)", "variation(script::Property *)"}},
  /* Scenario */
  {"Scenario_partByNameAndId",
   {"partByNameAndId(script::Scenario *,QString const &,int)", "partByNameAndId(script::Scenario *,QString const &)"}},
  {"Scenario_materialOfType",
   {"materialOfType(script::Scenario *,char const *,char const *)", "materialOfType(script::Scenario *,char const *)"}},
  {"Scenario_createGroup",
   {"createGroup(script::Scenario *,std::wstring const &)",
    "createGroup(script::Scenario *,std::wstring const &,QString const &,QString const &)"}},
  {"Scenario_applyMaterial",
   {"applyMaterial(script::Scenario *,char const *,EntityIdList &,script::Entity::Type const &,QString const &)",
    "applyMaterial(script::Scenario *,char const *,EntityIdList &,script::Entity::Type const &)",
    "applyMaterial(script::Scenario *,script::Material *,EntityIdList &,script::Entity::Type const &)",
    "applyMaterial(script::Scenario *,std::wstring const &,std::wstring const &)",
    "applyMaterial(script::Scenario *,std::wstring const &)"}},
  {"Scenario_select", {"select(script::Scenario *,int)", "select(script::Scenario *,char const *)"}},
  {"Scenario_deselect", {"deselect(script::Scenario *,int)", "deselect(script::Scenario *,char const *)"}},
  {"Scenario_applySizeAdjustment",
   {"applySizeAdjustment(script::Scenario *,double,bool,bool)", "applySizeAdjustment(script::Scenario *,double,bool)",
    "applySizeAdjustment(script::Scenario *,double)", "applySizeAdjustment(script::Scenario *)"}},
  {"Scenario_setResultsSaveInterval",
   {"setResultsSaveInterval(script::Scenario *,double,QString const &)",
    "setResultsSaveInterval(script::Scenario *,double)"}},
  {"Scenario_setSummarySaveInterval",
   {"setSummarySaveInterval(script::Scenario *,double,QString const &)",
    "setSummarySaveInterval(script::Scenario *,double)"}},
  {"Scenario_wait", {"wait(script::Scenario *,int,bool)", "wait(script::Scenario *,int)", "wait(script::Scenario *)"}},
  {"Scenario_addFlag",
   {"addFlag(script::Scenario *,QString const &,QString const &,bool)",
    "addFlag(script::Scenario *,QString const &,QString const &)"}},
  {"Scenario_flagValue",
   {"flagValue(script::Scenario *,QString const &,bool *)", "flagValue(script::Scenario *,QString const &)"}},
  /* Motion */
  {"Motion_setForceDirection",
   {"setForceDirection(script::Motion *,double,double,double)", "setForceDirection(script::Motion *,double,double)",
    "setForceDirection(script::Motion *,double)", "setForceDirection(script::Motion *)"}},
  {"Motion_setForceLocation",
   {"setForceLocation(script::Motion *,double,double,double)", "setForceLocation(script::Motion *,double,double)",
    "setForceLocation(script::Motion *,double)", "setForceLocation(script::Motion *)"}},
  {"Motion_setGravity",
   {"setGravity(script::Motion *,double,double,double)", "setGravity(script::Motion *,double,double)",
    "setGravity(script::Motion *,double)", "setGravity(script::Motion *)"}},
  /* Units */
  {"Units_Convert",
   {"Convert(double,script::Units::Measurement,script::Units::UnitSystem,script::Units::UnitSystem)",
    "script::Units::Convert(double,script::Units::Measurement,script::Units::UnitSystem)"}},
  {"Units_GetConversionFactors",
   {"GetConversionFactors(script::Units::Measurement,double &,double &,script::Units::UnitSystem,script::Units::UnitSystem)",
    "script::Units::GetConversionFactors(script::Units::Measurement,double &,double &,script::Units::UnitSystem)"}},
  /* MeshRegion, MeshBoxRegion, MeshCylindricalRegion, MeshSphericalRegion */
  {"new_MeshBoxRegion",
   {"script::MeshBoxRegion(Clt::Vector *,Clt::Vector *,Clt::Vector *)", "script::MeshBoxRegion(Clt::Vector *,Clt::Vector *)",
    "script::MeshBoxRegion(Clt::Vector *)", "script::MeshBoxRegion()"}},
  {"new_MeshCylindricalRegion",
   {"script::MeshCylindricalRegion(Clt::Vector *,double,double,Clt::Vector *)",
    "script::MeshCylindricalRegion(Clt::Vector *,double,double)", "script::MeshCylindricalRegion(Clt::Vector *,double)",
    "script::MeshCylindricalRegion(Clt::Vector *)", "script::MeshCylindricalRegion()"}},
  {"new_MeshSphericalRegion",
   {"script::MeshSphericalRegion(Clt::Vector *,double)", "script::MeshSphericalRegion(Clt::Vector *)",
    "script::MeshSphericalRegion()"}},
  /* Material, MaterialEnv */
  {"new_Material",
   {"script::Material(char const *,script::Scenario *,QString const &)", "script::Material(char const *,script::Scenario *)",
    "script::Material(char const *)"}},
};

/* The class is made once per interpreter and shared by every module of ours
   through the runtime module, so one except clause serves them all. */
static PyObject *Setup_OverloadErrorClass(void) {
  static PyObject *cls = 0;
  PyObject *runtime;
  if (cls)
    return cls;
  runtime = PyImport_AddModule(SETUP_TABLE_MODULE);
  if (!runtime)
    return 0;
  cls = PyObject_GetAttrString(runtime, "OverloadError");
  if (!cls) {
    PyObject *bases;
    PyErr_Clear();
    bases = PyTuple_Pack(2, PyExc_NotImplementedError, PyExc_TypeError);
    cls = bases ? PyErr_NewException((char *)"Setup.OverloadError", bases, 0) : 0;
    Py_XDECREF(bases);
    if (cls && PyModule_AddObject(runtime, "OverloadError", cls) == 0)
      Py_INCREF(cls);
  }
  return cls;
}

/* Called where SWIG would raise its own text, with that text. */
static void Setup_RaiseOverloadFailure(const char *swigMessage) {
  static const char marker[] = "overloaded function '";
  const char *start = std::strstr(swigMessage, marker);
  std::string message = swigMessage;
  /* Functions without a row keep SWIG's prototype lines under the usual head. */
  static const char swigHead[] = "Wrong number or type of arguments";
  if (message.compare(0, sizeof swigHead - 1, swigHead) == 0)
    message.replace(0, sizeof swigHead - 1, "Wrong number of arguments");
  if (start) {
    start += sizeof marker - 1;
    std::string function(start, std::strcspn(start, "'"));
    for (const Setup_Prototypes &row : Setup_prototypeTable) {
      if (function != row.function)
        continue;
      message = "Wrong number of arguments for overloaded function '" + function +
                "'.\n  Possible C/C++ prototypes are:\n";
      for (const char *line : row.lines) {
        if (!line)
          break;
        message.append("    ").append(line).append("\n");
      }
      break;
    }
  }
  /* Whatever a failed trial conversion left behind gives way to this failure. */
  PyErr_Clear();
  PyObject *cls = Setup_OverloadErrorClass();
  PyErr_SetString(cls ? cls : PyExc_NotImplementedError, message.c_str());
}

#define SWIG_Python_RaiseOrModifyTypeError(message) Setup_RaiseOverloadFailure(message)
%}

%init %{
  {
    PyObject *overloadError = Setup_OverloadErrorClass();
    if (overloadError) {
      Py_INCREF(overloadError);
      PyModule_AddObject(m, "OverloadError", overloadError);
    }
  }
%}

/* ==========================================================================
 * After every host operation: a refusal that a host-control module asks to
 * raise (the stand-in's strict mode) leaves the call as that module's
 * exception, once the host has returned; the wrapper's temporaries are freed
 * on the way out as on any failure. The application never asks, so all it
 * costs is the test of one pointer.
 * ========================================================================== */

%define %setup_after_host_call
  if (Setup_shared->afterHostCall && Setup_shared->afterHostCall())
    SWIG_fail;
%enddef

%define %setup_host_call
{
  $action
  %setup_after_host_call
}
%enddef

%exception %setup_host_call
