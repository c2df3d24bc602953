"""The scenario's functions as a script calls them: every form of every
overloaded function and what the host received, the failures of each argument
kind, and what a script owns of what a scenario hands out."""
import gc

import pytest

import Setup
import SetupHost
import _Setup
from conftest import prototypes, raises_text, sent


@pytest.fixture
def sc():
    """A scenario with two parts, a database material and one selected part."""
    scenario = SetupHost.new_scenario("Airflow")
    SetupHost.add_part(scenario, "CPU", 3, "component")
    SetupHost.add_entity(scenario, "CPU", 104, Setup.Entity_Volume, "CPU die")
    SetupHost.add_part(scenario, "Board", 4, "pcb")
    SetupHost.add_material(scenario, "Copper", "Solid", "Metal")
    SetupHost.clear_journal()
    return scenario


def ids(*values):
    return Setup.EntityIdList(list(values))


def test_the_class_has_every_function_and_no_other():
    functions = sorted(name for name in dir(_Setup) if name.startswith("Scenario_"))
    assert len(functions) == 76
    assert "new_Scenario" not in dir(_Setup) and "delete_Scenario" not in dir(_Setup)


@pytest.mark.parametrize("call, host", [
    (lambda s: s.partByNameAndId("CPU"), 'partByNameAndId("CPU", 0)'),
    (lambda s: s.partByNameAndId("CPU", 3), 'partByNameAndId("CPU", 3)'),
    (lambda s: s.materialOfType("Solid"), 'materialOfType("Solid", "")'),
    (lambda s: s.materialOfType("Solid", None), "materialOfType(\"Solid\", null)"),
    (lambda s: s.createGroup("Hot"), 'createGroup("Hot")'),
    (lambda s: s.createGroup("Hot", "", "component"), 'createGroup("Hot", "", "component")'),
    (lambda s: s.applyMaterial("Copper"), 'applyMaterial("Copper", "")'),
    (lambda s: s.applyMaterial("Copper", "CPU"), 'applyMaterial("Copper", "CPU")'),
    (lambda s: s.applyMaterial("Copper", ids(104), Setup.Entity_Volume), 'applyMaterial("Copper", [104], 3, "")'),
    (lambda s: s.applyMaterial("Copper", ids(104), 7, "Solid"), 'applyMaterial("Copper", [104], 7, "Solid")'),
    (lambda s: s.applyMaterial(None, ids(), 3), "applyMaterial(null, [], 3)"),  # None is a null Material
    (lambda s: s.applyMaterial(s.getMaterial("Copper"), ids(104), 3), 'applyMaterial(<Material "Copper">, [104], 3)'),
    (lambda s: s.select(3), "select(3)"),
    (lambda s: s.select("CPU"), 'select("CPU")'),
    (lambda s: s.select(None), "select(null)"),
    (lambda s: s.deselect(3), "deselect(3)"),
    (lambda s: s.deselect("CPU"), 'deselect("CPU")'),
    (lambda s: s.applySizeAdjustment(), "applySizeAdjustment(1.0, false, false)"),
    (lambda s: s.applySizeAdjustment(0.5), "applySizeAdjustment(0.5, false, false)"),
    (lambda s: s.applySizeAdjustment(0.5, "yes"), "applySizeAdjustment(0.5, true, false)"),
    (lambda s: s.applySizeAdjustment(2, 0, [1]), "applySizeAdjustment(2.0, false, true)"),
    (lambda s: s.setResultsSaveInterval(10), 'setResultsSaveInterval(10.0, "Steps")'),
    (lambda s: s.setResultsSaveInterval(2.5, "Seconds"), 'setResultsSaveInterval(2.5, "Seconds")'),
    (lambda s: s.setSummarySaveInterval(10), 'setSummarySaveInterval(10.0, "Steps")'),
    (lambda s: s.setSummarySaveInterval(1, "Iterations"), 'setSummarySaveInterval(1.0, "Iterations")'),
    (lambda s: s.wait(), "wait(-1, false)"),
    (lambda s: s.wait(10), "wait(10, false)"),
    (lambda s: s.wait(10, True), "wait(10, true)"),
    (lambda s: s.addFlag("Transient", "on"), 'addFlag("Transient", "on", true)'),
    (lambda s: s.addFlag("Transient", "on", False), 'addFlag("Transient", "on", false)'),
    (lambda s: s.flagValue("Transient"), 'flagValue("Transient", null)'),
    (lambda s: s.flagValue("Transient", None), 'flagValue("Transient", null)'),
    (lambda s: s.setTetsInEnhancementLayers(""), "setTetsInEnhancementLayers(false)"),
    (lambda s: s.setTetsInEnhancementLayers([]), "setTetsInEnhancementLayers(false)"),
    (lambda s: s.setTetsInEnhancementLayers("no"), "setTetsInEnhancementLayers(true)"),
    (lambda s: s.getMaterial(None), "getMaterial(null)"),
    (lambda s: s.entity("CPU", 104), 'entity("CPU", 104)'),
    (lambda s: s.entity(None, 104), "entity(null, 104)"),
    (lambda s: s.setTotalTemperature(300, "K"), 'setTotalTemperature(300.0, "K")'),
    (lambda s: s.setRelaxation("Pressure", 0.3), 'setRelaxation("Pressure", 0.3)'),
    (lambda s: s.setGravityVector(0, 0, -9.81), "setGravityVector(0.0, 0.0, -9.81)"),
    (lambda s: s.fillSurface(ids(1, 2)), "fillSurface([1, 2])"),
])
def test_each_form_sends_what_it_was_given_and_its_defaults(sc, call, host):
    call(sc)
    assert sent() == "Analysis::" + host


