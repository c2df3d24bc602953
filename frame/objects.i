/* ==========================================================================
 * Host objects: the object argument rule, the receiver, and what delete_
 * functions do with the pointer objects given to them.
 * ========================================================================== */

%header %{
/* Every pointer conversion of a call comes here. A delete_ function (which
   asks to take ownership) destroys the host object only when the pointer
   object owns it: one that does not may be a view of what the host or a list
   holds. Either way the pointer object is cleared, so that a second delete
   does nothing and any other use is refused instead of reaching freed memory. */
static int Setup_ConvertPtr(PyObject *obj, void **ptr, swig_type_info *type, int flags) {
  if ((flags & SWIG_POINTER_DISOWN) && obj != Py_None) {
    SwigPyObject *holder = SWIG_Python_GetSwigThis(obj);
    int res = SWIG_Python_ConvertPtrAndOwn(obj, ptr, type, flags & ~SWIG_POINTER_DISOWN, 0);
    if (!SWIG_IsOK(res) || !holder)
      return res;
    if (!holder->own && ptr)
      *ptr = 0;
    holder->own = 0;
    holder->ptr = 0;
    return res;
  }
  return SWIG_Python_ConvertPtrAndOwn(obj, ptr, type, flags, 0);
}

#undef SWIG_ConvertPtr
#define SWIG_ConvertPtr(obj, pptr, type, flags) Setup_ConvertPtr(obj, pptr, type, flags)

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
