/* ==========================================================================
 * What Python users expect of the proxies beyond the application's own
 * operations: a repr that says what a proxy holds, and copies and pickles
 * that behave as values do for the records and lists, while the
 * application's own objects refuse to be pickled and say why. All of it is
 * Python written once here and given to the classes by their kind after they
 * are registered; nothing of it lies on the road of an ordinary call, and the
 * flat module gains no function for it.
 * ========================================================================== */

%pythoncode %{
import sys as _sys


def _quietly(read, *args):
    """Reads for a repr leave no trace in the stand-in's journal, when it is loaded."""
    host = _sys.modules.get("_SetupHost")
    if host is None or not host.journal_enabled():
        return read(*args)
    host.set_journal_enabled(False)
    try:
        return read(*args)
    finally:
        host.set_journal_enabled(True)


def _fields(record):
    return [name for name, value in vars(type(record)).items()
            if isinstance(value, property) and name != "thisown"]


def _field_values(record):
    return tuple((name, getattr(record, name)) for name in _fields(record))


def _made_with(cls, fields):
    """Makes a record again from its fields (what a pickle of it holds)."""
    record = cls()
    for name, value in fields:
        setattr(record, name, value)
    return record


def _record_repr(record):
    try:
        fields = _quietly(_field_values, record)
    except Exception:
        return _swig_repr(record)
    return "%s(%s)" % (type(record).__name__, ", ".join("%s=%r" % field for field in fields))


def _record_eq(record, other):
    if type(other) is not type(record):
        return NotImplemented
    return _field_values(record) == _field_values(other)


def _record_reduce(record):
    return _made_with, (type(record), _field_values(record))


def _vector_repr(vector):
    try:
        return "Vector(%r, %r, %r)" % _quietly(lambda: (vector.x, vector.y, vector.z))
    except Exception:
        return _swig_repr(vector)


def _vector_reduce(vector):
    return Vector, (vector.x, vector.y, vector.z)


def _variant_value(variant):
    """The variant's kind and the Python value it holds (None when invalid)."""
    kind = variant.type()
    read = _VARIANT_READERS.get(kind)
    return kind, (read(variant) if read is not None else None)


def _variant_repr(variant):
    try:
        kind, value = _quietly(_variant_value, variant)
    except Exception:
        return _swig_repr(variant)
    return "Variant()" if value is None else "Variant(%r)" % (value,)


def _variant_of(kind, value):
    """Makes a variant again from its kind and value (what a pickle of it holds).
    A text list can only be handed to the constructor as a text list object,
    which only the host-control module makes, where it is loaded."""
    if value is None:
        return Variant()
    if kind == Variant.Bool:
        return Variant(_Truth(value))
    if kind == Variant.StringList:
        host = _sys.modules.get("_SetupHost")
        if host is None:
            raise TypeError("a text-list Variant can only be made again where text lists can be made (SetupHost)")
        return host.new_text_list_variant(value)
    return Variant(value)


class _Truth:
    """A truth value that overload choice does not take for an int, as it
    takes a bool, so that a variant of kind Bool is made again as one."""
    __slots__ = ("value",)

    def __init__(self, value):
        self.value = bool(value)

    def __bool__(self):
        return self.value


def _variant_reduce(variant):
    return _variant_of, _variant_value(variant)


_VARIANT_KIND_NAMES = {}


def _property_definition_repr(definition):
    try:
        name, kind = _quietly(lambda: (definition.name(), definition.type()))
    except Exception:
        return _swig_repr(definition)
    return "PropertyDefinition(%r, %s)" % (name, _VARIANT_KIND_NAMES.get(kind, kind))


def _property_definition_of(name, kind):
    """Makes a property definition again (what a pickle of it holds). Only the
    application defines properties; the stand-in's host-control module can."""
    host = _sys.modules.get("_SetupHost")
    if host is None:
        raise TypeError("a PropertyDefinition can only be made again where properties can be defined (SetupHost)")
    return host.new_property_definition(name, kind)


def _property_definition_reduce(definition):
    return _property_definition_of, (definition.name(), definition.type())


def _copy_by_pickle(value, memo=None):
    make, arguments = value.__reduce__()
    return make(*arguments)


def _variant_copy(variant, memo=None):
    return Variant(variant)


def _property_definition_copy(definition, memo=None):
    """A list of definitions holds copies: one made there is independent."""
    return PropertyDefinitionList([definition]).pop()


def _host_object_repr(obj):
    try:
        return "<%s %r>" % (type(obj).__name__, _quietly(obj.name))
    except Exception:
        return _swig_repr(obj)


def _refuse_pickle_of_host_object(obj, protocol=None):
    raise TypeError("cannot pickle %r object: it belongs to the application, which keeps it in the study; "
                    "pickle what you read from it (its name, its properties) instead" % type(obj).__name__)


def _handle_copy(obj, memo=None):
    """A proxy of the application's object is a handle: a copy of it is the same handle."""
    return obj


def _refuse_copy_of_scenario_record(record, *args):
    raise TypeError("cannot copy or pickle %r: it is made only from a scenario, as %s(scenario), "
                    "which reads that scenario's settings" % (type(record).__name__, type(record).__name__))


def _list_repr(lst):
    return "%s(%s)" % (type(lst).__name__, _quietly(lambda: repr(list(lst))))


def _list_copy(lst, memo=None):
    return type(lst)(lst)


def _list_reduce(lst):
    return type(lst), (list(lst),)


def _refuse_pickle_of_iterator(iterator, protocol=None):
    raise TypeError("cannot pickle 'SwigPyIterator' object: it moves over a list held in this process")


def _give_proxies_their_python_manners():
    values = {Vector: (_vector_repr, _vector_reduce, _copy_by_pickle),
              Variant: (_variant_repr, _variant_reduce, _variant_copy),
              PropertyDefinition: (_property_definition_repr, _property_definition_reduce, _property_definition_copy),
              CTMResults: (_record_repr, _record_reduce, _copy_by_pickle),
              TECResults: (_record_repr, _record_reduce, _copy_by_pickle)}
    for cls, (represent, reduce, copy) in values.items():
        cls.__repr__ = represent
        cls.__reduce__ = reduce
        cls.__copy__ = cls.__deepcopy__ = copy
        if "__eq__" not in vars(cls):
            cls.__eq__ = _record_eq
            cls.__hash__ = None
    for cls in (ThermalComfortParams, SmokeParams):
        cls.__repr__ = _record_repr
        cls.__reduce_ex__ = cls.__copy__ = cls.__deepcopy__ = _refuse_copy_of_scenario_record
    for cls in vars(_sys.modules[__name__]).values():
        if not isinstance(cls, type) or not hasattr(cls, "thisown"):
            continue
        if issubclass(cls, Object):
            cls.__repr__ = _host_object_repr
            cls.__reduce_ex__ = _refuse_pickle_of_host_object
            cls.__copy__ = cls.__deepcopy__ = _handle_copy
        elif cls.__name__.endswith("List") and hasattr(cls, "swap"):
            cls.__repr__ = _list_repr
            cls.__copy__ = cls.__deepcopy__ = _list_copy
            cls.__reduce__ = _list_reduce
    SwigPyIterator.__copy__ = SwigPyIterator.__deepcopy__ = lambda iterator, memo=None: iterator.copy()
    SwigPyIterator.__reduce_ex__ = _refuse_pickle_of_iterator
    _VARIANT_KIND_NAMES.update((getattr(Variant, name), "Variant_" + name)
                               for name in ("Invalid", "Bool", "Int", "Double", "String", "StringList"))


_give_proxies_their_python_manners()
%}
