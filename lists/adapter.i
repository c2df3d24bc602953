/* ==========================================================================
 * The list adapter: how the host's vectors behave as Python sequences. One
 * template serves every list type; what differs between them is the element
 * kind: a value held by copy, a plain pointer to a host object, or an int.
 *
 * Iterators and slices work by index, never by a raw position in the vector,
 * so that no use of an iterator, however stale, reads outside the list; and
 * every iterator holds the pointer object of its list, so that the list lives
 * as long as they do and a list deleted explicitly is noticed.
 * ========================================================================== */

/* What the lists' own operations report, and nothing else: an index outside
   the list (IndexError), a refused slice, iterator or list (ValueError), the
   end of an iteration (StopIteration) and exhausted memory. Before is what an
   operation does first: one that may move the list's elements ends the views
   into the list. */
%define %setup_list_exception(Before)
{
  try {
    Before
    $action
    %setup_after_host_call
  } catch (const Setup_list::Stop &) {
    PyErr_SetNone(PyExc_StopIteration);
    SWIG_fail;
  } catch (const Setup_list::PythonError &) {
    SWIG_fail;
  } catch (const std::out_of_range &failure) {
    PyErr_SetString(PyExc_IndexError, failure.what());
    SWIG_fail;
  } catch (const std::invalid_argument &failure) {
    PyErr_SetString(PyExc_ValueError, failure.what());
    SWIG_fail;
  } catch (const std::length_error &) {
    PyErr_NoMemory();
    SWIG_fail;
  } catch (const std::bad_alloc &) {
    PyErr_NoMemory();
    SWIG_fail;
  }
}
%enddef

%exception %setup_list_exception()

%define %setup_list_moves_elements(Operation)
%exception std::vector::Operation %setup_list_exception(Setup_ListChanged($self);)
%enddef

%setup_list_moves_elements(pop)
%setup_list_moves_elements(__setslice__)
%setup_list_moves_elements(__delslice__)
%setup_list_moves_elements(__delitem__)
%setup_list_moves_elements(append)
%setup_list_moves_elements(push_back)
%setup_list_moves_elements(pop_back)
%setup_list_moves_elements(clear)
%setup_list_moves_elements(swap)
%setup_list_moves_elements(erase)
%setup_list_moves_elements(assign)
%setup_list_moves_elements(resize)
%setup_list_moves_elements(insert)
%setup_list_moves_elements(reserve)
/* Replacing one element in place moves nothing; assigning a slice may. */
%exception std::vector::__setitem__ %setup_list_exception(if (Setup_list::isSliceForm("$decl")) Setup_ListChanged($self);)

