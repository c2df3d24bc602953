/* ==========================================================================
 * Views into a list: the pointer objects that point at an element inside a
 * list's storage (lst[i], front(), back() of the lists that hold values).
 * Views of a part of an object: the pointer objects of what an object holds
 * as its own and frees with itself (a condition's fan curve, a material's
 * property), made the same way with the object in the list's place.
 *
 * A view keeps its list alive, and it holds while the list keeps its size
 * and storage. Every operation that may move the list's elements (any change
 * of size, a swap, a refill by the host) counts one change on the list; a
 * view made before that change is refused from then on, with ValueError
 * "list element no longer exists", instead of reaching storage that has moved
 * or been freed. Replacing one element in place moves nothing and keeps the
 * views. A view never owns what it points at, and never takes ownership of
 * it (Setup_Pointer_acquire): the list owns it.
 *
 * Both modules of the process meet the same views (a view made by one may be
 * handed to the other), so the two types below are made once per interpreter
 * and shared with the other modules (Setup_Shared).
 * ========================================================================== */

%header %{
static SwigPyObject *Setup_GetSwigThis(PyObject *obj);
static PyObject *Setup_NewShadowInstance(SwigPyClientData *data, PyObject *pointer);

/* What a list's pointer object carries once a view into the list has been
   made: how many times the list has changed since. It is kept in the pointer
   object's own attribute dict, under a key no attribute can name, so that it
   lives as long as the list's pointer object does. An object that hands out
   views of its parts carries one too; it never counts a change, since the
   object keeps its parts where they are for as long as it lives. */
struct Setup_ListState {
  PyObject_HEAD
  unsigned long long changes;
};

/* A view: SWIG's pointer object, then the list's pointer object and its
   state (both kept alive), and the list's count of changes when the view was
   made. */
struct Setup_ViewObject {
  SwigPyObject pointer;
  SwigPyObject *list; /* or the object whose part this is */
  Setup_ListState *state;
  unsigned long long changes;
  int ofPart;
};

/* The shared view types, copied here for the road of every call. */
static PyTypeObject *Setup_viewType, *Setup_listStateType;

/* A conversion that found a view whose list has changed since, or a view of
   a part whose object is gone. */
#define SETUP_STALE_VIEW (-300)
#define SETUP_GONE_OWNER (-301)
/* Asked by overload choice: a view that is no longer valid still has its
   type, so that the chosen form, not the overload failure, reports it. */
#define SETUP_PROBE 0x100

static inline int Setup_IsView(const SwigPyObject *pointer) {
  return Py_TYPE(pointer) == Setup_viewType;
}

/* A view of a part holds its object, which may itself be a view (the fan
   curve of a condition read from a list): each link must hold. */
static inline int Setup_ViewIsLive(const SwigPyObject *pointer) {
  for (;;) {
    const Setup_ViewObject *view = (const Setup_ViewObject *)pointer;
    /* An explicit delete of the list or object clears its pointer object. */
    if (!view->list->ptr || view->state->changes != view->changes)
      return 0;
    if (!Setup_IsView(view->list))
      return 1;
    pointer = view->list;
  }
}

/* What a conversion reports for a view that no longer holds. */
static inline int Setup_DeadViewFailure(const SwigPyObject *pointer) {
  return ((const Setup_ViewObject *)pointer)->ofPart ? SETUP_GONE_OWNER : SETUP_STALE_VIEW;
}

static PyObject *Setup_ListStateKey(void) {
  static PyObject *key = PyUnicode_InternFromString("<list state>");
  return key;
}

/* The state that the list's pointer object carries; 0, with no exception
   set, where it carries none. */
static Setup_ListState *Setup_ListStateOf(SwigPyObject *list) {
  PyObject *state;
  if (!list || !list->swigdict || !PyDict_CheckExact(list->swigdict) || !Setup_ListStateKey())
    return 0;
  state = PyDict_GetItemWithError(list->swigdict, Setup_ListStateKey());
  if (!state || !Py_IS_TYPE(state, Setup_listStateType)) {
    PyErr_Clear();
    return 0;
  }
  return (Setup_ListState *)state;
}

/* Counts a change of the list behind `listObject` (its proxy or pointer
   object), so that the views made before it are refused. A list that never
   handed out a view has no dict: one test. */
static void Setup_ListChanged(PyObject *listObject) {
  if (Setup_ListState *state = Setup_ListStateOf(Setup_GetSwigThis(listObject)))
    ++state->changes;
}

static void Setup_View_dealloc(PyObject *self) {
  Setup_ViewObject *view = (Setup_ViewObject *)self;
  if (view->pointer.weakreflist)
    PyObject_ClearWeakRefs(self);
  view->pointer.own = 0;
  Py_CLEAR(view->list);
  Py_CLEAR(view->state);
  SwigPyObject_dealloc(self);
}

static void Setup_ListState_dealloc(PyObject *self) {
  PyObject_Free(self);
}

static PyTypeObject Setup_ViewType = {PyVarObject_HEAD_INIT(0, 0)};
static PyTypeObject Setup_ListStateType = {PyVarObject_HEAD_INIT(0, 0)};

/* The view types of this interpreter: those another module made already, or
   this module's own, shared with the modules that follow. */
static int Setup_InitViewTypes(void) {
  PyTypeObject *pointerType = SwigPyObject_Type();
  if (!Setup_shared->viewType) {
    /* A view answers as a pointer object does, by SWIG's own type name, so
       that every module of the table takes it as one. */
    Setup_ViewType.tp_name = pointerType->tp_name;
    Setup_ViewType.tp_basicsize = sizeof(Setup_ViewObject);
    Setup_ViewType.tp_dealloc = Setup_View_dealloc;
    Setup_ViewType.tp_repr = pointerType->tp_repr;
    Setup_ViewType.tp_as_number = pointerType->tp_as_number;
    Setup_ViewType.tp_getattro = PyObject_GenericGetAttr;
    Setup_ViewType.tp_flags = Py_TPFLAGS_DEFAULT;
    Setup_ViewType.tp_doc = "Swig object holding a C/C++ pointer into a list's storage";
    Setup_ViewType.tp_richcompare = pointerType->tp_richcompare;
    Setup_ViewType.tp_weaklistoffset = offsetof(SwigPyObject, weakreflist);
    Setup_ViewType.tp_dictoffset = pointerType->tp_dictoffset;
    /* A pointer object's own methods, which refuse a view ownership
       (frame/objects.i). */
    Setup_ViewType.tp_methods = SwigPyObject_methods;
    Setup_ListStateType.tp_name = "Setup.ListState";
    Setup_ListStateType.tp_basicsize = sizeof(Setup_ListState);
    Setup_ListStateType.tp_dealloc = Setup_ListState_dealloc;
    Setup_ListStateType.tp_flags = Py_TPFLAGS_DEFAULT;
    if (PyType_Ready(&Setup_ViewType) < 0 || PyType_Ready(&Setup_ListStateType) < 0)
      return 0;
    Setup_shared->viewType = &Setup_ViewType;
    Setup_shared->listStateType = &Setup_ListStateType;
  }
  Setup_viewType = Setup_shared->viewType;
  Setup_listStateType = Setup_shared->listStateType;
  return 1;
}

/* A view of `element`, of class `type`, inside the list (or of a part of the
   object) behind `listObject`, presented as the class's proxy when one is
   registered; a new reference, or 0 with an exception set. */
static PyObject *Setup_NewViewOf(PyObject *listObject, void *element, swig_type_info *type, int ofPart) {
  SwigPyObject *list = Setup_GetSwigThis(listObject);
  Setup_ListState *state;
  Setup_ViewObject *view;
  SwigPyClientData *data;
  if (!list) {
    PyErr_SetString(PyExc_TypeError, ofPart ? "a view of a part needs its object's pointer object"
                                            : "a list element view needs the list's pointer object");
    return 0;
  }
  state = Setup_ListStateOf(list);
  if (!state) {
    if (!list->swigdict && !(list->swigdict = PyDict_New()))
      return 0;
    if (!PyDict_CheckExact(list->swigdict)) {
      PyErr_SetString(PyExc_TypeError, "this list's pointer object cannot hand out element views");
      return 0;
    }
    state = PyObject_New(Setup_ListState, Setup_listStateType);
    if (!state)
      return 0;
    state->changes = 0;
    if (PyDict_SetItem(list->swigdict, Setup_ListStateKey(), (PyObject *)state) < 0) {
      Py_DECREF(state);
      return 0;
    }
    Py_DECREF(state); /* the dict keeps it */
  }
  view = PyObject_New(Setup_ViewObject, Setup_viewType);
  if (!view)
    return 0;
  view->pointer.ptr = element;
  view->pointer.ty = type;
  view->pointer.own = 0;
  view->pointer.next = 0;
  view->pointer.swigdict = 0;
  view->pointer.weakreflist = 0;
  Py_INCREF(list);
  view->list = list;
  Py_INCREF(state);
  view->state = state;
  view->changes = state->changes;
  view->ofPart = ofPart;
  data = type ? (SwigPyClientData *)type->clientdata : 0;
  if (data && !data->pytype) {
    PyObject *proxy = Setup_NewShadowInstance(data, (PyObject *)view);
    Py_DECREF(view);
    return proxy;
  }
  return (PyObject *)view;
}

static PyObject *Setup_NewView(PyObject *listObject, void *element, swig_type_info *type) {
  return Setup_NewViewOf(listObject, element, type, 0);
}

/* A null part is None; a part of an object that is itself gone is refused
   as any use of that object would be. */
static PyObject *Setup_NewPartView(PyObject *ownerObject, void *part, swig_type_info *type) {
  SwigPyObject *owner;
  if (!part)
    return SWIG_Py_Void();
  owner = Setup_GetSwigThis(ownerObject);
  if (owner && Setup_IsView(owner) && !Setup_ViewIsLive(owner)) {
    PyErr_SetString(PyExc_ValueError, "the object this belongs to no longer exists");
    return 0;
  }
  return Setup_NewViewOf(ownerObject, part, type, 1);
}

static inline int Setup_IsDeadView(int code) {
  return code == SETUP_STALE_VIEW || code == SETUP_GONE_OWNER;
}

/* A view that no longer holds is reported in words of its own, not as a
   wrong argument. */
static inline void Setup_Error(int code, const char *message) {
  if (code == SETUP_STALE_VIEW)
    PyErr_SetString(PyExc_ValueError, "list element no longer exists");
  else if (code == SETUP_GONE_OWNER)
    PyErr_SetString(PyExc_ValueError, "the object this belongs to no longer exists");
  else
    SWIG_Python_SetErrorMsg(SWIG_Python_ErrorType(code), message);
}
#undef SWIG_Error
#define SWIG_Error(code, msg) Setup_Error(code, msg)
%}

