"""Motions as a script calls them: every form and the defaults it sends,
prototype lines, const receivers, None, owned copies and who deletes what,
and what the stand-in keeps, refuses, steers, applies and saves."""
import gc
import json

import pytest

import Setup
import SetupHost
import _Setup
from conftest import prototypes, raises_text, sent


@pytest.fixture
def motion():
    made = Setup.Motion("Spin")
    SetupHost.clear_journal()
    return made


@pytest.fixture
def opened(example_study):
    """The example's active scenario, its CPU selected, with its die and lid."""
    study = Setup.DesignStudy.Create()
    study.open(example_study)
    scenario = study.getActiveScenario()
    scenario.select("CPU")
    return study, scenario, scenario.entity("CPU", 105), scenario.entity("CPU", 106)


def test_the_class_has_its_functions_and_no_others():
    names = {n for n in dir(_Setup) if "Motion" in n.split("_")[:2] and not n.endswith("_swiginit")}
    assert len(names) == 32 and {"new_Motion", "delete_Motion", "Motion_swigregister"} <= names
    assert issubclass(Setup.Motion, Setup.Object)


@pytest.mark.parametrize("call, host", [
    (lambda m: m.setDirection(1, 2, 3), "Motion::setDirection(1.0, 2.0, 3.0)"),
    (lambda m: m.reverseDirection(), "Motion::reverseDirection()"),
    (lambda m: m.setAxisOfRotation(0, 0, 1), "Motion::setAxisOfRotation(0.0, 0.0, 1.0)"),
    (lambda m: m.reverseAxisOfRotation(), "Motion::reverseAxisOfRotation()"),
    (lambda m: m.setCenterOfRotation(0, 0, 0), "Motion::setCenterOfRotation(0.0, 0.0, 0.0)"),
    (lambda m: m.setOrbitAxis(1, 0, 0), "Motion::setOrbitAxis(1.0, 0.0, 0.0)"),
    (lambda m: m.reverseOrbitAxis(), "Motion::reverseOrbitAxis()"),
    (lambda m: m.setCenterOfOrbit(1.5, 2, 3), "Motion::setCenterOfOrbit(1.5, 2.0, 3.0)"),
    (lambda m: m.setTiltAxis(0, 1, 0), "Motion::setTiltAxis(0.0, 1.0, 0.0)"),
    (lambda m: m.reverseTiltAxis(), "Motion::reverseTiltAxis()"),
    (lambda m: m.setAxisOfNutation(0, 1, 1), "Motion::setAxisOfNutation(0.0, 1.0, 1.0)"),
    (lambda m: m.reverseAxisOfNutation(), "Motion::reverseAxisOfNutation()"),
    (lambda m: m.setCenterOfNutation(-1, 0, 0), "Motion::setCenterOfNutation(-1.0, 0.0, 0.0)"),
    (lambda m: m.setForceDirection(), "Motion::setForceDirection(1.0, 0.0, 0.0)"),
    (lambda m: m.setForceDirection(2), "Motion::setForceDirection(2.0, 0.0, 0.0)"),
    (lambda m: m.setForceDirection(2, 3), "Motion::setForceDirection(2.0, 3.0, 0.0)"),
    (lambda m: m.setForceDirection(2, 3, 4), "Motion::setForceDirection(2.0, 3.0, 4.0)"),
    (lambda m: m.setForceLocation(), "Motion::setForceLocation(0.0, 0.0, 0.0)"),
    (lambda m: m.setForceLocation(1), "Motion::setForceLocation(1.0, 0.0, 0.0)"),
    (lambda m: m.setForceLocation(1, 2), "Motion::setForceLocation(1.0, 2.0, 0.0)"),
    (lambda m: m.setGravity(), "Motion::setGravity(0.0, 0.0, -1.0)"),
    (lambda m: m.setGravity(3), "Motion::setGravity(3.0, 0.0, -1.0)"),
    (lambda m: m.setGravity(3, 4), "Motion::setGravity(3.0, 4.0, -1.0)"),
    (lambda m: m.setGravity(3, 4, 5.5), "Motion::setGravity(3.0, 4.0, 5.5)"),
    (lambda m: m.forceDirection(), "Motion::forceDirection()"),
    (lambda m: m.forceLocation(), "Motion::forceLocation()"),
    (lambda m: m.gravity(), "Motion::gravity()"),
    (lambda m: m.property("Speed"), 'Motion::property("Speed")'),
    (lambda m: m.motionComponent(b"Arm"), 'Motion::motionComponent("Arm")'),
    (lambda m: m.motionComponent(None), "Motion::motionComponent(null)"),
    (lambda m: m.setDirectionNormalTo(None), "Motion::setDirectionNormalTo(null)"),
    (lambda m: m.setTimeCurve(Setup.TimeCurve("Ramp")), 'Motion::setTimeCurve(<TimeCurve "Ramp">)'),
])
def test_each_form_sends_what_it_was_given_and_its_defaults(motion, call, host):
    call(motion)
    assert sent("Motion") == host


