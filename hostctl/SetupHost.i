/* The host-control module: what a test or a script author needs from the
   stand-in host beyond the application's own interface. It reads and clears
   the journal, gives a fresh host, makes host objects as the application
   would, and makes the pointer objects that the application's other modules
   would hand to scripts. */

%module SetupHost

/* The class tree and proxy classes are the binding's: importing it first puts
   them into the shared type table, and this module registers no classes. */
%pythonbegin %{
import Setup
%}

%include "frame/runtime.i"
%include "frame/calls.i"
%include "frame/failures.i"
%include "frame/numbers.i"
%include "frame/strings.i"
%include "frame/views.i"
%include "frame/objects.i"
%include "frame/variant.i"

%{
#include <model.h>
#include <control.h>
#include <properties.h>
#include <journal.h>

#include <Clt/Vector.h>
#include <script/Object.h>
#include <script/Variant.h>
#include <script/Lists.h>

#include <QtCore/QStringList>
#include <QtCore/QVariant>

#include <deque>
#include <string>
#include <vector>

namespace script {
typedef Analysis Scenario;
}

/* The values behind the pointer objects made here live as long as the
   process: a pointer object may outlive every reference this module knows
   of, inside a host object or another module's proxy. */
template <class Value> static Value *Setup_Keep(Value value) {
  static std::deque<Value> store;
  store.push_back(std::move(value));
  return &store.back();
}
%}

class QStringList;
class QVariant;
namespace Clt { namespace Units { enum MLENGTHUNITS : int; } }
namespace script {
class Object;
class Design;
class Scenario;
class Part;
class Group;
class MeshRegion;
class MeshBoxRegion;
class Variant;
class Material;
class Property;
class Variation;
class BoundaryCondition;
class InitialCondition;
class Entity;
class PropertyDefinition;
class Motion;
}

/* The application's names for its lists; the list classes are the binding's. */
namespace std {
template <class T> class vector;
}
%include "lists/names.i"

%typemap(out) PyObject *journal, PyObject *journal_changes, PyObject *refusals "$result = $1;";
/* Values made here belong to the script, as the binding's own copies do. */
%newobject new_entity;
%newobject new_boundary_condition;
%newobject new_initial_condition;
%newobject new_property_definition;
/* Only the kinds that Variant names: any other number is no value of its type. */
%typemap(check) int property_kind {
  switch ($1) {
  case script::Variant::Invalid: case script::Variant::Bool: case script::Variant::Int:
  case script::Variant::Double: case script::Variant::String: case script::Variant::StringList:
    break;
  default:
    PyErr_Format(PyExc_ValueError, "a property kind is one of Variant's types (0, 1, 2, 6, 10, 11), not %d", $1);
    SWIG_fail;
  }
}
/* These hand out the pointer itself, not the text it points at. */
%typemap(out) char *new_charp, wchar_t *new_wcharp "$result = SWIG_NewPointerObj($1, $1_descriptor, 0);";

