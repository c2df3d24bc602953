"""The stand-in's scenario model (docs/standin-scenario.md): refusals change
nothing, what a scenario takes from a script it copies, the run's estimate
moves as physics says, set-ups copy and import, and the study file keeps it
all, version 1 files included."""
import gc
import json

import pytest

import Setup
import SetupHost
from conftest import chip_and_inlet


def ids(*values):
    return Setup.EntityIdList(list(values))


def power(name, watts):
    condition = SetupHost.new_boundary_condition(name)
    SetupHost.give_property(condition, "Power", float(watts))
    return condition


@pytest.fixture
def sc(study):
    """The active scenario, with a CPU, a board and a vent, and two materials."""
    scenario = study.getActiveScenario()
    for name, pid, tag, entities in [("CPU", 3, "component", [(104, 3, "CPU die"), (105, 2, "CPU lid")]),
                                     ("Board", 4, "pcb", [(201, 3, "Board body"), (202, 1, "Board edge")]),
                                     ("Vent", 7, "opening", [(301, 2, "Vent face")])]:
        SetupHost.add_part(scenario, name, pid, tag)
        for eid, kind, label in entities:
            SetupHost.add_entity(scenario, name, eid, kind, label)
    SetupHost.give_property(SetupHost.add_material(scenario, "Silicon", "Solid", "Semiconductor"), "Conductivity", 148.0)
    SetupHost.add_material(scenario, "Copper", "Solid", "Metal")
    SetupHost.clear_journal()
    return scenario


def saved(study, tmp_path, name="s.json"):
    """The active scenario as the study file keeps it."""
    path = tmp_path / name
    study.saveShareFile(str(path), "ActiveScenario")
    return json.loads(path.read_text())["designs"][0]["scenarios"][0]


def last():
    return SetupHost.journal()[-1]


