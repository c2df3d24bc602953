"""Units as a script calls it: the forms and what the host received, the
overload and argument failures, the constants, and the stand-in's real
conversions between the six systems."""
import math

import pytest

import Setup
import SetupHost
import _Setup
from conftest import prototypes, raises_text, sent

U = Setup.Units
QUANTITIES = ["VELOCITY", "PRESSURE", "DTEMP", "TEMP", "HEATFLUX", "FILMCOEF", "RADIATION", "HEATGEN", "TDISS",
              "VOLFLORATE", "MASSFLORATE", "FORCE", "SPECENERGY", "TEMPGRAD", "TIME", "INVTIME", "DENSITY",
              "VISCOSITY", "CONDUCTIVITY", "DIFFUSIVITY", "SPECHEAT", "AREA", "VOLUME", "LENGTH", "SURFTENSION",
              "ACCEL", "ROTVEL", "RGAS", "HEAT", "TORQUE", "INERTIA", "CURRENT", "CURRENT_DENS", "VOLTAGE",
              "RESISTIVITY", "RESISTANCE", "OHMICLOSS", "TRESISTIVITY", "ANGLE", "TRESISTANCE", "SEEBECK",
              "TRESISTANCE_AREA", "HEAT_CAPACITY", "MASSFLUX"]
SYSTEMS = ["MKS", "CGS", "MGS", "FLS", "ILS", "IWC"]
CONVERT = ["Convert(double,script::Units::Measurement,script::Units::UnitSystem,script::Units::UnitSystem)",
           "script::Units::Convert(double,script::Units::Measurement,script::Units::UnitSystem)"]
FACTORS = ["GetConversionFactors(script::Units::Measurement,double &,double &,script::Units::UnitSystem,"
           "script::Units::UnitSystem)",
           "script::Units::GetConversionFactors(script::Units::Measurement,double &,double &,script::Units::UnitSystem)"]


def test_the_classes_have_their_fifteen_functions_and_the_constants_their_order():
    functions = [n for n in dir(_Setup) if n.split("_")[0] in ("SolarHeating", "Units") or n in
                 ("new_SolarHeating", "delete_SolarHeating", "new_Units", "delete_Units")]
    functions = [n for n in functions if callable(getattr(_Setup, n)) and not n.endswith("_swiginit")]
    assert len(functions) == 15
    constants = [n for n, v in vars(_Setup).items() if type(v) is int]
    assert constants[-52:] == (["Units_QZTU_NONE"] + ["Units_QZTU_" + q for q in QUANTITIES] + ["Units_MCU_UNKNOWN"]
                               + ["Units_MCU_" + s for s in SYSTEMS])
    assert [getattr(_Setup, n) for n in constants[-52:]] == list(range(-1, 44)) + list(range(-1, 6))
    assert (Setup.Units_QZTU_TIME, Setup.Units_QZTU_LENGTH, Setup.Units_QZTU_ANGLE) == (14, 23, 38)


@pytest.mark.parametrize("call, host", [
    (lambda: U.Convert(5, 3, 0), "Units::Convert(5.0, 3, 0, -1)"),
    (lambda: U.Convert(5.0, 3, 0, -1), "Units::Convert(5.0, 3, 0, -1)"),
    (lambda: U.Convert(2.5, 0, 4, 1), "Units::Convert(2.5, 0, 4, 1)"),
    (lambda: U.ConvertFromSystemUnits(1.0, 2**31 - 1, -2**31), "Units::ConvertFromSystemUnits(1.0, 2147483647, -2147483648)"),
    (lambda: U.GetConversionFactors(5, SetupHost.new_doublep(), SetupHost.new_doublep(), 3),
     "Units::GetConversionFactors(5, <double*>, <double*>, 3, -1)"),
    (lambda: U.GetConversionFactors(5, SetupHost.new_doublep(), SetupHost.new_doublep(), 3, 0),
     "Units::GetConversionFactors(5, <double*>, <double*>, 3, 0)"),
])
def test_each_form_sends_what_it_was_given_and_its_default(call, host):
    call()
    assert sent("Units") == host