%fragment("Setup_ListKit", "header", fragment="Setup_AsInt,Setup_AsIndex") %{
#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace Setup_list {

/* The end of an iteration. */
struct Stop {};
/* A Python exception is already set. */
struct PythonError {};

/* The descriptor of each element class, learnt at start-up from its name. */
template <class T> struct Descriptor {
  static swig_type_info *type;
  static void learn(const char *name) {
    std::string pointer = name;
    if (!std::is_pointer<T>::value)
      pointer += " *";
    type = SWIG_TypeQuery(pointer.c_str());
  }
};
template <class T> swig_type_info *Descriptor<T>::type = 0;
template <> inline void Descriptor<int>::learn(const char *) {}

/* Whether a list operation's declaration is a slice form. */
static constexpr bool isSliceForm(const char *declaration) {
  for (const char *at = declaration; *at; ++at) {
    const char *word = "PySliceObject";
    const char *c = at;
    while (*word && *c == *word) {
      ++c;
      ++word;
    }
    if (!*word)
      return true;
  }
  return false;
}

/* Value elements: the list holds copies; a copy goes out owned, and an
   element read in place goes out as a view into the list. */
template <class T> struct Element {
  static PyObject *copy(const T &element) {
    return SWIG_NewPointerObj(new T(element), Descriptor<T>::type, SWIG_POINTER_OWN);
  }
  static PyObject *at(PyObject *listObj, const std::vector<T> &list, size_t index) {
    return Setup_NewView(listObj, const_cast<T *>(&list[index]), Descriptor<T>::type);
  }
  /* SWIG_OK, or why the object is not an element (a stale view says so). */
  static int find(PyObject *obj, const T **found, int flags) {
    void *pointer = 0;
    int res = obj == Py_None ? SWIG_ERROR : SWIG_ConvertPtr(obj, &pointer, Descriptor<T>::type, flags);
    if (SWIG_IsOK(res) && !pointer)
      res = SWIG_ERROR;
    *found = static_cast<const T *>(pointer);
    return res;
  }
  static bool fits(PyObject *obj) {
    const T *found;
    return SWIG_IsOK(find(obj, &found, SETUP_PROBE));
  }
  static int append(std::vector<T> &list, PyObject *obj) {
    const T *found;
    int res = find(obj, &found, 0);
    if (SWIG_IsOK(res))
      list.push_back(*found);
    return res;
  }
};

/* Pointer elements: the list holds plain pointers and never deletes what they
   point to; None is the null pointer. */
template <class T> struct Element<T *> {
  static PyObject *copy(T *element) { return SWIG_NewPointerObj(element, Descriptor<T *>::type, 0); }
  static PyObject *at(PyObject *, const std::vector<T *> &list, size_t index) { return copy(list[index]); }
  static int find(PyObject *obj, T **found, int flags) {
    void *pointer = 0;
    int res = SWIG_ConvertPtr(obj, &pointer, Descriptor<T *>::type, flags);
    *found = static_cast<T *>(pointer);
    return res;
  }
  static bool fits(PyObject *obj) {
    T *found;
    return SWIG_IsOK(find(obj, &found, SETUP_PROBE));
  }
  static int append(std::vector<T *> &list, PyObject *obj) {
    T *found;
    int res = find(obj, &found, 0);
    if (SWIG_IsOK(res))
      list.push_back(found);
    return res;
  }
};

/* Integer elements, by the integer argument rule. */
template <> struct Element<int> {
  static PyObject *copy(int element) { return PyLong_FromLong(element); }
  static PyObject *at(PyObject *, const std::vector<int> &list, size_t index) { return copy(list[index]); }
  static bool fits(PyObject *obj) {
    int value;
    return Setup_AsInt(obj, &value);
  }
  static int append(std::vector<int> &list, PyObject *obj) {
    int value;
    if (!Setup_AsInt(obj, &value))
      return SWIG_TypeError;
    list.push_back(value);
    return SWIG_OK;
  }
};

/* An element read in place, made into its Python object where the list's own
   Python object is at hand (see the out typemap of Setup_list::Place). */
struct Place {
  PyObject *(*make)(PyObject *listObj, const void *list, size_t index);
  const void *list;
  size_t index;
};

template <class Seq> static PyObject *makeElement(PyObject *listObj, const void *list, size_t index) {
  return Element<typename Seq::value_type>::at(listObj, *static_cast<const Seq *>(list), index);
}

template <class Seq> static Place placeOf(const Seq &list, size_t index) {
  Place place = {&makeElement<Seq>, &list, index};
  return place;
}

/* A list argument of the lists' own operations: a list object of the type
   itself, or a Python sequence whose items all convert as elements, copied
   into `scratch`. The sequence is read by index with its length read again at
   each step, since converting an item may run code that changes it. Gives
   SWIG_OK, or the code of the first item that does not convert. */
template <class Seq> static int visitSequence(PyObject *obj, Seq *scratch) {
  typedef typename Seq::value_type T;
  PyObject *items = PySequence_Fast(obj, "");
  if (!items) {
    PyErr_Clear();
    return SWIG_TypeError;
  }
  int res = SWIG_OK;
  if (scratch)
    scratch->reserve((size_t)PySequence_Fast_GET_SIZE(items));
  for (Py_ssize_t i = 0; SWIG_IsOK(res) && i < PySequence_Fast_GET_SIZE(items); ++i) {
    PyObject *item = PySequence_Fast_GET_ITEM(items, i);
    Py_INCREF(item);
    res = scratch ? Element<T>::append(*scratch, item) : (Element<T>::fits(item) ? SWIG_OK : SWIG_TypeError);
    Py_DECREF(item);
  }
  Py_DECREF(items);
  if (PyErr_Occurred())
    PyErr_Clear();
  return res;
}

template <class Seq> static Seq *listObject(PyObject *obj, swig_type_info *listType) {
  void *found = 0;
  if (obj == Py_None || !SWIG_IsOK(SWIG_ConvertPtr(obj, &found, listType, 0)))
    return 0;
  return static_cast<Seq *>(found);
}

template <class Seq> static bool fitsList(PyObject *obj, swig_type_info *listType) {
  if (obj == Py_None || listObject<Seq>(obj, listType))
    return true;
  return PySequence_Check(obj) && SWIG_IsOK(visitSequence<Seq>(obj, 0));
}

/* The list, or 0 with `failure` set to why not. */
template <class Seq> static Seq *asList(PyObject *obj, swig_type_info *listType, Seq &scratch, int &failure) {
  failure = SWIG_TypeError;
  if (Seq *list = listObject<Seq>(obj, listType))
    return list;
  if (obj == Py_None || !PySequence_Check(obj))
    return 0;
  failure = visitSequence<Seq>(obj, &scratch);
  return SWIG_IsOK(failure) ? &scratch : 0;
}

/* A stretch of a list, as Python's own slices select it. */
struct Stretch {
  Py_ssize_t start, stop, step, count;
};

template <class Seq> static Stretch stretch(const Seq &list, PyObject *slice) {
  Stretch selected;
  if (PySlice_Unpack(slice, &selected.start, &selected.stop, &selected.step) < 0)
    throw PythonError();
  /* Unpacking may run code that changes the list, so its size is read after. */
  selected.count = PySlice_AdjustIndices((Py_ssize_t)list.size(), &selected.start, &selected.stop, selected.step);
  return selected;
}

template <class Seq> static Stretch stretch(const Seq &list, ptrdiff_t start, ptrdiff_t stop) {
  Stretch selected = {start, stop, 1, 0};
  selected.count = PySlice_AdjustIndices((Py_ssize_t)list.size(), &selected.start, &selected.stop, 1);
  return selected;
}

template <class Seq> static size_t place(const Seq &list, ptrdiff_t index) {
  ptrdiff_t size = (ptrdiff_t)list.size();
  if (index < 0)
    index += size;
  if (index < 0 || index >= size)
    throw std::out_of_range("index out of range");
  return (size_t)index;
}

template <class Seq> static Seq *copyStretch(const Seq &list, const Stretch &selected) {
  Seq *copy = new Seq();
  copy->reserve((size_t)selected.count);
  for (Py_ssize_t k = 0; k < selected.count; ++k)
    copy->push_back(list[(size_t)(selected.start + k * selected.step)]);
  return copy;
}

template <class Seq> static void replaceStretch(Seq &list, const Stretch &selected, const Seq &items) {
  if (&items == &list) {
    Seq copy(items);
    replaceStretch(list, selected, copy);
    return;
  }
  if (selected.step == 1) {
    Py_ssize_t stop = std::max(selected.start, selected.stop);
    list.erase(list.begin() + selected.start, list.begin() + stop);
    list.insert(list.begin() + selected.start, items.begin(), items.end());
    return;
  }
  if ((Py_ssize_t)items.size() != selected.count)
    throw std::invalid_argument("attempt to assign sequence of size " + std::to_string(items.size()) +
                                " to extended slice of size " + std::to_string(selected.count));
  for (Py_ssize_t k = 0; k < selected.count; ++k)
    list[(size_t)(selected.start + k * selected.step)] = items[(size_t)k];
}

template <class Seq> static void eraseStretch(Seq &list, const Stretch &selected) {
  if (selected.step == 1) {
    Py_ssize_t stop = std::max(selected.start, selected.stop);
    list.erase(list.begin() + selected.start, list.begin() + stop);
    return;
  }
  std::vector<bool> doomed(list.size(), false);
  for (Py_ssize_t k = 0; k < selected.count; ++k)
    doomed[(size_t)(selected.start + k * selected.step)] = true;
  size_t kept = 0;
  for (size_t i = 0; i < list.size(); ++i) {
    if (doomed[i])
      continue;
    if (kept != i)
      list[kept] = list[i];
    ++kept;
  }
  list.erase(list.begin() + (ptrdiff_t)kept, list.end());
}

/* The pointer object that owns a list, from the list's proxy or pointer object. */
static PyObject *holderOf(PyObject *listObj) {
  return (PyObject *)SWIG_Python_GetSwigThis(listObj);
}

}  // namespace Setup_list

