/* ==========================================================================
 * Texts: the string, byte-string and wide-string argument rules, and the
 * string, string list, byte-string and wide-string result rules.
 * ========================================================================== */

%fragment("Setup_PathOf", "header") %{
/* A file name given as an os.PathLike object is a text wherever one is taken. */
static inline int Setup_IsPathLike(PyObject *obj) {
  static PyObject *name = PyUnicode_InternFromString("__fspath__");
  return name && _PyType_Lookup(Py_TYPE(obj), name) != 0;
}

/* The path of an os.PathLike object (a new str or bytes), or 0, with no
   exception set, for anything else or a path that cannot be had. */
static PyObject *Setup_PathOf(PyObject *obj) {
  PyObject *path;
  if (!Setup_IsPathLike(obj))
    return 0;
  path = PyOS_FSPath(obj);
  if (!path)
    PyErr_Clear();
  return path;
}
%}

%fragment("Setup_AsQString", "header", fragment="Setup_PathOf") %{
#include <QtCore/QString>
#include <cstring>
#include <cwchar>

/* The text ends at its first NUL, as the application's C-string APIs would see it. */
template <class Unit>
static inline Py_ssize_t Setup_LengthToNul(const Unit *units, Py_ssize_t length) {
  for (Py_ssize_t i = 0; i < length; ++i)
    if (!units[i])
      return i;
  return length;
}

/* Names and paths are short; a long one-byte text is searched by the library. */
static inline Py_ssize_t Setup_LengthToNulOfBytes(const char *units, Py_ssize_t length) {
  if (length < 64)
    return Setup_LengthToNul(units, length);
  const void *nul = std::memchr(units, 0, (size_t)length);
  return nul ? (const char *)nul - units : length;
}

/* A str's own storage, read in its own width, straight into the QString. */
static int Setup_QStringFromUnicode(PyObject *text, QString *out) {
  const Py_ssize_t length = PyUnicode_GET_LENGTH(text);
  const int kind = PyUnicode_KIND(text);
  const void *data = PyUnicode_DATA(text);
  /* A text that is empty up to its first NUL is empty, never null: the host
     tells the two apart. */
  if (!length || !PyUnicode_READ(kind, data, 0)) {
    *out = QStringLiteral("");
    return 1;
  }
  switch (kind) {
  case PyUnicode_1BYTE_KIND: {
    const char *units = (const char *)data;
    *out = QString::fromLatin1(units, Setup_LengthToNulOfBytes(units, length));
    return 1;
  }
  case PyUnicode_2BYTE_KIND: {
    const Py_UCS2 *units = (const Py_UCS2 *)data;
    *out = QString((const QChar *)units, Setup_LengthToNul(units, length));
    return 1;
  }
  default: {
    const Py_UCS4 *units = (const Py_UCS4 *)data;
    *out = QString::fromUcs4((const char32_t *)units, Setup_LengthToNul(units, length));
    return 1;
  }
  }
}

/* String argument rule: str; bytes decoded as UTF-8; None, the null string;
   a wchar_t * pointer object; an os.PathLike object, as its path. Returns 0,
   with no exception set, for anything else and for bytes that are not UTF-8. */
static int Setup_AsQString(PyObject *obj, QString *out) {
  if (PyUnicode_Check(obj))
    return Setup_QStringFromUnicode(obj, out);
  if (PyBytes_Check(obj)) {
    PyObject *text = PyUnicode_DecodeUTF8(PyBytes_AS_STRING(obj), PyBytes_GET_SIZE(obj), "strict");
    int ok;
    if (!text) {
      PyErr_Clear();
      return 0;
    }
    ok = Setup_QStringFromUnicode(text, out);
    Py_DECREF(text);
    return ok;
  }
  if (obj == Py_None) {
    *out = QString();
    return 1;
  }
  {
    void *wide = 0;
    if (SWIG_IsOK(SWIG_ConvertPtr(obj, &wide, SWIGTYPE_p_wchar_t, 0))) {
      *out = wide ? QString::fromWCharArray((const wchar_t *)wide, -1) : QString();
      return 1;
    }
  }
  if (PyObject *path = Setup_PathOf(obj)) {
    int ok = Setup_AsQString(path, out);
    Py_DECREF(path);
    return ok;
  }
  return 0;
}

/* A text for overload choice: str, bytes or an os.PathLike object. */
static inline int Setup_IsText(PyObject *obj) {
  return PyUnicode_Check(obj) || PyBytes_Check(obj) || Setup_IsPathLike(obj);
}
%}

