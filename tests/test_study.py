"""DesignStudy, Design and BoundingBox: every form, what the host received,
what the study model does with it, and what scripts own."""
import gc

import pytest

import Setup
import SetupHost
import _Setup
from conftest import prototypes, raises_text


def host_calls(prefix=("DesignStudy::", "Design::", "BoundingBox::")):
    return [e for e in SetupHost.journal() if e.startswith(prefix)]


def test_create_hands_out_the_one_study_unowned():
    study = Setup.DesignStudy.Create()
    assert not study.thisown and study == _Setup.DesignStudy_Create()
    del study
    gc.collect()
    assert Setup.DesignStudy.Create().name() == ""
    assert SetupHost.journal()[0] == "DesignStudy::Create()"


@pytest.mark.parametrize("call, sent", [
    (lambda s: s.createFrom("/none"), 'DesignStudy::createFrom("/none", false)'),
    (lambda s: s.createFrom("/none", 1), 'DesignStudy::createFrom("/none", true)'),
    (lambda s: s.add("D2", "S2"), 'DesignStudy::add("D2", "S2", false)'),
    (lambda s: s.add("D2", "S2", [1]), 'DesignStudy::add("D2", "S2", true)'),
    (lambda s: s.saveShareFile("/none/x"), 'DesignStudy::saveShareFile("/none/x", "Everything")'),
    (lambda s: s.saveShareFile("/none/x", "ActiveScenario"), 'DesignStudy::saveShareFile("/none/x", "ActiveScenario")'),
    (lambda s: s.saveShareFile("/none/x", None), 'DesignStudy::saveShareFile("/none/x", null)'),
    (lambda s: s.createSetupFileOfActiveScenario(), 'DesignStudy::createSetupFileOfActiveScenario("")'),
    (lambda s: s.createSetupFileOfActiveScenario("/none/y"), 'DesignStudy::createSetupFileOfActiveScenario("/none/y")'),
    (lambda s: s.createExternalVolumeForActiveScenario(),
     "DesignStudy::createExternalVolumeForActiveScenario(0.0, 0.0, 0.0, 0.0, 0.0, 0.0)"),
    (lambda s: s.createExternalVolumeForActiveScenario(1, 2.5, 3),
     "DesignStudy::createExternalVolumeForActiveScenario(1.0, 2.5, 3.0, 0.0, 0.0, 0.0)"),
    (lambda s: s.createExternalVolumeForActiveScenario(1, 2, 3, 4, 5, 6),
     "DesignStudy::createExternalVolumeForActiveScenario(1.0, 2.0, 3.0, 4.0, 5.0, 6.0)"),
    (lambda s: s.design("Baseline").scenario("Still air"), 'Design::scenario("Still air", true)'),
    (lambda s: s.design("Baseline").scenario("still AIR", False), 'Design::scenario("still AIR", false)'),
])
def test_each_form_sends_its_defaults(study, call, sent):
    call(study)
    assert [e.split(" failed:")[0] for e in host_calls()][-1] == sent


@pytest.mark.parametrize("function, args, lines", [
    ("DesignStudy_createFrom", (5,), ["createFrom(script::DesignStudy *,QString const &,bool)",
                                      "createFrom(script::DesignStudy *,QString const &)"]),
    ("DesignStudy_add", ("A",), ["add(script::DesignStudy *,QString const &,QString const &,bool)",
                                 "add(script::DesignStudy *,QString const &,QString const &)"]),
    ("DesignStudy_saveShareFile", ("p", 5), ["saveShareFile(script::DesignStudy *,QString const &,char const *)",
                                            "saveShareFile(script::DesignStudy *,QString const &)"]),
    ("DesignStudy_createSetupFileOfActiveScenario", (None,),
     ["createSetupFileOfActiveScenario(script::DesignStudy const *,QString const &)",
      "createSetupFileOfActiveScenario(script::DesignStudy const *)"]),
    ("DesignStudy_createExternalVolumeForActiveScenario", (1, 2, 3, 4, 5, 6, 7),
     ["createExternalVolumeForActiveScenario(script::DesignStudy *" + ",double" * n + ")" for n in range(6, -1, -1)]),
    ("DesignStudy_createExternalVolumeForActiveScenario", ("1",),
     ["createExternalVolumeForActiveScenario(script::DesignStudy *" + ",double" * n + ")" for n in range(6, -1, -1)]),
    ("Design_scenario", (), ["scenario(script::Design *,QString const &,bool)", "scenario(script::Design *,QString const &)"]),
])
def test_overload_failures(study, function, args, lines):
    receiver = study.design("Baseline") if function.startswith("Design_") else study
    SetupHost.clear_journal()
    assert raises_text(Setup.OverloadError, getattr(_Setup, function), receiver, *args) == prototypes(function, *lines)
    with pytest.raises(Setup.OverloadError):
        getattr(_Setup, function)(Setup.Vector(), *args)
    assert host_calls() == []