namespace swig {

/* The iterator of every list type. */
class SwigPyIterator {
public:
  virtual ~SwigPyIterator() { Py_XDECREF(holder_); }

  virtual PyObject *value() const = 0;
  virtual SwigPyIterator *incr(size_t n = 1) = 0;
  virtual SwigPyIterator *decr(size_t n = 1) = 0;
  virtual ptrdiff_t distance(const SwigPyIterator &other) const = 0;
  virtual bool equal(const SwigPyIterator &other) const = 0;
  virtual SwigPyIterator *copy() const = 0;

  PyObject *next() {
    PyObject *element = value();
    try {
      incr();
    } catch (...) {
      Py_XDECREF(element);
      throw;
    }
    return element;
  }
  PyObject *__next__() { return next(); }
  PyObject *previous() {
    decr();
    return value();
  }
  SwigPyIterator *advance(ptrdiff_t n) { return n < 0 ? decr((size_t)-n) : incr((size_t)n); }
  bool operator==(const SwigPyIterator &other) const { return equal(other); }
  bool operator!=(const SwigPyIterator &other) const { return !equal(other); }
  SwigPyIterator *operator+(ptrdiff_t n) const {
    SwigPyIterator *moved = copy();
    try {
      moved->advance(n);
    } catch (...) {
      delete moved;
      throw;
    }
    return moved;
  }
  SwigPyIterator *operator-(ptrdiff_t n) const { return *this + (n == PTRDIFF_MIN ? PTRDIFF_MAX : -n); }
  ptrdiff_t operator-(const SwigPyIterator &other) const { return other.distance(*this); }

protected:
  SwigPyIterator(PyObject *holder, void *list) : holder_(holder), list_(list) { Py_XINCREF(holder_); }
  SwigPyIterator(const SwigPyIterator &other) : holder_(other.holder_), list_(other.list_) { Py_XINCREF(holder_); }
  SwigPyIterator &operator=(const SwigPyIterator &) = delete;

