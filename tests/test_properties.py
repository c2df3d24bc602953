"""Properties of materials and motions and their variations as a script calls
them: every form and its defaults as the host received them, prototype lines,
const receivers, None, the bool * read back, and what the stand-in keeps,
steers and saves."""
import gc
import json
import math

import pytest

import Setup
import SetupHost
import _Setup
from conftest import prototypes, raises_text, sent


@pytest.fixture
def pv():
    """A database material's property with two variations, the journal cleared."""
    scenario = SetupHost.new_scenario("Airflow")
    material = SetupHost.add_material(scenario, "Aluminium", "Solid", "Metal")
    prop = SetupHost.add_material_property(material, "Conductivity", "Isotropic")
    SetupHost.add_variation(prop, "Bulk", "Constant", "Constant")
    SetupHost.add_variation(prop, "Hot", "Piecewise linear", "Table")
    bulk = prop.variation("Bulk")
    SetupHost.clear_journal()
    return prop, bulk


def test_the_classes_have_every_function_and_nothing_to_make_or_delete_them():
    functions = [n for n in dir(_Setup) if n.split("_")[0] in ("Property", "Variation") and callable(getattr(_Setup, n))
                 and not n.endswith("_swiginit")]
    assert len(functions) == 21
    assert not any(hasattr(_Setup, n) for n in ("new_Property", "delete_Property", "new_Variation", "delete_Variation"))


@pytest.mark.parametrize("call, host", [
    (lambda p, v: v.type_w(), "Variation::type_w()"),
    (lambda p, v: v.core_type(), "Variation::core_type()"),
    (lambda p, v: v.value(), "Variation::value()"),
    (lambda p, v: v.value("k"), 'Variation::value("k", null)'),
    (lambda p, v: v.value("k", None), 'Variation::value("k", null)'),
    (lambda p, v: v.value(b"k", SetupHost.new_boolp()), 'Variation::value("k", <bool*>)'),
    (lambda p, v: v.units(), "Variation::units()"),
    (lambda p, v: v.units("k", SetupHost.new_boolp()), 'Variation::units("k", <bool*>)'),
    (lambda p, v: v.setValue(2.5), "Variation::setValue(2.5, null)"),
    (lambda p, v: v.setValue(2, "W/m-K"), 'Variation::setValue(2.0, "W/m-K")'),
    (lambda p, v: v.setValue(2.5, None), "Variation::setValue(2.5, null)"),
    (lambda p, v: v.setValue("k", 2.5), 'Variation::setValue("k", 2.5, null)'),
    (lambda p, v: v.setValue(b"k", 2.5, "W"), 'Variation::setValue("k", 2.5, "W")'),
    (lambda p, v: v.setValue("k", "205 W/m-K"), 'Variation::setValue("k", "205 W/m-K")'),
    (lambda p, v: v.setValue(None, 1.0), "Variation::setValue(null, 1.0, null)"),
    (lambda p, v: v.addPoint(1, 2.5), "Variation::addPoint(1.0, 2.5)"),
    (lambda p, v: v.setXUnits("C"), 'Variation::setXUnits("C")'),
    (lambda p, v: v.setYUnits(None), "Variation::setYUnits(null)"),
    (lambda p, v: v.xUnits(), "Variation::xUnits()"),
    (lambda p, v: v.yUnits(), "Variation::yUnits()"),
    (lambda p, v: v.addVelocity(1.0, 2.0), "Variation::addVelocity(1.0, 2.0, 0.0, 0.0)"),
    (lambda p, v: v.addVelocity(1.0, 2.0, 3), "Variation::addVelocity(1.0, 2.0, 3.0, 0.0)"),
    (lambda p, v: v.addVelocity(1.0, 2.0, 3, 4), "Variation::addVelocity(1.0, 2.0, 3.0, 4.0)"),
    (lambda p, v: v.setControlValue(3, "rpm"), 'Variation::setControlValue(3.0, "rpm")'),
    (lambda p, v: v.clear(), "Variation::clear()"),
    (lambda p, v: p.type(), "Property::type()"),
    (lambda p, v: p.type_w(), "Property::type_w()"),
    (lambda p, v: p.setType("Orthotropic"), 'Property::setType("Orthotropic")'),
    (lambda p, v: p.variation(), "Property::variation(null)"),
    (lambda p, v: p.variation("Hot"), 'Property::variation("Hot")'),
    (lambda p, v: p.variations(Setup.VariationList([None])), "Property::variations(1)"),
    (lambda p, v: p.apply(v), 'Property::apply(<Variation "Bulk">)'),
    (lambda p, v: p.apply(None), "Property::apply(null)"),
])
def test_each_form_sends_what_it_was_given_and_its_defaults(pv, call, host):
    call(*pv)
    assert sent(host.split("::")[0]) == host


