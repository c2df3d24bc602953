"""Object and Container: names, typed properties, navigation and ownership."""
import gc

import pytest

import Setup
import SetupHost
import _Setup
from conftest import raises_text

PROPERTY_PROTOTYPES = (
    "Wrong number of arguments for overloaded function 'Object_property'.\n  Possible C/C++ prototypes are:\n"
    "    property(script::Object const *,char const *,bool *)\n    property(script::Object const *,char const *)\n")
SET_PROTOTYPES = (
    "Wrong number of arguments for overloaded function 'Object_setProperty'.\n  Possible C/C++ prototypes are:\n"
    "    setProperty(script::Object *,char const *,int)\n    setProperty(script::Object *,char const *,double)\n"
    "    setProperty(script::Object *,char const *,char const *)\n")


@pytest.fixture
def thing():
    """A free object with one property of each kind."""
    obj = SetupHost.new_part("Board")
    for name, value in [("On", True), ("Layers", 6), ("Power", 2.5), ("Tag", "pcb"), ("Notes", ["a", "b"])]:
        SetupHost.give_property(obj, name, value)
    SetupHost.clear_journal()
    return obj


def test_properties_read_back_by_kind(thing):
    values = [thing.property(name) for name in ("On", "Layers", "Power", "Tag", "Notes", "Missing")]
    assert values == [1, 6, 2.5, "pcb", ["a", "b"], None]
    assert type(values[0]) is int
    assert thing.property("Notes") is not thing.property("Notes")
    assert (thing.hasProperty("Tag"), thing.hasProperty("tag"), thing.numProperties()) == (True, False, 5)


def test_property_forms_send_the_flag_pointer(thing):
    flag = SetupHost.new_boolp(False)
    thing.property("Power"), thing.property("Power", None), thing.property("Power", flag)
    assert [e for e in SetupHost.journal() if e.startswith("Object::")] == [
        'Object::property("Power", null)', 'Object::property("Power", null)', 'Object::property("Power", <bool*>)']
    assert SetupHost.boolp_value(flag) is True


@pytest.mark.parametrize("name, value, sent, result, after", [
    ("Layers", True, "1", 1, 1),
    ("Layers", 8, "8", 1, 8),
    ("Power", 3.25, "3.25", 1, 3.25),
    ("Power", 2**40, "1099511627776.0", 1, 1099511627776.0),
    ("Power", 4, "4", 1, 4.0),              # a whole number is a double too
    ("On", 0, "0", 1, 0),
    ("On", 2, "2", 0, 1),                   # a bool takes 0 and 1 only
    ("Tag", "fr4", '"fr4"', 1, "fr4"),
    ("Layers", 2.5, "2.5", 0, 6),           # another kind: refused, unchanged
    ("Tag", 3, "3", 0, "pcb"),
    ("Notes", "x", '"x"', 0, ["a", "b"]),
    ("Missing", 1, "1", 0, None),
])
def test_set_property_forms_and_results(thing, name, value, sent, result, after):
    assert thing.setProperty(name, value) == result
    assert SetupHost.journal()[0] == f'Object::setProperty("{name}", {sent})'
    assert thing.property(name) == after


@pytest.mark.parametrize("fn, args, expected", [
    (_Setup.Object_setProperty, ("P", object()), SET_PROTOTYPES),
    (_Setup.Object_setProperty, ("P",), SET_PROTOTYPES),
    (_Setup.Object_setProperty, (5, 1), SET_PROTOTYPES),
    (_Setup.Object_property, ("P", 5), PROPERTY_PROTOTYPES),
    (_Setup.Object_property, ("P", None, None), PROPERTY_PROTOTYPES),
    (_Setup.Object_property, (3,), PROPERTY_PROTOTYPES),
])
def test_overload_failures_call_nothing(thing, fn, args, expected):
    assert raises_text(Setup.OverloadError, fn, thing, *args) == expected
    assert SetupHost.journal() == []


@pytest.mark.parametrize("fn", [_Setup.Object_property, _Setup.Object_setProperty])
def test_overloads_refuse_receivers_outside_the_tree(fn):
    args = (Setup.Vector(), "P") + ((1,) if fn is _Setup.Object_setProperty else ())
    with pytest.raises(Setup.OverloadError):
        fn(*args)


@pytest.mark.parametrize("fn, args, text", [
    (_Setup.Object_name, (Setup.Vector(),), "in method 'Object_name', argument 1 of type 'script::Object const *'"),
    (_Setup.Object_numProperties, (Setup.Variant(1),),
     "in method 'Object_numProperties', argument 1 of type 'script::Object const *'"),
    (_Setup.Object_design, (None,), "in method 'Object_design', argument 1 of type 'script::Object *'"),
    (_Setup.Object_hasProperty, (SetupHost.new_part("P"), 5),
     "in method 'Object_hasProperty', argument 2 of type 'char const *'"),
    (_Setup.Object_propertyDefinition, (SetupHost.new_part("P"), 5),
     "in method 'Object_propertyDefinition', argument 2 of type 'char const *'"),
    (_Setup.Object_properties, (SetupHost.new_part("P"), Setup.VariantList(), Setup.VariantList()),
     "in method 'Object_properties', argument 2 of type 'PropertyDefinitionList &'"),
    (_Setup.Object_properties, (SetupHost.new_part("P"), Setup.PropertyDefinitionList(), []),
     "in method 'Object_properties', argument 3 of type 'VariantList &'"),
])
def test_argument_failures(fn, args, text):
    assert raises_text(TypeError, fn, *args) == text


