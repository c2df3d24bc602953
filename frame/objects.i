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
  /* Where an instance keeps "this", for a class that holds it in a slot;
     0 for a class whose instances keep it in their dict. */
  Py_ssize_t thisOffset;
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

/* One of the pointer-object types met so far (this module's is the first). */
static inline int Setup_IsKnownPointerType(PyTypeObject *type) {
  for (int slot = 0; slot < SETUP_KNOWN_POINTER_TYPES && Setup_knownPointerTypes[slot]; ++slot)
    if (Setup_knownPointerTypes[slot] == type)
      return 1;
  return 0;
}

/* SwigPyObject_Check, with the answer for known types first. */
static int Setup_IsPointerObjectOfOtherType(PyObject *obj) {
  PyTypeObject *type = Py_TYPE(obj);
  int slot;
  if (Setup_IsKnownPointerType(type))
    return 1;
  if (!Setup_NameMayBePointerType(type) || !SwigPyObject_Check(obj))
    return 0;
  /* remembered in the first free place, while there is one */
  for (slot = 1; slot < SETUP_KNOWN_POINTER_TYPES && Setup_knownPointerTypes[slot]; ++slot)
    ;
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

/* A class known to be no pointer-object type and to have no "this" of its
   own other than the slot of a proxy class. */
static inline const Setup_ProxyType *Setup_KnownProxyType(PyTypeObject *type) {
  const Setup_ProxyType *entry = Setup_ProxyTypeEntry(type);
  return entry->type == type && entry->version == type->tp_version_tag &&
                 PyType_HasFeature(type, Py_TPFLAGS_VALID_VERSION_TAG)
             ? entry
             : 0;
}

static inline int Setup_IsKnownProxyType(PyTypeObject *type) {
  return Setup_KnownProxyType(type) != 0;
}

/* The offset of a "this" slot: a member holding an object, as __slots__ makes. */
static Py_ssize_t Setup_ThisSlotOffset(PyObject *descriptor) {
  PyMemberDef *member;
  if (!descriptor || !Py_IS_TYPE(descriptor, &PyMemberDescr_Type))
    return -1;
  member = ((PyMemberDescrObject *)descriptor)->d_member;
  return member->type == T_OBJECT_EX && !(member->flags & READONLY) && member->offset > 0 ? member->offset : -1;
}

static void Setup_LearnProxyType(PyTypeObject *type) {
  Setup_ProxyType *entry;
  PyObject *own;
  Py_ssize_t offset = 0;
  if (type->tp_getattro != PyObject_GenericGetAttr || Setup_NameMayBePointerType(type))
    return;
  own = _PyType_Lookup(type, SWIG_This());
  if (own && (offset = Setup_ThisSlotOffset(own)) < 0)
    return;
  if (!PyType_HasFeature(type, Py_TPFLAGS_VALID_VERSION_TAG))
    return;
  entry = Setup_ProxyTypeEntry(type);
  entry->type = type;
  entry->version = type->tp_version_tag;
  entry->thisOffset = offset;
}

/* The object in an instance's "this" slot (borrowed), or 0. */
static inline PyObject *Setup_ThisInSlot(PyObject *obj, Py_ssize_t offset) {
  return *(PyObject **)((char *)obj + offset);
}

/* The attribute "this", if there is one: 1 found (a new reference), 0 absent
   (no exception left), -1 failed. */
static inline int Setup_LookupThis(PyObject *obj, PyObject **value) {
#if PY_VERSION_HEX >= 0x030d0000
  return PyObject_GetOptionalAttr(obj, SWIG_This(), value);
#else
  return _PyObject_LookupAttr(obj, SWIG_This(), value);
#endif
}

/* The "this" of an instance of a known proxy class; 1 found (a new
   reference), 0 absent (no exception left), -1 failed. openDict says that an
   instance keeping its attributes inline may be given its dict to read, once:
   not so a fresh instance, which is only asked whether it has a "this" yet. */
static int Setup_FindThisOfProxy(PyObject *obj, PyObject **value, int openDict) {
  const Setup_ProxyType *known = Setup_KnownProxyType(Py_TYPE(obj));
  if (known && known->thisOffset) {
    *value = Setup_ThisInSlot(obj, known->thisOffset);
    Py_XINCREF(*value);
    return *value != 0;
  }
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
  return Setup_LookupThis(obj, value);
}

/* How many objects a "this" may lead through before a pointer object: a
   "this" that leads back to itself ends the search instead of the stack. */
#define SETUP_THIS_DEPTH 8

/* SWIG_Python_GetSwigThis: the object itself if it is a pointer object, else
   the pointer object found through its "this" (followed as far as it leads);
   a borrowed reference, or 0 with no exception set. */
static SwigPyObject *Setup_GetSwigThisOf(PyObject *obj, int openDict) {
  for (int depth = 0; depth < SETUP_THIS_DEPTH; ++depth) {
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
      found = Setup_LookupThis(obj, &self);
      if (found >= 0)
        Setup_LearnProxyType(type);
    }
    if (found <= 0) {
      if (found < 0)
        PyErr_Clear();
      return 0;
    }
    Py_DECREF(self); /* the object keeps its "this" alive, as SWIG assumes */
    if (Setup_IsPointerObject(self))
      return (SwigPyObject *)self;
    obj = self;
  }
  return 0;
}

