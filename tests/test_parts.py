"""Parts, groups and entities as a script calls them: every form and its
defaults as the host received them, the failures of each argument kind, who
owns what, and what the stand-in answers and keeps in study files."""
import gc
import json

import pytest

import Setup
import SetupHost
import _Setup
from conftest import prototypes, raises_text, sent


@pytest.fixture
def sc():
    """A scenario with a part of three entities (one id above 2**31), a database material and a group."""
    scenario = SetupHost.new_scenario("Airflow")
    SetupHost.add_part(scenario, "CPU", 3, "component")
    SetupHost.add_entity(scenario, "CPU", 104, Setup.Entity_Volume, "CPU die", "die", False, False)
    SetupHost.add_entity(scenario, "CPU", 105, Setup.Entity_Surface, "CPU top", "lid", True, True)
    SetupHost.add_entity(scenario, "CPU", 2**32 - 1, Setup.Entity_Surface, "CPU bottom")
    SetupHost.add_part(scenario, "Board", 4, "pcb")
    SetupHost.add_material(scenario, "Copper", "Solid", "Metal")
    scenario.createGroup("Hot")
    SetupHost.clear_journal()
    return scenario


def parts_of(scenario):
    return scenario.partByNameAndId("CPU"), scenario.group("Hot"), scenario.entity("CPU", 105)


def test_the_classes_have_every_function_and_the_kinds_their_values():
    functions = [n for n in dir(_Setup) if (n in ("new_Entity", "delete_Entity") or n.split("_")[0] in ("Part", "Group", "Entity"))
                 and callable(getattr(_Setup, n)) and not n.endswith("_swiginit")]
    assert len(functions) == 37
    assert [getattr(_Setup, "Entity_" + k) for k in ("Point", "Edge", "Surface", "Volume", "Unknown")] == [0, 1, 2, 3, 4]
    assert not any(hasattr(_Setup, n) for n in ("new_Part", "delete_Part", "new_Group", "delete_Group"))


@pytest.mark.parametrize("call, host", [
    (lambda p, g, e, sc: p.volume(), "Part::volume(null)"),
    (lambda p, g, e, sc: p.volume(None), "Part::volume(null)"),
    (lambda p, g, e, sc: p.volume(SetupHost.new_boolp()), "Part::volume(<bool*>)"),
    (lambda p, g, e, sc: p.minTemp(), "Part::minTemp(null)"),
    (lambda p, g, e, sc: p.avgTemp(), "Part::avgTemp(null)"),
    (lambda p, g, e, sc: p.avgTemp(SetupHost.new_boolp()), "Part::avgTemp(<bool*>)"),
    (lambda p, g, e, sc: p.maxTemp(), "Part::maxTemp(null)"),
    (lambda p, g, e, sc: p.applyMaterial(None), "Part::applyMaterial(null)"),
    (lambda p, g, e, sc: p.applyMaterial(sc.getMaterial("Copper")), 'Part::applyMaterial(<Material "Copper">)'),
    (lambda p, g, e, sc: p.setColdSideSurface(105), "Part::setColdSideSurface(105)"),
    (lambda p, g, e, sc: p.ctmResults(Setup.CTMResults()), "Part::ctmResults()"),
    (lambda p, g, e, sc: p.tecResults(Setup.TECResults()), "Part::tecResults()"),
    (lambda p, g, e, sc: p.boundingBox(), "Part::boundingBox()"),
    (lambda p, g, e, sc: g.add(5), "Group::add(5)"),
    (lambda p, g, e, sc: g.add("CPU"), 'Group::add("CPU")'),
    (lambda p, g, e, sc: g.add(b"CPU"), 'Group::add("CPU")'),
    (lambda p, g, e, sc: g.add(None), "Group::add(null)"),
    (lambda p, g, e, sc: g.setType("Thermal"), 'Group::setType("Thermal")'),
    (lambda p, g, e, sc: g.setType(None), "Group::setType(null)"),
    (lambda p, g, e, sc: g.setEntityType(b"Surface"), 'Group::setEntityType("Surface")'),
    (lambda p, g, e, sc: g.setName("W\u00e4rme"), 'Group::setName("W\u00e4rme")'),
    (lambda p, g, e, sc: g.getEntities(Setup.EntityIdList([7, 8])), "Group::getEntities(2)"),
    (lambda p, g, e, sc: g.remove(104), "Group::remove(104)"),
    (lambda p, g, e, sc: g.contains(104), "Group::contains(104)"),
    (lambda p, g, e, sc: e.name_w(), "Entity::name_w()"),
    (lambda p, g, e, sc: Setup.Entity(), "Entity::Entity()"),
])
def test_each_form_sends_what_it_was_given_and_its_defaults(sc, call, host):
    p, g, e = parts_of(sc)
    call(p, g, e, sc)
    assert sent(host.split("::")[0]) == host