@pytest.mark.parametrize("function, args, lines", [
    ("Variation_value", (1,), ["value(script::Variation const *)", "value(script::Variation const *,QString const &,bool *)",
                               "value(script::Variation const *,QString const &)"]),
    ("Variation_units", ("k", True), ["units(script::Variation const *)", "units(script::Variation const *,QString const &,bool *)",
                                      "units(script::Variation const *,QString const &)"]),
    ("Variation_setValue", (1.0, 2.0), ["setValue(script::Variation *,double,char const *)", "setValue(script::Variation *,double)",
                                        "setValue(script::Variation *,char const *,double,char const *)",
                                        "setValue(script::Variation *,char const *,double)",
                                        "setValue(script::Variation *,char const *,char const *)"]),
    ("Variation_setValue", (), None),
    ("Variation_addVelocity", (1.0,), ["addVelocity(script::Variation *,double,double,double,double)",
                                       "addVelocity(script::Variation *,double,double,double)",
                                       "addVelocity(script::Variation *,double,double)"]),
    ("Variation_addVelocity", (1.0, "2"), None),
    ("Variation_units", (None,), None),  # a QString of an overloaded function takes no None
    ("Property_variation", (1,), ["variation(script::Property *,QString const &)", "variation(script::Property *)"]),
])
def test_a_call_that_fits_no_form_lists_the_prototypes(pv, function, args, lines):
    prop, variation = pv
    target = prop if function.startswith("Property") else variation
    text = raises_text(Setup.OverloadError, getattr(_Setup, function), target, *args)
    if lines:
        assert text == prototypes(function, *lines)
    assert SetupHost.journal() == []


@pytest.mark.parametrize("call, exc, text", [
    (lambda p, v: _Setup.Variation_type_w(p), TypeError, "in method 'Variation_type_w', argument 1 of type 'script::Variation const *'"),
    (lambda p, v: _Setup.Variation_xUnits(None), TypeError, "in method 'Variation_xUnits', argument 1 of type 'script::Variation const *'"),
    (lambda p, v: _Setup.Variation_clear(p), TypeError, "in method 'Variation_clear', argument 1 of type 'script::Variation *'"),
    (lambda p, v: _Setup.Property_type(v), TypeError, "in method 'Property_type', argument 1 of type 'script::Property const *'"),
    (lambda p, v: _Setup.Property_apply(v, v), TypeError, "in method 'Property_apply', argument 1 of type 'script::Property *'"),
    (lambda p, v: p.apply(p), TypeError, "in method 'Property_apply', argument 2 of type 'script::Variation *'"),
    (lambda p, v: p.variations([]), TypeError, "in method 'Property_variations', argument 2 of type 'script::VariationList &'"),
    (lambda p, v: p.variations(None), ValueError,
     "invalid null reference in method 'Property_variations', argument 2 of type 'script::VariationList &'"),
    (lambda p, v: v.addPoint("1", 2), TypeError, "in method 'Variation_addPoint', argument 2 of type 'double'"),
    (lambda p, v: v.setXUnits(3), RuntimeError, "Bad string input to call"),
    (lambda p, v: v.setControlValue(1.0, 2), RuntimeError, "Bad string input to call"),
    (lambda p, v: p.setType([]), RuntimeError, "Bad string input to call"),
    (lambda p, v: v.value("k", 1), Setup.OverloadError, None),
])
def test_bad_arguments_are_refused_before_the_host_is_called(pv, call, exc, text):
    got = raises_text(exc, call, *pv)
    assert text is None or got == text
    assert SetupHost.journal() == []


