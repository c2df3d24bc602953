"""Solar heating as a script calls it: the forms and what the host received,
the argument failures, ownership, the stand-in's checks, the study file and
the sun's heat in the run's estimate."""
import json
import math

import pytest

import Setup
import SetupHost
import _Setup
from conftest import raises_text, sent


@pytest.fixture
def sc():
    return SetupHost.new_scenario("Roof")


@pytest.mark.parametrize("call, host", [
    (lambda s, h: Setup.SolarHeating(s), 'SolarHeating::SolarHeating(<Analysis "Roof">)'),
    (lambda s, h: Setup.SolarHeating(None), "SolarHeating::SolarHeating(null)"),
    (lambda s, h: h.enable(), "SolarHeating::enable()"),
    (lambda s, h: h.disable(), "SolarHeating::disable()"),
    (lambda s, h: h.setCompassDirection("East", 1, 0, 0), 'SolarHeating::setCompassDirection("East", 1.0, 0.0, 0.0)'),
    (lambda s, h: h.setCelestialOrientation(b"Nadir", 0.0, -2.5, 0.0),
     'SolarHeating::setCelestialOrientation("Nadir", 0.0, -2.5, 0.0)'),
    (lambda s, h: h.setLatitude(52, 30, "N"), 'SolarHeating::setLatitude(52, 30, "N")'),
    (lambda s, h: h.setLongitude(True, -1, None), "SolarHeating::setLongitude(1, -1, null)"),
])
def test_each_operation_sends_what_it_was_given(sc, call, host):
    handle = Setup.SolarHeating(sc)
    call(sc, handle)
    assert sent("SolarHeating") == host


@pytest.mark.parametrize("call, exc, text", [
    (lambda s, h: _Setup.SolarHeating_enable(s), TypeError, "in method 'SolarHeating_enable', argument 1 of type 'script::SolarHeating *'"),
    (lambda s, h: Setup.SolarHeating(Setup.Vector()), TypeError, "in method 'new_SolarHeating', argument 1 of type 'script::Scenario *'"),
    (lambda s, h: h.setLatitude(52.0, 30, "N"), TypeError, "in method 'SolarHeating_setLatitude', argument 2 of type 'int'"),
    (lambda s, h: h.setLongitude(1, 2**31, 3), TypeError, "in method 'SolarHeating_setLongitude', argument 3 of type 'int'"),
    (lambda s, h: h.setLatitude(1, 2, 3), RuntimeError, "Bad string input to call"),
    (lambda s, h: h.setCompassDirection(3, "x", 0, 0), RuntimeError, "Bad string input to call"),
    (lambda s, h: h.setCompassDirection("North", 0, "y", 0), TypeError,
     "in method 'SolarHeating_setCompassDirection', argument 4 of type 'double'"),
    (lambda s, h: h.setCelestialOrientation("Zenith", 0, 1), TypeError,
     "SolarHeating_setCelestialOrientation expected 5 arguments, got 4"),
])
def test_bad_arguments_are_refused_before_the_host_is_called(sc, call, exc, text):
    handle = Setup.SolarHeating(sc)
    SetupHost.clear_journal()
    assert text in raises_text(exc, call, sc, handle)
    assert not [entry for entry in SetupHost.journal() if entry.startswith("SolarHeating::")]


def test_a_handle_is_owned_and_deleted_once_and_a_view_deletes_nothing(sc):
    before = SetupHost.live_objects("SolarHeating")
    handle = Setup.SolarHeating(sc)
    assert handle.this.own() and SetupHost.live_objects("SolarHeating") == before + 1
    _Setup.delete_SolarHeating(handle)
    _Setup.delete_SolarHeating(handle)
    assert SetupHost.live_objects("SolarHeating") == before
    kept = Setup.SolarHeating(sc)
    kept.this.disown()
    _Setup.delete_SolarHeating(kept)  # not owned: cleared, nothing destroyed
    assert SetupHost.live_objects("SolarHeating") == before + 1
    with pytest.raises(TypeError):
        kept.enable()