@pytest.mark.parametrize("function, args, lines", [
    ("Units_Convert", ("1", 3, 0), CONVERT),
    ("Units_Convert", (1.0, 3.0, 0), CONVERT),
    ("Units_Convert", (1.0, 3, 0, 2**31), CONVERT),
    ("Units_Convert", (1.0, 3), CONVERT),
    ("Units_GetConversionFactors", (3, 1.0, 0.0, 0), FACTORS),
    ("Units_GetConversionFactors", (3, SetupHost.new_boolp(), SetupHost.new_doublep(), 0), FACTORS),
    ("Units_GetConversionFactors", (3, SetupHost.new_doublep(), SetupHost.new_doublep()), FACTORS),
])
def test_a_call_that_fits_no_form_lists_the_prototypes(function, args, lines):
    assert raises_text(Setup.OverloadError, getattr(_Setup, function), *args) == prototypes(function, *lines)
    assert SetupHost.journal() == []


@pytest.mark.parametrize("call, exc, text", [
    (lambda p: U.GetConversionFactors(3, None, p, 0), ValueError,
     "invalid null reference in method 'Units_GetConversionFactors', argument 2 of type 'double &'"),
    (lambda p: U.GetConversionFactors(3, p, None, 0, 3), ValueError,
     "invalid null reference in method 'Units_GetConversionFactors', argument 3 of type 'double &'"),
    (lambda p: U.ConvertFromSystemUnits("1", 3, 0), TypeError,
     "in method 'Units_ConvertFromSystemUnits', argument 1 of type 'double'"),
    (lambda p: U.ConvertFromSystemUnits(1.0, 3.0, 0), TypeError,
     "in method 'Units_ConvertFromSystemUnits', argument 2 of type 'script::Units::Measurement'"),
    (lambda p: U.ConvertFromSystemUnits(1.0, 3, 2**31), TypeError,
     "in method 'Units_ConvertFromSystemUnits', argument 3 of type 'script::Units::UnitSystem'"),
    (lambda p: _Setup.new_Units(1), TypeError, "_Setup.new_Units() takes no arguments (1 given)"),
])
def test_bad_arguments_are_refused_before_the_host_is_called(call, exc, text):
    p = SetupHost.new_doublep()
    assert raises_text(exc, call, p) == text
    assert SetupHost.journal() == []


def test_a_units_object_is_owned_and_released_without_host_code():
    units = Setup.Units()
    assert units.this.own() and SetupHost.journal() == []
    _Setup.delete_Units(units)
    _Setup.delete_Units(units)  # cleared: a second delete does nothing
    del units
    assert SetupHost.journal() == []


def factors(quantity, source, target):
    scale, offset = SetupHost.new_doublep(-7.0), SetupHost.new_doublep(-7.0)
    found = U.GetConversionFactors(quantity, scale, offset, source, target)
    return found, SetupHost.doublep_value(scale), SetupHost.doublep_value(offset)


LBF, BTU, FT, INCH, LB = 4.4482216152605, 1055.05585262, 0.3048, 0.0254, 0.45359237