@pytest.mark.parametrize("fn, args", [
    (_Setup.DesignStudy_open, (5,)),
    (_Setup.DesignStudy_setName, (b"\xff",)),
    (_Setup.DesignStudy_add, ("A", b"\xff")),     # the first name is released, the host not called
    (_Setup.DesignStudy_createStudyFromAsmTranslator, ("a", 1.5)),
])
def test_bad_strings(study, fn, args):
    assert raises_text(RuntimeError, fn, study, *args) == "Bad string input to call"
    assert SetupHost.journal() == []


@pytest.mark.parametrize("fn, arg, error, text", [
    (_Setup.DesignStudy_designs, Setup.ScenarioList(), TypeError,
     "in method 'DesignStudy_designs', argument 2 of type 'DesignList &'"),
    (_Setup.DesignStudy_designs, [], TypeError, "in method 'DesignStudy_designs', argument 2 of type 'DesignList &'"),
    (_Setup.DesignStudy_designs, None, ValueError,
     "invalid null reference in method 'DesignStudy_designs', argument 2 of type 'DesignList &'"),
    (_Setup.Design_scenarios, Setup.DesignList(), TypeError,
     "in method 'Design_scenarios', argument 2 of type 'ScenarioList &'"),
    (_Setup.Design_scenarios, None, ValueError,
     "invalid null reference in method 'Design_scenarios', argument 2 of type 'ScenarioList &'"),
])
def test_list_arguments(study, fn, arg, error, text):
    receiver = study.design("Baseline") if fn is _Setup.Design_scenarios else study
    assert raises_text(error, fn, receiver, arg) == text


@pytest.mark.parametrize("fn, text", [
    (_Setup.DesignStudy_open, "in method 'DesignStudy_open', argument 1 of type 'script::DesignStudy *'"),
    (_Setup.Design_setName, "in method 'Design_setName', argument 1 of type 'script::Design *'"),
    (_Setup.BoundingBox_getMin, None),
])
def test_receivers_of_another_class(fn, text):
    receiver = SetupHost.new_scenario("S")
    with pytest.raises(TypeError) as info:
        fn(receiver, "x") if text else fn(receiver)
    assert text is None or str(info.value) == text


def test_designs_and_scenarios_are_listed_unowned(study):
    study.add("Second", "")
    designs = Setup.DesignList([study.design("Second")])
    study.designs(designs)
    assert [d.name() for d in designs] == ["Baseline", "Second"] and not designs[0].thisown
    scenarios = Setup.ScenarioList()
    designs[0].scenarios(scenarios)
    assert [s.name() for s in scenarios] == ["Still air"] and scenarios[0] == study.getActiveScenario()
    assert "DesignStudy::designs(1)" in host_calls() and "Design::scenarios(0)" in host_calls()


def test_design_names_in_three_forms(study):
    design = study.add("Kühler ✓", "")
    assert (design.getName(), design.name(), design.name_w()) == ("Kühler ✓",) * 3


def test_lookups_that_find_nothing_give_none(study):
    assert study.design("Nothing") is None and study.design("Baseline").scenario("Nothing") is None
    study.remove("Baseline")
    assert study.getActiveScenario() is None


def test_add_rename_clone_and_refusals(study):
    design = study.design("Baseline")
    assert study.add("Baseline", "x") is None and study.add("", "x") is None and design.add("Still air") is None
    design.setName("Reference")
    clone = design.clone("Copy")
    assert [study.design(n).name() for n in ("Reference", "Copy")] == ["Reference", "Copy"]
    assert clone.scenario("Still air") is not None and clone.scenario("Still air") != design.scenario("Still air")
    clone.setName("Reference")
    assert clone.name() == "Copy"
    assert host_calls()[1] == 'DesignStudy::add("Baseline", "x", false) failed: "the name \\"Baseline\\" is taken"'
    assert host_calls()[-2] == 'Design::setName("Reference") failed: "the name \\"Reference\\" is taken"'


@pytest.mark.parametrize("rename", [
    lambda scenario: scenario.setName("Renamed"),
    lambda scenario: (scenario.setName("Between"), scenario.setName("Renamed")),
    lambda scenario: (scenario.setName("Still air"), scenario.setName("Renamed")),
])
def test_lookups_follow_renames_removals_and_clones(study, rename):
    design = study.design("Baseline")
    scenario = design.scenario("Still air")
    rename(scenario)
    assert (design.scenario("Still air"), design.scenario("Between"), design.scenario("Renamed")) == \
        (None, None, scenario)
    assert design.scenario("RENAMED", False) == scenario
    again = design.add("Still air")  # the old name is free again
    clone = design.clone("Copy")
    clone.scenario("Renamed").setName("Other")
    assert design.scenario("Renamed") == scenario and clone.scenario("Renamed") is None
    assert clone.scenario("Other") not in (None, scenario) and clone.scenario("Still air") not in (None, again)
    design.remove("Renamed")
    assert design.scenario("Renamed") is None and design.add("Renamed") not in (None, scenario)
    assert not [e for e in host_calls() if " failed:" in e]


