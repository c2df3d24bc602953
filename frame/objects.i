/* ==========================================================================
 * Host objects: the object argument rule, the receiver, and what delete_
 * functions do with the pointer objects given to them.
 * ========================================================================== */

%header %{
#include <cstdint>
#include <cstring>

/* Finding the pointer object behind an argument is on the road of every call,
   so it is done here without SWIG's costly steps, to the same result:

   - SWIG asks of every object that is not exactly its own pointer-object type
     whether the type's qualified name is "swig_runtime_data4.SwigPyObject"
     (each module that shares the table makes a type of that name), building
     that name as a new string each time. A name can only match when the
     type's __qualname__ ends in "SwigPyObject", which is read without making
     anything; only such types, and types whose metaclass may answer
     __qualname__ in its own way, still get SWIG's question. A type that
     passes it is remembered (and kept alive), so the pointer objects of the
     other modules are then known by their type alone.
   - SWIG looks "this" up as an attribute and throws the AttributeError away
     when there is none. Here a missing "this" raises nothing; and for a class
     that has no "this" of its own (no property of that name, no __getattr__),
     which is what a proxy class is, "this" can only be in the instance's
     dict, which is read directly. What is learnt of a class holds while the
     class keeps its version tag: the interpreter gives a class a new one
     whenever it or a base changes. */
#define SETUP_KNOWN_POINTER_TYPES 8
#define SETUP_KNOWN_PROXY_TYPES 64

static PyTypeObject *Setup_knownPointerTypes[SETUP_KNOWN_POINTER_TYPES];

struct Setup_ProxyType {
  PyTypeObject *type; /* not kept alive: a later class at the same place has another version */
  unsigned int version;
};
static Setup_ProxyType Setup_knownProxyTypes[SETUP_KNOWN_PROXY_TYPES];

static int Setup_NameMayBePointerType(PyTypeObject *type) {
  static const char tail[] = "SwigPyObject";
  const Py_ssize_t tailLength = (Py_ssize_t)sizeof tail - 1;
  if (!Py_IS_TYPE((PyObject *)type, &PyType_Type))
    return 1;
  if (type->tp_flags & Py_TPFLAGS_HEAPTYPE) {
    PyObject *qualname = ((PyHeapTypeObject *)type)->ht_qualname;
    Py_ssize_t length;
    if (!qualname || !PyUnicode_Check(qualname))
      return 1;
    length = PyUnicode_GET_LENGTH(qualname);
    if (length < tailLength)
      return 0;
    for (Py_ssize_t i = 0; i < tailLength; ++i)
      if (PyUnicode_READ_CHAR(qualname, length - tailLength + i) != (Py_UCS4)tail[i])
        return 0;
    return 1;
  }
  {
    size_t length = std::strlen(type->tp_name);
    return length >= (size_t)tailLength && std::memcmp(type->tp_name + length - tailLength, tail, tailLength) == 0;
  }
}

/* SwigPyObject_Check, with the answer for known types first. */
static int Setup_IsPointerObjectOfOtherType(PyObject *obj) {
  PyTypeObject *type = Py_TYPE(obj);
  int slot;
  for (slot = 1; slot < SETUP_KNOWN_POINTER_TYPES && Setup_knownPointerTypes[slot]; ++slot)
    if (Setup_knownPointerTypes[slot] == type)
      return 1;
  if (!Setup_NameMayBePointerType(type) || !SwigPyObject_Check(obj))
    return 0;
  if (slot < SETUP_KNOWN_POINTER_TYPES) {
    Py_INCREF(type);
    Setup_knownPointerTypes[slot] = type;
  }
  return 1;
}

static inline int Setup_IsPointerObject(PyObject *obj) {
  return Py_TYPE(obj) == Setup_knownPointerTypes[0] || Setup_IsPointerObjectOfOtherType(obj);
}

static inline Setup_ProxyType *Setup_ProxyTypeEntry(PyTypeObject *type) {
  return &Setup_knownProxyTypes[((uintptr_t)type >> 4) % SETUP_KNOWN_PROXY_TYPES];
}

/* A class known to be no pointer-object type and to have no "this" of its own. */
static inline int Setup_IsKnownProxyType(PyTypeObject *type) {
  const Setup_ProxyType *entry = Setup_ProxyTypeEntry(type);
  return entry->type == type && entry->version == type->tp_version_tag &&
         PyType_HasFeature(type, Py_TPFLAGS_VALID_VERSION_TAG);
}

static void Setup_LearnProxyType(PyTypeObject *type) {
  Setup_ProxyType *entry;
  if (type->tp_getattro != PyObject_GenericGetAttr || Setup_NameMayBePointerType(type) ||
      _PyType_Lookup(type, SWIG_This()) || !PyType_HasFeature(type, Py_TPFLAGS_VALID_VERSION_TAG))
    return;
  entry = Setup_ProxyTypeEntry(type);
  entry->type = type;
  entry->version = type->tp_version_tag;
}

/* The "this" of an instance of a known proxy class; 1 found (a new
   reference), 0 absent (no exception left), -1 failed. openDict says that an
   instance keeping its attributes inline may be given its dict to read, once:
   not so a fresh instance, which is only asked whether it has a "this" yet. */
static int Setup_FindThisOfProxy(PyObject *obj, PyObject **value, int openDict) {
#if PY_VERSION_HEX >= 0x030b0000 && PY_VERSION_HEX < 0x030d0000
  PyObject **dict = openDict ? _PyObject_GetDictPtr(obj) : 0;
  if (dict) {
    if (!*dict)
      return 0;
    *value = PyDict_GetItemWithError(*dict, SWIG_This());
    if (!*value)
      return PyErr_Occurred() ? -1 : 0;
    Py_INCREF(*value);
    return 1;
  }
#else
  (void)openDict;
#endif
#if PY_VERSION_HEX >= 0x030d0000
  return PyObject_GetOptionalAttr(obj, SWIG_This(), value);
#else
  return _PyObject_LookupAttr(obj, SWIG_This(), value);
#endif
}

/* SWIG_Python_GetSwigThis: the object itself if it is a pointer object, else
   the pointer object found through its "this" (followed as far as it leads);
   a borrowed reference, or 0 with no exception set. */
static SwigPyObject *Setup_GetSwigThisOf(PyObject *obj, int openDict) {
  PyTypeObject *type = Py_TYPE(obj);
  PyObject *self;
  int found;
  if (type == Setup_knownPointerTypes[0])
    return (SwigPyObject *)obj;
  if (Setup_IsKnownProxyType(type)) {
    found = Setup_FindThisOfProxy(obj, &self, openDict);
  } else {
    if (Setup_IsPointerObjectOfOtherType(obj))
      return (SwigPyObject *)obj;
#if PY_VERSION_HEX >= 0x030d0000
    found = PyObject_GetOptionalAttr(obj, SWIG_This(), &self);
#else
    found = _PyObject_LookupAttr(obj, SWIG_This(), &self);
#endif
    if (found >= 0)
      Setup_LearnProxyType(type);
  }
  if (found <= 0) {
    if (found < 0)
      PyErr_Clear();
    return 0;
  }
  Py_DECREF(self); /* the object keeps its "this" alive, as SWIG assumes */
  if (!Setup_IsPointerObject(self))
    return Setup_GetSwigThisOf(self, openDict);
  return (SwigPyObject *)self;
}

static SwigPyObject *Setup_GetSwigThis(PyObject *obj) {
  return Setup_GetSwigThisOf(obj, 1);
}

/* SWIG_Python_ConvertPtrAndOwn for the conversions this module makes (no
   implicit conversion, no ownership asked back): the same walk along the
   pointer objects, the same casts and flags. A cast is first looked for by
   descriptor, which the shared table makes unique, then by name as SWIG does. */
/* The pointer object of a proxy whose class is known, when it is of a known
   pointer-object type; else 0, and the general search decides. */
static inline SwigPyObject *Setup_OwnThisOfKnownProxy(PyObject *obj) {
#if PY_VERSION_HEX >= 0x030b0000 && PY_VERSION_HEX < 0x030d0000
  PyObject **dict;
  PyObject *self;
  if (!Setup_IsKnownProxyType(Py_TYPE(obj)) || !(dict = _PyObject_GetDictPtr(obj)) || !*dict)
    return 0;
  self = PyDict_GetItemWithError(*dict, SWIG_This());
  if (!self)
    return 0;
  for (int slot = 0; slot < SETUP_KNOWN_POINTER_TYPES && Setup_knownPointerTypes[slot]; ++slot)
    if (Py_TYPE(self) == Setup_knownPointerTypes[slot])
      return (SwigPyObject *)self;
  return 0;
#else
  (void)obj;
  return 0;
#endif
}

static int Setup_ConvertPtrAndOwn(PyObject *obj, void **ptr, swig_type_info *type, int flags) {
  SwigPyObject *holder;
  if (!obj || obj == Py_None || (flags & SWIG_POINTER_IMPLICIT_CONV))
    return SWIG_Python_ConvertPtrAndOwn(obj, ptr, type, flags, 0);
  if (Py_TYPE(obj) == Setup_knownPointerTypes[0])
    holder = (SwigPyObject *)obj;
  else if (!(holder = Setup_OwnThisOfKnownProxy(obj)))
    holder = Setup_GetSwigThis(obj);
  for (; holder; holder = (SwigPyObject *)holder->next) {
    swig_type_info *from = holder->ty;
    swig_cast_info *cast;
    if (!type || from == type) {
      if (ptr)
        *ptr = holder->ptr;
      break;
    }
    if (!from)
      continue;
    cast = SWIG_TypeCheckStruct(from, type);
    if (!cast)
      cast = SWIG_TypeCheck(from->name, type);
    if (cast) {
      if (ptr) {
        int newmemory = 0; /* only smart pointers make new memory; there are none here */
        *ptr = SWIG_TypeCast(cast, holder->ptr, &newmemory);
      }
      break;
    }
  }
  if (!holder)
    return SWIG_ERROR;
  if ((flags & SWIG_POINTER_RELEASE) == SWIG_POINTER_RELEASE && !holder->own)
    return SWIG_ERROR_RELEASE_NOT_OWNED;
  if (flags & SWIG_POINTER_DISOWN)
    holder->own = 0;
  if (flags & SWIG_POINTER_CLEAR)
    holder->ptr = 0;
  return SWIG_OK;
}

/* Every pointer conversion of a call comes here. A delete_ function (which
   asks to take ownership) destroys the host object only when the pointer
   object owns it: one that does not may be a view of what the host or a list
   holds. Either way the pointer object is cleared, so that a second delete
   does nothing and any other use is refused instead of reaching freed memory. */
static int Setup_ConvertPtr(PyObject *obj, void **ptr, swig_type_info *type, int flags) {
  if ((flags & SWIG_POINTER_DISOWN) && obj != Py_None) {
    SwigPyObject *holder = obj ? Setup_GetSwigThis(obj) : 0;
    int res = Setup_ConvertPtrAndOwn(obj, ptr, type, flags & ~SWIG_POINTER_DISOWN);
    if (!SWIG_IsOK(res) || !holder)
      return res;
    if (!holder->own && ptr)
      *ptr = 0;
    holder->own = 0;
    holder->ptr = 0;
    return res;
  }
  return Setup_ConvertPtrAndOwn(obj, ptr, type, flags);
}

#undef SWIG_ConvertPtr
#define SWIG_ConvertPtr(obj, pptr, type, flags) Setup_ConvertPtr(obj, pptr, type, flags)
#undef SWIG_Python_GetSwigThis
#define SWIG_Python_GetSwigThis(obj) Setup_GetSwigThis(obj)

/* Class_swiginit, called by every proxy's __init__: a fresh instance has no
   "this" yet, which SWIG learns by a failed lookup whose exception it builds
   and throws away. */
static PyObject *Setup_InitShadowInstance(PyObject *args) {
  PyObject *obj[2];
  SwigPyObject *held;
  if (!SWIG_Python_UnpackTuple(args, "swiginit", 2, 2, obj))
    return NULL;
  held = Setup_GetSwigThisOf(obj[0], 0);
  if (held) {
    PyObject *appended = SwigPyObject_append((PyObject *)held, obj[1]);
    if (!appended)
      return NULL;
    Py_DECREF(appended);
  } else if (PyObject_SetAttr(obj[0], SWIG_This(), obj[1]) != 0) {
    return NULL;
  }
  return SWIG_Py_Void();
}

#undef SWIG_Python_InitShadowInstance
#define SWIG_Python_InitShadowInstance(args) Setup_InitShadowInstance(args)

/* Data-member setters, whose wrappers test the receiver themselves, leave a
   None receiver alone, as delete_ functions do; every other function refuses
   a null receiver, so that no host operation is called through a null pointer. */
static constexpr bool Setup_IsMemberSetter(const char *name) {
  const char *end = name;
  while (*end)
    ++end;
  return end - name > 4 && end[-4] == '_' && end[-3] == 's' && end[-2] == 'e' && end[-1] == 't';
}
%}

