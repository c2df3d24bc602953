"""A script as a careful author writes it, with every type stated, over the main
API: mypy --strict checks it against the stubs, and test_signatures.py runs it
against the stand-in host.

    python3 tests/typed_script.py [STUDY]
"""
import os
import sys
import tempfile

import Setup
import SetupHost

HERE = os.path.dirname(os.path.abspath(__file__))
STUDY = os.path.join(os.path.dirname(HERE), "examples", "enclosure.study.json")


def total_power(parts: Setup.PartList) -> float:
    total = 0.0
    for part in parts:
        if part is None:
            continue
        power = part.property("Power")
        if isinstance(power, (int, float)):
            total += power
    return total


def describe_box(box: Setup.BoundingBox) -> str:
    low, high = box.getMin(), box.getMax()
    return "(%g, %g, %g) to (%g, %g, %g)" % (low.x, low.y, low.z, high.x, high.y, high.z)


def walk(study: Setup.DesignStudy) -> list[str]:
    lines: list[str] = []
    designs = Setup.DesignList()
    study.designs(designs)
    for design in designs:
        assert design is not None
        lines.append("%s: %s" % (design.name(), describe_box(design.boundingBox())))
        scenarios = Setup.ScenarioList()
        design.scenarios(scenarios)
        for scenario in scenarios:
            assert scenario is not None
            parts = Setup.PartList()
            SetupHost.scenario_parts(scenario, parts)
            ambient = scenario.property("Ambient temperature")
            lines.append("  %s: ambient %r, %d parts, %.1f W" % (scenario.name(), ambient, len(parts),
                                                               total_power(parts)))
    return lines


def geometry(scenario: Setup.Scenario) -> str:
    """A part's geometry and temperatures, a group of its entities, and one entity."""
    SetupHost.add_part(scenario, "CPU", 3)
    SetupHost.add_entity(scenario, "CPU", 105, Setup.Entity_Surface, "top", "lid", True, False)
    part = scenario.partByNameAndId("CPU")
    assert part is not None
    found = SetupHost.new_boolp()
    hottest: float = part.maxTemp(found) + part.avgTemp(None) + part.minTemp() + part.volume()
    box: Setup.BoundingBox = part.boundingBox()
    record = Setup.CTMResults()
    done: int = part.ctmResults(record) + part.setColdSideSurface(105)
    group = scenario.createGroup("Hot")
    assert group is not None
    group.add(105)
    group.add("CPU")
    ids = Setup.EntityIdList()
    group.getEntities(ids)
    entity = scenario.entity("CPU", 105)
    assert entity is not None and group.contains(105) and not part.isTEC()
    ident: int = entity.id() + entity.partID()
    text: str = entity.type() + entity.name_w() + entity.tagName()
    return "%s %d %s %r %d %.1f %s" % (text, ident, list(ids), box.isValid(), done, hottest, entity.isPlanar())


def edit(study: Setup.DesignStudy, target: str) -> Setup.Design:
    design = study.add("Forced air", "Fan at full speed", True)
    if design is None:
        raise RuntimeError("the study refused the design: %s" % SetupHost.journal()[-1])
    design.setName("Forced-air cooling")
    active = study.getActiveScenario()
    assert active is not None and active.name() == "Fan at full speed"
    taken: int = active.setProperty("Ambient temperature", 40)
    assert taken in (0, 1)
    study.setPath(target)
    study.save()
    return design


def values() -> None:
    vector = Setup.Vector(1.0, 2.0, 3.0)
    vector.x = 0.5
    copy = Setup.Vector(vector)
    assert copy == vector and Setup.Vector() != vector
    vectors = Setup.VectorList([vector, copy])
    vectors.append(Setup.Vector(0.0, 0.0, 1.0))
    first: Setup.Vector = vectors[0]
    tail: Setup.VectorList = vectors[1:]
    assert first.x == 0.5 and len(tail) == 2
    ids = Setup.EntityIdList(range(3))
    ids[0] = 7
    assert list(ids) == [7, 1, 2] and 2 in ids
    # An int form is tried before the truth value form, which takes what no other does.
    kinds = [Setup.Variant(42).type(), Setup.Variant(2.5).type(), Setup.Variant("text").type(),
             Setup.Variant(True).type(), Setup.Variant(vectors).type(), Setup.Variant().type()]
    assert kinds == [Setup.Variant_Int, Setup.Variant_Double, Setup.Variant_String, Setup.Variant_Int,
                     Setup.Variant_Bool, Setup.Variant.Invalid]
    number: int = Setup.Variant(42).toInt()
    text: str = Setup.Variant("text").toString()
    assert number == 42 and text == "text"
    try:
        Setup.Vector(1.0, 2.0)  # type: ignore[call-overload]
    except Setup.OverloadError as failure:
        assert "Vector" in str(failure)


def records(scenario: Setup.Scenario) -> None:
    comfort = Setup.ThermalComfortParams(scenario)
    comfort.Humidity = 45.0
    smoke = Setup.SmokeParams(scenario)
    results = Setup.CTMResults()
    results.junctionTemp = comfort.MetRate + smoke.SignConstant
    cooler = Setup.TECResults()
    cooler.numCouples = 127
    assert cooler.numCouples == 127 and results.junctionTemp >= 0.0


def properties(scenario: Setup.Scenario) -> int:
    SetupHost.give_property(scenario, "Gravity", True)
    definitions = Setup.PropertyDefinitionList()
    found = Setup.VariantList()
    count = scenario.properties(definitions, found)
    for definition in definitions:
        assert definition.name() and definition.type() in (Setup.Variant.Bool, Setup.Variant.Double)
    gravity = scenario.property("Gravity")
    assert gravity == 1 and scenario.hasProperty("Gravity")
    return count


def main(argv: list[str]) -> int:
    study = Setup.DesignStudy.Create()
    study.open(argv[0] if argv else STUDY)
    unit = SetupHost.length_unit_code(study.lengthUnits())
    print("%s, length unit %d" % (study.name(), unit))
    for line in walk(study):
        print(line)
    target = os.path.join(tempfile.mkdtemp(), "typed.study.json")
    design = edit(study, target)
    print("saved %s with %s" % (study.path(), design.name()))
    values()
    scenario = SetupHost.new_scenario("Typed")
    assert scenario is not None
    records(scenario)
    print("%d properties" % properties(scenario))
    print(geometry(scenario))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