def test_values_units_points_and_the_bool_pointer(pv):
    prop, v = pv
    ok = SetupHost.new_boolp(False)
    v.setValue(201, "W/m-K")
    v.setValue("at 100C", "205.5 W/m-K")
    v.setValue(202.0)  # None units keep the units
    assert (v.value(), v.units(), v.value("", ok), SetupHost.boolp_value(ok)) == (202.0, "W/m-K", 202.0, True)
    assert (v.value("at 100C", ok), v.units("at 100C"), SetupHost.boolp_value(ok)) == (205.5, "W/m-K", True)
    assert (v.value("missing", ok), v.units("missing"), SetupHost.boolp_value(ok)) == (0.0, "", False)
    v.setXUnits("C"), v.setYUnits("W/m-K"), v.addPoint(0, 200), v.addVelocity(1, 2)
    assert (v.xUnits(), v.yUnits(), v.type_w(), v.core_type()) == ("C", "W/m-K", "Constant", "Constant")
    v.clear()
    assert (v.value("at 100C", ok), SetupHost.boolp_value(ok), v.value(), v.xUnits()) == (0.0, False, 202.0, "C")


@pytest.mark.parametrize("call, why", [
    (lambda p, v: v.setValue(math.nan), "a value must be a finite number"),
    (lambda p, v: v.setValue("k", "warm"), '\\"warm\\" is no number, with or without units'),
    (lambda p, v: v.addPoint(math.inf, 1), "a value must be a finite number"),
    (lambda p, v: v.addVelocity(1, math.nan), "a value must be a finite number"),
    (lambda p, v: p.setType(""), "a property type must not be empty"),
    (lambda p, v: p.apply(None), "no variation was given"),
    (lambda p, v: p.apply(SetupHost.new_variation("stray")), 'the variation \\"stray\\" is not one of the property\'s'),
])
def test_refusals_change_nothing_and_say_why(pv, call, why):
    prop, v = pv
    call(prop, v)
    assert SetupHost.journal()[-1].endswith(f' failed: "{why}"')
    assert (v.value(), v.value("k"), prop.type(), prop.variation().name()) == (0.0, 0.0, "Isotropic", "Bulk")
    SetupHost.set_strict(True)
    with pytest.raises(SetupHost.Refused):
        call(prop, v)


def test_the_applied_variation_is_the_default_lookups_give_none_and_nothing_is_owned(pv):
    prop, bulk = pv
    hot = prop.variation("Hot")
    assert prop.variation() == bulk and prop.variation("none") is None and not hot.thisown and not prop.thisown
    prop.apply(hot)
    assert prop.variation() == hot
    listed = Setup.VariationList([None, None, None])
    prop.variations(listed)
    assert list(listed) == [bulk, hot]
    assert SetupHost.new_property("bare").variation() is None


def test_motions_take_properties_and_steering_refuses_clearly():
    motion = SetupHost.new_motion("Fan spin")
    prop = SetupHost.add_motion_property(motion, "Angular velocity", "Rotation")
    assert SetupHost.add_variation(prop, "Steady", "Constant", "Constant").core_type() == "Constant"
    SetupHost.clear_journal()
    assert SetupHost.motion_property(motion, "Angular velocity") == prop and SetupHost.motion_property(motion, "x") is None
    with pytest.raises(ValueError, match="already has a property"):
        SetupHost.add_motion_property(motion, "Angular velocity")
    with pytest.raises(ValueError, match="already has a variation"):
        SetupHost.add_variation(prop, "Steady")
    with pytest.raises(ValueError, match="needs a name"):
        SetupHost.add_variation(prop, "")
    with pytest.raises(TypeError):
        SetupHost.add_material_property(None, "k")
    with pytest.raises(TypeError):
        SetupHost.add_material_property(motion, "k")
    assert SetupHost.journal() == []
    SetupHost.reset()  # steering is undone
    assert SetupHost.motion_property(motion, "Angular velocity") is None and prop.variation() is None


