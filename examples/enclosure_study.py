"""Opens the router enclosure study, walks its designs, scenarios and parts,
walks the active scenario's parts and entities, groups its heat sources,
reads the variations of a material's conductivity, sets up the active
scenario (materials, a stronger CPU, the fan, a finer mesh on the heat sink),
runs it and prints its hottest parts; then applies a spreader material, the
fan's curve, the vents and a cooler starting temperature and compares the
hottest part with the run before; meshes with a box region around the CPU,
turns on the sun for a site, runs again and prints results in SI and
inch-pound units; adds a design for forced-air cooling, renames it, and
saves the study to a new file.

    python3 examples/enclosure_study.py [OUTPUT]

OUTPUT defaults to enclosure-edited.study.json in the system's temporary
directory. Against the stand-in host the study file is the one beside this
script; in the application, any study file will do.
"""
import os
import sys
import tempfile

import Setup
import SetupHost

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "enclosure.study.json")
TARGET = sys.argv[1] if len(sys.argv) > 1 else os.path.join(tempfile.gettempdir(), "enclosure-edited.study.json")
UNITS = {0: "m", 1: "cm", 2: "mm", 3: "um", 4: "km", 5: "in", 6: "ft", 7: "yd", 8: "mi"}


def fmt(vector: Setup.Vector) -> str:
    return "(%g, %g, %g)" % (vector.x, vector.y, vector.z)


study = Setup.DesignStudy.Create()
study.open(SOURCE)
if study.path() != SOURCE:
    sys.exit("could not open %s: %s" % (SOURCE, SetupHost.journal()[-1]))
unit = UNITS.get(SetupHost.length_unit_code(study.lengthUnits()), "?")
print("Opened %r (%s), lengths in %s" % (study.name(), os.path.basename(study.path()), unit))

designs = Setup.DesignList()
study.designs(designs)
for design in designs:
    assert design is not None  # a list that the study filled holds no null pointer
    box = design.boundingBox()
    print("Design %r: geometry from %s to %s %s" % (design.name(), fmt(box.getMin()), fmt(box.getMax()), unit))
    scenarios = Setup.ScenarioList()
    design.scenarios(scenarios)
    for scenario in scenarios:
        assert scenario is not None
        ambient = scenario.property("Ambient temperature")
        print("  Scenario %r, ambient %s C" % (scenario.name(), ambient))
        parts = Setup.PartList()
        scenario.parts(parts)
        total = 0.0
        for part in parts:
            assert part is not None
            value = part.property("Power") if part.hasProperty("Power") else None
            power = float(value) if isinstance(value, (int, float)) else None
            total += power or 0.0
            print(("    %-18s %s" % (part.name(), "%5.1f W" % power if power is not None else "")).rstrip())
        print("    %d parts, %.1f W in all" % (len(parts), total))

scenario = study.getActiveScenario()
if scenario is None:
    sys.exit("the study has no active scenario")

# Walk the active scenario's parts and their entities. A part names its
# entities through a group: a scratch group given the part finds them.
print("Entities of %r:" % scenario.name())
parts = Setup.PartList()
scenario.parts(parts)
ids = Setup.EntityIdList()
for part in parts:
    assert part is not None
    scratch = scenario.createGroup("Entities of " + part.name())
    if scratch is None:
        sys.exit("could not make a group: %s" % SetupHost.journal()[-1])
    scratch.add(part.name())
    scratch.getEntities(ids)
    scenario.deleteGroup("Entities of " + part.name())
    entities = [scenario.entity(part.name(), id_) for id_ in ids]
    kinds = ", ".join(e.type().lower() for e in entities if e is not None)
    print("    %-18s %d %s (%s)" % (part.name(), len(ids), "entity" if len(ids) == 1 else "entities", kinds))

# Group the heat sources: the parts that dissipate power.
heat = scenario.createGroup("Heat sources")
if heat is None:
    sys.exit("could not make the group: %s" % SetupHost.journal()[-1])
