"""Boundary and initial conditions, fan and time curves as a script calls
them: what the host received, argument messages with const receivers, None,
ownership and deletes, and what the stand-in keeps, estimates, steers and
saves."""
import gc
import json
import math

import pytest

import Setup
import SetupHost
import _Setup
from conftest import chip_and_inlet, raises_text, sent

CLASSES = ("BoundaryCondition", "FanCurve", "TimeCurve", "InitialCondition")


def ids(*values):
    return Setup.EntityIdList(list(values))


def held(obj):
    return json.loads(SetupHost.condition_json(obj))


@pytest.fixture
def made():
    """A boundary condition with a fan curve, a time curve and an initial condition, the journal cleared."""
    bc, tc, ic = Setup.BoundaryCondition("Fan"), Setup.TimeCurve("Ramp"), Setup.InitialCondition("Start")
    SetupHost.give_fan_curve(bc)
    tc.addPoint(5, 1)
    SetupHost.clear_journal()
    return bc, tc, ic


def test_the_classes_have_every_function_and_the_fan_curve_none_to_make_or_delete_it():
    functions = [n for n in dir(_Setup) if callable(getattr(_Setup, n)) and not n.endswith("_swiginit")
                 and n.replace("new_", "").replace("delete_", "").split("_")[0] in CLASSES]
    assert len(functions) == 25
    assert not hasattr(_Setup, "new_FanCurve") and not hasattr(_Setup, "delete_FanCurve")


@pytest.mark.parametrize("call, host", [
    (lambda b, t, i: Setup.BoundaryCondition("Inlet"), 'BoundaryCondition::BoundaryCondition("Inlet", null)'),
    (lambda b, t, i: _Setup.new_InitialCondition(b"Cold"), 'InitialCondition::InitialCondition("Cold", null)'),
    (lambda b, t, i: Setup.TimeCurve(None), "TimeCurve::TimeCurve(null)"),
    (lambda b, t, i: b.infoString(), "BoundaryCondition::infoString()"),
    (lambda b, t, i: b.infoString_w(), "BoundaryCondition::infoString_w()"),
    (lambda b, t, i: b.setValue(5, "W"), 'BoundaryCondition::setValue(5.0, "W")'),
    (lambda b, t, i: b.setPointOnAxis(1, 2.5, -3), "BoundaryCondition::setPointOnAxis(1.0, 2.5, -3.0)"),
    (lambda b, t, i: b.setAxisDirection(0, 0, 2), "BoundaryCondition::setAxisDirection(0.0, 0.0, 2.0)"),
    (lambda b, t, i: b.setTimeCurve(t), 'BoundaryCondition::setTimeCurve(<TimeCurve "Ramp">)'),
    (lambda b, t, i: b.setTimeCurve(None), "BoundaryCondition::setTimeCurve(null)"),
    (lambda b, t, i: b.entities(Setup.EntityList(2)), "BoundaryCondition::entities(2)"),
    (lambda b, t, i: b.fanCurve(), "BoundaryCondition::fanCurve()"),
    (lambda b, t, i: b.fanCurve().addPoint(0.02, 15), "FanCurve::addPoint(0.02, 15.0)"),
    (lambda b, t, i: t.setValue("Scale", 2), 'TimeCurve::setValue("Scale", 2.0)'),
    (lambda b, t, i: t.addPoint(10, 0.5), "TimeCurve::addPoint(10.0, 0.5)"),
    (lambda b, t, i: i.infoString(), "InitialCondition::infoString()"),
    (lambda b, t, i: i.infoString_w(), "InitialCondition::infoString_w()"),
    (lambda b, t, i: i.setValue(300, "K"), 'InitialCondition::setValue(300.0, "K")'),
    (lambda b, t, i: i.entities(Setup.EntityList()), "InitialCondition::entities(0)"),
])
def test_each_function_sends_what_it_was_given(made, call, host):
    call(*made)
    assert sent(host.split("::")[0]) == host


