/* ==========================================================================
 * Calls: how the interpreter reaches the functions that take several
 * arguments.
 * ========================================================================== */

%header %{
#include <structmember.h>

/* SWIG's functions of several arguments read them from a tuple, which the
   interpreter builds and frees on every call. They are reached here through
   the interpreter's fast calling convention instead, with a tuple of each
   length kept for reuse: it is filled for the call and emptied after it; one
   that the callee still holds is left to it. The rest is as the interpreter
   does it: the refusal of keyword arguments and the recursion guard here, the
   check of the result where the interpreter calls through this convention. */
#define SETUP_REUSED_TUPLES 8

static PyObject *Setup_reusedTuples[SETUP_REUSED_TUPLES];

static PyObject *Setup_TakeTuple(Py_ssize_t count) {
  PyObject *tuple;
  if (count <= 0 || count >= SETUP_REUSED_TUPLES || !Setup_reusedTuples[count])
    return PyTuple_New(count);
  tuple = Setup_reusedTuples[count];
  Setup_reusedTuples[count] = 0;
  return tuple;
}

static void Setup_GiveBackTuple(PyObject *tuple, Py_ssize_t count) {
  PyObject *items[SETUP_REUSED_TUPLES];
  if (count <= 0 || count >= SETUP_REUSED_TUPLES || Setup_reusedTuples[count] || Py_REFCNT(tuple) != 1) {
    /* A collection may have stopped tracking a reused tuple while it held only
       plain values; one that lives on is tracked again like any other. */
    if (Py_REFCNT(tuple) != 1 && !PyObject_GC_IsTracked(tuple))
      PyObject_GC_Track(tuple);
    Py_DECREF(tuple);
    return;
  }
  for (Py_ssize_t i = 0; i < count; ++i) {
    items[i] = PyTuple_GET_ITEM(tuple, i);
    PyTuple_SET_ITEM(tuple, i, 0);
  }
  /* Emptied before the items go, whose release may run code that calls again. */
  Setup_reusedTuples[count] = tuple;
  for (Py_ssize_t i = 0; i < count; ++i)
    Py_DECREF(items[i]);
}

static PyObject *Setup_CallWithTuple(PyObject *function, PyObject *const *args, size_t nargsf, PyObject *kwnames) {
  PyMethodDef *def = ((PyCFunctionObject *)function)->m_ml;
  Py_ssize_t count = PyVectorcall_NARGS(nargsf);
  PyObject *tuple;
  PyObject *result = 0;
  if (kwnames && PyTuple_GET_SIZE(kwnames)) {
    PyErr_Format(PyExc_TypeError, "%.200s() takes no keyword arguments", def->ml_name);
    return 0;
  }
  tuple = Setup_TakeTuple(count);
  if (!tuple)
    return 0;
  for (Py_ssize_t i = 0; i < count; ++i) {
    Py_INCREF(args[i]);
    PyTuple_SET_ITEM(tuple, i, args[i]);
  }
  if (Py_EnterRecursiveCall(" while calling a Python object") == 0) {
    result = def->ml_meth(PyCFunction_GET_SELF(function), tuple);
    Py_LeaveRecursiveCall();
  }
  Setup_GiveBackTuple(tuple, count);
  return result;
}

/* Gives each function of the module that takes a tuple the fast convention. */
static void Setup_UseFastCalls(PyObject *dict, PyMethodDef *methods) {
  for (PyMethodDef *def = methods; def->ml_name; ++def) {
    PyObject *function;
    if (def->ml_flags != METH_VARARGS)
      continue;
    function = PyDict_GetItemString(dict, def->ml_name);
    if (function && PyCFunction_CheckExact(function) && ((PyCFunctionObject *)function)->m_ml == def &&
        !((PyCFunctionObject *)function)->vectorcall)
      ((PyCFunctionObject *)function)->vectorcall = Setup_CallWithTuple;
  }
}
%}