  /* The list still exists while its owning pointer object still points at it
     (an explicit delete clears that pointer). */
  void *liveList() const {
    if (!holder_ || ((SwigPyObject *)holder_)->ptr != list_)
      throw std::invalid_argument("the iterator's list no longer exists");
    return list_;
  }

private:
  PyObject *holder_;
  void *list_;
};

}  // namespace swig

namespace Setup_list {

/* An iterator over one list: forward, or reverse (its place counts from the
   end, as a reverse iterator's base does). It moves within the list's
   bounds; a move past them, or a read outside the list, ends the iteration. */
template <class Seq> class Cursor : public swig::SwigPyIterator {
  typedef typename Seq::value_type T;

public:
  Cursor(PyObject *holder, Seq *list, ptrdiff_t place, bool reverse)
      : swig::SwigPyIterator(holder, list), place_(place), reverse_(reverse), size_(list->size()) {}

  PyObject *value() const override {
    Seq &list = this->list();
    ptrdiff_t index = reverse_ ? place_ - 1 : place_;
    if (index < 0 || index >= (ptrdiff_t)list.size())
      throw Stop();
    return Element<T>::copy(list[(size_t)index]);
  }
  swig::SwigPyIterator *incr(size_t n = 1) override { return move(n, !reverse_); }
  swig::SwigPyIterator *decr(size_t n = 1) override { return move(n, reverse_); }
  ptrdiff_t distance(const swig::SwigPyIterator &other) const override {
    const Cursor &peer = same(other);
    return reverse_ ? place_ - peer.place_ : peer.place_ - place_;
  }
  bool equal(const swig::SwigPyIterator &other) const override { return same(other).place_ == place_; }
  swig::SwigPyIterator *copy() const override { return new Cursor(*this); }

  /* The index at which an erase or insert on `list` acts. The iterator must
     be a forward one of that very list, made since its last change of size. */
  static size_t indexIn(const swig::SwigPyIterator *iterator, const Seq &list, bool endAllowed) {
    const Cursor *cursor = dynamic_cast<const Cursor *>(iterator);
    if (!cursor || cursor->reverse_ || &cursor->list() != &list)
      throw std::invalid_argument("the iterator does not belong to this list");
    if (cursor->size_ != list.size())
      throw std::invalid_argument("the iterator is no longer valid: its list changed size");
    ptrdiff_t last = (ptrdiff_t)list.size() - (endAllowed ? 0 : 1);
    if (cursor->place_ < 0 || cursor->place_ > last)
      throw std::invalid_argument("the iterator is outside its list");
    return (size_t)cursor->place_;
  }

private:
  Seq &list() const { return *static_cast<Seq *>(liveList()); }

  const Cursor &same(const swig::SwigPyIterator &other) const {
    const Cursor *peer = dynamic_cast<const Cursor *>(&other);
    if (!peer || peer->reverse_ != reverse_ || &peer->list() != &list())
      throw std::invalid_argument("bad iterator type");
    return *peer;
  }

  swig::SwigPyIterator *move(size_t n, bool up) {
    ptrdiff_t size = (ptrdiff_t)list().size();
    place_ = std::min(std::max(place_, (ptrdiff_t)0), size);
    size_t room = (size_t)(up ? size - place_ : place_);
    if (n > room) {
      place_ = up ? size : 0;
      throw Stop();
    }
    place_ += up ? (ptrdiff_t)n : -(ptrdiff_t)n;
    return this;
  }

  ptrdiff_t place_;
  bool reverse_;
  size_t size_;
};

/* An iterator that an in-place move hands on to a new proxy. */
struct Handover {
  swig::SwigPyIterator *iterator;
};

template <class Seq> static swig::SwigPyIterator *cursor(PyObject *listObj, Seq *list, ptrdiff_t place, bool reverse) {
  return new Cursor<Seq>(holderOf(listObj), list, place, reverse);
}

/* --- The native iterator behind `for` and list(): one C-level step per
       element, reading by index as Python's own list iterator does. --- */
struct FastIterator {
  PyObject_HEAD
  PyObject *holder;
  void *list;
  size_t index;
  PyObject *(*elementAt)(void *list, size_t index);
};

template <class Seq> static PyObject *elementAt(void *list, size_t index) {
  Seq &elements = *static_cast<Seq *>(list);
  if (index >= elements.size())
    return 0;
  return Element<typename Seq::value_type>::copy(elements[index]);
}

static PyObject *fastNext(PyObject *self) {
  FastIterator *iterator = (FastIterator *)self;
  if (!iterator->holder)
    return 0;
  if (((SwigPyObject *)iterator->holder)->ptr != iterator->list) {
    PyErr_SetString(PyExc_ValueError, "the iterator's list no longer exists");
    return 0;
  }
  PyObject *element = iterator->elementAt(iterator->list, iterator->index);
  if (element) {
    ++iterator->index;
    return element;
  }
  if (!PyErr_Occurred())
    Py_CLEAR(iterator->holder);
  return 0;
}

static void fastDealloc(PyObject *self) {
  PyTypeObject *type = Py_TYPE(self);
  Py_XDECREF(((FastIterator *)self)->holder);
  type->tp_free(self);
  Py_DECREF(type);
}

static PyTypeObject *fastIteratorType() {
  static PyTypeObject *type = 0;
  if (!type) {
    static PyType_Slot slotTable[] = {{Py_tp_iter, (void *)PyObject_SelfIter},
                                      {Py_tp_iternext, (void *)fastNext},
                                      {Py_tp_dealloc, (void *)fastDealloc},
                                      {0, 0}};
    static PyType_Spec spec = {"Setup.ListIterator", sizeof(FastIterator), 0, Py_TPFLAGS_DEFAULT, slotTable};
    type = (PyTypeObject *)PyType_FromSpec(&spec);
  }
  return type;
}

template <class Seq> static PyObject *fastIterator(PyObject *listObj, Seq *list) {
  PyTypeObject *type = fastIteratorType();
  FastIterator *iterator = type ? PyObject_New(FastIterator, type) : 0;
  if (!iterator)
    throw PythonError();
  iterator->holder = holderOf(listObj);
  Py_XINCREF(iterator->holder);
  iterator->list = list;
  iterator->index = 0;
  iterator->elementAt = &elementAt<Seq>;
  return (PyObject *)iterator;
}

}  // namespace Setup_list
%}