%{
/* The journal's entries, oldest first; with changesOnly, only those of
   operations that change the application (standin::Effect). */
static PyObject *Setup_Journal(bool changesOnly) {
  const size_t size = standin::journalSize();
  size_t count = size;
  if (changesOnly) {
    count = 0;
    for (size_t i = 0; i < size; ++i)
      count += standin::journalEntryChanges(i);
  }
  PyObject *list = PyList_New((Py_ssize_t)count);
  for (size_t i = 0, at = 0; list && i < size; ++i) {
    if (changesOnly && !standin::journalEntryChanges(i))
      continue;
    std::string_view text = standin::journalEntry(i);
    PyObject *entry = PyUnicode_FromStringAndSize(text.data(), (Py_ssize_t)text.size());
    if (!entry) {
      Py_DECREF(list);
      return 0;
    }
    PyList_SET_ITEM(list, (Py_ssize_t)at++, entry);
  }
  return list;
}

/* One class for every copy of the proxy module (python -m SetupHost runs a
   second one as __main__), kept in the runtime module as OverloadError is. */
static PyObject *Setup_RefusedClass(void) {
  static PyObject *cls = 0;
  PyObject *runtime;
  if (cls)
    return cls;
  runtime = PyImport_AddModule(SETUP_TABLE_MODULE);
  if (!runtime)
    return 0;
  cls = PyObject_GetAttrString(runtime, "SetupHostRefused");
  if (!cls) {
    PyErr_Clear();
    cls = PyErr_NewExceptionWithDoc((char *)"SetupHost.Refused",
                                    (char *)"An operation that the stand-in host refused, raised in strict mode; "
                                            "its message is the host's reason.",
                                    PyExc_RuntimeError, 0);
    if (cls && PyModule_AddObject(runtime, "SetupHostRefused", cls) == 0)
      Py_INCREF(cls);
  }
  return cls;
}

/* The frame's hook after every host operation of either module. Strict mode
   alone leaves a refusal pending, so that a call without one costs a single
   test. The message is the host's reason; texts it cannot carry are replaced. */
static int Setup_RaiseRefusal(void) {
  std::string why;
  if (!standin::refusalPending())
    return 0;
  if (!standin::takeRefusal(&why))
    return 0;
  if (!PyErr_Occurred()) {
    PyObject *cls = Setup_RefusedClass();
    PyObject *message = PyUnicode_DecodeUTF8(why.data(), (Py_ssize_t)why.size(), "replace");
    if (cls && message)
      PyErr_SetObject(cls, message);
    Py_XDECREF(message);
  }
  return 1;
}
%}

%init %{
  {
    PyObject *refused = Setup_RefusedClass();
    if (!refused)
      return -1;
    Py_INCREF(refused);
    if (PyModule_AddObject(m, "Refused", refused) < 0) {
      Py_DECREF(refused);
      return -1;
    }
    Setup_shared->afterHostCall = Setup_RaiseRefusal;
  }
%}

