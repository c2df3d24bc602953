"""Materials and the material environment as a script calls them: every form
and its defaults as the host received them, prototype lines, const
receivers, None, ownership of made materials and environments, what the
stand-in keeps, refuses, copies into a scenario's database, steers and saves."""
import gc
import json
import math

import pytest

import Setup
import SetupHost
import _Setup
from conftest import prototypes, raises_text, sent


def ids(*numbers):
    return Setup.EntityIdList(list(numbers))


def settings(material):
    return json.loads(SetupHost.material_json(material))


@pytest.fixture
def study():
    """The active scenario of a fresh study: part CPU (id 3) with volume 104 and
    surfaces 105 and 106, database material Copper; the journal cleared."""
    the = Setup.DesignStudy.Create()
    design = the.add("D", "S", True)
    assert design, SetupHost.journal()
    sc = design.scenario("S")
    SetupHost.add_part(sc, "CPU", 3)
    for entity, kind in [(104, Setup.Entity.Volume), (105, Setup.Entity.Surface), (106, Setup.Entity.Surface)]:
        SetupHost.add_entity(sc, "CPU", entity, kind, f"e{entity}")
    SetupHost.add_material(sc, "Copper", "Solid", "Metal")
    SetupHost.clear_journal()
    return the, sc


@pytest.fixture
def sc(study):
    return study[1]


def test_the_classes_have_their_functions_and_no_delete_material():
    functions = [n for n in dir(_Setup) if n.split("_")[0] in ("Material", "MaterialEnv")
                 or n in ("new_Material", "new_MaterialEnv", "delete_MaterialEnv")]
    functions = [n for n in functions if not n.endswith("_swiginit")]
    assert len(functions) == 27
    assert not hasattr(_Setup, "delete_Material")


@pytest.mark.parametrize("call, expected", [
    (lambda s, m, c: Setup.Material("Gold"), 'Material::Material("Gold", null, "")'),
    (lambda s, m, c: Setup.Material(b"Gold", None), 'Material::Material("Gold", null, "")'),
    (lambda s, m, c: Setup.Material(None, s), 'Material::Material(null, <Analysis "S">, "")'),
    (lambda s, m, c: Setup.Material("Gold", s, "Fluid"), 'Material::Material("Gold", <Analysis "S">, "Fluid")'),
    (lambda s, m, c: Setup.Material.Create(s, "Solid", b"Metal"), 'Material::Create(<Analysis "S">, "Solid", "Metal")'),
    (lambda s, m, c: Setup.Material.Create(None, None, None), "Material::Create(null, null, null)"),
    (lambda s, m, c: m.setName("Silver"), 'Material::setName("Silver")'),
    (lambda s, m, c: m.name(), "Material::name()"),
    (lambda s, m, c: m.property("k"), 'Material::property("k")'),
    (lambda s, m, c: m.setShellThickness(2, "mm"), 'Material::setShellThickness(2.0, "mm")'),
    (lambda s, m, c: m.setInletFaces(ids(105, 106)), "Material::setInletFaces([105, 106])"),
    (lambda s, m, c: m.setOutletFaces(ids()), "Material::setOutletFaces([])"),
    (lambda s, m, c: m.setReferenceGasConstant(287, "J/kg-K"), 'Material::setReferenceGasConstant(287.0, "J/kg-K")'),
    (lambda s, m, c: m.setReferencePressure(1e5, None), "Material::setReferencePressure(100000.0, null)"),
    (lambda s, m, c: m.setReferenceTemperature(20, "C"), 'Material::setReferenceTemperature(20.0, "C")'),
    (lambda s, m, c: m.setThermostatTriggerTemperature(60.5, "C"), 'Material::setThermostatTriggerTemperature(60.5, "C")'),
    (lambda s, m, c: m.setDirectionNormalTo(s.entity("CPU", 105)), 'Material::setDirectionNormalTo(<Entity "e105">)'),
    (lambda s, m, c: m.setDirectionNormalTo(None), "Material::setDirectionNormalTo(null)"),
    (lambda s, m, c: m.reverseDirection(), "Material::reverseDirection()"),
    (lambda s, m, c: m.setDirection(1, 0, 0), "Material::setDirection(1.0, 0.0, 0.0)"),
    (lambda s, m, c: m.setOrigin(0.5, -1, 2), "Material::setOrigin(0.5, -1.0, 2.0)"),
    (lambda s, m, c: m.setDirections("X", "Y", "Z"), 'Material::setDirections("X", "Y", "Z")'),
    (lambda s, m, c: m.setNormalDirectionNormalTo(None), "Material::setNormalDirectionNormalTo(null)"),
    (lambda s, m, c: m.setNormalDirection(0, 0, 1), "Material::setNormalDirection(0.0, 0.0, 1.0)"),
    (lambda s, m, c: m.parts(Setup.PartList([None])), "Material::parts(1)"),
    (lambda s, m, c: m.entities(Setup.EntityList()), "Material::entities(0)"),
    (lambda s, m, c: m.properties(Setup.PropertyList()), "Material::properties(0)"),
    (lambda s, m, c: m.materialEnv(), "Material::materialEnv()"),
])
@pytest.mark.parametrize("own", [False, True])
def test_each_form_sends_what_it_was_given_and_its_defaults(sc, call, expected, own):
    material = Setup.Material("Mine", sc) if own else sc.getMaterial("Copper")
    result = call(sc, material, None)  # noqa: F841 - a made material is kept, or its release is the last entry
    assert sent("Material") == expected