/* --- Arguments of the lists' own operations ------------------------------ */

/* The pointer object of the list that an operation was called on, for
   iterators that must hold their list. Takes no Python argument. */
%typemap(in, numinputs=0, noblock=1) PyObject **listObject {
  $1 = &$self;
}

/* A slice object; the host receives it borrowed. Anything else: TypeError. */
%typemap(in, noblock=1) PySliceObject * {
  if (!PySlice_Check($input)) {
    %argument_fail(SWIG_TypeError, "$type", $symname, $argnum);
  }
  $1 = (PySliceObject *)$input;
}
%typemap(typecheck, precedence=SWIG_TYPECHECK_POINTER, noblock=1) PySliceObject * {
  $1 = PySlice_Check($input);
}

/* A list argument of the lists' own operations (slice assignment, a new list
   from a list): a list object of the same type, or any Python sequence whose
   items all convert as elements. The host receives the list itself or a copy
   on the wrapper's stack, which the wrapper frees. None: null reference
   failure; anything else: TypeError. Applied per list type where its list
   types are declared. */
%typemap(in, noblock=1, fragment="Setup_ListKit") const Setup_AnyList &items ($*1_ltype scratch, int failure) {
  $1 = Setup_list::asList< $*1_ltype >($input, $descriptor, scratch, failure);
  if (!$1) {
    if ($input == Py_None) {
      %argument_nullref("$type", $symname, $argnum);
    }
    %argument_fail(Setup_IsDeadView(failure) ? failure : SWIG_TypeError, "$type", $symname, $argnum);
  }
}
%typemap(typecheck, precedence=SWIG_TYPECHECK_VECTOR, noblock=1, fragment="Setup_ListKit") const Setup_AnyList &items {
  $1 = Setup_list::fitsList< $*1_ltype >($input, $descriptor);
}