%inline %{
/* --- The journal --------------------------------------------------------- */

/* Every entry so far, oldest first. */
PyObject *journal() { return Setup_Journal(false); }
/* Only the entries of operations that may change the application: no getter,
   lookup or listing, and no value that the script owns. */
PyObject *journal_changes() { return Setup_Journal(true); }
/* Empties the journal and the refusals. */
void clear_journal() { standin::clearJournal(); }

/* The journal entries of the refused operations that the script asked for,
   since the journal was last cleared; like the journal, kept only while it
   is switched on (strict mode raises refusals either way). */
PyObject *refusals() {
  const std::vector<std::string> &refused = standin::refusals();
  PyObject *list = PyList_New((Py_ssize_t)refused.size());
  for (size_t i = 0; list && i < refused.size(); ++i) {
    PyObject *entry = PyUnicode_FromStringAndSize(refused[i].data(), (Py_ssize_t)refused[i].size());
    if (!entry) {
      Py_DECREF(list);
      return 0;
    }
    PyList_SET_ITEM(list, (Py_ssize_t)i, entry);
  }
  return list;
}

/* Strict mode: every refused operation that a script asks for raises Refused,
   with the host's reason, once the host has returned. The application itself
   never raises, so it is off until switched on, and reset() switches it off. */
void set_strict(bool on) { standin::setStrict(on); }
bool strict() { return standin::strict(); }
/* The number of entries, and one entry by its index from the oldest (an index
   past the end gives ""). */
unsigned int journal_size() { return (unsigned int)standin::journalSize(); }
std::string journal_entry(size_t index) {
  return index < standin::journalSize() ? std::string(standin::journalEntry(index)) : std::string();
}
/* Switching the journal off makes host operations cheaper; reset() switches it on. */
void set_journal_enabled(bool on) { standin::setJournalEnabled(on); }
bool journal_enabled() { return standin::journalEnabled(); }

/* A fresh host: an empty model, an empty journal, the journal switched on. */
void reset() { standin::reset(); }

/* Host objects alive that were made by a constructor, by host class ("Vector",
   "Variant", "PropertyDefinition"): proves that nothing leaked and nothing was
   destroyed twice. */
long live_objects(const char *host_class) { return standin::liveObjects(host_class ? host_class : ""); }

/* --- Host objects, as the application's model holds them ------------------ */
script::Design *new_design(const QString &name) { return standin::makeDesign(name); }
script::Scenario *new_scenario(const QString &name) { return standin::makeScenario(name); }
script::Part *new_part(const QString &name) { return standin::makePart(name); }
script::Group *new_group(const QString &name) { return standin::makeGroup(name); }
script::MeshBoxRegion *new_mesh_box_region(const QString &name) { return standin::makeMeshBoxRegion(name); }
script::Material *new_material(const QString &name) { return standin::makeMaterial(name); }
script::Property *new_property(const QString &name) { return standin::makeProperty(name); }
script::Variation *new_variation(const QString &name) { return standin::makeVariation(name); }

script::Entity *new_entity(const QString &name) { return standin::makeEntity(name); }
script::BoundaryCondition *new_boundary_condition(const QString &name) {
  return new script::BoundaryCondition(name, nullptr);
}
script::InitialCondition *new_initial_condition(const QString &name) {
  return new script::InitialCondition(name, nullptr);
}

script::PropertyDefinition *new_property_definition(const QString &name, int property_kind) {
  return new script::PropertyDefinition(name, script::Variant::Type(property_kind));
}

/* Fills one list of each kind that the application fills, declared under the
   application's own names, as its filling operations do. */
void fill_lists(script::PartList &parts, IntList &ids, script::MaterialList &materials,
                script::PropertyList &properties, script::VariationList &variations, script::BCList &bcs,
                script::ICList &ics, script::EntityList &entities) {
  standin::fillLists(parts, ids, materials, properties, variations, bcs, ics, entities);
}

/* How the journal names an object; a null pointer gives "null". */
QString describe(script::Object *object) {
  return object ? QString::fromStdString(standin::describe(object)) : QStringLiteral("null");
}
QString describe_group(script::Group *group) { return describe(group); }
QString describe_region(script::MeshRegion *region) { return describe(region); }

/* The native value of a variant, as the binding returns a variant result. */
script::Variant variant_value(const script::Variant &value) { return value; }

/* --- Pointer objects of plain values ---------------------------------------- */
%}

/* These read or write through the pointer: a null one (None) is refused as a
   null reference, a ValueError. */
%typemap(check, noblock=1) bool *flag, double *number {
  if (!$1) {
    %argument_nullref("$type", $symname, $argnum);
  }
}

%inline %{
bool *new_boolp(bool value = false) { return Setup_Keep<bool>(value); }
void boolp_assign(bool *flag, bool value) { *flag = value; }
bool boolp_value(bool *flag) { return *flag; }

double *new_doublep(double value = 0.0) { return Setup_Keep<double>(value); }
void doublep_assign(double *number, double value) { *number = value; }
double doublep_value(double *number) { return *number; }

/* char * and its bytes; the bytes come back as a str, undecodable ones escaped. */
char *new_charp(const char *text) {
  std::string *kept = Setup_Keep<std::string>(text ? text : "");
  return &(*kept)[0];
}
std::string charp_value(const char *text) { return text ? text : ""; }

wchar_t *new_wcharp(const std::wstring &text) { return &(*Setup_Keep<std::wstring>(text))[0]; }
std::wstring *new_wstringp(const std::wstring &text) { return Setup_Keep<std::wstring>(text); }
std::wstring wstring_value(const std::wstring &text) { return text; }

QVariant *new_qvariant_int(int value) { return Setup_Keep<QVariant>(QVariant(value)); }
QVariant *new_qvariant_double(double value) { return Setup_Keep<QVariant>(QVariant(value)); }
QVariant *new_qvariant_text(const QString &text) { return Setup_Keep<QVariant>(QVariant(text)); }
%}

/* The texts of a Python sequence, each by the string argument rule (with
   strOnly, each a str); false when an item is refused or the object is no
   sequence (an exception may then be left for the caller to replace). */
