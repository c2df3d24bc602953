"""Variant and PropertyDefinition."""
import pytest

import Setup
import SetupHost
import _Setup
from conftest import raises_text

VARIANT_PROTOTYPES = (
    "Wrong number of arguments for overloaded function 'new_Variant'.\n  Possible C/C++ prototypes are:\n"
    "    script::Variant()\n    script::Variant(bool)\n    script::Variant(int)\n    script::Variant(double)\n"
    "    script::Variant(char const *)\n    script::Variant(QStringList const &)\n"
    "    script::Variant(script::Variant const &)\n    script::Variant(QVariant const &)\n")


def test_invalid_variant():
    variant = Setup.Variant()
    assert (variant.type(), variant.isValid(), variant.isNull()) == (0, False, True)
    assert SetupHost.variant_value(variant) is None


@pytest.mark.parametrize("given, kind, value", [
    (5, 2, 5), (True, 2, 1), (2.5, 6, 2.5), ("short", 10, "short"), ([], 1, 0), ({"a": 1}, 1, 1),
])
def test_variant_kinds_and_native_values(given, kind, value):
    variant = Setup.Variant(given)
    assert variant.type() == kind
    native = SetupHost.variant_value(variant)
    assert native == value and type(native) is type(value)


def test_variant_from_text_list_and_qvariant():
    texts = Setup.Variant(SetupHost.new_stringlistp(["a", "b"]))
    assert (texts.type(), SetupHost.variant_value(texts)) == (11, ["a", "b"])
    assert Setup.Variant(SetupHost.new_qvariant_double(1.25)).toDouble() == 1.25
    assert Setup.Variant(SetupHost.new_qvariant_int(7)).type() == Setup.Variant_Int


def test_any_other_object_makes_a_truth_variant():
    # Only a text list, a Variant or a QVariant pointer is taken as such; a vector is just true.
    assert Setup.Variant(Setup.Vector()).type() == Setup.Variant_Bool
    assert Setup.Variant(SetupHost.new_doublep()).type() == Setup.Variant_Bool


def test_variant_copy_is_independent():
    original = Setup.Variant(3)
    copy = Setup.Variant(original)
    del original
    assert (copy.type(), copy.toInt()) == (2, 3)


def test_bool_kind_reads_as_int():
    assert SetupHost.variant_value(Setup.Variant([1])) == 1
    assert type(SetupHost.variant_value(Setup.Variant([1]))) is int
    assert Setup.Variant([1]).toBool() is True


class BadTruth:
    def __bool__(self):
        raise ValueError("no truth")


@pytest.mark.parametrize("args", [(1, 2), (BadTruth(),), (1, 2, 3)])
def test_variant_overload_failure(args):
    assert raises_text(Setup.OverloadError, _Setup.new_Variant, *args) == VARIANT_PROTOTYPES


@pytest.mark.parametrize("fn", ["toInt", "toDouble"])
@pytest.mark.parametrize("args", [(None,), (Setup.Vector(),), (Setup.Variant(1), 5), (Setup.Variant(1), None, None)])
def test_to_number_overload_failure(fn, args):
    expected = (f"Wrong number of arguments for overloaded function 'Variant_{fn}'.\n"
                f"  Possible C/C++ prototypes are:\n    {fn}(script::Variant const *,bool *)\n"
                f"    {fn}(script::Variant const *)\n")
    assert raises_text(Setup.OverloadError, getattr(_Setup, "Variant_" + fn), *args) == expected


def test_to_number_forms_send_null_flag():
    variant = Setup.Variant(4)
    SetupHost.clear_journal()
    assert (variant.toInt(), variant.toInt(None), variant.toDouble()) == (4, 4, 4.0)
    assert SetupHost.journal() == ["Variant::toInt(null)", "Variant::toInt(null)", "Variant::toDouble(null)"]


def test_text_conversions():
    variant = Setup.Variant("7-bit")
    assert (variant.toString(), type(variant.toString()), variant.typeName()) == ("7-bit", str, "QString")


def test_property_definition_defaults():
    definition = Setup.PropertyDefinition()
    assert (definition.name(), definition.type()) == ("", Setup.Variant_Invalid)
    del definition
    assert SetupHost.live_objects("PropertyDefinition") == 0