@pytest.mark.parametrize("value, quantity, source, target, expected", [
    (300.0, "TEMP", "MKS", "FLS", 80.33),                                  # (300 - 273.15) * 9/5 + 32
    (25.0, "TEMP", "CGS", "MKS", 298.15),
    (-40.0, "TEMP", "ILS", "MGS", -40.0),
    (10.0, "DTEMP", "MKS", "IWC", 18.0),                                  # a difference: no offset
    (1.0, "PRESSURE", "MKS", "ILS", INCH**2 / LBF),                        # Pa in psi
    (1.0, "PRESSURE", "MKS", "IWC", 1 / 248.84),                           # Pa in inches of water at 60 F
    (1.0, "PRESSURE", "ILS", "IWC", LBF / INCH**2 / 248.84),               # psi in inches of water
    (1.0, "PRESSURE", "CGS", "FLS", 0.1 * FT**2 / LBF),
    (1.0, "FILMCOEF", "MKS", "FLS", FT**2 * (5 / 9) * 3600 / BTU),         # W/(m2 K) in Btu/(h ft2 F)
    (1.0, "CONDUCTIVITY", "MKS", "ILS", INCH * (5 / 9) * 3600 / BTU),
    (1.0, "VOLFLORATE", "MKS", "FLS", 60 / FT**3),                         # m3/s in cfm
    (1.0, "LENGTH", "FLS", "ILS", 12.0),
    (1.0, "FORCE", "FLS", "MKS", LBF),
    (1.0, "FORCE", "MKS", "CGS", 1e5),
    (1.0, "VISCOSITY", "CGS", "MKS", 0.1),                                # poise
    (1.0, "HEAT", "ILS", "MKS", BTU),
    (1.0, "SPECHEAT", "FLS", "MKS", BTU / LB / (5 / 9)),
    (1.0, "DENSITY", "CGS", "MKS", 1000.0),
    (math.pi, "ANGLE", "MKS", "ILS", 180.0),
    (60.0, "ROTVEL", "FLS", "MKS", 2 * math.pi),
    (1.0, "TRESISTANCE", "MKS", "FLS", 1.8 * BTU / 3600),
    (3.0, "VOLTAGE", "IWC", "CGS", 3.0),
])
def test_conversions_give_the_hand_computed_values(value, quantity, source, target, expected):
    q, a, b = getattr(Setup, "Units_QZTU_" + quantity), SYSTEMS.index(source), SYSTEMS.index(target)
    assert U.Convert(value, q, a, b) == pytest.approx(expected, rel=1e-12)
    found, scale, offset = factors(q, a, b)
    assert found == 1 and value * scale + offset == U.Convert(value, q, a, b)


@pytest.mark.parametrize("quantity", range(-1, 44))
def test_every_conversion_round_trips_and_the_three_operations_agree(quantity):
    value = 287.5
    for a in range(-1, 6):
        assert U.ConvertFromSystemUnits(value, quantity, a) == U.Convert(value, quantity, a) == U.Convert(value, quantity, a, 0)
        for b in range(-1, 6):
            there = U.Convert(value, quantity, a, b)
            found, scale, offset = factors(quantity, a, b)
            assert found == 1 and there == value * scale + offset
            assert U.Convert(there, quantity, b, a) == pytest.approx(value, rel=1e-12, abs=0)
            if max(a, 0) == max(b, 0):
                assert (there, scale, offset) == (value, 1.0, 0.0)
    assert SetupHost.refusals() == []


@pytest.mark.parametrize("quantity, source, target, why", [
    (44, 0, 3, "no quantity has the code 44"),
    (-2, 0, 3, "no quantity has the code -2"),
    (3, 6, 0, "no system of units has the code 6"),
    (3, 0, -2, "no system of units has the code -2"),
])
def test_an_unknown_code_gives_the_value_unchanged_and_says_why(quantity, source, target, why):
    assert U.Convert(12.5, quantity, source, target) == 12.5
    assert SetupHost.refusals() == [f'Units::Convert(12.5, {quantity}, {source}, {target}) failed: "{why}"']
    assert factors(quantity, source, target) == (0, 1.0, 0.0)
    SetupHost.set_strict(True)
    assert raises_text(SetupHost.Refused, U.Convert, 1.0, quantity, source, target) == why


def test_a_value_that_is_not_finite_comes_back_as_it_was():
    assert math.isnan(U.Convert(float("nan"), 3, 0, 3)) and U.Convert(float("inf"), 1, 4) == float("inf")
    assert [r.split(" failed: ")[1] for r in SetupHost.refusals()] == ['"the value is not a finite number"'] * 2