%fragment("Setup_TextsOf", "header", fragment="Setup_AsQString") %{
static bool Setup_TextsOf(PyObject *sequence, QStringList *texts, bool strOnly) {
  PyObject *items = PySequence_Fast(sequence, "a sequence of texts is expected");
  bool taken = items != nullptr;
  for (Py_ssize_t i = 0; taken && i < PySequence_Fast_GET_SIZE(items); ++i) {
    QString text;
    PyObject *item = PySequence_Fast_GET_ITEM(items, i);
    taken = (!strOnly || PyUnicode_Check(item)) && Setup_AsQString(item, &text);
    texts->append(text);
  }
  Py_XDECREF(items);
  return taken;
}
%}

/* A text list from a Python sequence of texts, each by the string argument rule. */
%typemap(in, fragment="Setup_TextsOf") const QStringList &new_stringlistp_texts (QStringList texts) {
  if (!Setup_TextsOf($input, &texts, false)) {
    if (!PyErr_Occurred())
      PyErr_SetString(PyExc_RuntimeError, "Bad string input to call");
    SWIG_fail;
  }
  $1 = &texts;
}

/* A text-list variant that the script owns, as the application's other
   modules hand one over: what an unpickled text-list Variant is made from,
   without a text list kept for the whole process. */
%newobject new_text_list_variant;

%inline %{
QStringList *new_stringlistp(const QStringList &new_stringlistp_texts) {
  return Setup_Keep<QStringList>(new_stringlistp_texts);
}
script::Variant *new_text_list_variant(const QStringList &new_stringlistp_texts) {
  return new script::Variant(new_stringlistp_texts);
}
QStringList stringlist_value(const QStringList &texts) { return texts; }
%}

/* --- Steering: states that only the application produces --------------------
   Each lasts until reset(). Refusals raise ValueError with the host's reason;
   a None object raises TypeError. */

%{
static bool Setup_Steerable(script::Object *object) {
  if (!object)
    PyErr_SetString(PyExc_TypeError, "an object of the study is expected, not None");
  return object != nullptr;
}

static PyObject *Setup_Refused(bool done, const QString &why) {
  if (done)
    Py_RETURN_NONE;
  PyErr_SetString(PyExc_ValueError, why.toUtf8().constData());
  return nullptr;
}

static PyObject *Setup_Answer(script::Object *object, const QString &operation, const QVariant &answer) {
  QString why;
  if (!Setup_Steerable(object))
    return nullptr;
  return Setup_Refused(standin::setAnswer(object, operation, answer, &why), why);
}
%}

%fragment("Setup_AsInt");
%fragment("Setup_TextsOf");

