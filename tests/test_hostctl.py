"""The journal's canonical forms and the host-control switches."""
import json

import pytest

import Setup
import SetupHost


@pytest.mark.parametrize("value, shown", [
    (1.0, "1.0"), (0.1, "0.1"), (-0.0, "-0.0"), (1e16, "1e+16"), (1e15, "1000000000000000.0"),
    (1.5e-5, "1.5e-05"), (0.0001, "0.0001"), (123456789.125, "123456789.125"), (float("inf"), "inf"),
    (float("nan"), "nan"), (2.0**-1074, "5e-324"), (1.7976931348623157e308, "1.7976931348623157e+308"),
])
def test_doubles_are_shown_as_python_repr(value, shown):
    Setup.Variant(value)
    assert SetupHost.journal()[0] == f"Variant::Variant({shown})"
    assert shown == repr(value)


@pytest.mark.parametrize("text, shown", [
    ('q"\\\n\t\x01é', '"q\\"\\\\\\n\\t\\u0001é"'),
    ("\U0001F600", '"\U0001F600"'),                       # a surrogate pair is one character
    ("a\udc80b\ud800", '"a\\udc80b\\ud800"'),             # lone surrogates keep their escapes
    ("x" * 70000 + "\udfff", '"' + "x" * 70000 + '\\udfff"'),  # too long for the entry's room
])
def test_texts_are_json_quoted(text, shown):
    scenario = SetupHost.new_scenario("S")
    scenario.setName(text)
    assert SetupHost.journal()[-1] == f"Analysis::setName({shown})"
    assert json.loads(shown) == text


def test_journal_switch_and_reset():
    SetupHost.set_journal_enabled(False)
    Setup.Variant(1)
    assert SetupHost.journal() == [] and not SetupHost.journal_enabled()
    SetupHost.reset()
    assert SetupHost.journal_enabled()


def test_objects_survive_reset():
    scenario = SetupHost.new_scenario("Old")
    SetupHost.reset()
    assert SetupHost.describe(scenario) == '<Analysis "Old">'


@pytest.mark.parametrize("kind", [-1, 3, 12, 2**31 - 1])
def test_a_property_definition_takes_only_variant_kinds(kind):
    with pytest.raises(ValueError, match=f"not {kind}$"):
        SetupHost.new_property_definition("p", kind)
    assert SetupHost.new_property_definition("p", Setup.Variant_StringList).type() == Setup.Variant_StringList
