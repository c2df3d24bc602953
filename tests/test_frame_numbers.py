"""The integer, real and truth argument rules, through record fields and variants."""
import pytest

import Setup
import SetupHost
import _Setup
from conftest import raises_text


class Falsy:
    def __bool__(self):
        return False


class BadTruth:
    def __bool__(self):
        raise ValueError("no truth")


class FloatSub(float):
    pass


@pytest.mark.parametrize("given, stored", [(7, 7), (True, 1), (False, 0), (2**31 - 1, 2**31 - 1), (-2**31, -2**31)])
def test_integer_argument(given, stored):
    record = Setup.TECResults()
    record.numCouples = given
    assert record.numCouples == stored and type(record.numCouples) is int


@pytest.mark.parametrize("given", [2**31, -2**31 - 1, 2**70, 2.5, "3", None, 3j])
def test_integer_refused(given):
    record = Setup.TECResults()
    record.numCouples = 4
    assert raises_text(TypeError, _Setup.TECResults_numCouples_set, record, given) == \
        "in method 'TECResults_numCouples_set', argument 2 of type 'int'"
    assert record.numCouples == 4


@pytest.mark.parametrize("given, stored", [(2, 2.0), (True, 1.0), (2.5, 2.5), (FloatSub(1.5), 1.5), (2**80, 2.0**80),
                                           (float("inf"), float("inf"))])
def test_real_argument(given, stored):
    vector = Setup.Vector()
    vector.x = given
    assert vector.x == stored and type(vector.x) is float


@pytest.mark.parametrize("given", [10**400, "1.0", None, [1.0]])
def test_real_refused(given):
    vector = Setup.Vector(1.0, 2.0, 3.0)
    assert raises_text(TypeError, _Setup.Vector_x_set, vector, given) == \
        "in method 'Vector_x_set', argument 2 of type 'double'"
    assert vector.x == 1.0


@pytest.mark.parametrize("given, truth", [([], "false"), ([0], "true"), ({}, "false"), (Falsy(), "false"),
                                           (object(), "true")])
def test_truth_argument_takes_any_truth_value(given, truth):
    assert Setup.Variant(given).type() == Setup.Variant_Bool
    assert SetupHost.journal()[0] == f"Variant::Variant({truth})"


def test_truth_argument_refuses_a_raising_truth_test():
    assert raises_text(TypeError, SetupHost.set_journal_enabled, BadTruth()) == \
        "in method 'set_journal_enabled', argument 1 of type 'bool'"


@pytest.mark.parametrize("given, kind", [
    (5, Setup.Variant_Int), (True, Setup.Variant_Int), (2**31 - 1, Setup.Variant_Int),
    (2**31, Setup.Variant_Double), (2.5, Setup.Variant_Double), ("abc", Setup.Variant_String),
    (b"abc", Setup.Variant_String), ([], Setup.Variant_Bool), ("", Setup.Variant_String),
])
def test_overload_choice_by_kind(given, kind):
    assert Setup.Variant(given).type() == kind


def test_long_result_is_a_plain_int():
    before = SetupHost.live_objects("Vector")
    kept = [Setup.Vector() for _ in range(3)]
    assert SetupHost.live_objects("Vector") == before + 3 and type(before) is int
    del kept
    assert SetupHost.live_objects("Vector") == before


def test_size_argument_and_unsigned_result():
    kept = Setup.Variant(3)
    assert SetupHost.journal_size() == 1 and type(SetupHost.journal_size()) is int
    assert SetupHost.journal_entry(0) == "Variant::Variant(3)"
    assert SetupHost.journal_entry(True) == SetupHost.journal_entry(2**32 - 1) == ""
    del kept


@pytest.mark.parametrize("given, exc", [(-1, OverflowError), (-2**70, OverflowError), (2**32, TypeError),
                                        (2**70, TypeError), (1.0, TypeError), ("1", TypeError), (None, TypeError)])
def test_size_refused(given, exc):
    assert raises_text(exc, SetupHost.journal_entry, given) == \
        "in method 'journal_entry', argument 1 of type 'size_t'"