@pytest.mark.parametrize("function, args, exc, text", [
    ("BoundaryCondition_setValue", ("ic", 1.0, "W"), TypeError,
     "in method 'BoundaryCondition_setValue', argument 1 of type 'script::BoundaryCondition *'"),
    ("BoundaryCondition_infoString", ("ic",), TypeError,
     "in method 'BoundaryCondition_infoString', argument 1 of type 'script::BoundaryCondition const *'"),
    ("BoundaryCondition_infoString_w", ("tc",), TypeError,
     "in method 'BoundaryCondition_infoString_w', argument 1 of type 'script::BoundaryCondition const *'"),
    ("BoundaryCondition_fanCurve", (None,), TypeError,
     "in method 'BoundaryCondition_fanCurve', argument 1 of type 'script::BoundaryCondition const *'"),
    ("InitialCondition_infoString", ("bc",), TypeError,
     "in method 'InitialCondition_infoString', argument 1 of type 'script::InitialCondition const *'"),
    ("InitialCondition_setValue", ("bc", 1.0, "C"), TypeError,
     "in method 'InitialCondition_setValue', argument 1 of type 'script::InitialCondition *'"),
    ("TimeCurve_setValue", ("tc", "Scale", "x"), TypeError, "in method 'TimeCurve_setValue', argument 3 of type 'double'"),
    ("TimeCurve_setValue", ("tc", 3, "x"), RuntimeError, "Bad string input to call"),
    ("FanCurve_addPoint", ("fan", "x", 1.0), TypeError, "in method 'FanCurve_addPoint', argument 2 of type 'double'"),
    ("BoundaryCondition_setValue", ("bc", 1.0, 2), RuntimeError, "Bad string input to call"),
    ("BoundaryCondition_setTimeCurve", ("bc", "bc"), TypeError,
     "in method 'BoundaryCondition_setTimeCurve', argument 2 of type 'script::TimeCurve *'"),
    ("BoundaryCondition_entities", ("bc", "ids"), TypeError,
     "in method 'BoundaryCondition_entities', argument 2 of type 'script::EntityList &'"),
    ("BoundaryCondition_entities", ("bc", None), ValueError,
     "invalid null reference in method 'BoundaryCondition_entities', argument 2 of type 'script::EntityList &'"),
    ("InitialCondition_entities", ("ic", None), ValueError,
     "invalid null reference in method 'InitialCondition_entities', argument 2 of type 'script::EntityList &'"),
    ("new_BoundaryCondition", ("Fan", None), TypeError, "_Setup.new_BoundaryCondition() takes exactly one argument (2 given)"),
    ("new_TimeCurve", ([],), RuntimeError, "Bad string input to call"),
])
def test_refused_arguments_raise_and_reach_no_host(made, function, args, exc, text):
    bc, tc, ic = made
    objects = {"bc": bc, "tc": tc, "ic": ic, "fan": bc.fanCurve(), "ids": Setup.EntityIdList()}
    SetupHost.clear_journal()
    assert raises_text(exc, getattr(_Setup, function), *[objects.get(a, a) if isinstance(a, str) else a
                                                          for a in args]) == text
    assert SetupHost.journal() == []


@pytest.mark.parametrize("text, narrow, wide", [("", "", ""), ("Fan A: 12 V", "Fan A: 12 V", "Fan A: 12 V"),
                                                ("Lüfter \u2713", "Lüfter \u2713", "Lüfter \u2713"),
                                                ("a\0b", "a", "a\0b")])
@pytest.mark.parametrize("cls", [Setup.BoundaryCondition, Setup.InitialCondition])
def test_information_texts_as_str_and_wide_string(cls, text, narrow, wide):
    condition = cls("C")
    if text:
        SetupHost.give_info_string(condition, text)
    assert (condition.infoString(), condition.infoString_w()) == (narrow, wide)
    assert type(condition.infoString()) is str and type(condition.infoString_w()) is str


def test_a_fan_curve_belongs_to_its_condition_and_steering_gives_or_takes_it(made):
    bc, tc, ic = made
    fan = bc.fanCurve()
    assert isinstance(fan, Setup.FanCurve) and not fan.thisown and fan.name() == "Fan"
    fan.addPoint(0.0, 40.0)
    assert held(fan) == {"points": [[0.0, 40.0]]} and held(bc)["fanCurve"] == {"points": [[0.0, 40.0]]}
    SetupHost.give_fan_curve(bc, False)
    assert bc.fanCurve() is None and Setup.BoundaryCondition("Plain").fanCurve() is None
    for steer, args, exc in [(SetupHost.give_fan_curve, (ic,), ValueError), (SetupHost.give_fan_curve, (None,), TypeError),
                             (SetupHost.give_info_string, (tc, "x"), ValueError),
                             (SetupHost.give_info_string, (bc, b"x"), TypeError)]:
        with pytest.raises(exc):
            steer(*args)