/* An element read in place (an index, front, back): a view into the list
   for the lists that hold values, which keeps the list's Python object alive;
   the object itself for pointers and ints. */
%typemap(out, noblock=1) Setup_list::Place {
  $result = $1.make($self, $1.list, $1.index);
  if (!$result)
    SWIG_fail;
}

/* A host iterator that an in-place move hands on: the new proxy owns the
   iterator exactly when the receiver's proxy did, and the receiver's proxy
   gives its ownership up. */
%typemap(out, noblock=1) Setup_list::Handover {
  {
    SwigPyObject *receiver = SWIG_Python_GetSwigThis($self);
    int owned = receiver ? receiver->own : 0;
    if (receiver)
      receiver->own = 0;
    $result = SWIG_NewPointerObj($1.iterator, $descriptor(swig::SwigPyIterator *), owned);
  }
}


/* ==========================================================================
 * SwigPyIterator: the iterator class of every list type.
 * ========================================================================== */

%fragment("Setup_ListKit");

%newobject swig::SwigPyIterator::copy;
%newobject swig::SwigPyIterator::operator+;

namespace swig {
/// An iterator over a list, C++ style: it works by index and keeps its list alive.
class SwigPyIterator {
public:
  ~SwigPyIterator();
  /// The element at the iterator; StopIteration outside the list.
  PyObject *value() const;
  /// Moves n elements on; gives the iterator itself.
  SwigPyIterator *incr(size_t n = 1);
  /// Moves n elements back; gives the iterator itself.
  SwigPyIterator *decr(size_t n = 1);
  /// The number of elements from this iterator to x, of the same list and direction.
  ptrdiff_t distance(const SwigPyIterator &x) const;
  /// Whether x is at the same place of the same list.
  bool equal(const SwigPyIterator &x) const;
  /// A new iterator at the same place.
  SwigPyIterator *copy() const;
  /// The element at the iterator, then moves on.
  PyObject *next();
  /// The element at the iterator, then moves on; StopIteration at the end.
  PyObject *__next__();
  /// Moves back, then gives the element there.
  PyObject *previous();
  /// Moves n elements on (back for a negative n); gives the iterator itself.
  SwigPyIterator *advance(ptrdiff_t n);
  /// Whether x is at the same place of the same list.
  bool operator==(const SwigPyIterator &x) const;
  /// Whether x is at another place.
  bool operator!=(const SwigPyIterator &x) const;
  %extend {
    /// Moves n elements on, in place.
    Setup_list::Handover __iadd__(ptrdiff_t n) {
      Setup_list::Handover moved = {$self->advance(n)};
      return moved;
    }
    /// Moves n elements back, in place.
    Setup_list::Handover __isub__(ptrdiff_t n) {
      Setup_list::Handover moved = {$self->advance(n == PTRDIFF_MIN ? PTRDIFF_MAX : -n)};
      return moved;
    }
  }
  /// A new iterator n elements on.
  SwigPyIterator *operator+(ptrdiff_t n) const;
  %extend {
    /* The distance to another iterator, or a new iterator moved back by a
       count; NotImplemented for anything else, so that Python goes on to the
       other operand. */
    /// The distance from another iterator, or a new iterator that many elements back.
    PyObject *__sub__(PyObject *other) const {
      void *peer = 0;
      ptrdiff_t n = 0;
      if (other != Py_None && SWIG_IsOK(SWIG_ConvertPtr(other, &peer, SWIGTYPE_p_swig__SwigPyIterator, 0)) && peer)
        return PyLong_FromSsize_t(*$self - *static_cast<swig::SwigPyIterator *>(peer));
      if (Setup_AsIndex(other, &n) > 0)
        return SWIG_NewPointerObj(*$self - n, SWIGTYPE_p_swig__SwigPyIterator, SWIG_POINTER_OWN);
      Py_INCREF(Py_NotImplemented);
      return Py_NotImplemented;
    }
  }
  %pythoncode %{
    def __iter__(self):
        """The iterator itself."""
        return self
  %}
};
}

/* ==========================================================================
 * The list template, instantiated once per list type.
 * ========================================================================== */