static SwigPyObject *Setup_GetSwigThis(PyObject *obj) {
  return Setup_GetSwigThisOf(obj, 1);
}

#if PY_VERSION_HEX >= 0x030b0000 && PY_VERSION_HEX < 0x030c0000
/* What a proxy's dict held under "this" when last read. The interpreter
   gives a dict a version number that no other dict and no other state of the
   same dict has ever had, so while a dict keeps its version it holds the same
   pointer object, which it keeps alive. */
#define SETUP_SEEN_DICTS 256
struct Setup_SeenDict {
  PyObject *dict;
  uint64_t version;
  SwigPyObject *self;
};
static Setup_SeenDict Setup_seenDicts[SETUP_SEEN_DICTS];

static inline Setup_SeenDict *Setup_SeenDictEntry(PyObject *dict) {
  return &Setup_seenDicts[((uintptr_t)dict >> 4) % SETUP_SEEN_DICTS];
}
#endif

/* The pointer object of a proxy whose class is known, when it is of a known
   pointer-object type; else 0, and the general search decides. */
static inline SwigPyObject *Setup_OwnThisOfKnownProxy(PyObject *obj) {
  const Setup_ProxyType *known = Setup_KnownProxyType(Py_TYPE(obj));
  if (known && known->thisOffset) {
    PyObject *self = Setup_ThisInSlot(obj, known->thisOffset);
    return self && Setup_IsKnownPointerType(Py_TYPE(self)) ? (SwigPyObject *)self : 0;
  }
#if PY_VERSION_HEX >= 0x030b0000 && PY_VERSION_HEX < 0x030d0000
  PyObject **dict;
  PyObject *self;
  if (!known || !(dict = _PyObject_GetDictPtr(obj)) || !*dict)
    return 0;
#if PY_VERSION_HEX < 0x030c0000
  Setup_SeenDict *seen = Setup_SeenDictEntry(*dict);
  if (seen->dict == *dict && seen->version == ((PyDictObject *)*dict)->ma_version_tag)
    return seen->self;
#endif
  self = PyDict_GetItemWithError(*dict, SWIG_This());
  if (!self) {
    PyErr_Clear(); /* as SWIG's lookup would; the general search then decides */
    return 0;
  }
  if (!Setup_IsKnownPointerType(Py_TYPE(self)))
    return 0;
#if PY_VERSION_HEX < 0x030c0000
  seen->dict = *dict;
  seen->version = ((PyDictObject *)*dict)->ma_version_tag;
  seen->self = (SwigPyObject *)self;
#endif
  return (SwigPyObject *)self;
#else
  (void)obj;
  return 0;
#endif
}

/* SWIG_Python_ConvertPtrAndOwn for the conversions this module makes (no
   implicit conversion, no ownership asked back): the same walk along the
   pointer objects, the same casts and flags. A cast is first looked for by
   descriptor, which the shared table makes unique, then by name as SWIG does. */