%inline %{
/* Gives the object a property as the application's object would have it,
   its kind by the value: bool, int (32 bits), float, str, or a list or tuple
   of str. A property of that name is replaced, kind and all. */
PyObject *give_property(script::Object *object, const QString &name, PyObject *value) {
  QVariant held;
  QString why;
  if (!Setup_Steerable(object))
    return nullptr;
  if (PyBool_Check(value)) {
    held = QVariant(value == Py_True);
  } else if (PyLong_Check(value)) {
    int number;
    if (!Setup_AsInt(value, &number)) {
      PyErr_SetString(PyExc_ValueError, "an int property holds 32 signed bits");
      return nullptr;
    }
    held = QVariant(number);
  } else if (PyFloat_Check(value)) {
    held = QVariant(PyFloat_AsDouble(value));
  } else if (PyUnicode_Check(value)) {
    QString text;
    Setup_AsQString(value, &text);
    held = QVariant(text);
  } else if (PyList_Check(value) || PyTuple_Check(value)) {
    QStringList texts;
    if (!Setup_TextsOf(value, &texts, true)) {
      PyErr_SetString(PyExc_TypeError, "a text list property holds str items only");
      return nullptr;
    }
    held = QVariant(texts);
  } else {
    PyErr_SetString(PyExc_TypeError, "a property value is a bool, an int, a float, a str or a list of str");
    return nullptr;
  }
  return Setup_Refused(standin::giveProperty(object, name, held, &why), why);
}

/* Makes one operation of one object answer a chosen result until reset(),
   journaled as usual: a null pointer (a lookup that finds nothing, a refused
   creation), or a bool, int or double. The operation must give a result of
   that kind. */
PyObject *answer_null(script::Object *object, const QString &operation) {
  return Setup_Answer(object, operation, QVariant());
}
PyObject *answer_bool(script::Object *object, const QString &operation, bool value) {
  return Setup_Answer(object, operation, QVariant(value));
}
PyObject *answer_int(script::Object *object, const QString &operation, int value) {
  return Setup_Answer(object, operation, QVariant(value));
}
PyObject *answer_double(script::Object *object, const QString &operation, double value) {
  return Setup_Answer(object, operation, QVariant(value));
}

/* The study's length unit as the application sets it (a
   Clt::Units::MLENGTHUNITS code: 0 meter, 1 centimeter, 2 millimeter, 3
   micron, 4 kilometer, 5 inch, 6 foot, 7 yard, 8 mile, -1 unknown), and the
   code that a length-unit object of DesignStudy.lengthUnits() holds. */
void set_length_unit(int code) { standin::setLengthUnit(code); }
PyObject *length_unit_code(Clt::Units::MLENGTHUNITS *unit) {
  if (!unit) {
    PyErr_SetString(PyExc_TypeError, "a length unit object is expected");
    return nullptr;
  }
  return PyLong_FromLong(long(*unit));
}

/* Fills a PartList with the parts of a scenario, as Scenario.parts does;
   kept for the scripts and tests written before scenarios listed their own. */
PyObject *scenario_parts(script::Scenario *scenario, script::PartList &parts) {
  if (!scenario) {
    PyErr_SetString(PyExc_TypeError, "a scenario is expected, not None");
    return nullptr;
  }
  standin::scenarioParts(scenario, parts);
  Py_RETURN_NONE;
}

/* The version of the study file format that the stand-in reads and writes. */
int study_format_version() { return standin::kStudyFormatVersion; }
%}

/* A steering maker that could not do its work has set ValueError (or the
   argument's TypeError) and answers null: the call fails with that error. */
%define %setup_null_raises(Function)
%exception Function {
  $action
  if (!result)
    SWIG_fail;
}
%enddef

/* A scenario's geometry, database and results, as the application's import,
   material library and runs make them (docs/standin-scenario.md). What cannot
   be done raises ValueError with the host's reason; a None scenario or part,
   TypeError. These are not host operations: the journal does not show them. */
%setup_null_raises(add_part)
%setup_null_raises(add_material)
/* What steering gives an object, or finds on it, belongs to that object:
   a view that holds it (frame/views.i). */
%setup_part_of_receiver(script::Property *, add_material_property)
%setup_part_of_receiver(script::Property *, add_motion_property)
%setup_part_of_receiver(script::Property *, material_property)
%setup_part_of_receiver(script::Property *, motion_property)
%setup_part_of_receiver(script::Variation *, add_variation)
%setup_part_of_receiver(script::Motion *, add_motion_component)
%setup_null_raises(add_material_property)
%setup_null_raises(add_motion_property)
%setup_null_raises(add_variation)