@pytest.mark.parametrize("args", [(), ("a", None, "t", 1), (1,), ("a", 1), ("a", None, None), ("a", None, 2),
                                  (Setup.Vector(),)])
def test_new_material_that_fits_no_form_lists_the_prototypes(args):
    text = raises_text(Setup.OverloadError, _Setup.new_Material, *args)
    assert text == prototypes("new_Material", "script::Material(char const *,script::Scenario *,QString const &)",
                              "script::Material(char const *,script::Scenario *)", "script::Material(char const *)")
    assert SetupHost.journal() == []


@pytest.mark.parametrize("call, exc, text", [
    (lambda m, e: _Setup.Material_setName(e, "x"), TypeError, "in method 'Material_setName', argument 1 of type 'script::Material *'"),
    (lambda m, e: _Setup.Material_name(e), TypeError, "in method 'Material_name', argument 1 of type 'script::Material const *'"),
    (lambda m, e: _Setup.Material_materialEnv(None), TypeError,
     "in method 'Material_materialEnv', argument 1 of type 'script::Material const *'"),
    (lambda m, e: m.setDirectionNormalTo(Setup.Vector()), TypeError,
     "in method 'Material_setDirectionNormalTo', argument 2 of type 'script::Entity *'"),
    (lambda m, e: m.setNormalDirectionNormalTo(m), TypeError,
     "in method 'Material_setNormalDirectionNormalTo', argument 2 of type 'script::Entity *'"),
    (lambda m, e: _Setup.Material_Create(m, "Solid", ""), TypeError, "in method 'Material_Create', argument 1 of type 'script::Scenario *'"),
    (lambda m, e: _Setup.Material_Create(None, 1, ""), TypeError, "in method 'Material_Create', argument 2 of type 'char const *'"),
    (lambda m, e: m.setDirection(1, "2", 3), TypeError, "in method 'Material_setDirection', argument 3 of type 'double'"),
    (lambda m, e: m.setOrigin(1, 2, None), TypeError, "in method 'Material_setOrigin', argument 4 of type 'double'"),
    (lambda m, e: m.setShellThickness(1, 2), RuntimeError, "Bad string input to call"),
    (lambda m, e: m.setDirections("X", 2, "Z"), RuntimeError, "Bad string input to call"),
    (lambda m, e: m.setDirections("X", "Y", b"\xff"), RuntimeError, "Bad string input to call"),
    (lambda m, e: m.setName(None.__class__), RuntimeError, "Bad string input to call"),
    (lambda m, e: m.setInletFaces([105]), TypeError, "in method 'Material_setInletFaces', argument 2 of type 'EntityIdList const &'"),
    (lambda m, e: m.setOutletFaces((105,)), TypeError, "in method 'Material_setOutletFaces', argument 2 of type 'EntityIdList const &'"),
    (lambda m, e: m.setOutletFaces(None), ValueError,
     "invalid null reference in method 'Material_setOutletFaces', argument 2 of type 'EntityIdList const &'"),
    (lambda m, e: m.parts([]), TypeError, "in method 'Material_parts', argument 2 of type 'script::PartList &'"),
    (lambda m, e: m.parts(None), ValueError, "invalid null reference in method 'Material_parts', argument 2 of type 'script::PartList &'"),
    (lambda m, e: m.entities(None), ValueError,
     "invalid null reference in method 'Material_entities', argument 2 of type 'script::EntityList &'"),
    (lambda m, e: m.properties(Setup.PartList()), TypeError,
     "in method 'Material_properties', argument 2 of type 'script::PropertyList &'"),
])
def test_bad_arguments_are_refused_before_the_host_is_called(sc, call, exc, text):
    material, env = sc.getMaterial("Copper"), sc.materialEnv()
    SetupHost.clear_journal()
    assert raises_text(exc, call, material, env) == text
    assert [e for e in SetupHost.journal() if e.startswith("Material::")] == []


