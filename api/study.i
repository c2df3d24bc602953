/* ==========================================================================
 * The design study, its designs, and bounding boxes. The study and its
 * designs belong to the host: their proxies never own them. Values that the
 * host returns by copy (Vector, BoundingBox, the length unit) belong to the
 * proxy that receives them.
 * ========================================================================== */

%{
#include <script/Object.h>
#include <Clt/Vector.h>
%}

/* Opaque to scripts: they cross as bare pointer objects. */
namespace script { class DecisionCenter; }

/* The study's length unit: a copy of the host's code, handed to the script
   as an owned pointer object of type Clt::Units::MLENGTHUNITS *, of which no
   class is registered. Its descriptor is given a destructor and no proxy
   class, so that releasing the object frees the copy, and quietly; the
   host-control module reads the code. */
%fragment("Setup_LengthUnit", "header") %{
static PyObject *Setup_DestroyLengthUnit(PyObject *, PyObject *holder) {
  delete (Clt::Units::MLENGTHUNITS *)((SwigPyObject *)holder)->ptr;
  ((SwigPyObject *)holder)->ptr = 0;
  Py_RETURN_NONE;
}

/* Installs the destructor once per process, on the shared descriptor. */
static void Setup_LearnLengthUnit(swig_type_info *type) {
  static PyMethodDef destroy = {"delete_MLENGTHUNITS", Setup_DestroyLengthUnit, METH_O, 0};
  if (!type || type->clientdata)
    return;
  SwigPyClientData *data = (SwigPyClientData *)calloc(1, sizeof(SwigPyClientData));
  if (!data)
    return;
  data->destroy = PyCFunction_New(&destroy, 0);
  if (!data->destroy) {
    PyErr_Clear();
    free(data);
    return;
  }
  type->clientdata = data;
  type->owndata = 1;
}
%}

/* Clt::Units::MLENGTHUNITS by value: the host's code is copied to the heap
   and wrapped as an owned bare pointer object (never a proxy: the type has
   no class); the copy is freed when the pointer object goes. */
%typemap(out, fragment="Setup_LengthUnit") Clt::Units::MLENGTHUNITS {
  $result = SWIG_NewPointerObj(new Clt::Units::MLENGTHUNITS($1), $descriptor(Clt::Units::MLENGTHUNITS *),
                               SWIG_POINTER_OWN | SWIG_POINTER_NOSHADOW);
}
%init %{
  Setup_LearnLengthUnit(SWIGTYPE_p_Clt__Units__MLENGTHUNITS);
%}

namespace script {

/* --- DesignStudy: the study the host holds, one per process --------------- */
/// The study that the application holds, one per process, with its designs; never owned by a script.
class DesignStudy : public Container {
public:
    /// The study of the process (the same object every time).
    static script::DesignStudy &Create();
    /// The study's name.
    QString name() const;
    /// Renames the study.
    void setName(const QString &name);
    /// The path of the study's file ("" for a study without one).
    QString path() const;
    /// Sets the path that save() writes to.
    void setPath(const QString &path);
    /// Opens the study file at path in place of the current study.
    void open(const QString &path);
    /// Makes a new study, without a path, from the study file at path; withResults keeps its results.
    void createFrom(const QString &path, bool withResults = false);
    /// Adds a design with one scenario of scenarioName (none if empty), made active if activate; None if refused.
    script::Design *add(const QString &name, const QString &scenarioName, bool activate = false);
    /// Removes the design of this name.
    void remove(const QString &name);
    /// Writes the study to its path.
    void save();
    /// Writes a share file at path of "Everything" or of the "ActiveScenario".
    void saveShareFile(const QString &path, const char *what = "Everything");
    /// The design of this name, or None.
    script::Design *design(const QString &name);
    /// The active scenario, or None.
    script::Scenario *getActiveScenario();
    /// Fills the list with the study's designs (its contents are replaced).
    void designs(DesignList &list) const;
    /// The study's decision center, a bare pointer object, or None.
    script::DecisionCenter *decisionCenter();
    /// Writes the active scenario's setup file at path (by default beside the study's file); 1 if written, else 0.
    int createSetupFileOfActiveScenario(const QString &path = "") const;
    /// The study's length unit: an owned pointer object that SetupHost.length_unit_code() reads.
    Clt::Units::MLENGTHUNITS lengthUnits() const;
    /// Makes a study from an assembly file, saved at study; whether it was made.
    bool createStudyFromAsmTranslator(const QString &assembly, const QString &study);
    /// The seconds that the last open or createFrom took.
    double GetLoadTime() const;
    /// The error code of the last assembly translation (0 for none).
    int GetASMTranslateErrorCode() const;
    /// Surrounds the active scenario's geometry with an external volume, by these margins; 1 if made, else 0.
    int createExternalVolumeForActiveScenario(double xMin = 0.0, double xMax = 0.0, double yMin = 0.0,
                                              double yMax = 0.0, double zMin = 0.0, double zMax = 0.0);
};

/* --- BoundingBox: the extent of a geometry, a value ------------------------ */
/// The extent of a geometry, in the study's length unit: a value; a box with nothing in it is not valid.
class BoundingBox : public Object {
public:
    /// An empty box, not valid.
    BoundingBox();
    virtual ~BoundingBox();
    /// The corner of least coordinates.
    Clt::Vector getMin() const;
    /// The corner of greatest coordinates.
    Clt::Vector getMax() const;
    /// Whether the box holds anything.
    bool isValid() const;
    /// The box's center.
    Clt::Vector center() const;
    /// The box's size along each axis.
    Clt::Vector extent() const;
    /// The box's greatest size along an axis.
    double largestExtent() const;
    /// The axis of the greatest size: 0, 1 or 2 for x, y or z; -1 for a box that is not valid.
    int largestExtentAxis() const;
    /// Half the box's diagonal.
    double radius() const;
};

/* --- Design: a geometry and the scenarios that analyse it ------------------ */
/// A design of the study: a geometry and the scenarios that analyse it.
class Design : public Container {
public:
    /// The design's name.
    std::string getName() const;
    /// The design's name.
    QString name() const;
    /// Renames the design (refused for an empty name or one that another design of the study has).
    void setName(const QString &name);
    /// The design's name.
    std::wstring name_w() const;
    /// The scenario of this name (matched without case unless exact), or None.
    script::Scenario *scenario(const QString &name, bool exact = true);
    /// Adds to the study a copy of the design, of this name; None if refused.
    script::Design *clone(const QString &name);
    /// Adds a scenario of this name; None if refused.
    script::Scenario *add(const QString &name);
    /// Fills the list with the design's scenarios (its contents are replaced).
    void scenarios(ScenarioList &list) const;
    /// Gives the scenario of this name every part of the design's geometry that it lacks.
    void update(const QString &name);
    /// Removes the scenario of this name.
    void remove(const QString &name);
    /// The extent of the design's geometry.
    script::BoundingBox boundingBox() const;
};

}  // namespace script