@pytest.mark.parametrize("function, args, lines", [
    ("Scenario_partByNameAndId", (None,),
     ["partByNameAndId(script::Scenario *,QString const &,int)", "partByNameAndId(script::Scenario *,QString const &)"]),
    ("Scenario_materialOfType", (1,),
     ["materialOfType(script::Scenario *,char const *,char const *)", "materialOfType(script::Scenario *,char const *)"]),
    ("Scenario_createGroup", (),
     ["createGroup(script::Scenario *,std::wstring const &)",
      "createGroup(script::Scenario *,std::wstring const &,QString const &,QString const &)"]),
    ("Scenario_applyMaterial", ("Copper", [104], 3),
     ["applyMaterial(script::Scenario *,char const *,EntityIdList &,script::Entity::Type const &,QString const &)",
      "applyMaterial(script::Scenario *,char const *,EntityIdList &,script::Entity::Type const &)",
      "applyMaterial(script::Scenario *,script::Material *,EntityIdList &,script::Entity::Type const &)",
      "applyMaterial(script::Scenario *,std::wstring const &,std::wstring const &)",
      "applyMaterial(script::Scenario *,std::wstring const &)"]),
    ("Scenario_select", (1.5,), ["select(script::Scenario *,int)", "select(script::Scenario *,char const *)"]),
    ("Scenario_deselect", (b"x", 1), ["deselect(script::Scenario *,int)", "deselect(script::Scenario *,char const *)"]),
    ("Scenario_applySizeAdjustment", ("big",),
     ["applySizeAdjustment(script::Scenario *,double,bool,bool)", "applySizeAdjustment(script::Scenario *,double,bool)",
      "applySizeAdjustment(script::Scenario *,double)", "applySizeAdjustment(script::Scenario *)"]),
    ("Scenario_setResultsSaveInterval", (1, 2),
     ["setResultsSaveInterval(script::Scenario *,double,QString const &)",
      "setResultsSaveInterval(script::Scenario *,double)"]),
    ("Scenario_setSummarySaveInterval", (),
     ["setSummarySaveInterval(script::Scenario *,double,QString const &)",
      "setSummarySaveInterval(script::Scenario *,double)"]),
    ("Scenario_wait", (1.5,), ["wait(script::Scenario *,int,bool)", "wait(script::Scenario *,int)", "wait(script::Scenario *)"]),
    ("Scenario_addFlag", ("a",),
     ["addFlag(script::Scenario *,QString const &,QString const &,bool)",
      "addFlag(script::Scenario *,QString const &,QString const &)"]),
    ("Scenario_flagValue", ("a", True),
     ["flagValue(script::Scenario *,QString const &,bool *)", "flagValue(script::Scenario *,QString const &)"]),
])
def test_a_call_that_fits_no_form_lists_the_prototypes(sc, function, args, lines):
    SetupHost.clear_journal()
    assert raises_text(Setup.OverloadError, getattr(_Setup, function), sc, *args) == prototypes(function, *lines)
    assert SetupHost.journal() == []


