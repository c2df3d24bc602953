/* ==========================================================================
 * Calls: how the interpreter reaches the functions that take several
 * arguments.
 * ========================================================================== */

%header %{
/* SWIG's functions of several arguments read them from a tuple, which the
   interpreter builds and frees on every call. They are reached here through
   the interpreter's fast calling convention instead, with a tuple of each
   length kept for reuse: it is filled for the call and emptied after it; one
   that the callee still holds is left to it. The rest is as the interpreter
   does it: the refusal of keyword arguments, the recursion guard, the check
   of the result. */
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
  /* The interpreter's check that a result and an exception do not meet, with
     its own SystemError, made only when they do. */
  if (!result == !PyErr_Occurred()) {
#if PY_VERSION_HEX < 0x030d0000
    result = _Py_CheckFunctionResult(PyThreadState_Get(), function, result, 0);
#else
    Py_CLEAR(result);
    if (!PyErr_Occurred())
      PyErr_Format(PyExc_SystemError, "%R returned NULL without setting an exception", function);
    else
      PyErr_Format(PyExc_SystemError, "%R returned a result with an exception set", function);
#endif
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

%init %{
  Setup_UseFastCalls(d, SwigMethods);
%}
