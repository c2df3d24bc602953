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
class DesignStudy : public Container {
public:
    static script::DesignStudy &Create();
    QString name() const;
    void setName(const QString &name);
    QString path() const;
    void setPath(const QString &path);
    void open(const QString &path);
    void createFrom(const QString &path, bool withResults = false);
    script::Design *add(const QString &name, const QString &scenarioName, bool activate = false);
    void remove(const QString &name);
    void save();
    void saveShareFile(const QString &path, const char *what = "Everything");
    script::Design *design(const QString &name);
    script::Scenario *getActiveScenario();
    void designs(DesignList &list) const;
    script::DecisionCenter *decisionCenter();
    int createSetupFileOfActiveScenario(const QString &path = "") const;
    Clt::Units::MLENGTHUNITS lengthUnits() const;
    bool createStudyFromAsmTranslator(const QString &assembly, const QString &study);
    double GetLoadTime() const;
    int GetASMTranslateErrorCode() const;
    int createExternalVolumeForActiveScenario(double xMin = 0.0, double xMax = 0.0, double yMin = 0.0,
                                              double yMax = 0.0, double zMin = 0.0, double zMax = 0.0);
};

/* --- BoundingBox: the extent of a geometry, a value ------------------------ */
class BoundingBox : public Object {
public:
    BoundingBox();
    virtual ~BoundingBox();
    Clt::Vector getMin() const;
    Clt::Vector getMax() const;
    bool isValid() const;
    Clt::Vector center() const;
    Clt::Vector extent() const;
    double largestExtent() const;
    int largestExtentAxis() const;
    double radius() const;
};

/* --- Design: a geometry and the scenarios that analyse it ------------------ */
class Design : public Container {
public:
    std::string getName() const;
    QString name() const;
    void setName(const QString &name);
    std::wstring name_w() const;
    script::Scenario *scenario(const QString &name, bool exact = true);
    script::Design *clone(const QString &name);
    script::Scenario *add(const QString &name);
    void scenarios(ScenarioList &list) const;
    void update(const QString &name);
    void remove(const QString &name);
    script::BoundingBox boundingBox() const;
};

}  // namespace script