/* The receiver: a proxy or pointer object of the class or of a class below it.
   The host receives the pointer; nothing is freed. A null receiver is refused
   with the TypeError argument failure for argument 1, except as said above. */
%typemap(in, noblock=1) SWIGTYPE *self (void *argp = 0, int res = 0) {
  res = SWIG_ConvertPtr($input, &argp, $descriptor, $disown | %convertptr_flags);
  if (!SWIG_IsOK(res)) {
    %argument_fail(res, "$type", $symname, $argnum);
  }
  if (!argp && !($disown) && !(Setup_IsMemberSetter("$symname") && $input == Py_None)) {
    %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
  }
  $1 = %reinterpret_cast(argp, $ltype);
}
%typemap(typecheck, precedence=SWIG_TYPECHECK_POINTER, noblock=1) SWIGTYPE *self {
  {
    void *probe = 0;
    $1 = SWIG_CheckState(SWIG_ConvertPtr($input, &probe, $descriptor, 0)) && probe;
  }
}

/* A reference passes overload choice as None too, so that None then meets
   the null reference failure of the chosen form rather than the overload failure. */
%typemap(typecheck, precedence=SWIG_TYPECHECK_POINTER, noblock=1) SWIGTYPE &, const SWIGTYPE & {
  $1 = $input == Py_None || SWIG_CheckState(SWIG_ConvertPtr($input, 0, $descriptor, SWIG_POINTER_NO_NULL));
}

%init %{
  Setup_knownPointerTypes[0] = SwigPyObject_Type();
  /* The name "this" is interned, as the interpreter's own attribute names are:
     an instance's attributes then find it by identity, and storing it needs
     no interning of its own on each new proxy. */
  SWIG_This();
  PyUnicode_InternInPlace(&Swig_This_global);
%}