@pytest.mark.parametrize("function, receiver, args, lines", [
    ("Part_volume", 0, (True,), ["volume(script::Part *,bool *)", "volume(script::Part *)"]),
    ("Part_minTemp", 0, (1,), ["minTemp(script::Part *,bool *)", "minTemp(script::Part *)"]),
    ("Part_avgTemp", 0, (None, None), ["avgTemp(script::Part *,bool *)", "avgTemp(script::Part *)"]),
    ("Part_maxTemp", 0, ("x",), ["maxTemp(script::Part *,bool *)", "maxTemp(script::Part *)"]),
    ("Group_add", 1, (1.5,), ["add(script::Group *,int)", "add(script::Group *,char const *)"]),
    ("Group_add", 1, (), ["add(script::Group *,int)", "add(script::Group *,char const *)"]),
])
def test_a_call_that_fits_no_form_lists_the_prototypes(sc, function, receiver, args, lines):
    target = parts_of(sc)[receiver]
    SetupHost.clear_journal()
    assert raises_text(Setup.OverloadError, getattr(_Setup, function), target, *args) == prototypes(function, *lines)
    assert SetupHost.journal() == []


@pytest.mark.parametrize("call, exc, text", [
    (lambda p, g, e: _Setup.Part_name(Setup.Vector()), TypeError, "in method 'Part_name', argument 1 of type 'script::Part const *'"),
    (lambda p, g, e: _Setup.Part_id(g), TypeError, "in method 'Part_id', argument 1 of type 'script::Part const *'"),
    (lambda p, g, e: _Setup.Part_applyMaterial(g, None), TypeError,
     "in method 'Part_applyMaterial', argument 1 of type 'script::Part *'"),
    (lambda p, g, e: _Setup.Group_contains(p, 1), TypeError, "in method 'Group_contains', argument 1 of type 'script::Group const *'"),
    (lambda p, g, e: _Setup.Entity_id(p), TypeError, "in method 'Entity_id', argument 1 of type 'script::Entity const *'"),
    (lambda p, g, e: p.applyMaterial(Setup.Vector()), TypeError,
     "in method 'Part_applyMaterial', argument 2 of type 'script::Material *'"),
    (lambda p, g, e: p.ctmResults(None), ValueError,
     "invalid null reference in method 'Part_ctmResults', argument 2 of type 'script::CTMResults &'"),
    (lambda p, g, e: p.ctmResults(Setup.TECResults()), TypeError,
     "in method 'Part_ctmResults', argument 2 of type 'script::CTMResults &'"),
    (lambda p, g, e: p.tecResults(None), ValueError,
     "invalid null reference in method 'Part_tecResults', argument 2 of type 'script::TECResults &'"),
    (lambda p, g, e: p.setColdSideSurface("105"), TypeError, "in method 'Part_setColdSideSurface', argument 2 of type 'int'"),
    (lambda p, g, e: g.getEntities([]), TypeError, "in method 'Group_getEntities', argument 2 of type 'EntityIdList &'"),
    (lambda p, g, e: g.getEntities(None), ValueError,
     "invalid null reference in method 'Group_getEntities', argument 2 of type 'EntityIdList &'"),
    (lambda p, g, e: g.setType(3), TypeError, "in method 'Group_setType', argument 2 of type 'char const *'"),
    (lambda p, g, e: g.setName(3), RuntimeError, "Bad string input to call"),
    (lambda p, g, e: g.contains(2**31), TypeError, "in method 'Group_contains', argument 2 of type 'int'"),
    (lambda p, g, e: _Setup.new_Entity(1), TypeError, "_Setup.new_Entity() takes no arguments (1 given)"),
])
def test_bad_arguments_are_refused_before_the_host_is_called(sc, call, exc, text):
    p, g, e = parts_of(sc)
    SetupHost.clear_journal()
    assert raises_text(exc, call, p, g, e) == text
    assert not [entry for entry in SetupHost.journal() if entry.startswith(("Part::", "Group::", "Entity::"))]


