"""What Python users expect of proxies: reprs that say what they hold, and
copies and pickles that behave as values for records and lists, while the
application's objects refuse to be pickled."""
import copy
import pickle

import pytest

from conftest import Setup, SetupHost


class Truth:
    def __bool__(self):
        return True


def ctm():
    record = Setup.CTMResults()
    record.boardTemp, record.junctionTemp = 41.5, 77.25
    return record


def tec():
    record = Setup.TECResults()
    record.numCouples, record.COP = 127, 0.6
    return record


VALUES = {
    "Vector": (lambda: Setup.Vector(1.0, 2.0, 3.0), "Vector(1.0, 2.0, 3.0)"),
    "text Variant": (lambda: Setup.Variant("text"), "Variant('text')"),
    "int Variant": (lambda: Setup.Variant(5), "Variant(5)"),
    "double Variant": (lambda: Setup.Variant(2.5), "Variant(2.5)"),
    "bool Variant": (lambda: Setup.Variant(Truth()), "Variant(True)"),
    "text list Variant": (lambda: Setup.Variant(SetupHost.new_stringlistp(["a", "b"])), "Variant(['a', 'b'])"),
    "invalid Variant": (lambda: Setup.Variant(), "Variant()"),
    "PropertyDefinition": (lambda: SetupHost.new_property_definition("Gravity", Setup.Variant_Bool),
                           "PropertyDefinition('Gravity', Variant_Bool)"),
    "CTMResults": (ctm, "CTMResults(boardTemp=41.5, boardSideHeatFlux=0.0, caseTemp=0.0, "
                        "caseSideHeatFlux=0.0, junctionTemp=77.25)"),
    "TECResults": (tec, None),
    "VectorList": (lambda: Setup.VectorList([Setup.Vector(1, 2, 3)]), "VectorList([Vector(1.0, 2.0, 3.0)])"),
    "EntityIdList": (lambda: Setup.EntityIdList([3, 1]), "EntityIdList([3, 1])"),
}


@pytest.mark.parametrize("make, shown", VALUES.values(), ids=VALUES.keys())
def test_values_show_themselves_quietly_and_copy_as_values(make, shown):
    value = make()
    SetupHost.clear_journal()
    text = repr(value)
    assert SetupHost.journal() == []          # a repr reads nothing the journal shows
    if shown:
        assert text == shown
    copies = [copy.copy(value), copy.deepcopy(value), pickle.loads(pickle.dumps(value))]
    for made in copies:
        assert made == value and made is not value and made.this != value.this
        assert made.thisown                   # each copy is the script's own
        assert type(made).__mro__[0] is type(value)


def test_a_copy_is_independent_of_its_original():
    vector = Setup.Vector(1.0, 2.0, 3.0)
    copied = copy.copy(vector)
    copied.x = 99.0
    assert vector.x == 1.0
    record = ctm()
    copied = pickle.loads(pickle.dumps(record))
    copied.boardTemp = 0.0
    assert record.boardTemp == 41.5 and copied != record


def test_records_compare_field_by_field():
    assert ctm() == ctm() and tec() == tec() and ctm() != Setup.CTMResults()
    assert (ctm() == tec()) is False


@pytest.mark.parametrize("record", [Setup.ThermalComfortParams, Setup.SmokeParams])
def test_scenario_records_refuse_copies(record):
    made = record(SetupHost.new_scenario("Airflow"))
    assert repr(made).startswith(record.__name__ + "(")
    for action in (copy.copy, copy.deepcopy, pickle.dumps):
        with pytest.raises(TypeError, match="made only from a scenario"):
            action(made)


@pytest.mark.parametrize("make", [
    lambda: SetupHost.new_scenario("Natural convection"),
    lambda: SetupHost.new_part("Board"),
    lambda: Setup.DesignStudy.Create(),
    lambda: SetupHost.new_entity("Face 1"),
])
def test_host_objects_show_class_and_name_and_refuse_pickling(make):
    obj = make()
    SetupHost.clear_journal()
    assert repr(obj) == f"<{type(obj).__name__} {obj.name()!r}>"
    assert len(SetupHost.journal()) == 1      # only the name() call above
    with pytest.raises(TypeError, match="belongs to the application"):
        pickle.dumps(obj)
    assert copy.copy(obj) is obj              # a handle, not a value


def test_pointer_lists_copy_their_pointers_and_pointer_objects_keep_their_form():
    part = SetupHost.new_part("Board")
    parts = Setup.PartList([part, None])
    copied = copy.deepcopy(parts)
    assert copied == parts and copied.this != parts.this
    assert repr(part.this).startswith("<Swig Object of type 'script::Part *' at 0x")
    with pytest.raises(TypeError):
        pickle.dumps(parts.iterator())