for part in parts:
    assert part is not None
    dissipated = part.property("Power")
    if isinstance(dissipated, (int, float)) and dissipated > 0:
        heat.add(part.name())
heat.getEntities(ids)
print("Group %r holds %d entities" % (heat.name(), len(ids)))

# The variations of a database material's conductivity, and the one applied.
aluminium = scenario.getMaterial("Aluminium 6063")
conductivity = SetupHost.material_property(aluminium, "Conductivity") if aluminium else None
if conductivity is not None:
    applied = conductivity.variation()
    variations = Setup.VariationList()
    conductivity.variations(variations)
    print("Conductivity of %r (%s):" % (aluminium.name() if aluminium else "", conductivity.type()))
    for variation in variations:
        assert variation is not None
        print("    %-22s %-17s %g %s%s" % (variation.name(), variation.type_w(), variation.value(), variation.units(),
                                        "  (applied)" if variation == applied else ""))

# Set up the active scenario and run it.
# Materials from the scenario's database: by part name, and by entity ids.
scenario.applyMaterial("Aluminium 6063", "Heat sink")
scenario.applyMaterial("Silicon", Setup.EntityIdList([105]), Setup.Entity_Volume)
# Conditions are copied out of the scenario, changed, and applied again by name.
conditions = Setup.BCList()
scenario.bcs(conditions)
for condition in conditions:
    if condition.name() == "CPU heat":
        condition.setProperty("Total heat", 18.0)
        scenario.applyBoundaryCondition(condition, Setup.EntityIdList([105]), Setup.Entity_Volume)
    elif condition.name() == "Fan inlet":
        condition.setProperty("Volume flow", 0.004)
        scenario.applyBoundaryCondition(condition, Setup.EntityIdList([111]), Setup.Entity_Surface)
# A finer mesh on the heat sink alone.
scenario.select("Heat sink")
scenario.applyMeshSize(0.5)
scenario.deselectAll()
scenario.setResultsSaveInterval(50)
scenario.run()
refused = [entry for entry in SetupHost.journal() if entry.startswith("Analysis::") and " failed: " in entry]
if refused:
    sys.exit("the set-up was refused: %s" % refused[0])
parts = Setup.PartList()
scenario.parts(parts)
temperatures = []
for part in parts:
    assert part is not None
    temperature = part.property("Temperature")  # the run's result, while the scenario has it
    if isinstance(temperature, float):
        temperatures.append((temperature, part.name()))
print("Ran %r; hottest parts:" % scenario.name())
for temperature, name in sorted(temperatures, reverse=True)[:3]:
    print("    %-18s %6.1f C" % (name, temperature))


def hottest(scenario: Setup.Scenario) -> "tuple[float, str]":
    """The hottest part of the scenario's last run, with its temperature."""
    parts = Setup.PartList()
    scenario.parts(parts)
    found = []
    for part in parts:
        assert part is not None
        temperature = part.property("Temperature")
        if isinstance(temperature, float):
            found.append((temperature, part.name()))
    return max(found)


def refused_since(mark: int) -> None:
    """Stops the script when the host refused a change since that journal entry."""
    refused = [entry for entry in SetupHost.journal()[mark:] if " failed: " in entry]
    if refused:
        sys.exit("the set-up was refused: %s" % refused[0])


before = hottest(scenario)

# The physics: a copper spreader of the script's own (the scenario takes a
# copy into its database), the fan's curve, the vents and a cooler start.
mark = len(SetupHost.journal())
spreader = Setup.Material("Copper spreader", scenario, "Solid")
spreader.setShellThickness(1.5, "mm")
spreader.setReferenceTemperature(25.0, "C")
scenario.applyMaterial(spreader, Setup.EntityIdList([110]), Setup.Entity_Surface)
scenario.bcs(conditions)
for condition in conditions:
    if condition.name() == "Fan inlet":
        curve = condition.fanCurve()           # the fan's own curve: flow (m^3/s) against pressure (Pa)
        if curve is None:
            sys.exit("the fan inlet has no fan curve")
        for flow, pressure in ((0.0, 45.0), (0.004, 36.0), (0.008, 20.0), (0.012, 0.0)):
            curve.addPoint(flow, pressure)
        condition.setValue(30.0, "C")          # the air it draws in
        scenario.applyBoundaryCondition(condition, Setup.EntityIdList([111]), Setup.Entity_Surface)
    elif condition.name() == "Vents":
        condition.setValue(0.0, "Pa")          # open to the room
        scenario.applyBoundaryCondition(condition, Setup.EntityIdList([112, 113]), Setup.Entity_Surface)