def test_made_materials_are_deleted_once_on_release_and_views_never(sc):
    live = SetupHost.live_objects("Material")
    mine = Setup.Material("Mine", sc)
    assert mine.thisown and SetupHost.live_objects("Material") == live + 1
    SetupHost.add_variation(SetupHost.add_material_property(mine, "Conductivity"), "Bulk")
    filled = Setup.PropertyList()
    mine.properties(filled)
    del mine
    gc.collect()
    assert SetupHost.journal().count("Material::~Material()") == 1
    assert SetupHost.live_objects("Material") == live
    # its properties outlive it, so that a list it filled still holds sound ones
    assert filled[0].name() == "Conductivity" and filled[0].variation().name() == "Bulk"
    made = Setup.Material.Create(sc, "Fluid", "")
    listed = Setup.MaterialList()
    sc.materials(listed)
    assert not made.thisown and not listed[0].thisown
    del made, listed
    gc.collect()
    assert SetupHost.journal().count("Material::~Material()") == 1
    assert SetupHost.live_objects("Material") == live + 1  # the database keeps what Create made


def test_material_environments_are_owned_copies(sc):
    live = SetupHost.live_objects("MaterialEnv")
    material = Setup.Material("Mine")
    first, second = material.materialEnv(), sc.getMaterial("Copper").materialEnv()
    third = sc.getMaterial("Copper").materialEnv()
    assert first.thisown and second.thisown and int(second.this) != int(third.this)
    assert first.numProperties() == 0  # of no scenario
    assert second.property("Ambient pressure") == 101325.0
    assert SetupHost.live_objects("MaterialEnv") == live + 3
    _Setup.delete_MaterialEnv(first)
    del second, third
    assert SetupHost.live_objects("MaterialEnv") == live
    made = Setup.MaterialEnv()
    assert made.thisown and sent("MaterialEnv") == "MaterialEnv::MaterialEnv()"


def test_object_functions_take_a_material_and_an_environment_is_no_material(sc):
    mine = Setup.Material("Mine", sc, "Fluid")
    for material, type_ in [(mine, "Fluid"), (sc.getMaterial("Copper"), "Solid")]:
        assert _Setup.Object_name(material) == material.name()
        assert _Setup.Object_property(material, "Type") == type_
        assert _Setup.Object_hasProperty(material, "Type")
    env = sc.materialEnv()
    assert _Setup.Object_numProperties(env) == 3
    with pytest.raises(Setup.OverloadError):
        sc.applyMaterial(env, ids(104), 3)
    with pytest.raises(TypeError, match="argument 1 of type 'script::Material \\*'"):
        _Setup.Material_setDirection(env, 1, 0, 0)


def test_property_and_properties_give_views(sc):
    copper = sc.getMaterial("Copper")
    made = SetupHost.add_material_property(copper, "Conductivity", "Isotropic")
    SetupHost.add_material_property(copper, "Density")
    found = copper.property("Conductivity")
    assert type(found) is Setup.Property and not found.thisown and found == made and found.type() == "Isotropic"
    assert copper.property("Nothing") is None
    listed = Setup.PropertyList([None, None, None])
    copper.properties(listed)
    assert [p.name() for p in listed] == ["Conductivity", "Density"]