%inline %{
/// Gives the scenario a part as imported geometry would: a name, an id (at least 1) no other part of it has, and a tag, its attribute; hands the part back.
script::Part *add_part(script::Scenario *scenario, const QString &name, int id, const QString &tag = QString("")) {
  QString why;
  if (!Setup_Steerable(scenario))
    return nullptr;
  script::Part *part = standin::addPart(scenario, name, id, tag, &why);
  if (!part)
    PyErr_SetString(PyExc_ValueError, why.toUtf8().constData());
  return part;
}
/// Gives the scenario's part of this name (the first, if several have it) an entity of this id (32 bits, unsigned or signed: 4294967295 and -1 are one id, unique in the scenario), kind (Entity.Point, Edge, Surface, Volume or Unknown), name, tag name, and whether it is planar and a wall.
PyObject *add_entity(script::Scenario *scenario, const QString &part_name, PyObject *id, int kind,
                     const QString &name = QString(""), const QString &tag_name = QString(""), bool planar = false,
                     bool wall = false) {
  QString why;
  int overflow = 0;
  if (!PyLong_Check(id)) {
    PyErr_SetString(PyExc_TypeError, "an entity id is an int");
    return nullptr;
  }
  /* The application's ids are unsigned; the scenario's id lists carry the same bits signed. */
  const long long number = PyLong_AsLongLongAndOverflow(id, &overflow);
  if (overflow || number < -2147483648LL || number > 4294967295LL) {
    PyErr_SetString(PyExc_ValueError, "an entity id is 32 bits: from -2147483648 to 4294967295");
    return nullptr;
  }
  if (!Setup_Steerable(scenario))
    return nullptr;
  return Setup_Refused(standin::addEntity(scenario, part_name, (int)(unsigned int)(number & 0xFFFFFFFFLL), kind, name,
                                          &why, tag_name, planar, wall),
                       why);
}
/// Gives the scenario's parts of this name temperatures without a run, as a run would: the results "Minimum temperature", "Temperature" (the average) and "Maximum temperature", in order.
PyObject *give_part_results(script::Scenario *scenario, const QString &part_name, double minimum, double average,
                            double maximum) {
  QString why;
  if (!Setup_Steerable(scenario))
    return nullptr;
  return Setup_Refused(standin::givePartResults(scenario, part_name, minimum, average, maximum, &why), why);
}
/// Adds a material of this name to the scenario's database, with its type and subtype (its "Type" and "Subtype" properties); hands it back.
script::Material *add_material(script::Scenario *scenario, const QString &name, const QString &type = QString(""),
                               const QString &subtype = QString("")) {
  QString why;
  if (!Setup_Steerable(scenario))
    return nullptr;
  script::Material *material = standin::addMaterial(scenario, name, type, subtype, &why);
  if (!material)
    PyErr_SetString(PyExc_ValueError, why.toUtf8().constData());
  return material;
}
/// Gives the scenario one result without a run: the value of quantity for the part of this name.
PyObject *give_results(script::Scenario *scenario, const QString &part_name, const QString &quantity, double value) {
  QString why;
  if (!Setup_Steerable(scenario))
    return nullptr;
  return Setup_Refused(standin::giveResults(scenario, part_name, quantity, value, &why), why);
}
/// A motion as the application's motion area makes one, named, held by the host until the process ends.
script::Motion *new_motion(const QString &name) { return standin::makeMotion(name); }
%}

/* Properties of materials and motions and their variations, as the
   application's material library and motion area define them
   (docs/standin-properties.md). Refusals raise ValueError with the host's
   reason; None, TypeError. Not host operations: the journal does not show them. */
%{
static script::Property *Setup_GiveProperty(script::Object *holder, const QString &name, const QString &type) {
  QString why;
  if (!Setup_Steerable(holder))
    return nullptr;
  script::Property *property = standin::addSettingProperty(holder, name, type, &why);
  if (!property)
    PyErr_SetString(PyExc_ValueError, why.toUtf8().constData());
  return property;
}
%}

%inline %{
/// Gives the material a property of this name (one it does not have yet) and type, with no variations; hands it back.
script::Property *add_material_property(script::Material *material, const QString &name, const QString &type = QString("")) {
  return Setup_GiveProperty(material, name, type);
}
/// Gives the motion a property of this name (one it does not have yet) and type, with no variations; hands it back.
script::Property *add_motion_property(script::Motion *motion, const QString &name, const QString &type = QString("")) {
  return Setup_GiveProperty(motion, name, type);
}
/// Gives the property a variation of this name (one it does not have yet), type and core type, its value 0.0; hands the variation back.
script::Variation *add_variation(script::Property *property, const QString &name, const QString &type = QString(""),
                                 const QString &core_type = QString("")) {
  QString why;
  if (!Setup_Steerable(property))
    return nullptr;
  script::Variation *variation = standin::addVariation(property, name, type, core_type, &why);
  if (!variation)
    PyErr_SetString(PyExc_ValueError, why.toUtf8().constData());
  return variation;
}
/// The material's property of this name, or None; until materials look up their own properties.
script::Property *material_property(script::Material *material, const QString &name) {
  return material ? standin::settingProperty(material, name) : nullptr;
}
/// The motion's property of this name, or None; until motions look up their own properties.
script::Property *motion_property(script::Motion *motion, const QString &name) {
  return motion ? standin::settingProperty(motion, name) : nullptr;
}
%}