@pytest.mark.parametrize("function, args", [
    ("setForceDirection", ("1",)), ("setForceLocation", (1.0, None)), ("setGravity", (1, 2, 3, 4)),
])
def test_a_call_that_fits_no_form_lists_the_four_prototypes(motion, function, args):
    text = raises_text(Setup.OverloadError, getattr(_Setup, "Motion_" + function), motion, *args)
    assert text == prototypes("Motion_" + function, *[
        f"{function}(script::Motion *{',double' * n})" for n in (3, 2, 1, 0)])
    assert SetupHost.journal() == []


@pytest.mark.parametrize("call, exc, text", [
    (lambda m, c: _Setup.Motion_setAxisOfRotation(c, 0, 0, 1), TypeError,
     "in method 'Motion_setAxisOfRotation', argument 1 of type 'script::Motion *'"),
    (lambda m, c: _Setup.Motion_gravity(None), TypeError, "in method 'Motion_gravity', argument 1 of type 'script::Motion const *'"),
    (lambda m, c: _Setup.Motion_forceLocation(c), TypeError,
     "in method 'Motion_forceLocation', argument 1 of type 'script::Motion const *'"),
    (lambda m, c: m.setCenterOfOrbit(1, 2, "3"), TypeError, "in method 'Motion_setCenterOfOrbit', argument 4 of type 'double'"),
    (lambda m, c: m.setTiltAxisNormalTo(m), TypeError, "in method 'Motion_setTiltAxisNormalTo', argument 2 of type 'script::Entity *'"),
    (lambda m, c: m.setTimeCurve(m), TypeError, "in method 'Motion_setTimeCurve', argument 2 of type 'script::TimeCurve const &'"),
    (lambda m, c: m.setTimeCurve(None), ValueError,
     "invalid null reference in method 'Motion_setTimeCurve', argument 2 of type 'script::TimeCurve const &'"),
    (lambda m, c: m.property(3), RuntimeError, "Bad string input to call"),
    (lambda m, c: Setup.Motion(1.5), RuntimeError, "Bad string input to call"),
])
def test_bad_arguments_are_refused_before_the_host_is_called(motion, call, exc, text):
    curve = Setup.TimeCurve("Ramp")
    SetupHost.clear_journal()
    assert raises_text(exc, call, motion, curve) == text
    assert SetupHost.journal() == []


def test_getters_give_a_new_owned_copy_each_time(motion):
    assert [(v.x, v.y, v.z) for v in (motion.forceDirection(), motion.forceLocation(), motion.gravity())] == [
        (1.0, 0.0, 0.0), (0.0, 0.0, 0.0), (0.0, 0.0, -1.0)]
    motion.setGravity(1)
    first, second = motion.gravity(), motion.gravity()
    assert first is not second and first.thisown and second.thisown
    first.x = 9.0
    assert (motion.gravity().x, motion.gravity().z) == (1.0, -1.0)


