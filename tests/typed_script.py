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
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
