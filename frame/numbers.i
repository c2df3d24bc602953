/* ==========================================================================
 * Numbers and truth values: the integer, real and truth argument rules.
 * The results are SWIG's: int, float and bool.
 * ========================================================================== */

%fragment("Setup_AsInt", "header") %{
#include <climits>

/* Integer argument rule: an int (bool included) within 32 signed bits. */
static inline int Setup_AsInt(PyObject *obj, int *out) {
  int overflow = 0;
  long value;
  if (!PyLong_Check(obj))
    return 0;
  value = PyLong_AsLongAndOverflow(obj, &overflow);
  if (overflow || value < INT_MIN || value > INT_MAX)
    return 0;
  *out = (int)value;
  return 1;
}
%}

%fragment("Setup_AsDouble", "header") %{
/* Real argument rule: a float (or subclass), or an int that a double can hold. */
static inline int Setup_AsDouble(PyObject *obj, double *out) {
  if (PyFloat_Check(obj)) {
    *out = PyFloat_AS_DOUBLE(obj);
    return 1;
  }
  if (PyLong_Check(obj)) {
    *out = PyLong_AsDouble(obj);
    if (*out == -1.0 && PyErr_Occurred()) {
      PyErr_Clear();
      return 0;
    }
    return 1;
  }
  return 0;
}
%}

%fragment("Setup_AsTruth", "header") %{
/* Truth argument rule: any object whose truth test answers. */
static inline int Setup_AsTruth(PyObject *obj, bool *out) {
  int truth = PyObject_IsTrue(obj);
  if (truth < 0) {
    PyErr_Clear();
    return 0;
  }
  *out = truth != 0;
  return 1;
}
%}

%fragment("Setup_AsSize", "header") %{
/* Size argument rule: a non-negative int within 32 unsigned bits. Returns 0 for
   a negative int (an overflow), -1 for anything else. */
static inline int Setup_AsSize(PyObject *obj, size_t *out) {
  int overflow = 0;
  long long value;
  if (!PyLong_Check(obj))
    return -1;
  value = PyLong_AsLongLongAndOverflow(obj, &overflow);
  if (overflow < 0 || (!overflow && value < 0))
    return 0;
  if (overflow || value > 0xFFFFFFFFLL)
    return -1;
  *out = (size_t)value;
  return 1;
}
%}

/* Truth values are tried after every other kind, since every object has one. */
%define SETUP_TYPECHECK_TRUTH 5000 %enddef

/* int and enumerations, by value or const reference. Accepts an int within
   32 signed bits; the host receives the value (a const reference points at a
   copy on the wrapper's stack). Out of range or not an int: TypeError. */
%typemap(in, noblock=1, fragment="Setup_AsInt") int (int value), enum SWIGTYPE (int value) {
  if (!Setup_AsInt($input, &value)) {
    %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
  }
  $1 = %static_cast(value, $1_ltype);
}
%typemap(in, noblock=1, fragment="Setup_AsInt") const int & (int value, $*1_ltype copy), const enum SWIGTYPE & (int value, $*1_ltype copy) {
  if (!Setup_AsInt($input, &value)) {
    %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
  }
  copy = %static_cast(value, $*1_ltype);
  $1 = &copy;
}
%typemap(typecheck, precedence=SWIG_TYPECHECK_INT32, noblock=1, fragment="Setup_AsInt")
    int, enum SWIGTYPE, const int &, const enum SWIGTYPE & {
  {
    int probe;
    $1 = Setup_AsInt($input, &probe);
  }
}

/* double, by value or const reference. Accepts what Setup_AsDouble does; anything else: TypeError. */
%typemap(in, noblock=1, fragment="Setup_AsDouble,Setup_Deliver") double (double value), const double & (double value) {
  if (!Setup_AsDouble($input, &value)) {
    %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
  }
  $1 = Setup_Deliver<$1_ltype>(value);
}
%typemap(typecheck, precedence=SWIG_TYPECHECK_DOUBLE, noblock=1, fragment="Setup_AsDouble")
    double, const double & {
  {
    double probe;
    $1 = Setup_AsDouble($input, &probe);
  }
}

/* bool, by value or const reference. Accepts any object whose truth test
   answers; one whose truth test raises: TypeError. */
%typemap(in, noblock=1, fragment="Setup_AsTruth,Setup_Deliver") bool (bool value), const bool & (bool value) {
  if (!Setup_AsTruth($input, &value)) {
    %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
  }
  $1 = Setup_Deliver<$1_ltype>(value);
}
%typemap(typecheck, precedence=SETUP_TYPECHECK_TRUTH, noblock=1, fragment="Setup_AsTruth") bool, const bool & {
  {
    bool probe;
    $1 = Setup_AsTruth($input, &probe);
  }
}


/* size_t: accepts a non-negative int within 32 unsigned bits; the host
   receives the value. Negative: OverflowError; anything else: TypeError. */
%typemap(in, noblock=1, fragment="Setup_AsSize") size_t (int found) {
  found = Setup_AsSize($input, &$1);
  if (found <= 0) {
    %argument_fail(found ? SWIG_TypeError : SWIG_OverflowError, "$type", $symname, $argnum);
  }
}
%typemap(typecheck, precedence=SWIG_TYPECHECK_SIZE, noblock=1, fragment="Setup_AsSize") size_t {
  {
    size_t probe;
    $1 = Setup_AsSize($input, &probe) > 0;
  }
}

%fragment("Setup_AsIndex", "header") %{
#include <cstddef>

/* Index argument rule: an int (bool included) that a signed index holds.
   Returns 0 for an int too large either way (an overflow), -1 for anything else. */
static inline int Setup_AsIndex(PyObject *obj, ptrdiff_t *out) {
  int overflow = 0;
  long long value;
  if (!PyLong_Check(obj))
    return -1;
  value = PyLong_AsLongLongAndOverflow(obj, &overflow);
  if (overflow)
    return 0;
  *out = (ptrdiff_t)value;
  return 1;
}
%}

/* ptrdiff_t (an index or a signed count): accepts an int that a signed 64-bit
   index holds; the host receives the value. Too large: OverflowError; anything
   else: TypeError. */
%typemap(in, noblock=1, fragment="Setup_AsIndex") ptrdiff_t (int found) {
  found = Setup_AsIndex($input, &$1);
  if (found <= 0) {
    %argument_fail(found ? SWIG_TypeError : SWIG_OverflowError, "$type", $symname, $argnum);
  }
}
/* Any int chooses the form, so that one too large meets the OverflowError. */
%typemap(typecheck, precedence=SWIG_TYPECHECK_INT64, noblock=1) ptrdiff_t {
  $1 = PyLong_Check($input);
}