%fragment("Setup_FromQString", "header") %{
#include <QtCore/QString>
#include <QtCore/QStringList>

/* String result rule: a str, cut at the first NUL. UTF-16 surrogate pairs
   become one character; a lone surrogate is kept as it is. */
static PyObject *Setup_FromQString(const QString &text) {
  const char16_t *units = (const char16_t *)text.utf16();
  Py_ssize_t length = 0;
  Py_ssize_t size = text.size();
  char16_t widest = 0;
  for (; length < size && units[length]; ++length)
    widest |= units[length];
  if (widest < 0x100) {
    PyObject *result = PyUnicode_New(length, widest < 0x80 ? 0x7f : 0xff);
    if (result) {
      Py_UCS1 *data = PyUnicode_1BYTE_DATA(result);
      for (Py_ssize_t i = 0; i < length; ++i)
        data[i] = (Py_UCS1)units[i];
    }
    return result;
  }
  {
    int byteorder = -1; /* QString holds native little-endian units here */
    return PyUnicode_DecodeUTF16((const char *)units, length * 2, "surrogatepass", &byteorder);
  }
}

/* String list result rule: a new list of str, in order. */
static PyObject *Setup_FromQStringList(const QStringList &texts) {
  PyObject *list = PyList_New(texts.size());
  if (!list)
    return 0;
  for (qsizetype i = 0; i < texts.size(); ++i) {
    PyObject *item = Setup_FromQString(texts.at(i));
    if (!item) {
      Py_DECREF(list);
      return 0;
    }
    PyList_SET_ITEM(list, i, item);
  }
  return list;
}
%}

%fragment("Setup_AsByteString", "header", fragment="Setup_PathOf") %{
/* Byte-string argument rule: str as UTF-8 (the buffer str keeps for itself),
   bytes as they are, None as a null pointer, a char * pointer object, an
   os.PathLike object as its path, which *keep then holds (the caller releases
   it after the call). The pointer stays valid while the argument, or the path
   kept, does, that is for the whole call. */
static int Setup_AsByteString(PyObject *obj, const char **out, PyObject **keep) {
  if (PyUnicode_Check(obj)) {
    *out = PyUnicode_AsUTF8(obj);
    if (!*out)
      PyErr_Clear(); /* a lone surrogate has no UTF-8 form */
    return *out != 0;
  }
  if (PyBytes_Check(obj)) {
    *out = PyBytes_AS_STRING(obj);
    return 1;
  }
  if (obj == Py_None) {
    *out = 0;
    return 1;
  }
  {
    void *bytes = 0;
    if (SWIG_IsOK(SWIG_ConvertPtr(obj, &bytes, SWIGTYPE_p_char, 0))) {
      *out = (const char *)bytes;
      return 1;
    }
  }
  if (PyObject *path = Setup_PathOf(obj)) {
    int ok = Setup_AsByteString(path, out, keep);
    if (ok)
      *keep = path;
    else
      Py_DECREF(path);
    return ok;
  }
  return 0;
}

/* A byte string for overload choice, taken without making a path's text. */
static inline int Setup_IsByteString(PyObject *obj) {
  void *bytes;
  if (PyUnicode_Check(obj)) {
    if (PyUnicode_AsUTF8(obj))
      return 1;
    PyErr_Clear();
    return 0;
  }
  return PyBytes_Check(obj) || obj == Py_None || Setup_IsPathLike(obj) ||
         SWIG_IsOK(SWIG_ConvertPtr(obj, &bytes, SWIGTYPE_p_char, 0));
}
%}