def test_every_setting_is_kept_and_a_new_direction_replaces_the_old(sc):
    m = sc.getMaterial("Copper")
    m.setShellThickness(2, "mm")
    m.setReferenceGasConstant(287.05, "J/kg-K")
    m.setReferencePressure(101325, "Pa")
    m.setReferenceTemperature(20, None)
    m.setThermostatTriggerTemperature(60, "C")
    m.setDirection(0, 2, 0)
    m.reverseDirection()
    m.setOrigin(1, 2, 3)
    m.setDirections("X", "Y", "Z")
    entity = sc.entity("CPU", 106)
    m.setNormalDirectionNormalTo(entity)
    m.setInletFaces(ids(105, 105, 106))
    m.setOutletFaces(ids(106))
    del entity  # the material names the entity, not the script's object
    gc.collect()
    assert settings(m) == {
        "shellThickness": {"value": 2.0, "units": "mm"}, "referenceGasConstant": {"value": 287.05, "units": "J/kg-K"},
        "referencePressure": {"value": 101325.0, "units": "Pa"}, "referenceTemperature": {"value": 20.0, "units": ""},
        "thermostatTriggerTemperature": {"value": 60.0, "units": "C"},
        "direction": {"vector": [0, 2, 0], "reversed": True}, "origin": [1, 2, 3], "directions": ["X", "Y", "Z"],
        "normalDirection": {"normalTo": {"part": 3, "entity": 106}}, "inletFaces": [105, 106], "outletFaces": [106]}
    m.reverseDirection()
    m.setDirectionNormalTo(sc.entity("CPU", 105))
    assert settings(m)["direction"] == {"normalTo": {"part": 3, "entity": 105}}
    assert SetupHost.refusals() == []


@pytest.mark.parametrize("call, entry, why", [
    (lambda m, s: m.setName(" "), 'setName(" ")', "a name must not be empty"),
    (lambda m, s: m.setName("Copper"), 'setName("Copper")', 'the scenario has a material named \\"Copper\\"'),
    (lambda m, s: m.setShellThickness(math.inf, "mm"), 'setShellThickness(inf, "mm")', "a value must be a finite number"),
    (lambda m, s: m.setReferencePressure(math.nan, "Pa"), 'setReferencePressure(nan, "Pa")', "a value must be a finite number"),
    (lambda m, s: m.setDirection(0, 0, 0), "setDirection(0.0, 0.0, 0.0)", "a direction must not be the zero vector"),
    (lambda m, s: m.setNormalDirection(0, -math.inf, 0), "setNormalDirection(0.0, -inf, 0.0)", "a value must be a finite number"),
    (lambda m, s: m.setOrigin(0, 0, math.nan), "setOrigin(0.0, 0.0, nan)", "a value must be a finite number"),
    (lambda m, s: m.reverseDirection(), "reverseDirection()", "the material has no direction to reverse"),
    (lambda m, s: m.setDirectionNormalTo(None), "setDirectionNormalTo(null)", "no entity was given"),
    (lambda m, s: m.setNormalDirectionNormalTo(Setup.Entity()), "setNormalDirectionNormalTo(<Entity null>)",
     "the entity belongs to no part"),
    (lambda m, s: m.setInletFaces(ids(105, 999)), "setInletFaces([105, 999])", "the scenario has no entity 999"),
    (lambda m, s: m.setDirections("X", "", "Z"), 'setDirections("X", "", "Z")', "each of the three directions must be named"),
])
@pytest.mark.parametrize("own", [False, True])
def test_refusals_change_nothing_and_say_why(sc, call, entry, why, own):
    SetupHost.add_material(sc, "Gold")
    material = Setup.Material("Gold", sc) if own else sc.getMaterial("Gold")
    material.setShellThickness(1, "mm")
    before = settings(material)
    SetupHost.clear_journal()
    call(material, sc)
    if own and entry.startswith('setName("Copper")'):
        assert SetupHost.refusals() == []  # a script's own material is in no database to clash with
        return
    assert SetupHost.refusals() == [f'Material::{entry} failed: "{why}"']
    assert (settings(material), material.name()) == (before, "Gold")