@pytest.mark.parametrize("call, exc, text", [
    (lambda s: _Setup.Scenario_name(Setup.Vector()), TypeError,
     "in method 'Scenario_name', argument 1 of type 'script::Scenario const *'"),
    (lambda s: _Setup.Scenario_mesh(None), TypeError, "in method 'Scenario_mesh', argument 1 of type 'script::Scenario const *'"),
    (lambda s: _Setup.Scenario_run(SetupHost.new_part("P")), TypeError,
     "in method 'Scenario_run', argument 1 of type 'script::Scenario *'"),
    (lambda s: s.parts([]), TypeError, "in method 'Scenario_parts', argument 2 of type 'script::PartList &'"),
    (lambda s: s.parts(None), ValueError, "invalid null reference in method 'Scenario_parts', argument 2 of type 'script::PartList &'"),
    (lambda s: s.fillSurface([1]), TypeError, "in method 'Scenario_fillSurface', argument 2 of type 'EntityIdList const &'"),
    (lambda s: s.fillSurface(None), ValueError,
     "invalid null reference in method 'Scenario_fillSurface', argument 2 of type 'EntityIdList const &'"),
    (lambda s: s.applyBoundaryCondition(None, [1], 3), TypeError,
     "in method 'Scenario_applyBoundaryCondition', argument 3 of type 'EntityIdList &'"),
    (lambda s: s.applyBoundaryCondition(None, ids(1), 3.0), TypeError,
     "in method 'Scenario_applyBoundaryCondition', argument 4 of type 'script::Entity::Type const &'"),
    (lambda s: s.deleteGroup(None), ValueError,
     "invalid null reference in method 'Scenario_deleteGroup', argument 2 of type 'std::wstring const &'"),
    (lambda s: s.setTotalTemperature("hot", 1), TypeError, "in method 'Scenario_setTotalTemperature', argument 2 of type 'double'"),
    (lambda s: s.setRelaxation(1, "x"), RuntimeError, "Bad string input to call"),
    (lambda s: s.setSmokeVisibilityParams(None), ValueError,
     "invalid null reference in method 'Scenario_setSmokeVisibilityParams', argument 2 of type 'script::SmokeParams &'"),
    (lambda s: s.setSmokeVisibilityParams(Setup.ThermalComfortParams(s)), TypeError,
     "in method 'Scenario_setSmokeVisibilityParams', argument 2 of type 'script::SmokeParams &'"),
    (lambda s: s.setExtrusionLayers(2 ** 31), TypeError, "in method 'Scenario_setExtrusionLayers', argument 2 of type 'int'"),
    (lambda s: s.importSettingsFrom(Setup.Vector()), TypeError,
     "in method 'Scenario_importSettingsFrom', argument 2 of type 'script::Scenario *'"),
    (lambda s: s.applyTECMaterial(None, 1, "2"), TypeError, "in method 'Scenario_applyTECMaterial', argument 4 of type 'int'"),
])
def test_bad_arguments_are_refused_before_the_host_is_called(sc, call, exc, text):
    with pytest.raises(exc) as info:
        call(sc)
    assert str(info.value) == text
    assert not [e for e in SetupHost.journal() if e.startswith("Analysis::")]