def test_removed_objects_stay_usable_by_stale_proxies(study):
    design = study.design("Baseline")
    scenario = design.scenario("Still air")
    design.remove("Still air")
    assert (scenario.name(), scenario.design(), design.scenario("Still air")) == ("Still air", None, None)
    study.remove("Baseline")
    study.remove("Baseline")
    SetupHost.reset()
    assert (design.name(), design.designStudy(), design.add("New").name()) == ("Baseline", None, "New")
    assert host_calls()[-1] == 'Design::add("New")'
    assert Setup.DesignStudy.Create().design("Baseline") is None


def test_update_brings_back_the_design_geometry(tmp_path, example_study):
    study = Setup.DesignStudy.Create()
    study.open(example_study)
    design = study.design("Baseline")
    empty = design.add("Empty")
    design.update("Empty")
    parts, again = Setup.PartList(), Setup.PartList()
    SetupHost.scenario_parts(empty, parts)
    SetupHost.scenario_parts(design.scenario("Natural convection"), again)
    assert [p.name() for p in parts] == [p.name() for p in again] and parts[0] != again[0]
    assert parts[2].numProperties() == 0  # geometry only, no assignments


def test_bounding_boxes_are_owned_copies(example_study):
    study = Setup.DesignStudy.Create()
    study.open(example_study)
    gc.collect()
    before = SetupHost.live_objects("BoundingBox")
    design = study.design("Baseline")
    box, again = design.boundingBox(), design.boundingBox()
    assert box.thisown and box != again
    corner = box.getMin()
    assert corner.thisown and corner is not box.getMin()
    assert ((corner.x, corner.y, corner.z), (box.getMax().x, box.getMax().y, box.getMax().z)) == ((0, 0, 0), (220, 160, 60))
    assert (box.isValid(), box.largestExtent(), box.largestExtentAxis()) == (True, 220.0, 0)
    assert (box.center().x, box.extent().z, round(box.radius(), 6)) == (110.0, 60.0, round((220**2 + 160**2 + 60**2) ** 0.5 / 2, 6))
    study.remove("Baseline")
    assert box.getMax().x == 220.0  # independent of the design it came from
    del box, again
    gc.collect()
    assert SetupHost.live_objects("BoundingBox") == before


def test_new_bounding_box_is_empty_and_owned():
    box = Setup.BoundingBox()
    assert (box.thisown, box.isValid(), box.largestExtentAxis(), box.radius()) == (True, False, -1, 0.0)
    assert Setup.DesignStudy.Create().add("D", "").boundingBox().isValid() is False
    assert SetupHost.journal()[0] == "BoundingBox::BoundingBox()"
    with pytest.raises(TypeError):
        _Setup.new_BoundingBox(1)


def test_length_unit_is_an_owned_code_released_quietly(capfd):
    study = Setup.DesignStudy.Create()
    SetupHost.set_length_unit(5)
    unit = study.lengthUnits()
    assert type(unit).__name__ == "SwigPyObject" and unit.own()
    assert SetupHost.length_unit_code(unit) == 5
    del unit
    gc.collect()
    assert capfd.readouterr().out == ""


def test_decision_center_is_an_opaque_unowned_pointer(study):
    center = study.decisionCenter()
    assert "script::DecisionCenter *" in repr(center) and not center.own()


def test_external_volume_surrounds_the_geometry(example_study):
    study = Setup.DesignStudy.Create()
    study.open(example_study)
    assert study.createExternalVolumeForActiveScenario(10, 20) == 1
    assert study.createExternalVolumeForActiveScenario(-1) == 0
    parts = Setup.PartList()
    SetupHost.scenario_parts(study.getActiveScenario(), parts)
    assert parts[-1].name() == "External volume"
    box = study.design("Baseline").boundingBox()
    assert (box.getMin().x, box.getMax().x, box.getMax().z) == (-10.0, 240.0, 60.0)


def test_translator_and_steered_answers(study):
    assert study.createStudyFromAsmTranslator("a.asm", "b") is False
    assert (study.GetASMTranslateErrorCode(), study.GetLoadTime()) == (1, 0.0)
    SetupHost.answer_bool(study, "createStudyFromAsmTranslator", True)
    SetupHost.answer_double(study, "GetLoadTime", 1.5)
    SetupHost.answer_null(study, "getActiveScenario")
    assert (study.createStudyFromAsmTranslator("a", "b"), study.GetLoadTime(), study.getActiveScenario()) == (True, 1.5, None)
    assert host_calls()[-3:] == ['DesignStudy::createStudyFromAsmTranslator("a", "b")', "DesignStudy::GetLoadTime()",
                                 "DesignStudy::getActiveScenario()"]