def test_the_entity_answers_from_its_part(sc):
    top, die = sc.entity("CPU", 105), sc.entity("CPU", 104)
    assert (top.id(), top.partID(), top.type(), top.name(), top.name_w(), top.tagName(), top.isPlanar(),
            top.isWall()) == (105, 3, "Surface", "CPU top", "CPU top", "lid", True, True)
    assert (die.type(), die.tagName(), die.isPlanar(), die.isWall()) == ("Volume", "die", False, False)
    copies = Setup.EntityList([top])  # a value: the list's copy answers the same
    assert (copies[0].id(), copies[0].tagName()) == (105, "lid")


def test_an_entity_looked_up_again_is_the_one_handed_out_and_follows_the_model(sc, example_study):
    first = sc.entity("CPU", 105)
    assert int(sc.entity("CPU", 105).this) == int(first.this)
    # A second part of the name comes later: the first still answers; an entity added later is found.
    SetupHost.add_part(sc, "CPU", 9)
    SetupHost.add_entity(sc, "CPU", 900, Setup.Entity_Edge, "added")
    assert int(sc.entity("CPU", 105).this) == int(first.this)
    assert (sc.entity("CPU", 900).name(), sc.entity("CPU", 900).partID()) == ("added", 3)
    # A clone's parts hand out entities of their own; a study opened anew, too.
    clone = sc.clone("Copy")
    assert int(clone.entity("CPU", 105).this) != int(first.this) and clone.entity("CPU", 105).id() == 105
    study = Setup.DesignStudy.Create()
    study.open(example_study)
    scenario = study.getActiveScenario()
    handed = scenario.entity("CPU", 105)
    study.open(example_study)
    again = study.getActiveScenario().entity("CPU", 105)
    assert int(again.this) != int(handed.this) and again.name() == handed.name()


@pytest.mark.parametrize("given", [2**31, 2**31 + 5, 2**32 - 1])
def test_entity_ids_are_unsigned(given):
    scenario = SetupHost.new_scenario("Ids")
    SetupHost.add_part(scenario, "P", 1)
    SetupHost.add_entity(scenario, "P", given, Setup.Entity_Edge, "e")
    entity = scenario.entity("P", given - 2**32)  # an id list carries the same 32 bits signed
    assert entity.id() == given and type(entity.id()) is int and entity.type() == "Edge"


@pytest.mark.parametrize("bad, exc", [(2**32, ValueError), (-2**31 - 1, ValueError), ("1", TypeError), (1.0, TypeError)])
def test_steering_refuses_an_id_of_more_than_32_bits(bad, exc):
    scenario = SetupHost.new_scenario("Ids")
    SetupHost.add_part(scenario, "P", 1)
    with pytest.raises(exc):
        SetupHost.add_entity(scenario, "P", bad, Setup.Entity_Edge)


def test_a_made_entity_is_owned_answers_nothing_and_is_deleted_once():
    gc.collect()
    live = SetupHost.live_objects("Entity")
    entity = Setup.Entity()
    assert entity.thisown and SetupHost.live_objects("Entity") == live + 1
    assert (entity.id(), entity.partID(), entity.type(), entity.name(), entity.tagName(), entity.isPlanar(),
            entity.isWall()) == (0, 0, "", "", "", False, False)
    _Setup.delete_Entity(entity)
    assert SetupHost.live_objects("Entity") == live
    assert _Setup.delete_Entity(entity) is None and _Setup.delete_Entity(None) is None
    with pytest.raises(TypeError):
        entity.id()
    given = Setup.Entity()
    given.thisown = False  # given away: the proxy no longer destroys it
    del given
    gc.collect()
    assert SetupHost.live_objects("Entity") == live + 1


def test_parts_and_groups_are_never_owned_and_bounding_boxes_always_are(sc):
    gc.collect()
    parts, groups, boxes = (SetupHost.live_objects(c) for c in ("Part", "Group", "BoundingBox"))
    part, group = sc.partByNameAndId("CPU"), sc.group("Hot")
    assert not part.thisown and not group.thisown and not sc.entity("CPU", 105).thisown
    first, second = part.boundingBox(), part.boundingBox()
    assert first.thisown and second.thisown and first is not second and int(first.this) != int(second.this)
    assert SetupHost.live_objects("BoundingBox") == boxes + 2
    del part, group, first, second
    gc.collect()
    assert [SetupHost.live_objects(c) for c in ("Part", "Group", "BoundingBox")] == [parts, groups, boxes]
    assert sc.partByNameAndId("CPU").id() == 3 and sc.group("Hot").name() == "Hot"