REFUSED = [
    (lambda s: s.setName(" "), 'setName(" ")', "a name must not be empty"),
    (lambda s: s.select(99), "select(99)", "the scenario has no part 99"),
    (lambda s: s.deselect("Fan"), 'deselect("Fan")', 'the scenario has no part named \\"Fan\\"'),
    (lambda s: s.selectByAttribute(""), 'selectByAttribute("")', "an attribute must not be empty"),
    (lambda s: s.suppressSelectedParts(), "suppressSelectedParts()", "no part is selected"),
    (lambda s: s.applyMaterial("Gold", "CPU"), 'applyMaterial("Gold", "CPU")',
     'the scenario\'s database has no material named \\"Gold\\"'),
    (lambda s: s.applyMaterial("Copper", "Fan"), 'applyMaterial("Copper", "Fan")', 'the scenario has no part named \\"Fan\\"'),
    (lambda s: s.applyMaterial("Copper", ids(104, 999), 3), 'applyMaterial("Copper", [104, 999], 3, "")',
     "the scenario has no entity 999"),
    (lambda s: s.applyMaterial("Copper", ids(105), 3), 'applyMaterial("Copper", [105], 3, "")',
     "entity 105 is a surface, not a volume"),
    (lambda s: s.applyMaterial("Copper", ids(104), 3, "Gas"), 'applyMaterial("Copper", [104], 3, "Gas")',
     'the scenario\'s database has no material named \\"Copper\\" of type \\"Gas\\"'),
    (lambda s: s.applyMaterial(SetupHost.new_material("Gold"), ids(104), 3), 'applyMaterial(<Material "Gold">, [104], 3)',
     'the material \\"Gold\\" is not in the scenario\'s database'),
    (lambda s: s.applyBoundaryCondition(power("Heat", 5), ids(), 3), 'applyBoundaryCondition(<BoundaryCondition "Heat">, [], 3)',
     "no entity ids were given"),
    (lambda s: s.applyBoundaryCondition(power("Heat", 5), ids(104), 9), 'applyBoundaryCondition(<BoundaryCondition "Heat">, [104], 9)',
     "9 is no entity kind"),
    (lambda s: s.applyBoundaryCondition(power("", 5), ids(104), 3), 'applyBoundaryCondition(<BoundaryCondition "">, [104], 3)',
     "a condition needs a name"),
    (lambda s: s.applyTECMaterial(s.getMaterial("Copper"), 105, 105), 'applyTECMaterial(<Material "Copper">, 105, 105)',
     "the cold and hot sides must be different entities"),
    (lambda s: s.applyMotion(SetupHost.new_motion("Spin")), "applyMotion(<Motion \"Spin\">)", "no part is selected"),
    (lambda s: s.createGroup("Hot", "Nowhere", ""), 'createGroup("Hot", "Nowhere", "")',
     'the scenario has no group named \\"Nowhere\\"'),
    (lambda s: s.deleteGroup("Hot"), 'deleteGroup("Hot")', 'the scenario has no group named \\"Hot\\"'),
    (lambda s: s.applyMeshSize(0.0), "applyMeshSize(0.0)", "a mesh size must be a finite number above 0"),
    (lambda s: s.setMaxLengthScale(float("nan")), "setMaxLengthScale(nan)", "a length scale must be"),
    (lambda s: s.applySizeAdjustment(-1.0), "applySizeAdjustment(-1.0, false, false)", "a size factor must be"),
    (lambda s: s.setAutomaticExtrusion("Some"), 'setAutomaticExtrusion("Some")',
     'an extrusion mode is \\"Off\\", \\"Inlets\\", \\"Outlets\\" or \\"All\\", not \\"Some\\"'),
    (lambda s: s.setExtrusionDirection(None), "setExtrusionDirection(null)", "an extrusion direction is"),
    (lambda s: s.setExtrusionGrowth(0.5), "setExtrusionGrowth(0.5)", "at least 1"),
    (lambda s: s.setExtrusionLayers(0), "setExtrusionLayers(0)", "an extrusion has at least 1 layer"),
    (lambda s: s.setExtrusionEndLayering("Even"), 'setExtrusionEndLayering("Even")', "an end layering is"),
    (lambda s: s.extrudeMesh(), "extrudeMesh()", "no part is selected"),
    (lambda s: s.fillSurface(ids(104)), "fillSurface([104])", "entity 104 is a volume, not an edge"),
    (lambda s: s.setGravityVector(0.0, float("inf"), 0.0), "setGravityVector(0.0, inf, 0.0)", "a gravity vector must be finite"),
    (lambda s: s.setResultsSaveInterval(10, "Hours"), 'setResultsSaveInterval(10.0, "Hours")', "a save unit is"),
    (lambda s: s.setSummarySaveInterval(0), 'setSummarySaveInterval(0.0, "Steps")', "an interval must be"),
    (lambda s: s.addResultsSaveFrequency(-1, 5), "addResultsSaveFrequency(-1.0, 5.0)", "a first step must be"),
    (lambda s: s.setTotalTemperature(-300, "C"), 'setTotalTemperature(-300.0, "C")', "not below absolute zero"),
    (lambda s: s.setTotalTemperature(300, "R"), 'setTotalTemperature(300.0, "R")', "a temperature unit is"),
    (lambda s: s.setRelaxation("Velocity", 1.5), 'setRelaxation("Velocity", 1.5)', "above 0 and at most 1"),
    (lambda s: s.addFlag("", "x"), 'addFlag("", "x", true)', "a flag must be named"),
    (lambda s: s.enableResultQuantity(" "), 'enableResultQuantity(" ")', "a quantity must be named"),
    (lambda s: s.importSettingsFrom(s), 'importSettingsFrom(<Analysis "Still air">)', "cannot import its own settings"),
    (lambda s: s.wait(), "wait(-1, false)", "no run was started"),
    (lambda s: s.run(), "run()", "nothing heats the model"),
]


@pytest.mark.parametrize("call, sent, reason", REFUSED, ids=[case[1] for case in REFUSED])
def test_a_refusal_changes_nothing_and_says_why(study, sc, tmp_path, call, sent, reason):
    sc.addFlag("Mode", "steady")
    before = saved(study, tmp_path, "before.json")
    SetupHost.clear_journal()
    call(sc)
    entry = [e for e in SetupHost.journal() if e.startswith("Analysis::")][-1]
    assert entry.startswith(f"Analysis::{sent} failed: ") and reason in entry
    assert SetupHost.refusals() == [entry]
    assert saved(study, tmp_path, "after.json") == before


