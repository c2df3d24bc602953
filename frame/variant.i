/* ==========================================================================
 * The variant result rule: a script::Variant result becomes the native value
 * of its kind.
 * ========================================================================== */

%fragment("Setup_FromVariant", "header", fragment="Setup_FromQString") %{
#include <script/Variant.h>

/* A bool or int kind gives an int (toInt's), a double a float, a text a str,
   a text list a new list of str; a value of no kind, or of a kind the
   interface does not know, gives None. */
static PyObject *Setup_FromVariant(const script::Variant &value) {
  switch (value.type()) {
  case script::Variant::Bool:
  case script::Variant::Int:
    return PyLong_FromLong(value.toInt());
  case script::Variant::Double:
    return PyFloat_FromDouble(value.toDouble());
  case script::Variant::String:
    return Setup_FromQString(value.toString());
  case script::Variant::StringList:
    return Setup_FromQStringList(value.toStringList());
  default:
    Py_RETURN_NONE;
  }
}
%}

/* script::Variant by value: the host's copy is the wrapper's temporary and
   goes with it; the script gets a new native object. */
%typemap(out, fragment="Setup_FromVariant") script::Variant "$result = Setup_FromVariant($1);";
