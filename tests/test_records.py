"""Vector and the result and parameter records."""
import pytest

import Setup
import SetupHost
import _Setup
from conftest import raises_text

RECORDS = {
    "CTMResults": ["boardTemp", "boardSideHeatFlux", "caseTemp", "caseSideHeatFlux", "junctionTemp"],
    "TECResults": ["numCouples", "coldSideTemp", "hotSideTemp", "coldSideHeatFlux", "hotSideHeatFlux", "current",
                   "electricPower", "COP", "FOM"],
    "ThermalComfortParams": ["MetRate", "Humidity", "Clothing"],
    "SmokeParams": ["ExtinctionCoef", "SignConstant", "ParticleYield"],
}

VECTOR_PROTOTYPES = ("Wrong number of arguments for overloaded function 'new_Vector'.\n"
                     "  Possible C/C++ prototypes are:\n    Clt::Vector()\n    Clt::Vector(double,double,double)\n"
                     "    Clt::Vector(Clt::Vector const &)\n")


def test_every_record_function_exists():
    for record, fields in RECORDS.items():
        for name in ["new_", "delete_"]:
            assert callable(getattr(_Setup, name + record))
        assert callable(getattr(_Setup, record + "_swigregister"))
        for field in fields:
            assert callable(getattr(_Setup, f"{record}_{field}_get"))
            assert callable(getattr(_Setup, f"{record}_{field}_set"))


def test_vector_forms_and_journal():
    assert (Setup.Vector().x, Setup.Vector(1, 2, 3).z) == (0.0, 3.0)
    first = Setup.Vector(0.1, -2.5, 1e20)
    copy = Setup.Vector(first)
    copy.x = 9
    assert (first.x, copy.x, type(copy.x)) == (0.1, 9.0, float)
    assert SetupHost.journal()[-2:] == ["Vector::Vector(0.1, -2.5, 1e+20)", "Vector::Vector((0.1, -2.5, 1e+20))"]


@pytest.mark.parametrize("args", [(1.0,), (1.0, 2.0), (1, 2, 3, 4), ("1", 2, 3), (Setup.Variant(),)])
def test_vector_overload_failure(args):
    assert raises_text(Setup.OverloadError, _Setup.new_Vector, *args) == VECTOR_PROTOTYPES
    assert raises_text(NotImplementedError, _Setup.new_Vector, *args) == VECTOR_PROTOTYPES


@pytest.mark.parametrize("record", ["CTMResults", "TECResults"])
def test_result_records_start_at_zero_and_keep_fields(record):
    made = getattr(Setup, record)()
    for index, field in enumerate(RECORDS[record]):
        assert getattr(made, field) == 0 and type(getattr(made, field)) is (int if field == "numCouples" else float)
        setattr(made, field, index + 1)
    assert [getattr(made, f) for f in RECORDS[record]] == list(range(1, len(RECORDS[record]) + 1))
    assert SetupHost.journal() == []  # the module fills and reads these itself


@pytest.mark.parametrize("record, values", [
    ("ThermalComfortParams", [1.0, 50.0, 0.5]),
    ("SmokeParams", [8700.0, 8.0, 0.015]),
])
def test_parameter_records_are_copies_read_from_the_scenario(scenario, record, values):
    made = getattr(Setup, record)(scenario)
    assert [getattr(made, f) for f in RECORDS[record]] == values
    assert SetupHost.journal() == [f'{record}::{record}(<Analysis "Airflow">)']
    setattr(made, RECORDS[record][0], 2.0)
    assert getattr(getattr(Setup, record)(scenario), RECORDS[record][0]) == values[0]


def test_setter_keeps_old_value_on_failure():
    made = Setup.SmokeParams(SetupHost.new_scenario("S"))
    assert raises_text(TypeError, _Setup.SmokeParams_SignConstant_set, made, "x") == \
        "in method 'SmokeParams_SignConstant_set', argument 2 of type 'double'"
    assert made.SignConstant == 8.0


@pytest.mark.parametrize("call", [
    lambda s: _Setup.Object_propertyDefinition(s, 5),
    lambda s: _Setup.Object_property(s, 5),
    lambda s: _Setup.BoundingBox_getMin(s),
    lambda s: _Setup.BoundingBox_center(None),
    lambda s: _Setup.VectorList_pop(s),
    lambda s: _Setup.VariantList_pop(None),
    lambda s: _Setup.PropertyDefinitionList_pop(s),
], ids=["propertyDefinition", "property", "getMin", "center", "VectorList_pop", "VariantList_pop",
        "PropertyDefinitionList_pop"])
def test_a_refused_call_makes_no_record(call):
    # A record returned by value is made from the host's answer only.
    scenario = SetupHost.new_scenario("S")
    SetupHost.clear_journal()
    with pytest.raises((TypeError, ValueError)):
        call(scenario)
    assert SetupHost.journal() == []