@pytest.mark.parametrize("call, why", [
    (lambda h: h.setCompassDirection("north", 0, 0, -1), '"north" is no compass point: North, East, South, West'),
    (lambda h: h.setCompassDirection("North", math.nan, 0, -1), "a direction's components must be finite numbers"),
    (lambda h: h.setCompassDirection("North", 0, 0, 0), "the direction has no length"),
    (lambda h: h.setCelestialOrientation("Up", 0, 1, 0), '"Up" is no point of the sky: Zenith, Nadir'),
    (lambda h: h.setLatitude(91, 0, "N"), "a latitude has from 0 to 90 degrees, not 91"),
    (lambda h: h.setLatitude(-1, 0, "S"), "a latitude has from 0 to 90 degrees, not -1"),
    (lambda h: h.setLatitude(10, 60, "N"), "a latitude has from 0 to 59 minutes, not 60"),
    (lambda h: h.setLatitude(90, 1, "N"), "a latitude is at most 90 degrees 0 minutes"),
    (lambda h: h.setLatitude(10, 0, "E"), '"E" is no hemisphere of a latitude: N or S'),
    (lambda h: h.setLongitude(181, 0, "E"), "a longitude has from 0 to 180 degrees, not 181"),
    (lambda h: h.setLongitude(10, 0, None), '"" is no hemisphere of a longitude: E or W'),
])
def test_a_refused_setting_changes_nothing_and_says_why(study, tmp_path, call, why):
    handle = Setup.SolarHeating(study.getActiveScenario())
    handle.enable()
    call(handle)
    assert SetupHost.refusals()[-1].endswith(f"failed: {json.dumps(why, ensure_ascii=False)}")
    assert saved_solar(study, tmp_path) == {**DEFAULTS, "enabled": True}
    SetupHost.set_strict(True)
    assert raises_text(SetupHost.Refused, call, handle) == why


@pytest.mark.parametrize("operation", ["enable", "disable"])
def test_a_handle_of_no_scenario_refuses_its_operations(operation):
    handle = Setup.SolarHeating(None)
    getattr(handle, operation)()
    assert SetupHost.refusals() == [f'SolarHeating::{operation}() failed: "the solar heating belongs to no scenario"']


DEFAULTS = {"enabled": False, "compass": {"name": "North", "direction": [0.0, 0.0, -1.0]},
            "celestial": {"name": "Zenith", "direction": [0.0, 1.0, 0.0]},
            "latitude": {"degrees": 0, "minutes": 0, "hemisphere": "N"},
            "longitude": {"degrees": 0, "minutes": 0, "hemisphere": "E"}}


def saved_solar(study, tmp_path):
    path = tmp_path / "s.json"
    study.saveShareFile(str(path), "ActiveScenario")
    return json.loads(path.read_text())["designs"][0]["scenarios"][0].get("setup", {}).get("solar")


def test_the_scenario_keeps_the_settings_after_the_handle_goes_and_the_file_keeps_them(study, tmp_path):
    scenario = study.getActiveScenario()
    assert saved_solar(study, tmp_path) is None  # defaults are not written
    handle = Setup.SolarHeating(scenario)
    handle.enable()
    handle.setCelestialOrientation("Nadir", 0, -1, 0)
    handle.setCompassDirection("West", -2, 0, 0)
    handle.setLatitude(52, 30, "N")
    handle.setLongitude(13, 24, "W")
    del handle
    expected = {"enabled": True, "compass": {"name": "West", "direction": [-2.0, 0.0, 0.0]},
                "celestial": {"name": "Nadir", "direction": [0.0, -1.0, 0.0]},
                "latitude": {"degrees": 52, "minutes": 30, "hemisphere": "N"},
                "longitude": {"degrees": 13, "minutes": 24, "hemisphere": "W"}}
    assert saved_solar(study, tmp_path) == expected
    scenario.clone("Copy")
    path = tmp_path / "whole.json"
    study.saveShareFile(str(path), "Everything")
    assert [s["setup"]["solar"] for s in json.loads(path.read_text())["designs"][0]["scenarios"]] == [expected] * 2
    study.open(str(path))
    assert saved_solar(study, tmp_path) == expected


@pytest.mark.parametrize("solar, where", [
    ({"latitude": {"degrees": 95}}, "solar.latitude: a latitude has from 0 to 90 degrees, not 95"),
    ({"compass": {"name": "Up"}}, 'solar.compass: "Up" is no compass point: North, East, South, West'),
    ({"celestial": {"direction": [0, 0, 0]}}, "solar.celestial: the direction has no length"),
    ({"enabled": 1}, "solar.enabled: must be true or false"),
    ({"longitude": {"minutes": 1.5}}, "solar.longitude.minutes: must be a whole number"),
    ([], "solar: must be an object"),
])
def test_a_bad_solar_setting_in_a_file_is_refused_with_where(study, tmp_path, solar, where):
    path = tmp_path / "bad.json"
    study.saveShareFile(str(path), "Everything")
    root = json.loads(path.read_text())
    root["designs"][0]["scenarios"][0].setdefault("setup", {})["solar"] = solar
    path.write_text(json.dumps(root))
    study.open(str(path))
    assert SetupHost.refusals()[-1].endswith(f'failed: "designs[0].scenarios[0].setup.{where}"'.replace('"Up"', '\\"Up\\"'))


