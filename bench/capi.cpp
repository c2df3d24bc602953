// The benchmark's calls bound by hand with the CPython C API: the floor that
// the other bindings are measured against. A Vector lives inside its Python
// object; a Scenario object holds a pointer that the host owns.
#include "text.h"

#include <Clt/Vector.h>
#include <control.h>
#include <script/Object.h>

#include <new>

namespace {

const char kVectorRefused[] = "in method 'Vector_x_get', argument 1 of type 'Clt::Vector *'";

struct VectorObject {
    PyObject_HEAD
    Clt::Vector value;
};

struct ScenarioObject {
    PyObject_HEAD
    script::Analysis *host;
};

PyTypeObject VectorType = {PyVarObject_HEAD_INIT(nullptr, 0)};
PyTypeObject ScenarioType = {PyVarObject_HEAD_INIT(nullptr, 0)};

bool asDouble(PyObject *obj, double *out) {
    *out = PyFloat_AsDouble(obj);
    return !(*out == -1.0 && PyErr_Occurred());
}

PyObject *Vector_vectorcall(PyObject *type, PyObject *const *args, size_t nargsf, PyObject *kwnames) {
    double x, y, z;
    if (PyVectorcall_NARGS(nargsf) != 3 || kwnames) {
        PyErr_SetString(PyExc_TypeError, "Vector() takes three numbers");
        return nullptr;
    }
    if (!asDouble(args[0], &x) || !asDouble(args[1], &y) || !asDouble(args[2], &z))
        return nullptr;
    VectorObject *self = PyObject_New(VectorObject, reinterpret_cast<PyTypeObject *>(type));
    if (!self)
        return nullptr;
    new (&self->value) Clt::Vector(x, y, z);
    return reinterpret_cast<PyObject *>(self);
}

PyObject *Vector_new(PyTypeObject *type, PyObject *args, PyObject *kwds) {
    if (kwds && PyDict_GET_SIZE(kwds)) {
        PyErr_SetString(PyExc_TypeError, "Vector() takes no keyword arguments");
        return nullptr;
    }
    return Vector_vectorcall(reinterpret_cast<PyObject *>(type), &PyTuple_GET_ITEM(args, 0),
                             static_cast<size_t>(PyTuple_GET_SIZE(args)), nullptr);
}

void Vector_dealloc(PyObject *self) {
    reinterpret_cast<VectorObject *>(self)->value.~Vector();
    PyObject_Free(self);
}

PyObject *Vector_get_x(PyObject *self, void *) {
    return PyFloat_FromDouble(reinterpret_cast<VectorObject *>(self)->value.x);
}

int Vector_set_x(PyObject *self, PyObject *value, void *) {
    double x;
    if (!value) {
        PyErr_SetString(PyExc_AttributeError, "cannot delete x");
        return -1;
    }
    if (!asDouble(value, &x))
        return -1;
    reinterpret_cast<VectorObject *>(self)->value.x = x;
    return 0;
}

PyGetSetDef Vector_getset[] = {
    {"x", Vector_get_x, Vector_set_x, nullptr, nullptr},
    {nullptr, nullptr, nullptr, nullptr, nullptr},
};

script::Analysis *asScenario(PyObject *obj) {
    if (!PyObject_TypeCheck(obj, &ScenarioType)) {
        PyErr_SetString(PyExc_TypeError, "a Scenario is expected");
        return nullptr;
    }
    return reinterpret_cast<ScenarioObject *>(obj)->host;
}

PyObject *setName(script::Analysis *host, PyObject *text) {
    QString name;
    if (!bench::textFromPython(text, &name)) {
        PyErr_SetString(PyExc_RuntimeError, "Bad string input to call");
        return nullptr;
    }
    host->setName(name);
    Py_RETURN_NONE;
}

PyObject *Scenario_method_name(PyObject *self, PyObject *) {
    return bench::textToPython(reinterpret_cast<ScenarioObject *>(self)->host->name());
}

PyObject *Scenario_method_setName(PyObject *self, PyObject *text) {
    return setName(reinterpret_cast<ScenarioObject *>(self)->host, text);
}

void Scenario_dealloc(PyObject *self) { PyObject_Free(self); }

PyMethodDef Scenario_methods[] = {
    {"name", Scenario_method_name, METH_NOARGS, nullptr},
    {"setName", Scenario_method_setName, METH_O, nullptr},
    {nullptr, nullptr, 0, nullptr},
};

// --- The flat functions -------------------------------------------------------

PyObject *Vector_x_get(PyObject *, PyObject *obj) {
    if (!PyObject_TypeCheck(obj, &VectorType)) {
        PyErr_SetString(PyExc_TypeError, kVectorRefused);
        return nullptr;
    }
    return PyFloat_FromDouble(reinterpret_cast<VectorObject *>(obj)->value.x);
}

PyObject *Object_name(PyObject *, PyObject *obj) {
    script::Analysis *host = asScenario(obj);
    return host ? bench::textToPython(host->name()) : nullptr;
}

PyObject *Scenario_setName(PyObject *, PyObject *const *args, Py_ssize_t nargs) {
    if (nargs != 2) {
        PyErr_SetString(PyExc_TypeError, "Scenario_setName() takes two arguments");
        return nullptr;
    }
    script::Analysis *host = asScenario(args[0]);
    return host ? setName(host, args[1]) : nullptr;
}

PyObject *new_scenario(PyObject *, PyObject *text) {
    QString name;
    if (!bench::textFromPython(text, &name)) {
        PyErr_SetString(PyExc_RuntimeError, "Bad string input to call");
        return nullptr;
    }
    ScenarioObject *self = PyObject_New(ScenarioObject, &ScenarioType);
    if (self)
        self->host = standin::makeScenario(name);
    return reinterpret_cast<PyObject *>(self);
}

PyMethodDef module_methods[] = {
    {"Vector_x_get", Vector_x_get, METH_O, nullptr},
    {"Object_name", Object_name, METH_O, nullptr},
    {"Scenario_setName", reinterpret_cast<PyCFunction>(reinterpret_cast<void (*)()>(Scenario_setName)), METH_FASTCALL,
     nullptr},
    {"new_scenario", new_scenario, METH_O, nullptr},
    {nullptr, nullptr, 0, nullptr},
};

PyModuleDef module_def = {PyModuleDef_HEAD_INIT, "bench_capi", nullptr, -1, module_methods};

}  // namespace