/* Components of motions, as the application's motion area defines them
   (docs/standin-motion.md): a component is a motion that belongs to its
   motion and goes with it. A refusal raises ValueError with the host's
   reason; None, TypeError. Not a host operation: the journal does not show it. */
%{
#include <motion.h>
%}
%setup_null_raises(add_motion_component)
%inline %{
/// Gives the motion a component of this name (one it does not have yet): a motion of its own, which belongs to the motion; hands it back.
script::Motion *add_motion_component(script::Motion *motion, const QString &name) {
  QString why;
  if (!Setup_Steerable(motion))
    return nullptr;
  script::Motion *component = standin::addMotionComponent(motion, name, &why);
  if (!component)
    PyErr_SetString(PyExc_ValueError, why.toUtf8().constData());
  return component;
}
%}

/* Boundary and initial conditions, as the application's fan library and
   condition editor give them (docs/standin-conditions.md). What steering gives
   lasts until reset(). Refusals raise ValueError with the host's reason;
   None, TypeError. Not host operations: the journal does not show them. */
%{
#include <conditions.h>

#include <QtCore/QJsonDocument>
%}
%inline %{
/// Gives the boundary condition a fan curve, with no points, when on (one it has stays as it is); takes its fan curve away when off.
PyObject *give_fan_curve(script::Object *condition, bool on = true) {
  QString why;
  if (!Setup_Steerable(condition))
    return nullptr;
  return Setup_Refused(standin::giveFanCurve(condition, on, &why), why);
}
/// Gives the boundary or initial condition this information text, a str: any text, NUL characters included.
PyObject *give_info_string(script::Object *condition, PyObject *text) {
  QString why;
  if (!PyUnicode_Check(text)) {
    PyErr_SetString(PyExc_TypeError, "an information text is a str");
    return nullptr;
  }
  if (!Setup_Steerable(condition))
    return nullptr;
  /* Whole, NUL characters too: the string rule would end the text at its first NUL. */
  Py_ssize_t size = 0;
  wchar_t *units = PyUnicode_AsWideCharString(text, &size);
  if (!units)
    return nullptr;
  const QString held = QString::fromWCharArray(units, (qsizetype)size);
  PyMem_Free(units);
  return Setup_Refused(standin::giveInfoString(condition, held, &why), why);
}
/// What a condition holds beyond its properties (values as given, axis, time curve, fan curve, information text), or a time curve's or fan curve's own values and points, as the study file writes them: a JSON text.
QString condition_json(script::Object *object) {
  if (!object)
    return QStringLiteral("{}");
  return QString::fromUtf8(QJsonDocument(standin::conditionToJson(object)).toJson(QJsonDocument::Compact));
}
%}

/* Mesh regions of a scenario's mesh, as a study file gives them, and what a
   region holds (docs/standin-mesh.md). A refusal raises ValueError with the
   host's reason; a None scenario, TypeError. Not host operations: the journal
   does not show them. */
%{
#include <mesh.h>

#include <QtCore/QJsonDocument>
%}

%setup_null_raises(add_mesh_region)