def test_reset_takes_away_what_steering_gave():
    bc, ic = Setup.BoundaryCondition("Fan"), Setup.InitialCondition("Start")
    SetupHost.give_fan_curve(bc)
    SetupHost.give_info_string(bc, "steered")
    SetupHost.give_info_string(ic, "steered")
    SetupHost.reset()
    assert (bc.fanCurve(), bc.infoString(), ic.infoString_w()) == (None, "", "")
    # A fan curve taken away goes with its condition, since a script may still hold it.
    gc.collect()
    curves = SetupHost.live_objects("FanCurve")
    del bc
    gc.collect()
    assert SetupHost.live_objects("FanCurve") == curves - 1


@pytest.mark.parametrize("cls, make", [("BoundaryCondition", lambda: Setup.BoundaryCondition("B")),
                                       ("InitialCondition", lambda: Setup.InitialCondition("I")),
                                       ("TimeCurve", lambda: Setup.TimeCurve("T"))])
def test_owned_objects_are_deleted_once(cls, make):
    gc.collect()
    before = SetupHost.live_objects(cls)
    first, second = make(), make()
    assert first.thisown and SetupHost.live_objects(cls) == before + 2
    getattr(_Setup, "delete_" + cls)(first)
    getattr(_Setup, "delete_" + cls)(first)  # harmless
    assert SetupHost.live_objects(cls) == before + 1
    del first, second
    gc.collect()
    assert SetupHost.live_objects(cls) == before


def test_a_condition_and_its_fan_curve_go_together():
    gc.collect()
    bc = Setup.BoundaryCondition("Fan")
    SetupHost.give_fan_curve(bc)
    assert SetupHost.live_objects("FanCurve") == 1
    del bc
    gc.collect()
    assert SetupHost.live_objects("FanCurve") == 0


@pytest.fixture
def sc(study):
    scenario = study.getActiveScenario()
    SetupHost.add_part(scenario, "Chip", 1, "component")
    SetupHost.add_entity(scenario, "Chip", 11, Setup.Entity.Volume, "Die")
    SetupHost.add_part(scenario, "Inlet", 2, "opening")
    SetupHost.add_entity(scenario, "Inlet", 21, Setup.Entity.Surface)
    return scenario


def test_delete_through_a_list_element_destroys_nothing_and_clears_the_proxy(sc):
    bc = Setup.BoundaryCondition("Heat")
    sc.applyBoundaryCondition(bc, ids(11), 3)
    bcs = Setup.BCList()
    sc.bcs(bcs)
    gc.collect()
    alive = SetupHost.live_objects("BoundaryCondition")
    element = bcs[0]
    assert not element.thisown
    _Setup.delete_BoundaryCondition(element)
    assert SetupHost.live_objects("BoundaryCondition") == alive
    assert raises_text(TypeError, _Setup.BoundaryCondition_infoString, element) == \
        "in method 'BoundaryCondition_infoString', argument 1 of type 'script::BoundaryCondition const *'"
    assert bcs[0].name() == "Heat"


def test_entities_are_the_scenarios_for_its_conditions_and_none_for_a_scripts_own(sc):
    bc, ic = Setup.BoundaryCondition("Heat"), Setup.InitialCondition("Start")
    sc.applyBoundaryCondition(bc, ids(11), 3)
    sc.applyBoundaryCondition(bc, ids(21), 2)
    sc.applyInitialCondition(ic)
    bcs, ics, found = Setup.BCList(), Setup.ICList(), Setup.EntityList(3)
    sc.bcs(bcs)
    sc.ics(ics)
    bcs[0].entities(found)
    assert [(e.id(), e.partID(), e.name()) for e in found] == [(11, 1, "Die"), (21, 2, "")]
    for condition in (bc, ics[0]):
        condition.entities(found)
        assert len(found) == 0


UNITS = [(5, "W", "Power", 5.0), (250, "mW", "Power", 0.25), (2, "W/cm^2", "Heat flux", 2e4),
         (300, "K", "Temperature", 26.85), (212, "F", "Temperature", 100.0), (10, "cfm", "Volume flow", 0.0047194745),
         (3, "l/s", "Volume flow", 0.003), (2, "m/s", "Velocity", 2.0), (1, "kPa", "Pressure", 1000.0)]