def test_study_files_keep_properties_and_variations(tmp_path):
    scenario = Setup.DesignStudy.Create().add("D", "S", True).scenario("S")
    material = SetupHost.add_material(scenario, "Copper")
    prop = SetupHost.add_material_property(material, "Conductivity", "Isotropic")
    v = SetupHost.add_variation(prop, "Table", "Piecewise linear", "Table")
    v.setValue(390, "W/m-K"), v.setValue("at 100C", 385.0, "W/m-K"), v.addPoint(0, 390), v.addPoint(100, 385)
    v.setXUnits("C"), v.addVelocity(1, 2, 3, 4), v.setControlValue(5, "rpm"), prop.apply(v)
    study = Setup.DesignStudy.Create()
    study.setPath(str(tmp_path / "a.json")), study.save()
    saved = json.loads((tmp_path / "a.json").read_text())
    entry = saved["designs"][0]["scenarios"][0]["materials"][0]["physicalProperties"][0]
    assert entry["applied"] == "Table" and entry["variations"][0]["points"] == [[0, 390], [100, 385]]
    study.open(str(tmp_path / "a.json"))
    again = SetupHost.material_property(study.getActiveScenario().getMaterial("Copper"), "Conductivity")
    w = again.variation()
    assert again != prop and (w.name(), w.value(), w.units(), w.value("at 100C"), w.xUnits()) == (
        "Table", 390.0, "W/m-K", 385.0, "C")
    study.setPath(str(tmp_path / "b.json")), study.save()
    assert (tmp_path / "b.json").read_text() == (tmp_path / "a.json").read_text()


@pytest.mark.parametrize("bad, where", [
    ([{"name": "k", "variations": [{"name": "a"}, {"name": "a"}]}], "physicalProperties[0].variations[1].name"),
    ([{"name": "k", "variations": [{"name": "a", "points": [[1]]}]}], "physicalProperties[0].variations[0].points[0]"),
    ([{"name": "k", "applied": "b", "variations": []}], "physicalProperties[0].applied"),
    ({"name": "k"}, "physicalProperties: must be a list"),
])
def test_a_bad_property_list_in_a_file_is_refused_whole(tmp_path, example_study, bad, where):
    data = json.loads(open(example_study).read())
    data["designs"][0]["scenarios"][0]["materials"][0]["physicalProperties"] = bad
    path = tmp_path / "bad.json"
    path.write_text(json.dumps(data))
    study = Setup.DesignStudy.Create()
    study.open(str(path))
    assert where in SetupHost.journal()[-1] and study.path() == ""


def test_a_cloned_scenario_has_properties_of_its_own(example_study):
    study = Setup.DesignStudy.Create()
    study.open(example_study)
    original = SetupHost.material_property(study.getActiveScenario().getMaterial("Aluminium 6063"), "Conductivity")
    assert [v.name() for v in _variations(original)] == ["Constant", "Temperature dependent"]
    clone = study.getActiveScenario().clone("Copy")
    copied = SetupHost.material_property(clone.getMaterial("Aluminium 6063"), "Conductivity")
    assert copied != original and copied.variation().name() == "Constant"
    copied.variation("Constant").setValue(1.0)
    assert original.variation().value() == 201.0 and copied.variation().value() == 1.0


def _variations(prop):
    listed = Setup.VariationList()
    prop.variations(listed)
    return list(listed)


def _spinning(study):
    """The active scenario with a fan part selected, and a motion with an applied property variation."""
    scenario = study.getActiveScenario()
    SetupHost.add_part(scenario, "Fan", 5, "fan")
    scenario.select("Fan")
    motion = SetupHost.new_motion("Spin")
    prop = SetupHost.add_motion_property(motion, "Angular velocity", "Rotation")
    steady = SetupHost.add_variation(prop, "Steady", "Constant", "Constant")
    steady.setValue(300, "rpm"), steady.setValue("idle", 50.0, "rpm"), prop.apply(steady)
    return scenario, motion, prop, steady


def _saved_motions(study, path):
    study.saveShareFile(str(path), "ActiveScenario")
    return json.loads(path.read_text())["designs"][0]["scenarios"][0]["setup"]["motions"]