@pytest.mark.parametrize("call, why", [
    (lambda m, e: m.setDirection(0, 0, 0), "a direction must not be zero"),
    (lambda m, e: m.setOrbitAxis(float("nan"), 0, 1), "a coordinate must be a finite number"),
    (lambda m, e: m.setCenterOfRotation(float("inf"), 0, 0), "a coordinate must be a finite number"),
    (lambda m, e: m.setForceDirection(0, 0, 0), "a force direction must not be zero"),
    (lambda m, e: m.setGravity(0, 0, float("-inf")), "a coordinate must be a finite number"),
    (lambda m, e: m.setAxisOfRotationNormalTo(None), "no entity was given"),
    (lambda m, e: m.setCenterOfNutationToCentroid(Setup.Entity()), "the entity belongs to no part"),
    (lambda m, e: m.setOrbitAxisNormalTo(e), "the entity is no surface: it has no normal"),
])
def test_refusals_change_nothing_and_say_why(motion, opened, call, why):
    motion.setForceDirection(0, 1, 0), motion.setGravity(0, 0, 0)
    call(motion, opened[2])
    assert SetupHost.refusals()[-1].endswith(f'failed: "{why}"')
    assert [(v.x, v.y, v.z) for v in (motion.forceDirection(), motion.gravity())] == [(0, 1, 0), (0, 0, 0)]


def test_owned_motions_are_deleted_once_and_components_go_with_them():
    gc.collect()  # what earlier tests' tracebacks held
    live = SetupHost.live_objects("Motion")
    motion = Setup.Motion("Spin")
    arm = SetupHost.add_motion_component(motion, "Arm")
    SetupHost.add_motion_component(arm, "Wrist")
    assert motion.thisown and not arm.thisown and SetupHost.live_objects("Motion") == live + 3
    assert motion.motionComponent("Arm") == arm and motion.motionComponent("Leg") is None
    del arm  # a component's proxy going leaves it with its motion
    gc.collect()
    assert motion.motionComponent("Arm").motionComponent("Wrist") is not None
    _Setup.delete_Motion(motion)
    assert SetupHost.live_objects("Motion") == live
    assert _Setup.delete_Motion(motion) is None and SetupHost.live_objects("Motion") == live
    Setup.Motion("Dropped")
    gc.collect()
    assert SetupHost.live_objects("Motion") == live


def test_deleting_through_a_proxy_that_does_not_own_its_motion_only_clears_it():
    held = SetupHost.new_motion("Held")
    arm, other = SetupHost.add_motion_component(held, "Arm"), SetupHost.new_motion("Other")
    live = SetupHost.live_objects("Motion")
    for view in (held.motionComponent("Arm"), other):
        _Setup.delete_Motion(view)
        with pytest.raises(TypeError):
            view.gravity()
    assert SetupHost.live_objects("Motion") == live and arm.gravity().z == -1.0


def test_properties_and_components_come_from_steering_and_reset_takes_them_back(motion):
    prop = SetupHost.add_motion_property(motion, "Angular velocity", "Rotation")
    assert motion.property("Angular velocity") == prop and not prop.thisown and motion.property("x") is None
    held = SetupHost.new_motion("Held")
    arm = SetupHost.add_motion_component(held, "Arm")
    for args, exc, match in [((held, "Arm"), ValueError, "already has a component"),
                             ((held, " "), ValueError, "needs a name"), ((None, "Arm"), TypeError, "None")]:
        with pytest.raises(exc, match=match):
            SetupHost.add_motion_component(*args)
    assert not [e for e in SetupHost.journal() if "Component" in e]
    SetupHost.reset()
    assert held.motionComponent("Arm") is None and arm.gravity().z == -1.0  # no longer held, still alive
    assert SetupHost.add_motion_component(held, "Arm") != arm


def _saved_motions(study, path):
    study.saveShareFile(str(path), "ActiveScenario")
    return json.loads(path.read_text())["designs"][0]["scenarios"][0]["setup"]["motions"]