@pytest.mark.parametrize("value, units, quantity, si", UNITS)
def test_a_value_is_kept_as_given_and_in_si(value, units, quantity, si):
    bc = Setup.BoundaryCondition("C")
    bc.setValue(value, units)
    assert math.isclose(bc.property(quantity), si) and held(bc)["values"] == [{"value": value, "units": units}]


def test_a_value_replaces_the_one_of_its_kind_only():
    bc = Setup.BoundaryCondition("C")
    for value, units in [(5, "W"), (35, "C"), (100, "W/m^2")]:
        bc.setValue(value, units)
    assert (bc.hasProperty("Power"), bc.property("Heat flux"), bc.property("Temperature")) == (False, 100.0, 35.0)


@pytest.mark.parametrize("call, why", [
    (lambda b, t, i: b.setValue(math.nan, "W"), "a condition's value must be a finite number"),
    (lambda b, t, i: b.setValue(1, "furlong"), 'the units \\"furlong\\" name no quantity'),
    (lambda b, t, i: b.setValue(1, None), 'the units \\"\\" name no quantity'),
    (lambda b, t, i: b.setValue(-300, "C"), "a temperature below absolute zero"),
    (lambda b, t, i: i.setValue(5, "W"), 'an initial condition takes a temperature, a pressure or a velocity, not \\"W\\"'),
    (lambda b, t, i: b.setPointOnAxis(0, math.inf, 0), "a point must have finite coordinates"),
    (lambda b, t, i: b.setAxisDirection(0, 0, 0), "a direction cannot be zero"),
    (lambda b, t, i: b.setAxisDirection(math.nan, 1, 0), "a direction must have finite components"),
    (lambda b, t, i: b.fanCurve().addPoint(-0.1, 5), "a fan curve's flow and pressure are not negative"),
    (lambda b, t, i: t.setValue("", 1), "a named value needs a name"),
    (lambda b, t, i: t.addPoint(math.inf, 1), "a time curve's point must be two finite numbers"),
    (lambda b, t, i: t.addPoint(4, 1), "a point's time must not come before the last point's (5.0)"),
])
def test_refusals_change_nothing_and_say_why(made, call, why):
    before = [held(o) for o in (made[0], made[1], made[2], made[0].fanCurve())]
    call(*made)
    assert [r.split(" failed: ")[1] for r in SetupHost.refusals()][0].startswith('"' + why)
    assert [held(o) for o in (made[0], made[1], made[2], made[0].fanCurve())] == before


def test_a_condition_keeps_a_copy_of_its_time_curve_once_the_curve_is_gone(study, sc, tmp_path):
    heat, curve = Setup.BoundaryCondition("Heat"), Setup.TimeCurve("Ramp")
    heat.setValue(10, "W")
    curve.setValue("Period", 60)
    for point in [(0, 0.0), (30, 1.0), (60, 0.5)]:
        curve.addPoint(*point)
    heat.setTimeCurve(curve)
    curve.addPoint(90, 9.0)  # a change afterwards needs setTimeCurve again
    _Setup.delete_TimeCurve(curve)
    del curve
    gc.collect()
    sc.applyBoundaryCondition(heat, ids(11), 3)
    sc.run()
    path = tmp_path / "s.json"
    study.saveShareFile(str(path), "ActiveScenario")
    kept = json.loads(path.read_text())["designs"][0]["scenarios"][0]["boundaryConditions"][0]["condition"]
    assert kept["timeCurve"] == {"name": "Ramp", "values": [{"name": "Period", "value": 60.0}],
                                 "points": [[0.0, 0.0], [30.0, 1.0], [60.0, 0.5]]}
    heat.setTimeCurve(None)
    assert "timeCurve" not in held(heat)


def chip_temperature(tmp_path, *makers, initial=None):
    """The chip's temperature in a run of a 10 W chip (or the "Chip heat" made) and the conditions made, on the inlet."""
    study, scenario = chip_and_inlet()
    heat = Setup.BoundaryCondition("Chip heat")
    heat.setValue(10, "W")
    conditions = [make() for make in makers]  # after the reset, which takes steering away
    for condition in conditions:
        if condition.name() == "Chip heat":
            heat = condition
    scenario.applyBoundaryCondition(heat, ids(11), 3)
    for condition in conditions:
        if condition is not heat:
            scenario.applyBoundaryCondition(condition, ids(21), 2)
    if initial is not None:
        ic = Setup.InitialCondition("Start")
        ic.setValue(*initial)
        scenario.applyInitialCondition(ic)
    scenario.run()
    path = tmp_path / "t.json"
    study.saveShareFile(str(path), "ActiveScenario")
    return json.loads(path.read_text())["designs"][0]["scenarios"][0]["results"]["Temperature"]["Chip"]