def test_refused_smoke_and_comfort_records_change_nothing(sc):
    smoke, comfort = Setup.SmokeParams(sc), Setup.ThermalComfortParams(sc)
    smoke.ParticleYield, comfort.Humidity = -1.0, 120.0
    sc.setSmokeVisibilityParams(smoke)
    sc.setThermalComfortParams(comfort)
    assert [e.split(" failed: ")[1] for e in SetupHost.refusals()] == \
        ['"smoke parameters must be finite and not negative"', '"a humidity must be between 0 and 100"']
    assert (Setup.SmokeParams(sc).ParticleYield, Setup.ThermalComfortParams(sc).Humidity) == (0.015, 50.0)


def test_what_a_scenario_takes_from_a_script_it_copies(study, sc, tmp_path):
    heat, start = power("CPU heat", 15), SetupHost.new_initial_condition("Start")
    SetupHost.give_property(start, "Temperature", 30.0)
    sc.applyBoundaryCondition(heat, ids(104), Setup.Entity.Volume)
    sc.applyInitialCondition(start)
    smoke = Setup.SmokeParams(sc)
    smoke.ExtinctionCoef = 7600.0
    sc.setSmokeVisibilityParams(smoke)
    gravity = sc.gravityVector()
    # Everything the script holds is changed or dropped afterwards.
    heat.setProperty("Power", 99.0)
    start.setProperty("Temperature", -5.0)
    smoke.ExtinctionCoef, gravity.y = 1.0, 0.0
    del heat, start, smoke
    gc.collect()
    bcs, ics = Setup.BCList(), Setup.ICList()
    sc.bcs(bcs)
    sc.ics(ics)
    assert [(c.name(), c.property("Power")) for c in bcs] == [("CPU heat", 15.0)]
    assert [(c.name(), c.property("Temperature")) for c in ics] == [("Start", 30.0)]
    assert Setup.SmokeParams(sc).ExtinctionCoef == 7600.0 and sc.gravityVector().y == -9.81
    bcs[0].setProperty("Power", 1.0)  # the list holds copies too
    assert saved(study, tmp_path)["boundaryConditions"][0]["properties"][0]["value"] == 15.0


def test_a_condition_of_the_same_name_takes_the_new_properties_and_more_entities(sc):
    sc.applyBoundaryCondition(power("Heat", 5), ids(104), 3)
    sc.applyBoundaryCondition(power("Heat", 8), ids(201, 104), 3)
    bcs = Setup.BCList()
    sc.bcs(bcs)
    assert [(c.name(), c.property("Power")) for c in bcs] == [("Heat", 8.0)]


def temperatures(tmp_path, scenario_changes):
    study, scenario = chip_and_inlet()
    settings = {"power": 10.0, "flow": 0.0, "gravity": -9.81, "conductivity": None}
    settings.update(scenario_changes)
    scenario.applyBoundaryCondition(power("Chip heat", settings["power"]), ids(11), Setup.Entity.Volume)
    if settings["flow"]:
        fan = SetupHost.new_boundary_condition("Fan")
        SetupHost.give_property(fan, "Volume flow", settings["flow"])
        scenario.applyBoundaryCondition(fan, ids(21), Setup.Entity.Surface)
    if settings["conductivity"]:
        SetupHost.give_property(SetupHost.add_material(scenario, "Solid"), "Conductivity", settings["conductivity"])
        scenario.applyMaterial("Solid", "Chip")
    scenario.setGravityVector(0.0, settings["gravity"], 0.0)
    scenario.run()
    results = saved(study, tmp_path)["results"]
    return results["Temperature"]["Chip"], results["Maximum temperature"]["Chip"], results["Velocity"]["Chip"]


@pytest.mark.parametrize("change, hotter", [
    ({"power": 20.0}, True),
    ({"flow": 0.01}, False),
    ({"gravity": -30.0}, False),
])
def test_the_estimate_moves_as_physics_says(tmp_path, change, hotter):
    base, changed = temperatures(tmp_path, {}), temperatures(tmp_path, change)
    assert (changed[0] > base[0]) == hotter and changed[0] != base[0]
    assert (changed[1] > base[1]) == hotter