%newobject std::vector::iterator;
%newobject std::vector::__getslice__;
%newobject std::vector::__getitem__(PySliceObject *);
%newobject std::vector::begin;
%newobject std::vector::end;
%newobject std::vector::rbegin;
%newobject std::vector::rend;
%newobject std::vector::erase;
%newobject std::vector::insert;

/* The proxy classes take any iterable (a generator, a set) as the elements of
   a new list, by making a Python list of it first; the flat function takes
   sequences only, since choosing its form reads the argument. */
%feature("pythonprepend") std::vector::vector %{
    args = _list_arguments(args)
%}

%pythoncode %{
def _list_arguments(args):
    if len(args) == 1:
        items = args[0]
        kind = type(items)
        if not isinstance(items, (int, dict)) and hasattr(kind, "__iter__") and not hasattr(kind, "__getitem__"):
            return (list(items),)
    return args
%}

namespace std {
/// A list of the application's values or objects, which behaves as a Python list.
template <class T, class Allocator = std::allocator< T > >
class vector {
public:
  typedef size_t size_type;
  typedef ptrdiff_t difference_type;
  typedef T value_type;
  typedef value_type &reference;
  typedef const value_type &const_reference;
  typedef Allocator allocator_type;

  %extend {
    /// An iterator at the first element.
    swig::SwigPyIterator *iterator(PyObject **listObject) {
      return Setup_list::cursor(*listObject, $self, 0, false);
    }
    /// Iterates over copies of the elements.
    PyObject *__iter__(PyObject **listObject) {
      return Setup_list::fastIterator(*listObject, $self);
    }
    /// Whether the list has elements.
    bool __nonzero__() const {
      return !$self->empty();
    }
    /// Whether the list has elements.
    bool __bool__() const {
      return !$self->empty();
    }
    /// The number of elements.
    size_type __len__() const {
      return $self->size();
    }
    /// Removes the last element and gives it (a copy; a Variant's value).
    value_type pop() {
      if ($self->empty())
        throw std::out_of_range("pop from empty container");
      T last = $self->back();
      $self->pop_back();
      return last;
    }
    /// A new list of the elements from i up to j.
    vector *__getslice__(difference_type i, difference_type j) {
      return Setup_list::copyStretch(*$self, Setup_list::stretch(*$self, i, j));
    }
    /// Replaces the elements from i up to j by the items.
    void __setslice__(difference_type i, difference_type j, const std::vector< T, Allocator > &items) {
      Setup_list::replaceStretch(*$self, Setup_list::stretch(*$self, i, j), items);
    }
    /// Removes the elements from i up to j.
    void __delslice__(difference_type i, difference_type j) {
      Setup_list::eraseStretch(*$self, Setup_list::stretch(*$self, i, j));
    }
    /// Removes the elements of a slice.
    void __delitem__(PySliceObject *slice) {
      Setup_list::eraseStretch(*$self, Setup_list::stretch(*$self, (PyObject *)slice));
    }
    /// Removes the element at an index (from the end if negative).
    void __delitem__(difference_type i) {
      $self->erase($self->begin() + (ptrdiff_t)Setup_list::place(*$self, i));
    }
    /// A new list of the elements of a slice.
    vector *__getitem__(PySliceObject *slice) {
      return Setup_list::copyStretch(*$self, Setup_list::stretch(*$self, (PyObject *)slice));
    }
    /// The element at an index: a view into the list for values, else the element.
    Setup_list::Place __getitem__(difference_type i) {
      return Setup_list::placeOf(*$self, Setup_list::place(*$self, i));
    }
    /// Replaces the elements of a slice by the items, as a Python list does.
    void __setitem__(PySliceObject *slice, const std::vector< T, Allocator > &items) {
      Setup_list::replaceStretch(*$self, Setup_list::stretch(*$self, (PyObject *)slice), items);
    }
    /// Replaces the element at an index by a copy of x.
    void __setitem__(difference_type i, const value_type &x) {
      (*$self)[Setup_list::place(*$self, i)] = x;
    }
    /// Adds a copy of x at the end.
    void append(const value_type &x) {
      $self->push_back(x);
    }
  }

  /// Whether the list has no elements.
  bool empty() const;
  /// The number of elements.
  size_type size() const;
  /// Exchanges the elements with another list of the same type.
  void swap(vector &other);