def test_a_material_of_no_scenario_takes_any_ids_but_no_loose_entity():
    loose = Setup.Material("Loose")
    loose.setInletFaces(ids(7, 8))
    loose.setDirectionNormalTo(Setup.Entity())
    assert settings(loose) == {"inletFaces": [7, 8]}
    assert SetupHost.refusals() == ['Material::setDirectionNormalTo(<Entity null>) failed: "the entity belongs to no part"']


def test_a_scripts_material_is_applied_as_a_copy_in_the_database(sc):
    mine = Setup.Material("Gold", sc, "Solid")
    mine.setShellThickness(3, "mm")
    SetupHost.add_material_property(mine, "Conductivity")
    sc.applyMaterial(mine, ids(104), Setup.Entity.Volume)
    copy = sc.getMaterial("Gold")
    assert copy is not None and int(copy.this) != int(mine.this)
    assert settings(copy) == {"shellThickness": {"value": 3.0, "units": "mm"}}
    assert copy.property("Conductivity") is not None and copy.property("Conductivity") != mine.property("Conductivity")
    assert sc.materialOfType("Solid", "") in (copy, sc.getMaterial("Copper"))
    # the script's material reports what its copy is applied to
    assert sc.partByNameAndId("CPU").applyMaterial(mine) == 1
    parts, entities = Setup.PartList(), Setup.EntityList()
    mine.parts(parts)
    mine.entities(entities)
    assert [p.name() for p in parts] == ["CPU"] and [(e.id(), e.partID(), e.type()) for e in entities] == [(104, 3, "Volume")]
    # changing or releasing the script's material leaves the copy as it was
    mine.setShellThickness(9, "mm")
    del mine
    gc.collect()
    assert settings(copy) == {"shellThickness": {"value": 3.0, "units": "mm"}}
    copy.entities(entities)
    assert [e.id() for e in entities] == [104]
    assert SetupHost.refusals() == []


def test_a_copy_replaces_the_database_materials_settings_but_not_its_assignments(sc):
    copper = sc.getMaterial("Copper")
    copper.setShellThickness(1, "mm")
    sc.applyMaterial(copper, ids(104), 3)
    mine = Setup.Material("Copper", sc)
    mine.setOrigin(1, 1, 1)
    assert sc.partByNameAndId("CPU").applyMaterial(mine) == 1
    assert sc.getMaterial("Copper") == copper and settings(copper) == {"origin": [1, 1, 1]}
    # the default type leaves the database's type and subtype, which lookups by type go by
    assert sc.materialOfType("Solid", "Metal") == copper
    sc.applyMaterial(Setup.Material("Copper", sc, "Fluid"), ids(104), 3)
    assert (_Setup.Object_property(copper, "Type"), _Setup.Object_property(copper, "Subtype")) == ("Fluid", "Metal")
    entities = Setup.EntityList()
    copper.entities(entities)
    assert [e.id() for e in entities] == [104]


@pytest.mark.parametrize("make, why", [
    (lambda s: Setup.Material(" ", s), "a material needs a name"),
    (lambda s: Setup.Material("Gold", SetupHost.new_scenario("Other")), 'the material \\"Gold\\" was made for another scenario'),
    (lambda s: (lambda m: (m.setOutletFaces(ids(999)), m)[1])(Setup.Material("Gold")), "the scenario has no entity 999"),
])
def test_a_scripts_material_that_cannot_be_copied_is_refused(sc, make, why):
    material = make(sc)
    SetupHost.clear_journal()
    assert sc.partByNameAndId("CPU").applyMaterial(material) == 0
    sc.applyMaterial(material, ids(104), 3)
    assert [r.split(" failed: ")[1] for r in SetupHost.refusals()] == [f'"{why}"'] * 2
    assert [m.name() for m in (lambda l: (sc.materials(l), l)[1])(Setup.MaterialList())] == ["Copper"]


def test_create_finds_or_makes_the_database_material(sc):
    assert Setup.Material.Create(sc, "Solid", "Metal") == sc.getMaterial("Copper")
    assert Setup.Material.Create(sc, "Solid", "") == sc.getMaterial("Copper")
    made = Setup.Material.Create(sc, "Fluid", "Air")
    assert (made.name(), _Setup.Object_property(made, "Type"), _Setup.Object_property(made, "Subtype")) == ("Fluid (Air)", "Fluid", "Air")
    assert Setup.Material.Create(sc, "Fluid", "Air") == made
    SetupHost.add_material(sc, "Gas", "Liquid")
    assert Setup.Material.Create(sc, "Gas", "").name() == "Gas 2"
    SetupHost.clear_journal()
    assert Setup.Material.Create(None, "Solid", "") is None and Setup.Material.Create(sc, " ", "x") is None
    assert [r.split(" failed: ")[1] for r in SetupHost.refusals()] == ['"no scenario was given"',
                                                                    '"a material type must not be empty"']