def test_a_better_conductor_evens_the_part_out(tmp_path):
    poor, good = (temperatures(tmp_path, {"conductivity": k}) for k in (0.3, 200.0))
    assert poor[0] == good[0] and poor[1] - poor[0] > good[1] - good[0] > 0
    assert temperatures(tmp_path, {})[:2] == (poor[0],) * 2  # no conductivity known: no inner rise


def boxed_study(path, parts, heated):
    """A study of one scenario whose parts (name, tag, min, max in mm) have boxes; 5 W on each heated part."""
    def part(pid, name, tag, low, high):
        return {"id": pid, "name": name, "tag": tag, "boundingBox": {"min": low, "max": high},
                "entities": [{"id": 100 + pid, "kind": "volume", "name": name + " body"}]}
    names = [name for name, *_ in parts]
    scenario = {"name": "S", "parts": [part(pid, *spec) for pid, spec in enumerate(parts, 1)],
                "boundaryConditions": [{"name": name + " heat", "entities": [101 + names.index(name)],
                                        "properties": [{"name": "Power", "type": "double", "value": 5.0}]}
                                       for name in heated]}
    path.write_text(json.dumps({"format": "Setup study", "version": 2, "name": "Boxes", "lengthUnit": "millimeter",
                                "designs": [{"name": "D", "scenarios": [scenario]}],
                                "activeScenario": {"design": "D", "scenario": "S"}}))
    study = Setup.DesignStudy.Create()
    study.open(str(path))
    scenario = study.getActiveScenario()
    scenario.run()
    found = Setup.PartList()
    scenario.parts(found)
    return {part.name(): part.property("Temperature") for part in found}


BOXES = [("Air", "fluid", [0, 0, 0], [100, 100, 100]),
         ("Case", "chassis", [1, 1, 1], [99, 99, 99]),
         ("Chip", "component", [40, 40, 10], [50, 50, 12]),
         ("Spreader", "heatsink", [38, 38, 12], [52, 52, 20]),
         ("Vent", "opening", [40, 40, 8], [50, 50, 10]),
         ("Loose", "component", [80, 80, 10], [90, 90, 12]),
         ("Second chip", "component", [52.1, 40, 12], [60, 50, 14])]


def test_a_heated_part_warms_the_solid_parts_it_touches(tmp_path):
    t = boxed_study(tmp_path / "one.json", BOXES, ["Chip"])
    air = t["Air"]
    assert t["Chip"] > t["Spreader"] > t["Loose"] == air
    # The air and the case around the chip, an opening and a part farther than the margin take none of its heat.
    assert t["Case"] == t["Vent"] == t["Second chip"] == air
    alone = boxed_study(tmp_path / "alone.json", [spec for spec in BOXES if spec[0] != "Spreader"], ["Chip"])
    assert alone["Chip"] - alone["Air"] > t["Chip"] - air  # the spreader's surface sheds some of the heat
    both = boxed_study(tmp_path / "both.json", BOXES, ["Chip", "Second chip"])
    assert both["Spreader"] - both["Air"] > t["Spreader"] - air  # heat from both chips adds up in it


def test_the_example_cpu_spreads_into_its_heat_sink_and_board(example_study):
    study = Setup.DesignStudy.Create()
    study.open(example_study)
    scenario = study.getActiveScenario()
    scenario.run()
    found = Setup.PartList()
    scenario.parts(found)
    t = {part.name(): part.property("Temperature") for part in found}
    air = t["Enclosure air"]
    assert air + 10.0 < t["CPU"] < 150.0
    assert t["CPU"] > t["Heat sink"] > air and t["CPU"] > t["Main board"] > air
    assert t["Memory"] == t["Voltage regulator"] == t["Fan opening"] == air


