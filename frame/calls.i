/* ==========================================================================
 * Calls: how the interpreter reaches the functions that take several
 * arguments.
 * ========================================================================== */

%header %{
#include <structmember.h>
#include <utility>

/* SWIG's functions of several arguments read them from a tuple, which the
   interpreter builds and frees on every call. Each of them is given the
   interpreter's fast calling convention instead, through a trampoline of its
   own: the interpreter's calling code calls it straight, with the arguments
   where they lie, and it hands them to the function in a tuple kept for reuse.
   The tuple is filled for the call and emptied after it. Calls that arrive by
   another road (with keywords, from C, with a tuple) come through the
   function's vectorcall, which refuses keywords and guards recursion as the
   interpreter does for such functions. */
#define SETUP_REUSED_TUPLES 8

/* A reused tuple lends its items: it holds them only while the caller's
   arguments are alive, for the length of the call, and it is not tracked by
   the collector meanwhile, whose count of references it would otherwise upset.
   A tuple that the function keeps takes references of its own. */
static PyObject *Setup_reusedTuples[SETUP_REUSED_TUPLES];

static inline PyObject *Setup_TakeTuple(Py_ssize_t count) {
  PyObject *tuple = Setup_reusedTuples[count];
  if (tuple) {
    Setup_reusedTuples[count] = 0;
    return tuple;
  }
  tuple = PyTuple_New(count);
  if (tuple)
    PyObject_GC_UnTrack(tuple);
  return tuple;
}

static inline void Setup_GiveBackTuple(PyObject *tuple, PyObject *const *args, Py_ssize_t count) {
  if (Py_REFCNT(tuple) != 1) {
    for (Py_ssize_t i = 0; i < count; ++i)
      Py_INCREF(args[i]);
    PyObject_GC_Track(tuple);
    Py_DECREF(tuple);
    return;
  }
  for (Py_ssize_t i = 0; i < count; ++i)
    PyTuple_SET_ITEM(tuple, i, 0);
  if (Setup_reusedTuples[count])
    Py_DECREF(tuple); /* a call made meanwhile gave its own tuple back first */
  else
    Setup_reusedTuples[count] = tuple;
}

typedef PyObject *(*Setup_FastFunction)(PyObject *self, PyObject *const *args, Py_ssize_t count);

static inline Setup_FastFunction Setup_FastFunctionOf(PyObject *function) {
  return (Setup_FastFunction)(void (*)(void))((PyCFunctionObject *)function)->m_ml->ml_meth;
}

static PyObject *Setup_CallWithTuple(PyCFunction function, PyObject *self, PyObject *const *args, Py_ssize_t count) {
  PyObject *tuple;
  PyObject *result;
  if (count <= 0 || count >= SETUP_REUSED_TUPLES) {
    /* No arguments, or more than are ever lent: a tuple of the call's own. */
    if (!(tuple = PyTuple_New(count)))
      return 0;
    for (Py_ssize_t i = 0; i < count; ++i) {
      Py_INCREF(args[i]);
      PyTuple_SET_ITEM(tuple, i, args[i]);
    }
    result = function(self, tuple);
    Py_DECREF(tuple);
    return result;
  }
  if (!(tuple = Setup_TakeTuple(count)))
    return 0;
  for (Py_ssize_t i = 0; i < count; ++i)
    PyTuple_SET_ITEM(tuple, i, args[i]);
  result = function(self, tuple);
  Setup_GiveBackTuple(tuple, args, count);
  return result;
}

/* The trampolines, one for each entry of a method table of Count entries. */
template <size_t Count> struct Setup_FastCalls {
  static PyCFunction tupleFunctions[Count];

  template <size_t Index>
  static PyObject *trampoline(PyObject *self, PyObject *const *args, Py_ssize_t count) {
    return Setup_CallWithTuple(tupleFunctions[Index], self, args, count);
  }

  template <size_t... Index> static Setup_FastFunction trampolineOf(size_t index, std::index_sequence<Index...>) {
    static const Setup_FastFunction trampolines[] = {&trampoline<Index>...};
    return trampolines[index];
  }
};

template <size_t Count> PyCFunction Setup_FastCalls<Count>::tupleFunctions[Count];

static PyObject *Setup_CallFast(PyObject *function, PyObject *const *args, size_t nargsf, PyObject *kwnames) {
  PyMethodDef *def = ((PyCFunctionObject *)function)->m_ml;
  PyObject *result;
  if (kwnames && PyTuple_GET_SIZE(kwnames)) {
    PyErr_Format(PyExc_TypeError, "%.200s() takes no keyword arguments", def->ml_name);
    return 0;
  }
  if (Py_EnterRecursiveCall(" while calling a Python object"))
    return 0;
  result = Setup_FastFunctionOf(function)(PyCFunction_GET_SELF(function), args, PyVectorcall_NARGS(nargsf));
  Py_LeaveRecursiveCall();
  return result;
}

/* Calls a function of the module as the interpreter's calling code does: one
   given the fast convention here straight through its trampoline, one of a
   single argument or of none straight with it. */
static inline PyObject *Setup_Call(PyObject *function, PyObject *const *args, size_t nargsf, PyObject *kwnames) {
  if (PyCFunction_CheckExact(function) && !(kwnames && PyTuple_GET_SIZE(kwnames))) {
    PyMethodDef *def = ((PyCFunctionObject *)function)->m_ml;
    Py_ssize_t count = PyVectorcall_NARGS(nargsf);
    if (((PyCFunctionObject *)function)->vectorcall == Setup_CallFast)
      return Setup_FastFunctionOf(function)(PyCFunction_GET_SELF(function), args, count);
    if (def->ml_flags == METH_O && count == 1)
      return def->ml_meth(PyCFunction_GET_SELF(function), args[0]);
    if (def->ml_flags == METH_NOARGS && count == 0)
      return def->ml_meth(PyCFunction_GET_SELF(function), 0);
  }
  return PyObject_Vectorcall(function, args, nargsf, kwnames);
}

/* Gives each function of the module's table that takes a tuple the fast
   convention. The table's entries are changed in place: the functions made
   from them read their convention from there. */
template <size_t Count> static void Setup_UseFastCalls(PyObject *dict, PyMethodDef (&methods)[Count]) {
  for (size_t index = 0; index < Count && methods[index].ml_name; ++index) {
    PyMethodDef *def = &methods[index];
    PyObject *function;
    if (def->ml_flags != METH_VARARGS)
      continue;
    function = PyDict_GetItemString(dict, def->ml_name);
    if (!function || !PyCFunction_CheckExact(function) || ((PyCFunctionObject *)function)->m_ml != def ||
        ((PyCFunctionObject *)function)->vectorcall)
      continue;
    Setup_FastCalls<Count>::tupleFunctions[index] = def->ml_meth;
    def->ml_meth = (PyCFunction)(void (*)(void))Setup_FastCalls<Count>::trampolineOf(
        index, std::make_index_sequence<Count>());
    def->ml_flags = METH_FASTCALL;
    ((PyCFunctionObject *)function)->vectorcall = Setup_CallFast;
  }
}
%}