def test_a_scenario_keeps_a_copy_of_everything_through_run_save_and_open(opened, tmp_path):
    study, scenario, die, lid = opened
    motion, curve = Setup.Motion("Spin"), Setup.TimeCurve("Ramp")
    curve.setValue("period", 2.0), curve.addPoint(0, 0.0), curve.addPoint(10, 1.0)
    motion.setTimeCurve(curve)
    motion.setDirectionNormalTo(lid), motion.reverseDirection(), motion.setCenterOfRotationToCentroid(die)
    motion.setAxisOfRotation(0, 1, 0), motion.reverseAxisOfRotation(), motion.reverseAxisOfRotation()
    motion.setGravity(0, -9.81, 0), motion.setForceLocation(1, 2, 3)
    SetupHost.add_motion_component(motion, "Arm").setTiltAxis(0, 0, 2)
    curve.addPoint(20, 5.0)  # after setTimeCurve: the motion's copy keeps what it was given
    scenario.applyMotion(motion)
    motion.setGravity(1, 1, 1), SetupHost.add_motion_component(motion, "Late")
    del motion, curve, die, lid
    gc.collect()
    scenario.run()
    [saved] = _saved_motions(study, tmp_path / "first.json")
    kept = saved["motion"]
    assert kept["direction"] == {"value": [0.0, 0.0, 1.0], "normalTo": {"part": 3, "entity": 106}, "reversed": True}
    assert kept["centerOfRotation"] == {"value": [101.5, 71.5, 10.6], "centroidOf": {"part": 3, "entity": 105}}
    assert kept["axisOfRotation"] == {"value": [0.0, 1.0, 0.0], "reversed": False}
    assert (kept["gravity"], kept["forceLocation"], kept["forceDirection"]) == ([0, -9.81, 0], [1, 2, 3], [1, 0, 0])
    assert kept["timeCurve"] == {"name": "Ramp", "values": [{"name": "period", "value": 2.0}], "points": [[0, 0], [10, 1]]}
    assert [c["name"] for c in saved["components"]] == ["Arm"]
    assert saved["components"][0]["motion"]["tiltAxis"]["value"] == [0, 0, 2]
    study.setPath(str(tmp_path / "study.json")), study.save()
    SetupHost.reset()
    reopened = Setup.DesignStudy.Create()
    reopened.open(str(tmp_path / "study.json"))
    assert SetupHost.refusals() == [] and _saved_motions(reopened, tmp_path / "second.json") == [saved]


@pytest.mark.parametrize("change, where", [
    (lambda m: m["motion"]["tiltAxis"].update(value=[0, 0, 0]), "motion.tiltAxis.value: an axis must not be zero"),
    (lambda m: m["motion"].update(gravity=[0, 1]), "motion.gravity: must be a list of 3 numbers"),
    (lambda m: m["motion"].update(timeCurve={"points": []}), "motion.timeCurve: must be an object with a name"),
    (lambda m: m.update(components=[{"name": ""}]), "components[0].name: a component needs a name"),
])
def test_bad_motion_settings_in_a_file_are_refused_and_older_files_open(opened, tmp_path, change, where):
    study, scenario, die, lid = opened
    scenario.applyMotion(Setup.Motion("Spin"))
    study.setPath(str(tmp_path / "study.json")), study.save()
    data = json.loads((tmp_path / "study.json").read_text())
    entry = data["designs"][0]["scenarios"][0]["setup"]["motions"][0]
    older = dict(entry)
    del older["motion"]  # as a file written before motions kept their settings
    data["designs"][0]["scenarios"][0]["setup"]["motions"] = [older]
    (tmp_path / "older.json").write_text(json.dumps(data))
    change(entry)
    data["designs"][0]["scenarios"][0]["setup"]["motions"] = [entry]
    (tmp_path / "bad.json").write_text(json.dumps(data))
    study.open(str(tmp_path / "bad.json"))
    assert where in SetupHost.refusals()[-1]
    study.open(str(tmp_path / "older.json"))
    assert _saved_motions(study, tmp_path / "again.json")[0]["motion"]["gravity"] == [0, 0, -1]