def test_start_and_wait_give_what_run_gives(study, sc, tmp_path):
    sc.applyBoundaryCondition(power("Heat", 12), ids(104), 3)
    sc.run()
    by_run = saved(study, tmp_path)["results"]
    sc.removeMesh()
    assert sc.results() is None
    sc.start()
    assert sc.results() is None
    sc.start()
    assert last() == 'Analysis::start() failed: "a run is under way"'
    sc.wait(2500, True)
    assert SetupHost.journal()[-1] == "Analysis::wait(2500, true)" and sc.results() is not None
    assert saved(study, tmp_path)["results"] == by_run
    assert set(by_run) == {"Temperature", "Maximum temperature", "Heat flux", "Velocity"}
    assert set(by_run["Temperature"]) == {"CPU", "Board", "Vent"}


@pytest.mark.parametrize("prepare, reason", [
    (lambda s: s.applyBoundaryCondition(power("Heat", 0), ids(104), 3), "nothing heats the model"),
    (lambda s: (s.select("CPU"), s.suppressSelectedParts()), "nothing heats the model"),
    (lambda s: (s.selectAll(), s.suppressSelectedParts()), "every part is suppressed"),
])
def test_a_run_without_parts_or_heat_leaves_no_results(sc, prepare, reason):
    sc.applyBoundaryCondition(power("Heat", 12), ids(104), 3)
    prepare(sc)
    sc.run()
    assert reason in last() and sc.results() is None
    empty = SetupHost.new_scenario("Empty")
    empty.run()
    assert last() == 'Analysis::run() failed: "the scenario has no parts"'


def test_suppressed_parts_have_no_results(study, sc, tmp_path):
    sc.applyBoundaryCondition(power("Heat", 12), ids(104), 3)
    sc.select(7)
    sc.suppressSelectedParts()
    sc.run()
    assert set(saved(study, tmp_path)["results"]["Temperature"]) == {"CPU", "Board"}


def test_clone_copies_the_set_up_and_activate_makes_it_active(study, sc):
    sc.applyBoundaryCondition(power("Heat", 12), ids(104), 3)
    sc.setGravityVector(0.0, 0.0, -9.81)
    sc.addFlag("Mode", "steady")
    sc.run()
    copy = sc.clone("Copy")
    assert copy.design().name() == "Baseline" and copy.partByNameAndId("CPU", 3) is not None
    assert (copy.gravityVector().z, copy.flagValue("Mode"), copy.results()) == (-9.81, "steady", None)
    copy.setGravityVector(0.0, -1.0, 0.0)
    assert sc.gravityVector().z == -9.81  # the copy's settings are its own
    assert sc.clone("Copy") is None and 'the name \\"Copy\\" is taken' in last()
    copy.activate()
    assert study.getActiveScenario() == copy
    SetupHost.new_scenario("Free").activate()
    assert "the scenario belongs to no study" in last()


def test_import_takes_the_settings_not_the_geometry(study, sc, tmp_path):
    other = study.design("Baseline").add("Other")
    SetupHost.add_part(other, "CPU", 30, "component")
    SetupHost.add_entity(other, "CPU", 104, Setup.Entity.Volume)
    sc.select("CPU")
    sc.applyMaterial("Silicon")
    sc.applyMeshSize(0.5)
    sc.applyBoundaryCondition(power("Heat", 12), ids(104, 201), 3)
    sc.setRelaxation("Velocity", 0.7)
    sc.enableResultQuantity("Temperature")
    other.importSettingsFrom(sc)
    other.activate()
    got = saved(study, tmp_path)
    assert got["setup"]["partMaterials"] == [{"part": 30, "material": "Silicon"}]
    assert got["setup"]["mesh"]["partSizes"] == [{"part": 30, "size": 0.5}]
    assert got["setup"]["relaxation"] == {"Velocity": 0.7} and got["resultQuantities"] == ["Temperature"]
    assert [(c["name"], c["entities"]) for c in got["boundaryConditions"]] == [("Heat", [104])]  # what it has
    assert [p["id"] for p in got["parts"]] == [30] and got["setup"]["selection"] == []
    assert [m["name"] for m in got["materials"]] == ["Silicon", "Copper"]