%header %{
/* The proxy classes' methods. SWIG's proxies hold each method as an
   instancemethod, which the interpreter binds to the instance, as a new method
   object, on every call. The same function is held here by a method
   descriptor, which the interpreter calls with the instance in front of the
   arguments, binding nothing. Read outside a call it answers as a method
   descriptor of the interpreter's own does: from the class itself, from an
   instance itself bound to it. It has attributes of its own, which the proxy
   module gives it when its class is registered (its name, the doc written
   beside its declaration, and the declaration itself, whose signature help()
   and inspect show); any other attribute is its function's, and so is its
   doc until it has its own: the flat module's functions carry none. */
struct Setup_MethodObject {
  PyObject_HEAD
  PyObject *function;
  vectorcallfunc vectorcall;
  PyObject *dict;
};

/* The objects that stand in for a Python function here (this method
   descriptor, and the proxies' initialiser) hold it first; any attribute that
   they have not of their own is the function's. */
struct Setup_FunctionHolder {
  PyObject_HEAD
  PyObject *function;
};

static_assert(offsetof(Setup_MethodObject, function) == offsetof(Setup_FunctionHolder, function),
              "the method descriptor holds its function where Setup_FunctionHolder_getattro reads it");

/* Where a holder keeps attributes of its own, if its type gives it any. */
static inline PyObject **Setup_FunctionHolder_dict(PyObject *self) {
  Py_ssize_t offset = Py_TYPE(self)->tp_dictoffset;
  return offset > 0 ? (PyObject **)((char *)self + offset) : 0;
}

/* A holder's attribute: a data descriptor of its type (__func__, __doc__,
   __dict__); else its own, when its type gives it a dict; else what its type
   has, but for a type's plain doc, which says what a holder is, not what the
   function that it holds does; else its function's. Read by help() and
   inspect, never on a call. */
static PyObject *Setup_FunctionHolder_getattro(PyObject *self, PyObject *name) {
  PyTypeObject *type = Py_TYPE(self);
  PyObject *descr = _PyType_Lookup(type, name);
  PyObject *found = 0;
  descrgetfunc get;
  Py_XINCREF(descr);
  get = descr ? Py_TYPE(descr)->tp_descr_get : 0;
  if (get && Py_TYPE(descr)->tp_descr_set) {
    found = get(descr, self, (PyObject *)type);
    Py_DECREF(descr);
    return found;
  }
  if (PyObject **own = Setup_FunctionHolder_dict(self)) {
    PyObject *dict = *own;
    if (dict && (found = PyDict_GetItemWithError(dict, name)) != 0) {
      Py_INCREF(found);
      Py_XDECREF(descr);
      return found;
    }
    if (PyErr_Occurred()) {
      Py_XDECREF(descr);
      return 0;
    }
  }
  if (descr && (get || !PyUnicode_Check(name) || PyUnicode_CompareWithASCIIString(name, "__doc__") != 0)) {
    if (get)
      found = get(descr, self, (PyObject *)type);
    else
      Py_INCREF(found = descr);
    Py_DECREF(descr);
    return found;
  }
  Py_XDECREF(descr);
  return PyObject_GetAttr(((Setup_FunctionHolder *)self)->function, name);
}

/* A holder's doc, as a data descriptor, so that it answers whoever asks
   (pydoc reads a doc past the type's own attribute lookup): its own, which the
   proxy module gives it, else its function's. */
static PyObject *Setup_FunctionHolder_getdoc(PyObject *self, void *) {
  PyObject **dict = Setup_FunctionHolder_dict(self);
  PyObject *doc = dict && *dict ? PyDict_GetItemString(*dict, "__doc__") : 0;
  if (doc) {
    Py_INCREF(doc);
    return doc;
  }
  return PyObject_GetAttrString(((Setup_FunctionHolder *)self)->function, "__doc__");
}

static int Setup_FunctionHolder_setdoc(PyObject *self, PyObject *value, void *) {
  PyObject **dict = Setup_FunctionHolder_dict(self);
  if (!dict) {
    PyErr_SetString(PyExc_AttributeError, "the doc is the function's");
    return -1;
  }
  if (!*dict && !(*dict = PyDict_New()))
    return -1;
  if (value)
    return PyDict_SetItemString(*dict, "__doc__", value);
  if (PyDict_DelItemString(*dict, "__doc__") < 0 && PyErr_ExceptionMatches(PyExc_KeyError))
    PyErr_Clear();
  return PyErr_Occurred() ? -1 : 0;
}

/* What every function holder's type may take as its getset. */
static PyGetSetDef Setup_FunctionHolder_getset[] = {
  {(char *)"__doc__", Setup_FunctionHolder_getdoc, Setup_FunctionHolder_setdoc, 0, 0},
  {(char *)"__dict__", PyObject_GenericGetDict, PyObject_GenericSetDict, 0, 0},
  {0, 0, 0, 0, 0},
};

static void Setup_FunctionHolder_dealloc(PyObject *self) {
  PyObject_GC_UnTrack(self);
  Py_TYPE(self)->tp_clear(self);
  PyObject_GC_Del(self);
}

static PyTypeObject Setup_MethodType = {PyVarObject_HEAD_INIT(0, 0)};

static PyObject *Setup_Method_vectorcall(PyObject *self, PyObject *const *args, size_t nargsf, PyObject *kwnames) {
  return Setup_Call(((Setup_MethodObject *)self)->function, args, nargsf, kwnames);
}

/* From the class the method itself, so that what help() and inspect read
   of it is its own; from an instance a bound method of it. */
static PyObject *Setup_Method_get(PyObject *self, PyObject *obj, PyObject *) {
  if (!obj) {
    Py_INCREF(self);
    return self;
  }
  return PyMethod_New(self, obj);
}

static PyObject *Setup_Method_repr(PyObject *self) {
  PyObject *function = ((Setup_MethodObject *)self)->function;
  PyObject *name = PyObject_GetAttrString(function, "__name__");
  PyObject *text;
  if (!name) {
    PyErr_Clear();
    return PyUnicode_FromFormat("<instancemethod at %p>", self);
  }
  text = PyUnicode_FromFormat("<instancemethod %S at %p>", name, self);
  Py_DECREF(name);
  return text;
}

static int Setup_Method_traverse(PyObject *self, visitproc visit, void *arg) {
  Py_VISIT(((Setup_MethodObject *)self)->function);
  Py_VISIT(((Setup_MethodObject *)self)->dict);
  return 0;
}

static int Setup_Method_clear(PyObject *self) {
  Py_CLEAR(((Setup_MethodObject *)self)->function);
  Py_CLEAR(((Setup_MethodObject *)self)->dict);
  return 0;
}

static PyMemberDef Setup_Method_members[] = {
  {(char *)"__func__", T_OBJECT, offsetof(Setup_MethodObject, function), READONLY, 0},
  {0, 0, 0, 0, 0},
};

/* SWIG_PyInstanceMethod_New, by which the proxy module makes each method. */
static PyObject *Setup_NewInstanceMethod(PyObject *, PyObject *function) {
  Setup_MethodObject *method = PyObject_GC_New(Setup_MethodObject, &Setup_MethodType);
  if (!method)
    return 0;
  Py_INCREF(function);
  method->function = function;
  method->vectorcall = Setup_Method_vectorcall;
  method->dict = 0;
  PyObject_GC_Track((PyObject *)method);
  return (PyObject *)method;
}

/* SWIG_PyStaticMethod_New: a static method of the interpreter's own, which
   hands out the method object above unbound; it calls the function as it is
   given, and carries the static method's own doc and signature. */
static PyObject *Setup_NewStaticMethod(PyObject *, PyObject *function) {
  PyObject *method = Setup_NewInstanceMethod(0, function);
  PyObject *holder = method ? PyStaticMethod_New(method) : 0;
  Py_XDECREF(method);
  return holder;
}

static PyMethodDef Setup_NewInstanceMethodDef = {"SWIG_PyInstanceMethod_New", Setup_NewInstanceMethod, METH_O, 0};
static PyMethodDef Setup_NewStaticMethodDef = {"SWIG_PyStaticMethod_New", Setup_NewStaticMethod, METH_O, 0};

static void Setup_UseMethodDescriptors(PyObject *dict) {
  PyMethodDef *makers[] = {&Setup_NewInstanceMethodDef, &Setup_NewStaticMethodDef};
  Setup_MethodType.tp_name = "instancemethod";
  Setup_MethodType.tp_basicsize = sizeof(Setup_MethodObject);
  Setup_MethodType.tp_flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_HAVE_GC | Py_TPFLAGS_METHOD_DESCRIPTOR |
                              Py_TPFLAGS_HAVE_VECTORCALL;
  Setup_MethodType.tp_vectorcall_offset = offsetof(Setup_MethodObject, vectorcall);
  Setup_MethodType.tp_dictoffset = offsetof(Setup_MethodObject, dict);
  Setup_MethodType.tp_call = PyVectorcall_Call;
  Setup_MethodType.tp_descr_get = Setup_Method_get;
  Setup_MethodType.tp_getattro = Setup_FunctionHolder_getattro;
  Setup_MethodType.tp_repr = Setup_Method_repr;
  Setup_MethodType.tp_traverse = Setup_Method_traverse;
  Setup_MethodType.tp_clear = Setup_Method_clear;
  Setup_MethodType.tp_dealloc = Setup_FunctionHolder_dealloc;
  Setup_MethodType.tp_members = Setup_Method_members;
  Setup_MethodType.tp_getset = Setup_FunctionHolder_getset;
  if (PyType_Ready(&Setup_MethodType) < 0) {
    PyErr_Clear(); /* the proxies keep SWIG's instancemethods */
    return;
  }
  for (PyMethodDef *def : makers) {
    PyObject *maker = PyCFunction_New(def, 0);
    if (!maker || PyDict_SetItemString(dict, def->ml_name, maker) < 0)
      PyErr_Clear();
    Py_XDECREF(maker);
  }
}

/* Each proxy class is described when it is registered, the one moment at
   which it is whole whatever it holds (methods, fields, an initialiser of
   SWIG's or of its own): its module's _swig_describe gives the class, its
   methods, fields and initialiser their docs and signatures, as strings and
   references only, so that import pays little and a call nothing. A failure
   there is reported and leaves the class as it was. */
static void Setup_DescribeClass(PyObject *klass) {
  PyObject *moduleName, *module, *describe, *result;
  if (!PyType_Check(klass))
    return;
  moduleName = PyObject_GetAttrString(klass, "__module__");
  module = moduleName && PyUnicode_Check(moduleName) ? PyImport_GetModule(moduleName) : 0;
  describe = module ? PyObject_GetAttrString(module, "_swig_describe") : 0;
  if (!describe) {
    PyErr_Clear(); /* a module without descriptions */
  } else if (!(result = PyObject_CallOneArg(describe, klass))) {
    PyErr_WriteUnraisable(describe);
  } else {
    Py_DECREF(result);
  }
  Py_XDECREF(describe);
  Py_XDECREF(module);
  Py_XDECREF(moduleName);
}

static SwigPyClientData *Setup_DescribedClientData(PyObject *klass) {
  SwigPyClientData *data = SwigPyClientData_New(klass);
  if (data && !PyErr_Occurred())
    Setup_DescribeClass(klass);
  return data;
}

#define SwigPyClientData_New(obj) Setup_DescribedClientData(obj)
%}

%pythoncode %{
_swig_descriptions = []


def _swig_describe(cls):
    """Gives a proxy class, as it is registered, the docs and signatures of its
    declarations, from the module that the build generates from them beside
    this one (without it, the class is left as SWIG made it)."""
    if not _swig_descriptions:
        import importlib
        package, _, name = __name__.rpartition(".")
        data = "%s._%s_signatures" % (package, name) if package else "_%s_signatures" % name
        try:
            _swig_descriptions.append(importlib.import_module(data))
        except ModuleNotFoundError as missing:
            if missing.name != data:
                raise
            _swig_descriptions.append(None)
    if _swig_descriptions[0] is not None:
        _swig_descriptions[0].describe(cls, globals())
%}

%init %{
  Setup_UseFastCalls(d, SwigMethods);
  Setup_UseMethodDescriptors(d);
%}