def boxed(tmp_path, power=5.0):
    """A study of one scenario with one part, 100 x 50 x 20 mm, heated with power W."""
    part = {"id": 1, "name": "Box", "tag": "component", "boundingBox": {"min": [0, 0, 0], "max": [100, 50, 20]},
            "entities": [{"id": 11, "kind": "volume", "name": "Box body"}]}
    conditions = [{"name": "Heat", "entities": [11], "properties": [{"name": "Power", "type": "double", "value": power}]}]
    path = tmp_path / "boxed.json"
    path.write_text(json.dumps({"format": "Setup study", "version": 2, "name": "Sun", "lengthUnit": "millimeter",
                                "designs": [{"name": "D", "scenarios": [{"name": "S", "parts": [part],
                                                                         "boundaryConditions": conditions if power else []}]}],
                                "activeScenario": {"design": "D", "scenario": "S"}}))
    study = Setup.DesignStudy.Create()
    study.open(str(path))
    return study.getActiveScenario()


def temperature(scenario):
    scenario.run()
    return scenario.partByNameAndId("Box").property("Temperature")


# The air's conductance without inflow at 9.81 m/s^2: (2 + 5) W/(m2 K) over the box's area.
CONDUCTANCE = 7.0 * 2 * (0.1 * 0.05 + 0.05 * 0.02 + 0.02 * 0.1)


def sun(latitude):
    beta = math.radians(90 - latitude)
    return 0.5 * 1361 * 0.7 ** ((1 / math.sin(beta)) ** 0.678)


@pytest.mark.parametrize("settings, gain", [
    ([("enable",)], sun(0) * 0.1 * 0.02),  # overhead: the top face, x by z
    ([("enable",), ("setLatitude", 45, 0, "N")], sun(45) * math.sqrt(0.5) * (0.1 * 0.02 + 0.1 * 0.05)),
    ([("enable",), ("setLatitude", 45, 0, "S"), ("setCompassDirection", "East", 1, 0, 0)],
     sun(45) * math.sqrt(0.5) * (0.1 * 0.02 + 0.1 * 0.05)),
    ([("enable",), ("setLatitude", 60, 0, "N"), ("setCompassDirection", "South", -1, 0, 0),
      ("setCelestialOrientation", "Nadir", 0, -1, 0)], sun(60) * (0.5 * 0.1 * 0.02 + math.sqrt(0.75) * 0.05 * 0.02)),
    ([("enable",), ("setLatitude", 90, 0, "S")], 0.0),
    ([("enable",), ("disable",)], 0.0),
])
def test_the_sun_alone_heats_the_model_as_documented(tmp_path, settings, gain):
    scenario = boxed(tmp_path, power=0.0)
    handle = Setup.SolarHeating(scenario)
    for operation, *args in settings:
        getattr(handle, operation)(*args)
    scenario.run()
    if gain:
        assert temperature(scenario) == pytest.approx(20.0 + gain / CONDUCTANCE, rel=1e-12)
    else:
        assert "nothing heats the model" in SetupHost.refusals()[-1]


def test_enabling_makes_a_heated_model_hotter_and_disabling_gives_it_back(tmp_path):
    base = temperature(boxed(tmp_path))
    scenario = boxed(tmp_path)
    handle = Setup.SolarHeating(scenario)
    handle.enable()
    assert temperature(scenario) > base + sun(0) * 0.1 * 0.02 / CONDUCTANCE * 0.9
    handle.disable()
    assert temperature(scenario) == base


def test_a_model_turned_over_one_direction_at_a_time_is_taken_in_either_order(sc):
    """From the defaults (zenith y, north -z) to a z-up model: the first call
    leaves the two along one line, which must not be refused."""
    for order in ((("setCelestialOrientation", "Zenith", 0, 0, 1), ("setCompassDirection", "North", 0, 1, 0)),
                  (("setCompassDirection", "North", 0, 1, 0), ("setCelestialOrientation", "Zenith", 0, 0, 1))):
        handle = Setup.SolarHeating(sc)
        for name, *args in order:
            getattr(handle, name)(*args)
        assert SetupHost.refusals() == []