def test_volume_and_box_come_from_the_geometry_and_temperatures_from_the_last_run(example_study):
    study = Setup.DesignStudy.Create()
    study.open(example_study)
    scenario = study.getActiveScenario()
    cpu, ok = scenario.partByNameAndId("CPU"), SetupHost.new_boolp(True)
    assert cpu.volume(ok) == pytest.approx(23 * 23 * 2.0) and SetupHost.boolp_value(ok)  # mm^3, the study's unit
    box = cpu.boundingBox()
    assert (box.isValid(), box.getMin().x, box.getMax().z) == (True, 90.0, 11.6)
    for read in (cpu.minTemp, cpu.avgTemp, cpu.maxTemp):
        assert read(ok) == 0.0 and SetupHost.boolp_value(ok) is False
    scenario.run()
    temperatures = []
    for read in (cpu.minTemp, cpu.avgTemp, cpu.maxTemp):
        SetupHost.boolp_assign(ok, False)
        temperatures.append(read(ok))
        assert SetupHost.boolp_value(ok) is True
    assert temperatures[0] <= temperatures[1] <= temperatures[2]
    assert temperatures[1] == cpu.property("Temperature")


def test_a_part_without_geometry_or_scenario_answers_zeros():
    loose, ok = SetupHost.new_part("Loose"), SetupHost.new_boolp(True)
    assert (loose.volume(ok), SetupHost.boolp_value(ok), loose.maxTemp(), loose.boundingBox().isValid()) == (0.0, False, 0.0, False)
    assert loose.applyMaterial(SetupHost.new_material("M")) == 0
    assert SetupHost.refusals() == ['Part::applyMaterial(<Material "M">) failed: "the part belongs to no scenario"']
    SetupHost.set_strict(True)
    with pytest.raises(SetupHost.Refused, match="no material was given"):
        loose.applyMaterial(None)


def test_steered_temperatures_ctm_and_tec_records(sc):
    cpu, ok = sc.partByNameAndId("CPU"), SetupHost.new_boolp()
    SetupHost.give_part_results(sc, "CPU", 30.0, 40.0, 55.5)
    assert (cpu.minTemp(ok), cpu.avgTemp(), cpu.maxTemp(), SetupHost.boolp_value(ok)) == (30.0, 40.0, 55.5, True)
    ctm, tec = Setup.CTMResults(), Setup.TECResults()
    assert (cpu.isCTM(), cpu.isTEC(), cpu.ctmResults(ctm), cpu.tecResults(tec)) == (False, False, 0, 0)
    assert ctm == Setup.CTMResults()  # refused: the record is left as it was
    sc.applyTECMaterial(sc.getMaterial("Copper"), 105, 2**32 - 1 - 2**32)
    assert (cpu.isCTM(), cpu.isTEC(), cpu.ctmResults(ctm), cpu.tecResults(tec)) == (True, True, 1, 1)
    assert (ctm.boardTemp, ctm.caseTemp, ctm.junctionTemp) == (30.0, 40.0, 55.5)
    assert (tec.numCouples, tec.coldSideTemp, tec.hotSideTemp) == (1, 30.0, 55.5)
    with pytest.raises(ValueError, match="in order"):
        SetupHost.give_part_results(sc, "CPU", 50.0, 40.0, 30.0)


@pytest.mark.parametrize("entity, result, why", [
    (105, 1, None), (104, 0, "entity 104 is no surface"), (-1, 0, "entity -1 is the TEC's hot side"),
    (999, 0, "the part has no entity 999"),
])
def test_the_cold_side_is_a_surface_of_the_cooler(sc, entity, result, why):
    cpu = sc.partByNameAndId("CPU")
    assert cpu.setColdSideSurface(105) == 0  # no cooler yet
    sc.applyTECMaterial(sc.getMaterial("Copper"), 104, -1)
    SetupHost.clear_journal()
    assert cpu.setColdSideSurface(entity) == result
    assert SetupHost.refusals() == ([] if why is None else [f'Part::setColdSideSurface({entity}) failed: "{why}"'])