static int Setup_ConvertPtrAndOwn(PyObject *obj, void **ptr, swig_type_info *type, int flags) {
  SwigPyObject *holder;
  if (!obj || obj == Py_None || (flags & SWIG_POINTER_IMPLICIT_CONV))
    return SWIG_Python_ConvertPtrAndOwn(obj, ptr, type, flags, 0);
  if (Py_TYPE(obj) == Setup_knownPointerTypes[0])
    holder = (SwigPyObject *)obj;
  else if (!(holder = Setup_OwnThisOfKnownProxy(obj)))
    holder = Setup_GetSwigThis(obj);
  if (holder && Setup_IsView(holder) && !(flags & SETUP_PROBE) && !Setup_ViewIsLive(holder))
    return Setup_DeadViewFailure(holder);
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
   does nothing and any other use is refused instead of reaching freed memory.
   A view into a list owns nothing, so deleting it, however stale, only
   clears it. */
static int Setup_ConvertPtr(PyObject *obj, void **ptr, swig_type_info *type, int flags) {
  if ((flags & SWIG_POINTER_DISOWN) && obj != Py_None) {
    SwigPyObject *holder = obj ? Setup_GetSwigThis(obj) : 0;
    int res = Setup_ConvertPtrAndOwn(obj, ptr, type, (flags & ~SWIG_POINTER_DISOWN) | SETUP_PROBE);
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

/* ==========================================================================
 * What a script may do with a pointer object itself. SWIG lets it chain one
 * pointer object after another (append) and take ownership of any object
 * (acquire(), own(True), thisown = True). A chain that leads back to itself
 * would make every conversion walk it forever, so append refuses that. An
 * object taken over from the application or a list would be destroyed under
 * its holder when the proxy goes, and SWIG counts its module's references
 * wrongly on the way (it counts one for each owned pointer object that it
 * made so, but uncounts one for each owned one it frees), freeing the type
 * table while objects still use it. So a pointer object takes ownership only
 * of what it was given and gave up itself (disown(), thisown = False), or of
 * an object whose class has no destructor, which releasing only reports; the
 * module's reference is counted as for an owned pointer object made so.
 * ========================================================================== */

static PyObject *Setup_GivenUpKey(void) {
  static PyObject *key = PyUnicode_InternFromString("<given up>");
  return key;
}

static int Setup_WasGivenUp(SwigPyObject *pointer) {
  PyObject *mark;
  if (!pointer->swigdict || !PyDict_CheckExact(pointer->swigdict) || !Setup_GivenUpKey())
    return 0;
  mark = PyDict_GetItemWithError(pointer->swigdict, Setup_GivenUpKey());
  PyErr_Clear();
  return mark != 0;
}

static PyObject *Setup_Pointer_disown(PyObject *self, PyObject *) {
  SwigPyObject *pointer = (SwigPyObject *)self;
  if (pointer->own == SWIG_POINTER_OWN) {
    if (!pointer->swigdict && !(pointer->swigdict = PyDict_New()))
      return NULL;
    if (!PyDict_CheckExact(pointer->swigdict) || !Setup_GivenUpKey()) {
      PyErr_SetString(PyExc_TypeError, "this pointer object cannot give up ownership");
      return NULL;
    }
    if (PyDict_SetItem(pointer->swigdict, Setup_GivenUpKey(), Py_True) < 0)
      return NULL;
    pointer->own = 0;
    Py_XDECREF(Swig_Capsule_global);
  }
  return SWIG_Py_Void();
}

static PyObject *Setup_Pointer_acquire(PyObject *self, PyObject *) {
  SwigPyObject *pointer = (SwigPyObject *)self;
  SwigPyClientData *data = pointer->ty ? (SwigPyClientData *)pointer->ty->clientdata : 0;
  if (pointer->own == SWIG_POINTER_OWN || !pointer->ptr)
    return SWIG_Py_Void();
  if (Setup_IsView(pointer)) {
    PyErr_SetString(PyExc_ValueError, "a list element view cannot own the element: the list owns it");
    return NULL;
  }
  if (data && data->destroy && !Setup_WasGivenUp(pointer)) {
    PyErr_SetString(PyExc_ValueError, "this pointer object was never given its object, which the application "
                                      "or a list holds: it cannot take ownership of it");
    return NULL;
  }
  pointer->own = SWIG_POINTER_OWN;
  Py_XINCREF(Swig_Capsule_global);
  return SWIG_Py_Void();
}

static PyObject *Setup_Pointer_own(PyObject *self, PyObject *args) {
  PyObject *value = 0, *done;
  int owned = ((SwigPyObject *)self)->own == SWIG_POINTER_OWN, truth;
  if (!PyArg_UnpackTuple(args, "own", 0, 1, &value))
    return NULL;
  if (value) {
    if ((truth = PyObject_IsTrue(value)) < 0)
      return NULL;
    done = truth ? Setup_Pointer_acquire(self, 0) : Setup_Pointer_disown(self, 0);
    if (!done)
      return NULL;
    Py_DECREF(done);
  }
  return PyBool_FromLong(owned);
}

static PyObject *Setup_Pointer_append(PyObject *self, PyObject *next) {
  if (!Setup_IsPointerObject(next)) {
    PyErr_SetString(PyExc_TypeError, "Attempt to append a non SwigPyObject");
    return NULL;
  }
  for (PyObject *at = self; at; at = ((SwigPyObject *)at)->next)
    if (at == next) {
      PyErr_SetString(PyExc_ValueError, "this pointer object is already in the chain");
      return NULL;
    }
  return SwigPyObject_append(self, next);
}

/* Records made and dropped by the million (vectors above all) are deleted
   straight by their pointer object, not through their wrapped destructor,
   which would convert the object back to its pointer first. */
typedef void (*Setup_Deleter)(void *);
struct Setup_DirectDelete {
  swig_type_info *type;
  Setup_Deleter deleter;
};
static Setup_DirectDelete Setup_directDeletes[16];
static destructor Setup_swigPointerDealloc;

static void Setup_DeleteDirectly(swig_type_info *type, Setup_Deleter deleter) {
  if (!type)
    return;
  for (Setup_DirectDelete &entry : Setup_directDeletes)
    if (!entry.type || entry.type == type) {
      entry.type = type;
      entry.deleter = deleter;
      return;
    }
}

static void Setup_PointerObject_dealloc(PyObject *self) {
  SwigPyObject *pointer = (SwigPyObject *)self;
  if (pointer->own == SWIG_POINTER_OWN && pointer->ptr)
    for (const Setup_DirectDelete &entry : Setup_directDeletes) {
      if (!entry.type)
        break;
      if (entry.type == pointer->ty) {
        pointer->own = 0;
        entry.deleter(pointer->ptr);
        Py_XDECREF(Swig_Capsule_global);
        break;
      }
    }
  Setup_swigPointerDealloc(self);
}

/* The pointer-object type of this module takes these in place of SWIG's own. */
static void Setup_GuardPointerMethods(void) {
  for (PyMethodDef *method = SwigPyObject_methods; method->ml_name; ++method) {
    if (!std::strcmp(method->ml_name, "disown"))
      method->ml_meth = Setup_Pointer_disown;
    else if (!std::strcmp(method->ml_name, "acquire"))
      method->ml_meth = Setup_Pointer_acquire;
    else if (!std::strcmp(method->ml_name, "own"))
      method->ml_meth = Setup_Pointer_own;
    else if (!std::strcmp(method->ml_name, "append"))
      method->ml_meth = Setup_Pointer_append;
  }
}

/* Gives a proxy instance its pointer object: as its "this", or, when it has
   one already, after it (as SWIG does for an instance initialised twice).
   Anything but a pointer object is refused, as is an instance that cannot
   hold one. */
static PyObject *Setup_AttachThis(PyObject *instance, PyObject *pointer) {
  /* A fresh instance has no dict yet, and is not given one to be looked into. */
  SwigPyObject *held;
  if (!Setup_IsPointerObject(pointer)) {
    PyErr_SetString(PyExc_TypeError, "a proxy's \"this\" must be a pointer object");
    return NULL;
  }
  const Setup_ProxyType *known = Setup_KnownProxyType(Py_TYPE(instance));
  if (known && known->thisOffset && !*(PyObject **)((char *)instance + known->thisOffset)) {
    /* An empty slot: a fresh proxy, the common case, needs no search for a "this". */
    Py_INCREF(pointer);
    *(PyObject **)((char *)instance + known->thisOffset) = pointer;
    return SWIG_Py_Void();
  }
  held = Setup_GetSwigThisOf(instance, 0);
  if (held) {
    PyObject *appended = Setup_Pointer_append((PyObject *)held, pointer);
    if (!appended)
      return NULL;
    Py_DECREF(appended);
  } else if (known && known->thisOffset) {
    Py_INCREF(pointer);
    Py_XSETREF(*(PyObject **)((char *)instance + known->thisOffset), pointer);
  } else if (PyObject_SetAttr(instance, SWIG_This(), pointer) != 0) {
    if (PyErr_ExceptionMatches(PyExc_AttributeError)) {
      PyErr_Clear();
      PyErr_Format(PyExc_TypeError, "a '%.200s' object cannot hold a pointer object", Py_TYPE(instance)->tp_name);
    }
    return NULL;
  }
  return SWIG_Py_Void();
}

/* SWIG_Python_NewShadowInstance for proxy classes: a bare instance of the
   class, given its pointer object. SWIG also marks the class modified each
   time, which would make every class that returns proxies unknown again. */
static PyObject *Setup_NewShadowInstance(SwigPyClientData *data, PyObject *pointer) {
  PyObject *instance, *attached;
  PyTypeObject *klass;
  if (data->newraw || !PyType_Check(data->newargs))
    return SWIG_Python_NewShadowInstance(data, pointer);
  static PyObject *noArguments = PyTuple_New(0);
  klass = (PyTypeObject *)data->newargs;
  instance = noArguments ? klass->tp_new(klass, noArguments, NULL) : NULL;
  if (!instance)
    return NULL;
  attached = Setup_AttachThis(instance, pointer);
  if (!attached) {
    Py_DECREF(instance);
    return NULL;
  }
  Py_DECREF(attached);
  return instance;
}

/* SWIG_NewPointerObj, making proxies as above. */
static PyObject *Setup_NewPointerObj(void *ptr, swig_type_info *type, int flags) {
  SwigPyClientData *data = type ? (SwigPyClientData *)type->clientdata : 0;
  PyObject *pointer, *proxy;
  if (!ptr || !data || data->pytype || (flags & SWIG_POINTER_NOSHADOW))
    return SWIG_Python_NewPointerObj(NULL, ptr, type, flags);
  pointer = SwigPyObject_New(ptr, type, (flags & SWIG_POINTER_OWN) ? SWIG_POINTER_OWN : 0);
  if (!pointer)
    return NULL;
  proxy = Setup_NewShadowInstance(data, pointer);
  Py_DECREF(pointer);
  return proxy;
}

#undef SWIG_NewPointerObj
#define SWIG_NewPointerObj(ptr, type, flags) Setup_NewPointerObj(ptr, type, flags)

/* Class_swiginit, called by every proxy's __init__: a fresh instance has no
   "this" yet, which SWIG learns by a failed lookup whose exception it builds
   and throws away. */
static PyObject *Setup_InitShadowInstance(PyObject *args) {
  PyObject *obj[2];
  if (!SWIG_Python_UnpackTuple(args, "swiginit", 2, 2, obj))
    return NULL;
  return Setup_AttachThis(obj[0], obj[1]);
}

#undef SWIG_Python_InitShadowInstance
#define SWIG_Python_InitShadowInstance(args) Setup_InitShadowInstance(args)

/* Making a proxy. SWIG gives each proxy class the __init__

       def __init__(self, *args):
           _Setup.Class_swiginit(self, _Setup.new_Class(*args))

   whose own frame, argument tuple and two lookups cost more than the host's
   constructor. When a class is registered and its __init__ is exactly that
   code, the function is held by an initialiser that does the same steps in
   the same order without a frame: it reads the module from the function's
   globals and both functions from the module, calls the constructor with the
   arguments, and attaches its result as swiginit would (calling the module's
   swiginit itself if it is no longer the one that was registered). Any call
   that is not the plain case (keyword arguments, no instance, a name that is
   not found as it was) is handed to the function itself, which answers it as
   before. Read from the class, the initialiser answers with the function's
   attributes. */
struct Setup_InitObject {
  PyObject_HEAD
  PyObject *function; /* the __init__ that SWIG wrote */
  PyObject *moduleName, *swiginitName, *constructorName;
  PyObject *swiginit; /* the module's swiginit when the class was registered */
  vectorcallfunc vectorcall;
  /* The last lookup's result, good while neither dict has changed since. */
  PyObject *seenModuleDict;
  uint64_t globalsVersion, moduleVersion;
  PyObject *seenSwiginit, *seenConstructor;
};

static_assert(offsetof(Setup_InitObject, function) == offsetof(Setup_FunctionHolder, function),
              "the initialiser holds its function where Setup_FunctionHolder_getattro reads it");

static PyTypeObject Setup_InitType = {PyVarObject_HEAD_INIT(0, 0)};

static PyObject *Setup_Init_vectorcall(PyObject *self, PyObject *const *args, size_t nargsf, PyObject *kwnames) {
  Setup_InitObject *init = (Setup_InitObject *)self;
  Py_ssize_t count = PyVectorcall_NARGS(nargsf);
  PyObject *module, *moduleDict, *swiginit, *constructor, *pointer, *result;
  PyObject *globals;
  if (count < 1 || (kwnames && PyTuple_GET_SIZE(kwnames)))
    return PyObject_Vectorcall(init->function, args, nargsf, kwnames);
  globals = PyFunction_GET_GLOBALS(init->function);
#if PY_VERSION_HEX < 0x030c0000
  if (init->seenModuleDict && ((PyDictObject *)globals)->ma_version_tag == init->globalsVersion &&
      ((PyDictObject *)init->seenModuleDict)->ma_version_tag == init->moduleVersion) {
    swiginit = init->seenSwiginit;
    constructor = init->seenConstructor;
  } else
#endif
  {
    module = PyDict_GetItemWithError(globals, init->moduleName);
    if (!module || !PyModule_CheckExact(module))
      return PyErr_Occurred() ? NULL : PyObject_Vectorcall(init->function, args, nargsf, kwnames);
    moduleDict = PyModule_GetDict(module);
    swiginit = PyDict_GetItemWithError(moduleDict, init->swiginitName);
    constructor = swiginit ? PyDict_GetItemWithError(moduleDict, init->constructorName) : NULL;
    if (!constructor)
      return PyErr_Occurred() ? NULL : PyObject_Vectorcall(init->function, args, nargsf, kwnames);
#if PY_VERSION_HEX < 0x030c0000
    Py_INCREF(moduleDict);
    Py_INCREF(swiginit);
    Py_INCREF(constructor);
    Py_XSETREF(init->seenModuleDict, moduleDict);
    Py_XSETREF(init->seenSwiginit, swiginit);
    Py_XSETREF(init->seenConstructor, constructor);
    init->globalsVersion = ((PyDictObject *)globals)->ma_version_tag;
    init->moduleVersion = ((PyDictObject *)moduleDict)->ma_version_tag;
#endif
  }
  Py_INCREF(swiginit);
  Py_INCREF(constructor);
  pointer = Setup_Call(constructor, args + 1, count - 1, NULL);
  if (!pointer)
    result = NULL;
  else if (swiginit == init->swiginit)
    result = Setup_AttachThis(args[0], pointer);
  else
    result = PyObject_CallFunctionObjArgs(swiginit, args[0], pointer, NULL);
  Py_XDECREF(pointer);
  Py_DECREF(constructor);
  Py_DECREF(swiginit);
  return result;
}

static PyObject *Setup_Init_get(PyObject *self, PyObject *obj, PyObject *) {
  if (!obj) {
    Py_INCREF(self);
    return self;
  }
  return PyMethod_New(self, obj);
}

static PyObject *Setup_Init_repr(PyObject *self) {
  return PyObject_Repr(((Setup_InitObject *)self)->function);
}

static int Setup_Init_traverse(PyObject *self, visitproc visit, void *arg) {
  Setup_InitObject *init = (Setup_InitObject *)self;
  Py_VISIT(init->function);
  Py_VISIT(init->swiginit);
  Py_VISIT(init->seenModuleDict);
  Py_VISIT(init->seenSwiginit);
  Py_VISIT(init->seenConstructor);
  return 0;
}

static int Setup_Init_clear(PyObject *self) {
  Setup_InitObject *init = (Setup_InitObject *)self;
  Py_CLEAR(init->function);
  Py_CLEAR(init->moduleName);
  Py_CLEAR(init->swiginitName);
  Py_CLEAR(init->constructorName);
  Py_CLEAR(init->swiginit);
  Py_CLEAR(init->seenModuleDict);
  Py_CLEAR(init->seenSwiginit);
  Py_CLEAR(init->seenConstructor);
  return 0;
}

static int Setup_ReadyInitType(void) {
  if (Setup_InitType.tp_flags & Py_TPFLAGS_READY)
    return 1;
  Setup_InitType.tp_name = "proxy_init";
  Setup_InitType.tp_basicsize = sizeof(Setup_InitObject);
  Setup_InitType.tp_flags = Py_TPFLAGS_DEFAULT | Py_TPFLAGS_HAVE_GC | Py_TPFLAGS_METHOD_DESCRIPTOR |
                            Py_TPFLAGS_HAVE_VECTORCALL;
  Setup_InitType.tp_vectorcall_offset = offsetof(Setup_InitObject, vectorcall);
  Setup_InitType.tp_call = PyVectorcall_Call;
  Setup_InitType.tp_descr_get = Setup_Init_get;
  Setup_InitType.tp_getattro = Setup_FunctionHolder_getattro;
  /* help() reads __doc__ past tp_getattro. */
  Setup_InitType.tp_getset = Setup_FunctionHolder_getset;
  Setup_InitType.tp_repr = Setup_Init_repr;
  Setup_InitType.tp_traverse = Setup_Init_traverse;
  Setup_InitType.tp_clear = Setup_Init_clear;
  Setup_InitType.tp_dealloc = Setup_FunctionHolder_dealloc;
  if (PyType_Ready(&Setup_InitType) < 0) {
    PyErr_Clear();
    return 0;
  }
  return 1;
}

/* The code of SWIG's __init__, compiled once to compare each class's with,
   in a module that imports the flat module as the proxy module does (the
   compiler reads an imported module's attributes differently). */
static PyCodeObject *Setup_SwigInitCode(void) {
  static PyCodeObject *code = 0;
  static int tried = 0;
  if (!tried) {
    PyObject *module;
    tried = 1;
    module = Py_CompileString("import _Setup\n"
                              "def __init__(self, *args):\n"
                              "    _Setup.Class_swiginit(self, _Setup.new_Class(*args))\n",
                              "<proxy init>", Py_file_input);
    if (module) {
      PyObject *consts = ((PyCodeObject *)module)->co_consts;
      for (Py_ssize_t i = 0; i < PyTuple_GET_SIZE(consts); ++i)
        if (PyCode_Check(PyTuple_GET_ITEM(consts, i))) {
          code = (PyCodeObject *)PyTuple_GET_ITEM(consts, i);
          Py_INCREF(code);
        }
      Py_DECREF(module);
    }
    PyErr_Clear();
  }
  return code;
}

static int Setup_IsSwigInit(PyObject *function) {
  PyCodeObject *reference = Setup_SwigInitCode();
  PyCodeObject *code;
  PyObject *bytes, *referenceBytes;
  int same;
  if (!reference || !PyFunction_Check(function))
    return 0;
  code = (PyCodeObject *)PyFunction_GET_CODE(function);
  if (code->co_argcount != reference->co_argcount || code->co_posonlyargcount || code->co_kwonlyargcount ||
      code->co_flags != reference->co_flags || PyTuple_GET_SIZE(code->co_names) != 3 ||
      PyFunction_GET_DEFAULTS(function) || PyFunction_GET_KW_DEFAULTS(function) ||
      PyFunction_GET_CLOSURE(function) ||
      PyObject_RichCompareBool(code->co_consts, reference->co_consts, Py_EQ) != 1) {
    PyErr_Clear();
    return 0;
  }
  bytes = PyCode_GetCode(code);
  referenceBytes = PyCode_GetCode(reference);
  same = bytes && referenceBytes && PyObject_RichCompareBool(bytes, referenceBytes, Py_EQ) == 1;
  Py_XDECREF(bytes);
  Py_XDECREF(referenceBytes);
  PyErr_Clear();
  return same;
}

/* Calling a proxy class: what the interpreter does (a bare instance, then
   its __init__), without looking up and calling __init__ as a generic
   method, as long as the class still has the initialiser it was given and
   object's __new__. Subclasses do not inherit this; any other call goes the
   interpreter's own way. */
static PyObject *Setup_ProxyClass_vectorcall(PyObject *klass, PyObject *const *args, size_t nargsf, PyObject *kwnames) {
  static PyObject *initName = PyUnicode_InternFromString("__init__");
  PyTypeObject *type = (PyTypeObject *)klass;
  Py_ssize_t count = PyVectorcall_NARGS(nargsf);
  PyObject *init = initName ? _PyType_Lookup(type, initName) : NULL;
  PyObject *instance, *done;
  PyObject *local[8] = {0};
  PyObject **withInstance;
  if (kwnames || !init || !Py_IS_TYPE(init, &Setup_InitType) || type->tp_new != PyBaseObject_Type.tp_new ||
      (!(nargsf & PY_VECTORCALL_ARGUMENTS_OFFSET) && count >= (Py_ssize_t)(sizeof local / sizeof local[0]))) {
    PyObject *tuple = PyTuple_New(count), *keywords = NULL, *made;
    Py_ssize_t given = count + (kwnames ? PyTuple_GET_SIZE(kwnames) : 0);
    if (!tuple)
      return NULL;
    for (Py_ssize_t i = 0; i < count; ++i) {
      Py_INCREF(args[i]);
      PyTuple_SET_ITEM(tuple, i, args[i]);
    }
    if (kwnames) {
      keywords = PyDict_New();
      for (Py_ssize_t i = count; keywords && i < given; ++i)
        if (PyDict_SetItem(keywords, PyTuple_GET_ITEM(kwnames, i - count), args[i]) < 0)
          Py_CLEAR(keywords);
      if (!keywords) {
        Py_DECREF(tuple);
        return NULL;
      }
    }
    made = PyType_Type.tp_call(klass, tuple, keywords);
    Py_DECREF(tuple);
    Py_XDECREF(keywords);
    return made;
  }
  instance = type->tp_alloc(type, 0);
  if (!instance)
    return NULL;
  if (nargsf & PY_VECTORCALL_ARGUMENTS_OFFSET) {
    /* The caller lends the place before the arguments. */
    withInstance = (PyObject **)args - 1;
  } else {
    withInstance = local;
    for (Py_ssize_t i = 0; i < count; ++i)
      local[i + 1] = args[i];
  }
  {
    PyObject *lent = withInstance[0];
    withInstance[0] = instance;
    Py_INCREF(init);
    done = Setup_Init_vectorcall(init, withInstance, (size_t)(count + 1), NULL);
    Py_DECREF(init);
    withInstance[0] = lent;
  }
  if (!done) {
    Py_DECREF(instance);
    return NULL;
  }
  Py_DECREF(done);
  return instance;
}

static void Setup_UseFastInit(PyObject *klass) {
  PyObject *function, *names, *module, *swiginit;
  Setup_InitObject *init;
  if (!PyType_Check(klass) || !Setup_ReadyInitType())
    return;
  function = PyDict_GetItemString(((PyTypeObject *)klass)->tp_dict, "__init__");
  if (!function || !Setup_IsSwigInit(function))
    return;
  names = ((PyCodeObject *)PyFunction_GET_CODE(function))->co_names;
  module = PyDict_GetItemWithError(PyFunction_GET_GLOBALS(function), PyTuple_GET_ITEM(names, 0));
  swiginit = module && PyModule_CheckExact(module)
                 ? PyDict_GetItemWithError(PyModule_GetDict(module), PyTuple_GET_ITEM(names, 1))
                 : NULL;
  if (!swiginit) {
    PyErr_Clear();
    return;
  }
  init = PyObject_GC_New(Setup_InitObject, &Setup_InitType);
  if (!init) {
    PyErr_Clear();
    return;
  }
  Py_INCREF(function);
  init->function = function;
  init->moduleName = PyTuple_GET_ITEM(names, 0);
  init->swiginitName = PyTuple_GET_ITEM(names, 1);
  init->constructorName = PyTuple_GET_ITEM(names, 2);
  Py_INCREF(init->moduleName);
  Py_INCREF(init->swiginitName);
  Py_INCREF(init->constructorName);
  Py_INCREF(swiginit);
  init->swiginit = swiginit;
  init->vectorcall = Setup_Init_vectorcall;
  init->seenModuleDict = init->seenSwiginit = init->seenConstructor = 0;
  init->globalsVersion = init->moduleVersion = 0;
  PyObject_GC_Track((PyObject *)init);
  if (PyObject_SetAttrString(klass, "__init__", (PyObject *)init) < 0)
    PyErr_Clear();
  else
    ((PyTypeObject *)klass)->tp_vectorcall = Setup_ProxyClass_vectorcall;
  Py_DECREF(init);
}

/* Dropping a proxy of a slotted class: what the interpreter's generic
   deallocation does for such a class (no dict, a weak-reference list, object
   slots), without its search for what to clear. A script's own subclass is
   dropped the interpreter's way, which clears what the subclass added and
   then calls this for the rest. */
static void Setup_Proxy_dealloc(PyObject *self) {
  PyTypeObject *type = Py_TYPE(self);
  if (type->tp_finalize && type->tp_dealloc == Setup_Proxy_dealloc &&
      PyObject_CallFinalizerFromDealloc(self) < 0)
    return; /* brought back to life by __del__ */
  PyObject_GC_UnTrack(self);
  if (type->tp_weaklistoffset && *(PyObject **)((char *)self + type->tp_weaklistoffset))
    PyObject_ClearWeakRefs(self);
  for (PyTypeObject *base = type; base; base = base->tp_base) {
    if (base->tp_dealloc != Setup_Proxy_dealloc || !base->tp_members)
      continue;
    for (PyMemberDef *member = base->tp_members; member->name; ++member)
      if (member->type == T_OBJECT_EX)
        Py_CLEAR(*(PyObject **)((char *)self + member->offset));
  }
  type->tp_free(self);
  Py_DECREF(type);
}

/* A proxy class keeps its instances' "this" in a slot and gives them no
   dict: an attribute that the class does not have is refused (a misspelt
   field raises AttributeError instead of being stored), a method cannot be
   replaced on an instance, and a proxy costs less to make. SWIG writes each
   class as a plain class statement, so at registration the class is made
   again with slots (the root class of a tree with "this" and "__weakref__",
   the classes below it with none of their own) and takes the place of the
   first in its module, before any class below it is written. A script's own
   subclass of a proxy class still has a dict. Returns a new reference. */
static PyObject *Setup_SlottedClass(PyObject *klass) {
  PyObject *namespace_, *bases, *slots, *module, *globals, *made;
  PyTypeObject *type = (PyTypeObject *)klass;
  int root = 1;
  if (Py_TYPE(klass) != &PyType_Type || !(type->tp_flags & Py_TPFLAGS_HEAPTYPE) ||
      PyDict_GetItemString(type->tp_dict, "__slots__")) {
    Py_INCREF(klass);
    return klass;
  }
  bases = type->tp_bases;
  for (Py_ssize_t i = 0; i < PyTuple_GET_SIZE(bases); ++i) {
    PyTypeObject *base = (PyTypeObject *)PyTuple_GET_ITEM(bases, i);
    if (base == &PyBaseObject_Type)
      continue;
    root = 0;
    if (base->tp_dictoffset) { /* a base with a dict: slots here would change nothing */
      Py_INCREF(klass);
      return klass;
    }
  }
  namespace_ = PyDict_Copy(type->tp_dict);
  slots = root ? Py_BuildValue("(ss)", "this", "__weakref__") : PyTuple_New(0);
  if (!namespace_ || !slots || PyDict_SetItemString(namespace_, "__slots__", slots) < 0 ||
      (PyDict_GetItemString(namespace_, "__dict__") && PyDict_DelItemString(namespace_, "__dict__") < 0) ||
      (PyDict_GetItemString(namespace_, "__weakref__") && PyDict_DelItemString(namespace_, "__weakref__") < 0)) {
    Py_XDECREF(namespace_);
    Py_XDECREF(slots);
    return NULL;
  }
  Py_DECREF(slots);
  made = PyObject_CallFunction((PyObject *)&PyType_Type, "OOO", ((PyHeapTypeObject *)type)->ht_name, bases, namespace_);
  Py_DECREF(namespace_);
  if (!made)
    return NULL;
  if (!((PyTypeObject *)made)->tp_dictoffset && !((PyTypeObject *)made)->tp_del)
    ((PyTypeObject *)made)->tp_dealloc = Setup_Proxy_dealloc;
  if (PyObject_SetAttrString(made, "__qualname__", ((PyHeapTypeObject *)type)->ht_qualname) < 0) {
    Py_DECREF(made);
    return NULL;
  }
  /* The class statement's name in its module now stands for the new class. */
  module = PyDict_GetItemString(type->tp_dict, "__module__");
  module = module ? PyImport_GetModule(module) : NULL;
  globals = module ? PyModule_GetDict(module) : NULL;
  if (globals && PyDict_GetItemWithError(globals, ((PyHeapTypeObject *)type)->ht_name) == klass)
    PyDict_SetItem(globals, ((PyHeapTypeObject *)type)->ht_name, made);
  Py_XDECREF(module);
  PyErr_Clear();
  return made;
}

/* Class_swigregister: SWIG's registration of the class made again with
   slots, then the class's initialiser. */
static void Setup_RegisterProxyClass(swig_type_info *type, SwigPyClientData *data) {
  if (data && data->klass && PyType_Check(data->klass)) {
    PyObject *slotted = Setup_SlottedClass(data->klass);
    if (!slotted) {
      PyErr_Clear();
    } else if (slotted != data->klass) {
      SwigPyClientData *made = SwigPyClientData_New(slotted);
      if (made) {
        SwigPyClientData_Del(data);
        data = made;
      }
    }
    Py_XDECREF(slotted);
  }
  SWIG_TypeNewClientData(type, data);
  if (data && data->klass)
    Setup_UseFastInit(data->klass);
}

#undef SWIG_TypeNewClientData
#define SWIG_TypeNewClientData(type, data) Setup_RegisterProxyClass(type, data)

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
    $1 = SWIG_CheckState(SWIG_ConvertPtr($input, &probe, $descriptor, SETUP_PROBE)) && probe;
  }
}

/* A reference passes overload choice as None too, so that None then meets
   the null reference failure of the chosen form rather than the overload failure. */
%typemap(typecheck, precedence=SWIG_TYPECHECK_POINTER, noblock=1) SWIGTYPE &, const SWIGTYPE & {
  $1 = $input == Py_None || SWIG_CheckState(SWIG_ConvertPtr($input, 0, $descriptor, SWIG_POINTER_NO_NULL | SETUP_PROBE));
}
/* Pointers and values choose their form as SWIG's own check does, but a stale
   view into a list still counts as its class, so that the chosen form reports it. */
%typemap(typecheck, precedence=SWIG_TYPECHECK_POINTER, noblock=1) SWIGTYPE * {
  $1 = SWIG_CheckState(SWIG_ConvertPtr($input, 0, $descriptor, SETUP_PROBE));
}
%typemap(typecheck, precedence=SWIG_TYPECHECK_POINTER, noblock=1) SWIGTYPE {
  $1 = SWIG_CheckState(SWIG_ConvertPtr($input, 0, $&descriptor, SWIG_POINTER_NO_NULL | SETUP_PROBE));
}

/* Applied to a record class: its pointer objects delete it directly. */
%define %setup_delete_directly(Type)
%init %{
  Setup_DeleteDirectly(SWIG_TypeQuery(#Type " *"), [](void *record) { delete static_cast<Type *>(record); });
%}
%enddef

%init %{
  Setup_knownPointerTypes[0] = SwigPyObject_Type();
  Setup_knownPointerTypes[1] = Setup_viewType;
  Setup_GuardPointerMethods();
  Setup_swigPointerDealloc = SwigPyObject_Type()->tp_dealloc;
  SwigPyObject_Type()->tp_dealloc = Setup_PointerObject_dealloc;
  /* The name "this" is interned, as the interpreter's own attribute names are:
     an instance's attributes then find it by identity, and storing it needs
     no interning of its own on each new proxy. */
  SWIG_This();
  PyUnicode_InternInPlace(&Swig_This_global);
%}