%header %{
/* The proxy classes' methods. SWIG's proxies hold each method as an
   instancemethod, which the interpreter binds to the instance, as a new method
   object, on every call. The same function is held here by a method
   descriptor, which the interpreter calls with the instance in front of the
   arguments, binding nothing. Read outside a call it answers as an
   instancemethod does: from an instance a bound method, from the class the
   function itself, and any other attribute is the function's. */
struct Setup_MethodObject {
  PyObject_HEAD
  PyObject *function;
  vectorcallfunc vectorcall;
};

/* The objects that stand in for a Python function here (this method
   descriptor, and the proxies' initialiser) hold it first; any attribute that
   their own type lacks is the function's. */
struct Setup_FunctionHolder {
  PyObject_HEAD
  PyObject *function;
};

static_assert(offsetof(Setup_MethodObject, function) == offsetof(Setup_FunctionHolder, function),
              "the method descriptor holds its function where Setup_FunctionHolder_getattro reads it");

static PyObject *Setup_FunctionHolder_getattro(PyObject *self, PyObject *name) {
  PyObject *descr = _PyType_Lookup(Py_TYPE(self), name);
  if (descr) {
    descrgetfunc get = Py_TYPE(descr)->tp_descr_get;
    if (get)
      return get(descr, self, (PyObject *)Py_TYPE(self));
    Py_INCREF(descr);
    return descr;
  }
  return PyObject_GetAttr(((Setup_FunctionHolder *)self)->function, name);
}

static void Setup_FunctionHolder_dealloc(PyObject *self) {
  PyObject_GC_UnTrack(self);
  Py_TYPE(self)->tp_clear(self);
  PyObject_GC_Del(self);
}

static PyTypeObject Setup_MethodType = {PyVarObject_HEAD_INIT(0, 0)};

static PyObject *Setup_Method_vectorcall(PyObject *self, PyObject *const *args, size_t nargsf, PyObject *kwnames) {
  return PyObject_Vectorcall(((Setup_MethodObject *)self)->function, args, nargsf, kwnames);
}

static PyObject *Setup_Method_get(PyObject *self, PyObject *obj, PyObject *) {
  PyObject *function = ((Setup_MethodObject *)self)->function;
  if (!obj) {
    Py_INCREF(function);
    return function;
  }
  return PyMethod_New(function, obj);
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
  return 0;
}

static int Setup_Method_clear(PyObject *self) {
  Py_CLEAR(((Setup_MethodObject *)self)->function);
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
  PyObject_GC_Track((PyObject *)method);
  return (PyObject *)method;
}

static PyMethodDef Setup_NewInstanceMethodDef = {"SWIG_PyInstanceMethod_New", Setup_NewInstanceMethod, METH_O, 0};

static void Setup_UseMethodDescriptors(PyObject *dict) {
  PyObject *maker;
  Setup_MethodType.tp_name = "instancemethod";
  Setup_MethodType.tp_basicsize = sizeof(Setup_MethodObject);
  Setup_MethodType.tp_flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_HAVE_GC | Py_TPFLAGS_METHOD_DESCRIPTOR |
                              Py_TPFLAGS_HAVE_VECTORCALL;
  Setup_MethodType.tp_vectorcall_offset = offsetof(Setup_MethodObject, vectorcall);
  Setup_MethodType.tp_call = PyVectorcall_Call;
  Setup_MethodType.tp_descr_get = Setup_Method_get;
  Setup_MethodType.tp_getattro = Setup_FunctionHolder_getattro;
  Setup_MethodType.tp_repr = Setup_Method_repr;
  Setup_MethodType.tp_traverse = Setup_Method_traverse;
  Setup_MethodType.tp_clear = Setup_Method_clear;
  Setup_MethodType.tp_dealloc = Setup_FunctionHolder_dealloc;
  Setup_MethodType.tp_members = Setup_Method_members;
  if (PyType_Ready(&Setup_MethodType) < 0) {
    PyErr_Clear(); /* the proxies keep SWIG's instancemethods */
    return;
  }
  maker = PyCFunction_New(&Setup_NewInstanceMethodDef, 0);
  if (!maker || PyDict_SetItemString(dict, Setup_NewInstanceMethodDef.ml_name, maker) < 0)
    PyErr_Clear();
  Py_XDECREF(maker);
}
%}

%init %{
  Setup_UseFastCalls(d, SwigMethods);
  Setup_UseMethodDescriptors(d);
%}