start = Setup.InitialCondition("Still air")
start.setValue(30.0, "C")
scenario.applyInitialCondition(start)
scenario.run()
refused_since(mark)
after = hottest(scenario)
print("With the fan's curve, vents and a 30 C start: %s at %.1f C (%s at %.1f C before)"
      % (after[1], after[0], before[1], before[0]))

# The mesh: a finer box around the CPU, more enhancement layers, one refinement;
# then the sun over a site in Munich.
mark = len(SetupHost.journal())
mesh = scenario.mesh()
enhancement = mesh.meshEnahancement() if mesh is not None else None
if mesh is None or enhancement is None:
    sys.exit("the scenario has no mesh")
enhancement.setProperty("Enhancement layers", 3)
around_cpu = Setup.MeshBoxRegion(Setup.Vector(85.0, 55.0, 9.6), Setup.Vector(135.0, 105.0, 20.0))
around_cpu.setLocalMeshSize(0.25)
around_cpu.setUniform(True)
around_cpu.spreadChanges()
mesh.refine()
sun = Setup.SolarHeating(scenario)
sun.setCompassDirection("North", 0.0, 1.0, 0.0)       # first: the default zenith is along y, the model's north here
sun.setCelestialOrientation("Zenith", 0.0, 0.0, 1.0)   # the board lies in x and y
sun.setLatitude(48, 8, "N")
sun.setLongitude(11, 34, "E")
sun.enable()
scenario.run()
refused_since(mark)


def both(value: float, quantity: int, si: str, inch_pound: str, offset: float = 0.0) -> str:
    """The value in SI and in the foot-pound system (the host's MKS has temperatures in K)."""
    converted = Setup.Units.Convert(value + offset, quantity, Setup.Units_MCU_MKS, Setup.Units_MCU_FLS)
    return "%8.2f %-6s %8.2f %s" % (value, si, converted, inch_pound)


print("In the sun, after %s refinement pass(es) with %s enhancement layers:"
      % (mesh.property("Refinement passes"), enhancement.property("Enhancement layers")))
for name in ("CPU", "Heat sink"):
    part = scenario.partByNameAndId(name)
    results = [part.property(quantity) if part is not None else None
               for quantity in ("Temperature", "Heat flux", "Velocity")]
    temperature, flux, speed = [value if isinstance(value, float) else float("nan") for value in results]
    print("    %-10s %s   %s   %s" % (name, both(temperature, Setup.Units_QZTU_TEMP, "C", "F", 273.15),
                                     both(flux, Setup.Units_QZTU_HEATFLUX, "W/m2", "Btu/h-ft2"),
                                     both(speed, Setup.Units_QZTU_VELOCITY, "m/s", "ft/s")))

forced = study.add("Forced air", "Fan at full speed", True)
active = study.getActiveScenario()
if forced is None or active is None:
    sys.exit("could not add the design: %s" % SetupHost.journal()[-1])
forced.setName("Forced-air cooling")
print("Added design %r with scenario %r, now the active one" % (forced.name(), active.name()))

study.setPath(TARGET)
study.save()
# The host reports a refused save in its journal; a script in the application would check the file.
if "failed:" in SetupHost.journal()[-1]:
    sys.exit("could not save: %s" % SetupHost.journal()[-1])
study.designs(designs)
print("Saved %d designs to %s" % (len(designs), study.path()))