/* A list that the operation fills, empties or exchanges: a list object of its
   type, as any reference argument is (None: null reference failure; anything
   else: TypeError). The host receives the list itself; the views into it end
   first, since the operation may move its elements. Nothing is freed. */
%typemap(in, noblock=1) Setup_ChangedList & (void *argp = 0, int res = 0) {
  res = SWIG_ConvertPtr($input, &argp, $descriptor, %convertptr_flags);
  if (!SWIG_IsOK(res)) {
    %argument_fail(res, "$type", $symname, $argnum);
  }
  if (!argp) {
    %argument_nullref("$type", $symname, $argnum);
  }
  $1 = %reinterpret_cast(argp, $ltype);
  Setup_ListChanged($input);
}

%init %{
  if (!Setup_InitViewTypes())
    return -1;
%}

/* A result that its receiver holds as a part of itself and frees with itself
   (a condition's fan curve, a material's property): a view that keeps the
   receiver's pointer object alive, so that releasing the receiver's proxy
   frees nothing while the part is in use, and that is refused with
   ValueError once the receiver is deleted outright. None for a null part.
   The view owns nothing; the receiver frees the part. */
%define %setup_part_of_receiver(Result, Method)
%typemap(out, noblock=1) Result Method {
  $result = Setup_NewPartView(swig_obj[0], (void *)$1, $descriptor);
  if (!$result)
    SWIG_fail;
}
%enddef