def test_renaming_a_database_material_keeps_its_assignments(study, tmp_path):
    the, sc = study
    copper = sc.getMaterial("Copper")
    assert sc.partByNameAndId("CPU").applyMaterial(copper) == 1
    copper.setName("Bronze")
    parts = Setup.PartList()
    copper.parts(parts)
    assert [p.name() for p in parts] == ["CPU"] and sc.getMaterial("Bronze") == copper
    the.saveShareFile(str(tmp_path / "s.json"))
    setup = json.loads((tmp_path / "s.json").read_text())["designs"][0]["scenarios"][0]["setup"]
    assert setup["partMaterials"] == [{"part": 3, "material": "Bronze"}]


def test_the_study_file_keeps_every_setting(study, tmp_path):
    the, sc = study
    m = sc.getMaterial("Copper")
    m.setReferenceTemperature(25, "C")
    m.setDirectionNormalTo(sc.entity("CPU", 105))
    m.reverseDirection()
    m.setNormalDirection(0, 0, -1)
    m.setDirections("R", "Theta", "Z")
    m.setInletFaces(ids(105))
    SetupHost.add_material(sc, "Plain")
    kept = settings(m)
    twin = sc.clone("Twin").getMaterial("Copper")
    twin.setOrigin(1, 2, 3)  # a clone's materials keep settings of their own
    assert settings(m) == kept and settings(twin) == dict(kept, origin=[1, 2, 3])
    the.saveShareFile(str(tmp_path / "s.json"))
    data = json.loads((tmp_path / "s.json").read_text())
    materials = data["designs"][0]["scenarios"][0]["materials"]
    assert materials[0]["materialSettings"] == kept and "materialSettings" not in materials[1]
    SetupHost.reset()
    opened = Setup.DesignStudy.Create()
    opened.open(str(tmp_path / "s.json"))
    assert settings(opened.getActiveScenario().getMaterial("Copper")) == kept
    materials[0]["materialSettings"]["direction"] = {"vector": [0, 0, 0]}
    (tmp_path / "bad.json").write_text(json.dumps(data))
    opened.open(str(tmp_path / "bad.json"))
    assert "materials[0].materialSettings.direction.vector: must not be the zero vector" in SetupHost.refusals()[-1]
    assert settings(opened.getActiveScenario().getMaterial("Copper")) == kept


def test_steering_gives_parts_and_entities_until_reset(sc):
    copper = sc.getMaterial("Copper")
    SetupHost.give_material_parts(copper, [3])
    SetupHost.give_material_entities(copper, (104, 106))
    parts, entities = Setup.PartList(), Setup.EntityList()
    SetupHost.clear_journal()
    copper.parts(parts)
    copper.entities(entities)
    assert SetupHost.journal() == ["Material::parts(0)", "Material::entities(0)"]  # steering is no host operation
    assert [p.name() for p in parts] == ["CPU"] and sorted(e.id() for e in entities) == [104, 106]
    for call, exc, text in [
        (lambda: SetupHost.give_material_parts(copper, [9]), ValueError, "the scenario has no part 9"),
        (lambda: SetupHost.give_material_entities(copper, [999]), ValueError, "the scenario has no entity 999"),
        (lambda: SetupHost.give_material_parts(Setup.Material("Mine", sc), [3]), ValueError,
         "the material is in no scenario's database"),
        (lambda: SetupHost.give_material_entities(None, [3]), TypeError, "an object of the study is expected, not None"),
        (lambda: SetupHost.give_material_parts(copper, ["3"]), ValueError, "an id is an int of 32 bits"),
    ]:
        assert text in raises_text(exc, call)
    SetupHost.reset()
    copper.parts(parts)
    copper.entities(entities)
    assert (len(parts), len(entities)) == (0, 0)