  %extend {
    /// An iterator at the first element.
    swig::SwigPyIterator *begin(PyObject **listObject) {
      return Setup_list::cursor(*listObject, $self, 0, false);
    }
    /// An iterator past the last element.
    swig::SwigPyIterator *end(PyObject **listObject) {
      return Setup_list::cursor(*listObject, $self, (ptrdiff_t)$self->size(), false);
    }
    /// A reverse iterator at the last element.
    swig::SwigPyIterator *rbegin(PyObject **listObject) {
      return Setup_list::cursor(*listObject, $self, (ptrdiff_t)$self->size(), true);
    }
    /// A reverse iterator before the first element.
    swig::SwigPyIterator *rend(PyObject **listObject) {
      return Setup_list::cursor(*listObject, $self, 0, true);
    }
  }

  /// Removes every element.
  void clear();

  %extend {
    /* No operation takes an allocator; this one is shared and never freed. */
    /// The allocator, a bare pointer object that no operation takes.
    allocator_type *get_allocator() {
      static Allocator shared;
      return &shared;
    }
    /// Removes the last element.
    void pop_back() {
      if ($self->empty())
        throw std::out_of_range("pop_back from empty container");
      $self->pop_back();
    }
    /// Removes the element at an iterator of this list; gives an iterator at the next.
    swig::SwigPyIterator *erase(PyObject **listObject, swig::SwigPyIterator *pos) {
      size_t index = Setup_list::Cursor< std::vector< T, Allocator > >::indexIn(pos, *$self, false);
      $self->erase($self->begin() + (ptrdiff_t)index);
      return Setup_list::cursor(*listObject, $self, (ptrdiff_t)index, false);
    }
    /// Removes the elements from first up to last; gives an iterator at the next.
    swig::SwigPyIterator *erase(PyObject **listObject, swig::SwigPyIterator *first, swig::SwigPyIterator *last) {
      size_t from = Setup_list::Cursor< std::vector< T, Allocator > >::indexIn(first, *$self, true);
      size_t to = Setup_list::Cursor< std::vector< T, Allocator > >::indexIn(last, *$self, true);
      if (to < from)
        throw std::invalid_argument("the first iterator lies after the last");
      $self->erase($self->begin() + (ptrdiff_t)from, $self->begin() + (ptrdiff_t)to);
      return Setup_list::cursor(*listObject, $self, (ptrdiff_t)from, false);
    }
  }

  /// An empty list.
  vector();
  /// A list of count default elements (0, None or a default value).
  vector(size_type count);
  /// A list of copies of the items: a list of this type or any iterable of elements.
  vector(const std::vector< T, Allocator > &items);
  /// A list of count copies of value.
  vector(size_type count, const value_type &value);

  /// Adds a copy of x at the end.
  void push_back(const value_type &x);

  %extend {
    /// The first element: a view into the list for values, else the element.
    Setup_list::Place front() const {
      if ($self->empty())
        throw std::out_of_range("front of empty container");
      return Setup_list::placeOf(*$self, 0);
    }
    /// The last element: a view into the list for values, else the element.
    Setup_list::Place back() const {
      if ($self->empty())
        throw std::out_of_range("back of empty container");
      return Setup_list::placeOf(*$self, $self->size() - 1);
    }
  }

  /// Replaces the elements by n copies of x.
  void assign(size_type n, const value_type &x);
  /// Makes the list n elements long, adding default elements at the end.
  void resize(size_type n);
  /// Makes the list n elements long, adding copies of x at the end.
  void resize(size_type n, const value_type &x);

  %extend {
    /// Inserts a copy of x before an iterator of this list; gives an iterator at it.
    swig::SwigPyIterator *insert(PyObject **listObject, swig::SwigPyIterator *pos, const value_type &x) {
      size_t index = Setup_list::Cursor< std::vector< T, Allocator > >::indexIn(pos, *$self, true);
      $self->insert($self->begin() + (ptrdiff_t)index, x);
      return Setup_list::cursor(*listObject, $self, (ptrdiff_t)index, false);
    }
    /// Inserts n copies of x before an iterator of this list.
    void insert(swig::SwigPyIterator *pos, size_type n, const value_type &x) {
      size_t index = Setup_list::Cursor< std::vector< T, Allocator > >::indexIn(pos, *$self, true);
      $self->insert($self->begin() + (ptrdiff_t)index, n, x);
    }
  }

  /// Makes room for n elements, so that growing to n moves none.
  void reserve(size_type n);
  /// The number of elements the list has room for.
  size_type capacity() const;
  ~vector();

  %pythoncode %{
    def __contains__(self, item):
        """Whether an element equals item."""
        return any(element == item for element in self)

    def __eq__(self, other):
        """Whether other is a list of the same type with equal elements."""
        if type(other) is not type(self):
            return NotImplemented
        return len(self) == len(other) and all(a == b for a, b in zip(self, other))

    __hash__ = None
  %}
};
}