def test_selection_groups_and_lookups(sc):
    sc.selectByAttribute("component")
    sc.select(4)
    group = sc.createGroup("Hot")
    assert sc.group("Hot") == group and sc.createGroup("Hot") is None
    sc.selectPrevious()
    inner = sc.createGroup("Chips", "Hot", "component")
    assert inner is not None and sc.group("Chips") == inner
    sc.deleteGroup("Hot")
    assert sc.group("Hot") is None and sc.group("Chips") == inner
    assert sc.entity("CPU", 104) == sc.entity("CPU", 104) and sc.entity("Board", 104) is None
    assert sc.entity("CPU", 104).name() == "CPU die"
    assert sc.partByNameAndId("CPU", 4) is None and sc.partByNameAndId("Board", 0).name() == "Board"
    assert sc.materialOfType("Solid", "Metal").name() == "Copper" and sc.materialOfType("Solid").name() == "Silicon"
    assert sc.fillSurface(ids(202)) == 1 and (sc.fillVoid(), sc.fillVoid()) == (1, 0)


def test_flags_answer_and_read_back(sc):
    assert sc.addFlag("Mode", "steady") is True and sc.addFlag("Mode", "transient", False) is False
    ok = SetupHost.new_boolp()
    assert sc.flagValue("Mode", ok) == "steady" and SetupHost.boolp_value(ok)
    assert sc.flagValue("None", ok) == "" and not SetupHost.boolp_value(ok)
    assert sc.removeFlag("Mode") is True and sc.removeFlag("Mode") is False and SetupHost.refusals() == []


@pytest.mark.parametrize("steer, call, answer", [
    (lambda s: SetupHost.answer_null(s, "getMaterial"), lambda s: s.getMaterial("Copper"), None),
    (lambda s: SetupHost.answer_null(s, "createGroup"), lambda s: s.createGroup("G"), None),
    (lambda s: SetupHost.answer_bool(s, "addFlag", False), lambda s: s.addFlag("F", "1"), False),
    (lambda s: SetupHost.answer_int(s, "fillVoid", 7), lambda s: s.fillVoid(), 7),
    (lambda s: SetupHost.answer_bool(s, "tetsInEnahancementLayers", True), lambda s: s.tetsInEnahancementLayers(), True),
])
def test_steered_answers_do_nothing_else(study, sc, tmp_path, steer, call, answer):
    before = saved(study, tmp_path, "before.json")
    steer(sc)
    assert call(sc) == answer and saved(study, tmp_path, "after.json") == before


def test_path_follows_the_study(study, sc, tmp_path):
    assert sc.path() == ""
    study.setPath(str(tmp_path / "enclosure.study.json"))
    assert sc.path() == sc.path_w() == str(tmp_path / "enclosure.study" / "Baseline" / "Still air")


@pytest.mark.parametrize("call, error", [
    (lambda s: SetupHost.add_part(s, "CPU", 3), "the scenario has a part with id 3"),
    (lambda s: SetupHost.add_part(s, "", 9), "a part needs a name"),
    (lambda s: SetupHost.add_entity(s, "CPU", 201, 3), "the scenario has an entity 201"),
    (lambda s: SetupHost.add_entity(s, "Fan", 900, 3), 'the scenario has no part named "Fan"'),
    (lambda s: SetupHost.add_material(s, "Copper"), 'the scenario has a material named "Copper"'),
    (lambda s: SetupHost.give_results(s, "Fan", "Temperature", 1.0), 'the scenario has no part named "Fan"'),
])
def test_steering_refuses_with_a_value_error(sc, call, error):
    with pytest.raises(ValueError, match=error):
        call(sc)
    with pytest.raises(TypeError):
        SetupHost.add_part(None, "P", 1)