%inline %{
/// Gives the scenario's mesh a region of this shape ("box", "cylinder" or "sphere") and name, one no other region of that mesh has, as a study file would; hands it back, held by the mesh.
script::MeshRegion *add_mesh_region(script::Scenario *scenario, const QString &shape, const QString &name) {
  QString why;
  if (!Setup_Steerable(scenario))
    return nullptr;
  script::Object *region = standin::addMeshRegion(scenario, shape, name, &why);
  if (!region)
    PyErr_SetString(PyExc_ValueError, why.toUtf8().constData());
  return static_cast<script::MeshRegion *>(region);
}
/// What a region holds, as the study file writes it, with its shape: a JSON text of "shape", "geometry" (its vectors as lists of three numbers and its numbers, by name), "uniform", "localMeshSize" and "spreads"; "{}" for None.
QString mesh_region_json(script::MeshRegion *region) {
  if (!region)
    return QStringLiteral("{}");
  QJsonObject state = standin::regionToJson(region, true);
  state.insert("shape", standin::regionShape(region));
  return QString::fromUtf8(QJsonDocument(state).toJson(QJsonDocument::Compact));
}
%}

/* Materials' assignments, as the application's import makes them, and what a
   material keeps (docs/standin-materials.md). What steering gives lasts until
   reset(). Refusals raise ValueError with the host's reason; None, TypeError.
   Not host operations: the journal does not show them. */
%{
#include <materials.h>

#include <QtCore/QJsonDocument>

/* Ids from a list or tuple of ints, each 32 bits, unsigned or signed
   (4294967295 and -1 are one id), as add_entity takes them. */
static bool Setup_IdsOf(PyObject *sequence, std::vector<int> *ids) {
  if (!PyList_Check(sequence) && !PyTuple_Check(sequence)) {
    PyErr_SetString(PyExc_TypeError, "ids are a list or tuple of ints");
    return false;
  }
  for (Py_ssize_t i = 0; i < PySequence_Fast_GET_SIZE(sequence); ++i) {
    PyObject *item = PySequence_Fast_GET_ITEM(sequence, i);
    int overflow = 0;
    const long long number = PyLong_Check(item) ? PyLong_AsLongLongAndOverflow(item, &overflow) : 0;
    if (!PyLong_Check(item) || overflow || number < -2147483648LL || number > 4294967295LL) {
      PyErr_SetString(PyExc_ValueError, "an id is an int of 32 bits: from -2147483648 to 4294967295");
      return false;
    }
    ids->push_back((int)(unsigned int)(number & 0xFFFFFFFFLL));
  }
  return true;
}
%}
%inline %{
/// Applies the database material to its scenario's parts of these ids (a list or tuple of ints), as the application's import does: the parts that material.parts() reports.
PyObject *give_material_parts(script::Material *material, PyObject *part_ids) {
  std::vector<int> ids;
  QString why;
  if (!Setup_Steerable(material) || !Setup_IdsOf(part_ids, &ids))
    return nullptr;
  return Setup_Refused(standin::giveMaterialParts(material, ids, &why), why);
}
/// Gives the database material its scenario's entities of these ids (a list or tuple of ints), taking them from the material that held them, as the application's import does: the entities that material.entities() reports.
PyObject *give_material_entities(script::Material *material, PyObject *entity_ids) {
  std::vector<int> ids;
  QString why;
  if (!Setup_Steerable(material) || !Setup_IdsOf(entity_ids, &ids))
    return nullptr;
  return Setup_Refused(standin::giveMaterialEntities(material, ids, &why), why);
}
/// What the material keeps from its own setters, as the study file writes it under "materialSettings": a JSON text ("{}" for none, and for None).
QString material_json(script::Material *material) {
  QJsonObject entry;
  if (material)
    standin::materialSetupToJson(material, entry);
  return QString::fromUtf8(QJsonDocument(entry.value("materialSettings").toObject()).toJson(QJsonDocument::Compact));
}
%}

%pythoncode %{
Refused = _SetupHost.Refused


def journal(changes_only=False):
    """Every journal entry so far, oldest first; with changes_only, only those
    of the operations that may change the application: no getter, lookup or
    listing, and no value that the script owns."""
    return _SetupHost.journal_changes() if changes_only else _SetupHost.journal()


# python -m SetupHost runs this file as __main__, a second copy of the module:
# the runner lives in a module of its own and works with the SetupHost that
# scripts import.
if __name__ == "__main__":
    import sys
    import SetupHost_runner
    sys.exit(SetupHost_runner.main(sys.argv[1:]))
%}