%fragment("Setup_AsWString", "header", fragment="Setup_AsQString") %{
#include <string>

/* Wide-string argument rule: str; bytes as UTF-8; a std::wstring * pointer
   object; an os.PathLike object, as its path. Returns 0 for anything else, -1
   for None (a null reference). */
static int Setup_AsWString(PyObject *obj, std::wstring *text, const std::wstring **out) {
  PyObject *decoded = 0;
  if (obj == Py_None)
    return -1;
  if (PyObject *path = Setup_PathOf(obj)) {
    int found = Setup_AsWString(path, text, out);
    Py_DECREF(path);
    return found > 0 ? found : 0;
  }
  if (PyBytes_Check(obj)) {
    decoded = PyUnicode_DecodeUTF8(PyBytes_AS_STRING(obj), PyBytes_GET_SIZE(obj), "strict");
    if (!decoded) {
      PyErr_Clear();
      return 0;
    }
    obj = decoded;
  }
  if (PyUnicode_Check(obj)) {
    Py_ssize_t length = 0;
    wchar_t *units = PyUnicode_AsWideCharString(obj, &length);
    Py_XDECREF(decoded);
    if (!units) {
      PyErr_Clear();
      return 0;
    }
    text->assign(units, (size_t)length);
    PyMem_Free(units);
    *out = text;
    return 1;
  }
  {
    void *wide = 0;
    if (!SWIG_IsOK(SWIG_ConvertPtr(obj, &wide, SWIGTYPE_p_std__wstring, 0)))
      return 0;
    *out = (const std::wstring *)wide;
    return wide ? 1 : -1;
  }
}
%}

/* Registers the pointer types that the text rules accept, even in a module
   that declares no function taking them. */
%types(wchar_t *, char *, std::wstring *);

/* QString, by value or const reference. Accepts what Setup_AsQString does;
   the host receives a QString that lives on the wrapper's stack and goes when
   the call returns. Anything else: RuntimeError "Bad string input to call". */
%typemap(in, noblock=1, fragment="Setup_AsQString,Setup_Deliver") QString (QString text), const QString & (QString text) {
  if (!Setup_AsQString($input, &text)) {
    PyErr_SetString(PyExc_RuntimeError, "Bad string input to call");
    SWIG_fail;
  }
  $1 = Setup_Deliver<$1_ltype>(text);
}
%typemap(typecheck, precedence=SWIG_TYPECHECK_UNISTRING, noblock=1, fragment="Setup_AsQString")
    QString, const QString & {
  $1 = Setup_IsText($input);
}

/* char const *. Accepts what Setup_AsByteString does; the host receives a
   pointer into the argument's own buffer, which the caller's argument keeps
   alive, or into a path's text, which the wrapper keeps and frees after the
   call. Anything else: the TypeError argument failure. */
%typemap(in, noblock=1, fragment="Setup_AsByteString") const char * (const char *bytes, PyObject *path = 0) {
  if (!Setup_AsByteString($input, &bytes, &path)) {
    %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
  }
  $1 = %const_cast(bytes, $1_ltype);
}
%typemap(freearg, noblock=1) const char * {
  Py_XDECREF(path$argnum);
}
%typemap(typecheck, precedence=SWIG_TYPECHECK_STRING, noblock=1, fragment="Setup_AsByteString")
    const char * {
  $1 = Setup_IsByteString($input);
}

/* std::wstring const &. Accepts what Setup_AsWString does; the host receives
   a copy on the wrapper's stack (or the pointer object's own string). None:
   the null reference failure; anything else: the TypeError argument failure. */
%typemap(in, noblock=1, fragment="Setup_AsWString") const std::wstring & (std::wstring text, const std::wstring *given, int found) {
  found = Setup_AsWString($input, &text, &given);
  if (found < 0) {
    %argument_nullref("$type", $symname, $argnum);
  }
  if (!found) {
    %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
  }
  $1 = %const_cast(given, $1_ltype);
}
%typemap(typecheck, precedence=SWIG_TYPECHECK_STDUNISTRING, noblock=1) const std::wstring & {
  $1 = Setup_IsText($input) || $input == Py_None ||
       SWIG_IsOK(SWIG_ConvertPtr($input, 0, SWIGTYPE_p_std__wstring, 0));
}

/* Results. Each makes a new Python object; the host's value is a temporary of
   the wrapper and goes with it. */
%typemap(out, fragment="Setup_FromQString") QString "$result = Setup_FromQString($1);";
%typemap(out, fragment="Setup_FromQString") QStringList "$result = Setup_FromQStringList($1);";
/* std::string: str from UTF-8, other bytes kept as surrogate escapes so they round-trip. */
%typemap(out) std::string
  "$result = PyUnicode_DecodeUTF8($1.data(), (Py_ssize_t)$1.size(), \"surrogateescape\");";
%typemap(out) std::wstring "$result = PyUnicode_FromWideChar($1.data(), (Py_ssize_t)$1.size());";