def test_an_applied_motion_keeps_a_copy_of_its_properties_through_save_and_open(study, tmp_path):
    scenario, motion, prop, steady = _spinning(study)
    scenario.applyMotion(motion)
    # What the script does to its motion afterwards, and dropping it, leave the scenario's copy as it was.
    steady.setValue(1.0, "rad/s"), SetupHost.add_variation(prop, "Ramp"), SetupHost.add_motion_property(motion, "Axis")
    del motion, prop, steady
    gc.collect()
    first = _saved_motions(study, tmp_path / "first.json")
    assert [m["name"] for m in first] == ["Spin"] and first[0]["parts"] == [5]
    [kept] = first[0]["physicalProperties"]
    assert (kept["name"], kept["type"], kept["applied"]) == ("Angular velocity", "Rotation", "Steady")
    [variation] = kept["variations"]
    assert (variation["name"], variation["value"], variation["units"], variation["values"]) == (
        "Steady", 300.0, "rpm", [{"name": "idle", "value": 50.0, "units": "rpm"}])
    study.setPath(str(tmp_path / "study.json")), study.save()
    SetupHost.reset()  # forgets the script's motion's properties too
    reopened = Setup.DesignStudy.Create()
    reopened.open(str(tmp_path / "study.json"))
    assert SetupHost.refusals() == [] and _saved_motions(reopened, tmp_path / "second.json") == first


def test_a_motion_without_properties_writes_none_and_older_files_open(study, tmp_path):
    scenario, motion, prop, steady = _spinning(study)
    scenario.applyMotion(SetupHost.new_motion("Still"))
    scenario.applyMotion(motion)
    study.setPath(str(tmp_path / "study.json")), study.save()
    data = json.loads((tmp_path / "study.json").read_text())
    motions = data["designs"][0]["scenarios"][0]["setup"]["motions"]
    assert "physicalProperties" not in motions[0] and "physicalProperties" in motions[1]
    del motions[1]["physicalProperties"]  # as a file written before motions kept them
    (tmp_path / "older.json").write_text(json.dumps(data))
    reopened = Setup.DesignStudy.Create()
    reopened.open(str(tmp_path / "older.json"))
    assert reopened.path() != "" and [
        "physicalProperties" in m for m in _saved_motions(reopened, tmp_path / "again.json")] == [False, False]


@pytest.mark.parametrize("bad, where", [
    ([{"name": "w", "applied": "x", "variations": []}], "motions[0].physicalProperties[0].applied"),
    ({"name": "w"}, "motions[0].physicalProperties: must be a list"),
])
def test_a_bad_motion_property_list_in_a_file_is_refused(study, tmp_path, bad, where):
    scenario, motion, prop, steady = _spinning(study)
    scenario.applyMotion(motion)
    study.setPath(str(tmp_path / "study.json")), study.save()
    data = json.loads((tmp_path / "study.json").read_text())
    data["designs"][0]["scenarios"][0]["setup"]["motions"][0]["physicalProperties"] = bad
    (tmp_path / "bad.json").write_text(json.dumps(data))
    other = Setup.DesignStudy.Create()
    other.open(str(tmp_path / "bad.json"))
    assert where in SetupHost.journal()[-1]


def test_importing_settings_copies_the_materials_properties(study):
    ours = study.getActiveScenario()
    copper = SetupHost.add_material(ours, "Copper", "Solid", "Metal")
    prop = SetupHost.add_material_property(copper, "Conductivity", "Isotropic")
    bulk = SetupHost.add_variation(prop, "Bulk", "Constant", "Constant")
    bulk.setValue(390, "W/m-K"), bulk.addPoint(0, 390), prop.apply(bulk)
    SetupHost.add_variation(prop, "Hot", "Piecewise linear", "Table")
    theirs = study.design("Baseline").add("Other")
    stale = SetupHost.add_material(theirs, "Copper")
    SetupHost.add_material_property(stale, "Density")
    theirs.importSettingsFrom(ours)
    assert SetupHost.refusals() == []
    got = theirs.getMaterial("Copper")
    assert SetupHost.material_property(got, "Density") is None  # replaced, as its plain properties are
    copied = SetupHost.material_property(got, "Conductivity")
    assert copied is not None and copied != prop and copied.type() == "Isotropic"
    assert [v.name() for v in _variations(copied)] == ["Bulk", "Hot"]
    same = copied.variation()
    assert same != bulk and (same.name(), same.value(), same.units(), same.core_type()) == (
        "Bulk", 390.0, "W/m-K", "Constant")
    # Independent copies: changing either leaves the other as it was.
    same.setValue(1.0), copied.apply(copied.variation("Hot"))
    assert bulk.value() == 390.0 and prop.variation() == bulk
    bulk.setValue(2.0)
    assert same.value() == 1.0