PyMODINIT_FUNC PyInit_bench_capi(void) {
    VectorType.tp_name = "bench_capi.Vector";
    VectorType.tp_basicsize = sizeof(VectorObject);
    VectorType.tp_flags = Py_TPFLAGS_DEFAULT;
    VectorType.tp_new = Vector_new;
    VectorType.tp_vectorcall = Vector_vectorcall;
    VectorType.tp_dealloc = Vector_dealloc;
    VectorType.tp_getset = Vector_getset;

    ScenarioType.tp_name = "bench_capi.Scenario";
    ScenarioType.tp_basicsize = sizeof(ScenarioObject);
    ScenarioType.tp_flags = Py_TPFLAGS_DEFAULT;
    ScenarioType.tp_dealloc = Scenario_dealloc;
    ScenarioType.tp_methods = Scenario_methods;

    if (PyType_Ready(&VectorType) < 0 || PyType_Ready(&ScenarioType) < 0)
        return nullptr;
    PyObject *module = PyModule_Create(&module_def);
    if (!module)
        return nullptr;
    Py_INCREF(&VectorType);
    Py_INCREF(&ScenarioType);
    if (PyModule_AddObject(module, "Vector", reinterpret_cast<PyObject *>(&VectorType)) < 0 ||
        PyModule_AddObject(module, "Scenario", reinterpret_cast<PyObject *>(&ScenarioType)) < 0) {
        Py_DECREF(module);
        return nullptr;
    }
    return module;
}