def test_none_reaches_the_host_as_a_null_pointer(sc):
    for call, host in [(lambda: sc.applyInitialCondition(None), "applyInitialCondition(null)"),
                       (lambda: sc.applyMotion(None), "applyMotion(null)"),
                       (lambda: sc.importSettingsFrom(None), "importSettingsFrom(null)"),
                       (lambda: sc.applyTECMaterial(None, 1, 2), "applyTECMaterial(null, 1, 2)")]:
        call()
        assert sent() == "Analysis::" + host


def test_what_a_scenario_hands_out_is_its_own_but_copies_are_the_scripts(sc):
    part = sc.partByNameAndId("CPU", 3)
    entity = sc.entity("CPU", 104)
    group = sc.createGroup("Hot", "", "component")
    clone = sc.clone("Airflow 2")
    mesh = sc.mesh()
    shown = [(type(x).__name__, x.thisown) for x in (part, entity, group, sc.group("Hot"), clone, mesh)]
    assert shown == [("Part", False), ("Entity", False), ("Group", False), ("Group", False), ("Scenario", False),
                     ("Mesh", False)]
    env, gravity = sc.materialEnv(), sc.gravityVector()
    assert (type(env).__name__, env.thisown, type(gravity).__name__, gravity.thisown) == ("MaterialEnv", True, "Vector", True)
    gravity.x = 5.0
    assert sc.gravityVector().x != 5.0  # a copy: the scenario changes only through setGravityVector
    gc.collect()
    live = SetupHost.live_objects("MaterialEnv")
    del env
    gc.collect()
    assert SetupHost.live_objects("MaterialEnv") == live - 1
    assert sc.results() is None
    del mesh, part
    gc.collect()
    assert sc.mesh() is not None and sc.partByNameAndId("CPU") is not None


@pytest.mark.parametrize("lookup", [
    lambda s: s.partByNameAndId("Nothing"), lambda s: s.getMaterial("Nothing"), lambda s: s.materialOfType("Gas"),
    lambda s: s.group("Nothing"), lambda s: s.entity("CPU", 999), lambda s: s.clone(""), lambda s: s.results(),
    lambda s: s.createGroup(""),
])
def test_a_lookup_that_finds_nothing_gives_none(sc, lookup):
    assert lookup(sc) is None


def test_results_are_a_bare_pointer_object_that_goes_quietly(sc):
    SetupHost.give_results(sc, "CPU", "Temperature", 351.5)
    results = sc.results()
    assert repr(results).startswith("<Swig Object of type 'script::Results *'") and not results.own()
    del results
    gc.collect()
    assert sc.results() is not None


def test_texts_cross_in_every_form(sc):
    sc.setName("Luftstrom \u00e9t\u00e9")
    assert (sc.name(), sc.name_w(), sc.getName()) == ("Luftstrom \u00e9t\u00e9",) * 3
    assert sc.addFlag("Note", "\u00e9t\u00e9") is True and sc.flagValue("Note") == "\u00e9t\u00e9"
    assert sc.flagExists("Note") is True and sc.removeFlag("Note") is True and sc.flagExists("Note") is False
    assert sc.tetsInEnahancementLayers() is False and isinstance(sc.fillVoid(), int)
    assert sc.path() == sc.path_w()


def test_a_part_reads_its_scenarios_results_as_properties(sc):
    cpu = sc.partByNameAndId("CPU")
    cpu.setProperty("Temperature", 1.0)  # not a property of its own: refused
    assert (cpu.hasProperty("Temperature"), cpu.property("Temperature")) == (False, None)
    SetupHost.give_results(sc, "CPU", "Temperature", 351.5)
    assert (cpu.hasProperty("Temperature"), cpu.property("Temperature")) == (True, 351.5)
    assert sc.partByNameAndId("Board").property("Temperature") is None
    sc.removeMesh()  # the results go with the mesh they stood on
    assert cpu.property("Temperature") is None