def test_apply_material_is_seen_by_the_scenario(tmp_path):
    study = Setup.DesignStudy.Create()
    scenario = study.add("D", "S", True).scenario("S")
    SetupHost.add_part(scenario, "CPU", 3)
    SetupHost.add_material(scenario, "Copper")
    cpu = scenario.partByNameAndId("CPU")
    assert cpu.applyMaterial(scenario.getMaterial("Copper")) == 1
    assert cpu.applyMaterial(SetupHost.new_material("Nowhere")) == 0
    study.saveShareFile(str(tmp_path / "s.json"))
    setup = json.loads((tmp_path / "s.json").read_text())["designs"][0]["scenarios"][0]["setup"]
    assert setup["partMaterials"] == [{"part": 3, "material": "Copper"}]


def test_a_group_holds_entities_by_id_and_by_part_name(sc):
    group, ids = sc.group("Hot"), Setup.EntityIdList([9])
    group.add(104)
    group.add("CPU")
    group.add(104)  # held once
    group.getEntities(ids)
    assert list(ids) == [104, 105, -1] and group.contains(-1) and not group.contains(3)
    group.remove(105)
    group.remove(105)
    group.add(999)
    group.add("Nothing")
    group.getEntities(ids)
    assert list(ids) == [104, -1]
    assert [r.split(" failed: ")[1] for r in SetupHost.refusals()] == [
        '"the group holds no entity 105"', '"the scenario has no entity 999"', '"the scenario has no part named \\"Nothing\\""']


def test_a_created_group_holds_its_parts_entities(sc):
    sc.select("CPU")
    ids = Setup.EntityIdList()
    sc.createGroup("Selected").getEntities(ids)
    assert list(ids) == [104, 105, -1]
    sc.createGroup("Boards", "", "pcb").getEntities(ids)
    assert list(ids) == []  # the board has no entities


def test_a_group_is_renamed_in_its_scenario_and_keeps_its_texts(sc):
    group = sc.group("Hot")
    group.setType("Thermal")
    group.setEntityType("Surface")
    group.setName("Warm")
    assert (group.name(), group.type(), group.entityType()) == ("Warm", "Thermal", "Surface")
    assert sc.group("Hot") is None and sc.group("Warm") == group
    sc.createGroup("Cold")
    group.setName("Cold")
    group.setName("")
    assert group.name() == "Warm" and len(SetupHost.refusals()) == 2
    sc.deleteGroup("Warm")
    group.add(104)
    assert SetupHost.refusals()[-1] == 'Group::add(104) failed: "the group belongs to no scenario"'


def test_what_is_new_is_saved_and_opened_again(sc, tmp_path):
    study = Setup.DesignStudy.Create()
    scenario = study.add("D", "S", True).scenario("S")
    SetupHost.add_part(scenario, "CPU", 3)
    SetupHost.add_entity(scenario, "CPU", 2**32 - 1, Setup.Entity_Surface, "top", "lid", True, True)
    SetupHost.add_entity(scenario, "CPU", 7, Setup.Entity_Edge, "rim")
    group = scenario.createGroup("G")
    group.setType("Thermal")
    group.setEntityType("Surface")
    group.add("CPU")
    study.saveShareFile(str(tmp_path / "s.json"))
    saved = json.loads((tmp_path / "s.json").read_text())["designs"][0]["scenarios"][0]
    assert saved["parts"][0]["entities"][1] == {"id": 7, "kind": "edge", "name": "rim"}  # nothing for what is unset
    study.open(str(tmp_path / "s.json"))
    scenario = study.getActiveScenario()
    top, group = scenario.entity("CPU", -1), scenario.group("G")
    assert (top.id(), top.tagName(), top.isPlanar(), top.isWall()) == (2**32 - 1, "lid", True, True)
    assert (group.type(), group.entityType(), group.contains(-1), group.contains(7)) == ("Thermal", "Surface", True, True)
    saved["parts"][0]["entities"][0]["planar"] = "yes"
    (tmp_path / "bad.json").write_text(json.dumps(dict(json.loads((tmp_path / "s.json").read_text()),
                                                       designs=[{"name": "D", "scenarios": [saved]}])))
    study.open(str(tmp_path / "bad.json"))
    assert SetupHost.refusals()[-1].endswith('parts[0].entities[0].planar: must be true or false"')