def fan(*points):
    return lambda: made_fan(*points)


def made_fan(*points):
    bc = Setup.BoundaryCondition("Fan")
    SetupHost.give_fan_curve(bc)
    for point in points:
        bc.fanCurve().addPoint(*point)
    return bc


def heat(value, units, *curve):
    return lambda: made_heat(value, units, *curve)


def made_heat(value, units, *curve):
    bc = Setup.BoundaryCondition("Chip heat")
    bc.setValue(value, units)
    if curve:
        tc = Setup.TimeCurve("Ramp")
        for point in curve:
            tc.addPoint(*point)
        bc.setTimeCurve(tc)
    return bc


def test_the_estimate_takes_fans_time_curves_fluxes_and_the_initial_temperature(tmp_path):
    still = chip_temperature(tmp_path)
    assert chip_temperature(tmp_path, fan()) == still  # a fan curve without points delivers nothing
    weak, strong = (chip_temperature(tmp_path, fan((0, p), (0.02, 0))) for p in (10.0, 40.0))
    assert still > weak > strong
    assert chip_temperature(tmp_path, fan((0, 10.0), (0.02, 0))) == weak  # deterministic
    assert chip_temperature(tmp_path, heat(10, "W", (0, 1.0), (60, 0.5))) < still
    assert chip_temperature(tmp_path, heat(10000, "mW")) == still
    assert chip_temperature(tmp_path, heat(1000, "W/m^2")) > chip_temperature(tmp_path, heat(100, "W/m^2"))
    room = chip_temperature(tmp_path, initial=(20, "C"))
    assert chip_temperature(tmp_path, initial=(293.15, "K")) == pytest.approx(room) == \
        chip_temperature(tmp_path, initial=(68, "F"))
    assert chip_temperature(tmp_path, initial=(35, "C")) > room


def test_the_study_file_keeps_every_condition_setting(tmp_path):
    study = Setup.DesignStudy.Create()
    scenario = study.add("D", "S", True).scenario("S")
    bc = made_fan((0, 30.0), (0.01, 0.0))
    bc.setValue(35, "C")
    bc.setPointOnAxis(1, 2, 3)
    bc.setAxisDirection(0, 0, 1)
    tc = Setup.TimeCurve("Ramp")
    tc.addPoint(0, 1)
    bc.setTimeCurve(tc)
    SetupHost.give_info_string(bc, "Fan \u2713\0 row 2")
    ic = Setup.InitialCondition("Start")
    ic.setValue(300, "K")
    SetupHost.give_info_string(ic, "warm")
    SetupHost.add_part(scenario, "Inlet", 2, "opening")
    SetupHost.add_entity(scenario, "Inlet", 21, Setup.Entity.Surface)
    scenario.applyBoundaryCondition(bc, ids(21), 2)
    scenario.applyInitialCondition(ic)
    path = str(tmp_path / "s.json")
    study.saveShareFile(path, "ActiveScenario")
    expected = held(bc), held(ic)
    SetupHost.reset()
    study = Setup.DesignStudy.Create()
    study.open(path)
    bcs, ics = Setup.BCList(), Setup.ICList()
    study.getActiveScenario().bcs(bcs)
    study.getActiveScenario().ics(ics)
    assert (held(bcs[0]), held(ics[0])) == expected
    assert bcs[0].infoString_w() == "Fan \u2713\0 row 2" and held(bcs[0].fanCurve()) == {"points": [[0.0, 30.0], [0.01, 0.0]]}
    assert bcs[0].property("Temperature") == 35.0 and ics[0].property("Temperature") == pytest.approx(26.85)


def test_a_bad_condition_in_a_study_file_is_refused_with_its_place(tmp_path):
    data = {"format": "Setup study", "version": 2, "name": "N", "designs": [{"name": "A", "scenarios": [
        {"name": "S", "boundaryConditions": [{"name": "B", "condition": {"axisDirection": [0, 0, 0]}}]}]}]}
    path = tmp_path / "bad.json"
    path.write_text(json.dumps(data))
    Setup.DesignStudy.Create().open(str(path))
    assert "designs[0].scenarios[0].boundaryConditions[0].condition.axisDirection: a direction cannot be zero" in \
        SetupHost.refusals()[-1]