def test_properties_fill_both_lists(thing):
    definitions, values = Setup.PropertyDefinitionList(), Setup.VariantList()
    assert thing.properties(definitions, values) == 5
    assert [(d.name(), d.type()) for d in definitions] == [
        ("On", 1), ("Layers", 2), ("Power", 6), ("Tag", 10), ("Notes", 11)]
    assert [SetupHost.variant_value(v) for v in values] == [1, 6, 2.5, "pcb", ["a", "b"]]
    assert thing.properties(definitions, values) == 5 and len(definitions) == 5  # replaced, not appended


@pytest.mark.parametrize("missing", [2, 3])
def test_properties_with_none_leaves_the_other_list(thing, missing):
    lists = [Setup.PropertyDefinitionList([Setup.PropertyDefinition()]), Setup.VariantList([Setup.Variant(7)])]
    lists[missing - 2] = None
    kind = "PropertyDefinitionList &" if missing == 2 else "VariantList &"
    assert raises_text(ValueError, _Setup.Object_properties, thing, *lists) == \
        f"invalid null reference in method 'Object_properties', argument {missing} of type '{kind}'"
    assert len(lists[3 - missing]) == 1
    assert not any(e.startswith("Object::") for e in SetupHost.journal())


def test_property_definition_is_an_owned_copy(thing):
    gc.collect()
    before = SetupHost.live_objects("PropertyDefinition")
    definition = thing.propertyDefinition("Power")
    assert (definition.name(), definition.type(), definition.thisown) == ("Power", Setup.Variant_Double, True)
    assert thing.propertyDefinition("Missing").type() == Setup.Variant_Invalid
    del definition
    gc.collect()
    assert SetupHost.live_objects("PropertyDefinition") == before


@pytest.mark.parametrize("cls, made", [(Setup.Object, "Object"), (Setup.Container, "Container")])
def test_new_objects_are_owned_and_destroyed_once(cls, made):
    gc.collect()
    before = SetupHost.live_objects(made)
    obj = cls()
    assert SetupHost.journal() == [f'{made}::{made}(null, "")']
    assert (obj.name(), obj.thisown, obj.design(), obj.designStudy(), obj.scenario()) == ("", True, None, None, None)
    assert SetupHost.live_objects(made) == before + 1
    getattr(_Setup, "delete_" + made)(obj)
    assert SetupHost.live_objects(made) == before
    del obj
    gc.collect()
    assert SetupHost.live_objects(made) == before


@pytest.mark.parametrize("fn", [_Setup.new_Object, _Setup.new_Container])
def test_constructors_take_no_arguments(fn):
    assert raises_text(TypeError, fn, None).endswith("() takes no arguments (1 given)")


def test_navigation_within_the_study():
    study = Setup.DesignStudy.Create()
    design = study.add("D", "S")
    scenario = design.scenario("S")
    assert (scenario.design(), scenario.designStudy(), scenario.scenario()) == (design, study, scenario)
    assert (design.design(), design.designStudy(), _Setup.Object_scenario(design)) == (design, study, None)
    assert isinstance(_Setup.Object_scenario(scenario), Setup.Scenario)
    assert _Setup.Object_design(study) is None


@pytest.mark.parametrize("operation, answer, call", [
    ("hasProperty", (SetupHost.answer_bool, True), lambda o: o.hasProperty("nothing")),
    ("numProperties", (SetupHost.answer_int, 9), lambda o: o.numProperties()),
    ("setProperty", (SetupHost.answer_int, -3), lambda o: o.setProperty("Power", 1.0)),
    ("design", (SetupHost.answer_null, None), lambda o: o.design()),
])
def test_answers_are_steered_and_still_journaled(operation, answer, call):
    scenario = Setup.DesignStudy.Create().add("D", "S").scenario("S")
    SetupHost.give_property(scenario, "Power", 2.0)
    setter, value = answer
    setter(scenario, operation) if value is None else setter(scenario, operation, value)
    SetupHost.clear_journal()
    assert call(scenario) == value
    assert SetupHost.journal()[0].startswith(f"Object::{operation}(")
    SetupHost.reset()
    assert _Setup.Object_numProperties(scenario) == 1  # the answer went with reset


@pytest.mark.parametrize("call, error, text", [
    (lambda o: SetupHost.answer_bool(o, "design", True), ValueError,
     "<Part \"P\"> has no operation 'design' that answers a bool"),
    (lambda o: SetupHost.answer_null(o, "clone"), ValueError,
     "<Part \"P\"> has no operation 'clone' that answers a null pointer"),
    (lambda o: SetupHost.answer_int(None, "numProperties", 1), TypeError, "an object of the study is expected, not None"),
    (lambda o: SetupHost.give_property(o, "X", {}), TypeError,
     "a property value is a bool, an int, a float, a str or a list of str"),
    (lambda o: SetupHost.give_property(o, "X", ["a", 1]), TypeError, "a text list property holds str items only"),
    (lambda o: SetupHost.give_property(o, "X", 2**40), ValueError, "an int property holds 32 signed bits"),
    (lambda o: SetupHost.give_property(o, "", 1), ValueError, "a property needs a name"),
])
def test_steering_refusals(call, error, text):
    assert raises_text(error, call, SetupHost.new_part("P")) == text