def test_save_and_open_keep_everything(study, sc, tmp_path):
    sc.select("CPU")
    sc.applyMaterial("Silicon")
    sc.applyMaterial(sc.getMaterial("Copper"), ids(201), Setup.Entity.Volume)
    sc.applyTECMaterial(sc.getMaterial("Copper"), 105, 301)
    sc.applyMotion(SetupHost.new_motion("Spin"))
    sc.createGroup("Hot")
    sc.applyMeshSize(0.25)
    sc.select(7)
    sc.suppressSelectedParts()
    sc.extrudeMesh()
    for call in [lambda: sc.setTetsInEnhancementLayers(True), lambda: sc.setMaxLengthScale(2.0), sc.useUniformSize,
                 lambda: sc.applySizeAdjustment(1.5, True), lambda: sc.setAutomaticExtrusion("Inlets"),
                 lambda: sc.setExtrusionGrowth(1.3), lambda: sc.setExtrusionDirection("Z"),
                 lambda: sc.setExtrusionLayers(5), lambda: sc.setExtrusionEndLayering("Growth"),
                 lambda: sc.fillSurface(ids(202)), lambda: sc.setGravityVector(1.0, 2.0, 3.0),
                 lambda: sc.setResultsSaveInterval(5, "Iterations"), lambda: sc.addSummarySaveFrequency(100, 10),
                 lambda: sc.setTotalTemperature(300, "K"), lambda: sc.setRelaxation("Pressure", 0.3),
                 sc.estimateTimeStep, lambda: sc.addFlag("Mode", "steady"), lambda: sc.enableResultQuantity("Pressure"),
                 lambda: sc.setThermalComfortParams(Setup.ThermalComfortParams(sc))]:
        call()
    SetupHost.give_results(sc, "CPU", "Temperature", 351.5)
    assert SetupHost.refusals() == []
    first = saved(study, tmp_path, "first.json")
    assert first["setup"]["timeStep"] > 0 and first["setup"]["tecMaterials"] == \
        [{"material": "Copper", "coldSide": 105, "hotSide": 301}]
    study.setPath(str(tmp_path / "study.json"))
    study.save()
    SetupHost.reset()
    reopened = Setup.DesignStudy.Create()
    reopened.open(str(tmp_path / "study.json"))
    scenario = reopened.getActiveScenario()
    assert saved(reopened, tmp_path, "second.json") == first
    assert json.load(open(tmp_path / "study.json"))["version"] == SetupHost.study_format_version() == 2
    assert scenario.tetsInEnahancementLayers() and scenario.gravityVector().z == 3.0
    assert scenario.flagValue("Mode") == "steady" and scenario.results() is not None
    assert scenario.entity("CPU", 104) is not None and scenario.group("Hot") is not None


def test_a_version_1_file_opens_with_the_defaults(tmp_path, example_study):
    data = json.load(open(example_study))
    data["version"] = 1
    (tmp_path / "v1.json").write_text(json.dumps(data))
    study = Setup.DesignStudy.Create()
    study.open(str(tmp_path / "v1.json"))
    scenario = study.getActiveScenario()
    assert SetupHost.refusals() == [] and scenario.gravityVector().y == -9.81
    assert scenario.getMaterial("Silicon") is not None and scenario.entity("CPU", 105).name() == "CPU die"
    scenario.run()  # the example's CPU heat, its "Total heat", warms it
    study.saveShareFile(str(tmp_path / "v2.json"))
    saved_again = json.load(open(tmp_path / "v2.json"))
    cpu = saved_again["designs"][0]["scenarios"][0]["results"]["Temperature"]["CPU"]
    assert saved_again["version"] == 2 and cpu > 35.0


@pytest.mark.parametrize("setup, reason", [
    ({"selection": [99]}, "setup.selection[0]: names no part of the scenario"),
    ({"partMaterials": [{"part": 3, "material": "Gold"}]}, "setup.partMaterials[0].material: names no material"),
    ({"mesh": {"sizing": "Fine"}}, 'setup.mesh.sizing: a sizing is \\"Automatic\\" or \\"Uniform\\"'),
    ({"gravity": [0, 1]}, "setup.gravity: must be three numbers"),
    ({"flagValues": {"Nope": "1"}}, "setup.flagValues.Nope: names no flag of the scenario"),
    ({"comfort": {"humidity": 101}}, "setup.comfort: a humidity must be between 0 and 100"),
])
def test_a_bad_setup_refuses_the_file(tmp_path, setup, reason):
    scenario = {"name": "S", "parts": [{"id": 3, "name": "CPU"}], "setup": setup}
    data = {"format": "Setup study", "version": 2, "designs": [{"name": "D", "scenarios": [scenario]}]}
    (tmp_path / "bad.json").write_text(json.dumps(data))
    Setup.DesignStudy.Create().open(str(tmp_path / "bad.json"))
    assert f'failed: "designs[0].scenarios[0].{reason}' in last()
