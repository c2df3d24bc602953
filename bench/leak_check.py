"""Calls each function family of the binding a million times with the journal
off and checks that memory grows by less than 1 MB per million calls for each
family; then reports what the operations that keep their objects by design
(opening a study, adding a design, the host-control makers) cost in memory,
which is not a leak and has no budget.

    python3 bench/leak_check.py [--calls N] [--warmup N] [--only NAME ...] [--self-test]

Every family is warmed up first, so that the interpreter's free lists, the
allocator's pools and the binding's caches have settled, and the collector
runs before each reading. A family passes when neither the process's resident
memory nor what malloc has handed out grows by its budget: resident memory is
what a user sees, but a slow leak can hide in it for a while by reusing memory
freed before. A family counts its calls as the crossings into the binding (a
constructor, the destructor of an owned object, an attribute read or write, a
method, one step of an iteration, a refused call). Exits 1 when a family
exceeds its budget. --self-test runs one family that leaks twice the budget
(2 bytes a call over a million) and exits 0 only when the check catches it.

Run it against a build without sanitizers: AddressSanitizer holds freed memory
back in quarantine, so resident memory grows there whatever the binding does.
"""
import argparse
import copy
import ctypes
import gc
import os
import pickle
import sys
import time

import Setup
import SetupHost
import _Setup

HERE = os.path.dirname(os.path.abspath(__file__))
STUDY = os.path.join(os.path.dirname(HERE), "examples", "enclosure.study.json")

BUDGET_KB_PER_MILLION = 1024
PAGE = os.sysconf("SC_PAGE_SIZE")
LIBC = ctypes.CDLL(None)

# Non-ASCII texts of every width the interpreter stores: Latin-1, the
# multilingual plane and beyond it (a surrogate pair in a QString).
TEXTS = ["Airflow", "Kühlung", "Δ温度 сценарий", "fan \U0001F300 \U00010348"]


def resident():
    with open("/proc/self/statm") as statm:
        return int(statm.read().split()[1]) * PAGE


class _MallInfo2(ctypes.Structure):
    _fields_ = [(name, ctypes.c_size_t) for name in
                ("arena", "ordblks", "smblks", "hblks", "hblkhd", "usmblks", "fsmblks", "uordblks", "fordblks",
                 "keepcost")]


def _heap_reader():
    """Bytes that malloc has handed out and not had back; resident memory can
    hide a slow leak in memory freed earlier, this cannot. None where the C
    library does not tell."""
    mallinfo2 = getattr(LIBC, "mallinfo2", None)
    if mallinfo2 is None:
        return None
    mallinfo2.restype = _MallInfo2

    def heap():
        info = mallinfo2()
        return info.uordblks + info.hblkhd
    return heap


heap_in_use = _heap_reader()


def settle():
    gc.collect()
    gc.collect()


def quiet_host():
    SetupHost.reset()
    SetupHost.set_journal_enabled(False)


# --- Families -----------------------------------------------------------------
# Each maker prepares what its calls need (outside the measurement) and returns
# (step, calls per step). A step must leave nothing behind: whatever it makes,
# it drops. A call is one crossing into the binding: a constructor, the
# destructor of an owned object, an attribute read or write, a method or
# function, one step of an iteration, one refused call.

def vector():
    V = Setup.Vector
    x_get, new, delete = _Setup.Vector_x_get, _Setup.new_Vector, _Setup.delete_Vector
    other = V(4.0, 5.0, 6.0)

    def step():
        v = V(1.0, 2.0, 3.0)              # 1
        v.x = 1.5                         # 2
        v.y = 2.5                         # 3
        v.z = v.x + v.y                   # 6
        v.z                               # 7
        V()                               # 9: made and dropped
        V(other)                          # 11
        x_get(v)                          # 12
        delete(new(7.0, 8.0, 9.0))        # 14
        del v                             # 15
    return step, 15


def records():
    scenario = SetupHost.new_scenario("Airflow")
    CTM, TEC, Comfort, Smoke = Setup.CTMResults, Setup.TECResults, Setup.ThermalComfortParams, Setup.SmokeParams

    def step():
        c = CTM()                                              # 1
        c.junctionTemp = c.caseTemp + 1.0                      # 3
        c.boardSideHeatFlux = 2                                # 4
        t = TEC()                                              # 5
        t.numCouples = 127                                     # 6
        t.COP = t.hotSideTemp - t.coldSideTemp                 # 9
        t.FOM = t.numCouples                                   # 11
        k = Comfort(scenario)                                  # 12
        k.Humidity = k.MetRate * k.Clothing                    # 15
        s = Smoke(scenario)                                    # 16
        s.ParticleYield = s.ExtinctionCoef / s.SignConstant    # 19
        del c, t, k, s                                         # 23
    return step, 23


def variant():
    V = Setup.Variant
    texts = SetupHost.new_stringlistp(["a", "Kühlung", "\U0001F300"])
    qint, qtext = SetupHost.new_qvariant_int(7), SetupHost.new_qvariant_text("Δ")
    ok = SetupHost.new_boolp()

    def step():
        V()                 # 2: made and dropped
        V(True)             # 4
        V(42)               # 6
        V(2.5)              # 8
        V("Kühlung")        # 10
        V(b"bytes")         # 12
        V(texts)            # 14
        V(qint)             # 16
        V(qtext)            # 18
        n = V(7)            # 19
        V(n)                # 21
        n.toInt()           # 22
        n.toInt(ok)         # 23
        n.toDouble()        # 24
        n.toDouble(ok)      # 25
        n.toBool()          # 26
        n.toString()        # 27
        n.isNull()          # 28
        n.isValid()         # 29
        n.type()            # 30
        n.typeName()        # 31
        t = V(texts)        # 32
        t.toStringList()    # 33
        t.toString()        # 34
        t.type()            # 35
        del n, t            # 37
    return step, 37


def property_definition():
    P = Setup.PropertyDefinition
    made = SetupHost.new_property_definition
    named = made("Ambient temperature", Setup.Variant_Double)

    def step():
        P()                                     # 2: made and dropped
        p = made("Power", Setup.Variant_Int)    # 3
        p.name()                                # 4
        p.type()                                # 5
        named.name()                            # 6
        named.type()                            # 7
        p == named                              # 11: two reads of each
        del p                                   # 12
    return step, 12


def _list_family(name, make_element):
    """Constructs from a Python list and from an iterable, appends, reads by
    index (views for lists of values), iterates, slices (read, assign,
    delete), pops, and walks a list with iterator objects."""
    cls = getattr(Setup, name)

    def maker():
        elements = [make_element(i) for i in range(4)]
        base, extra = elements[:3], elements[3]
        lst = cls(base)

        def step():
            fresh = cls(base)                            # 1
            cls(iter(base))                              # 3: made and dropped
            fresh.append(extra)                          # 4
            fresh[0]                                     # 5
            fresh[-1]                                    # 6
            fresh.front()                                # 7
            fresh.back()                                 # 8
            len(fresh)                                   # 9
            for _ in fresh:                              # 14: iter, 4 elements
                pass
            fresh[1:]                                    # 16: made and dropped
            fresh[::-1]                                  # 18
            fresh[0:1] = fresh[1:2]                      # 21
            del fresh[1:2]                               # 22
            fresh.pop()                                  # 23
            fresh.push_back(extra)                       # 24
            fresh.pop_back()                             # 25
            it = lst.begin()                             # 26
            it.value()                                   # 27
            it.next()                                    # 28
            it.incr()                                    # 29
            (it - 1).value()                             # 32: an iterator made, read, dropped
            it.distance(lst.end())                       # 35: end() made and dropped
            it.copy() == it                              # 38: a copy made, compared, dropped
            list(lst.iterator())                         # 43: iterator, 3 elements, end
            lst.rbegin().value()                         # 46
            lst == fresh                                 # 47
            fresh.insert(fresh.begin(), extra)           # 50
            fresh.erase(fresh.begin())                   # 54: the erase gives an iterator
            del it, fresh                                # 56
        return step, 56
    return maker


LIST_ELEMENTS = {
    "VectorList": lambda i: Setup.Vector(i, 0.5, -1.0),
    "DesignList": lambda i: SetupHost.new_design(f"design {i}"),
    "ScenarioList": lambda i: SetupHost.new_scenario(f"scenario {i}"),
    "PropertyDefinitionList": lambda i: SetupHost.new_property_definition(f"property {i}", Setup.Variant_Int),
    "VariantList": lambda i: Setup.Variant(i) if i % 2 else Setup.Variant(f"text {i}"),
    "PartList": lambda i: SetupHost.new_part(f"part {i}"),
    "EntityIdList": lambda i: i * 10,
    "MaterialList": lambda i: SetupHost.new_material(f"material {i}"),
    "PropertyList": lambda i: SetupHost.new_property(f"property {i}"),
    "VariationList": lambda i: SetupHost.new_variation(f"variation {i}"),
    "BCList": lambda i: SetupHost.new_boundary_condition(f"inlet {i}"),
    "ICList": lambda i: SetupHost.new_initial_condition(f"initial {i}"),
    "EntityList": lambda i: SetupHost.new_entity(f"face {i}"),
}


def lists_filled_by_host():
    """The host refilling lists that the script made: a scenario's parts and
    an object's properties, read back."""
    quiet_host()
    study = Setup.DesignStudy.Create()
    study.open(STUDY)
    SetupHost.set_journal_enabled(False)
    scenario = study.getActiveScenario()
    for i, value in enumerate([1, 2.5, "Kühlung", ["a", "b"]]):
        SetupHost.give_property(scenario, f"p{i}", value)
    parts, definitions, values = Setup.PartList(), Setup.PropertyDefinitionList(), Setup.VariantList()

    def step():
        SetupHost.scenario_parts(scenario, parts)      # 1
        parts[-1].name()                               # 3
        scenario.properties(definitions, values)       # 4
        definitions[-2].name()                         # 6
        values[-2].toString()                          # 8
        values[-1].toStringList()                      # 10
        values.pop()                                   # 11
        fresh = Setup.VariantList()                    # 12
        scenario.properties(Setup.PropertyDefinitionList(), fresh)  # 15
        del fresh                                      # 16
    return step, 16


def objects():
    O, C = Setup.Object, Setup.Container
    scenario = SetupHost.new_scenario("Airflow")
    SetupHost.give_property(scenario, "Ambient temperature", 35.0)
    SetupHost.give_property(scenario, "Iterations", 200)
    SetupHost.give_property(scenario, "Solver", "steady")
    SetupHost.give_property(scenario, "Radiation", True)
    SetupHost.give_property(scenario, "Flags", ["a", "Kühlung"])
    container = C()
    ok = SetupHost.new_boolp()
    definitions, values = Setup.PropertyDefinitionList(), Setup.VariantList()

    def step():
        O()                                              # 2: made and dropped
        C()                                              # 4
        scenario.name()                                  # 5
        scenario.setName("Airflow")                      # 6
        container.name()                                 # 7
        scenario.property("Ambient temperature")         # 8
        scenario.property("Solver")                      # 9
        scenario.property("Flags")                       # 10
        scenario.property("Radiation")                   # 11
        scenario.property("Missing")                     # 12
        scenario.property("Iterations", ok)              # 13
        scenario.setProperty("Ambient temperature", 40.5)  # 14
        scenario.setProperty("Iterations", 300)          # 15
        scenario.setProperty("Solver", "transient")      # 16
        scenario.setProperty("Missing", 1)               # 17
        scenario.hasProperty("Radiation")                # 18
        scenario.hasProperty("Missing")                  # 19
        scenario.numProperties()                         # 20
        scenario.propertyDefinition("Solver").name()     # 23: made, read, dropped
        scenario.properties(definitions, values)         # 24
        scenario.designStudy()                           # 25
        scenario.design()                                # 26
        scenario.scenario()                              # 27
        scenario == container                            # 29: the two pointers
        hash(scenario)                                   # 30
    return step, 30


def study():
    quiet_host()
    s = Setup.DesignStudy.Create()
    s.open(STUDY)
    SetupHost.set_journal_enabled(False)
    designs, scenarios = Setup.DesignList(), Setup.ScenarioList()
    s.designs(designs)
    design = designs[0]
    name = design.name()
    design.scenarios(scenarios)
    scenario_name = scenarios[0].name()
    # Both make what they make once; repeated, they only refresh it.
    s.createExternalVolumeForActiveScenario(0.1, 0.1, 0.1, 0.1, 0.1, 0.1)
    design.update(scenario_name)
    path = s.path()

    def step():
        Setup.DesignStudy.Create()                 # 1
        s.name()                                   # 2
        s.path()                                   # 3
        s.setPath(path)                            # 4
        s.designs(designs)                         # 5
        s.design(name)                             # 6
        s.design("no such design")                 # 7
        s.getActiveScenario()                      # 8
        s.add(name, "taken", False)                # 9: refused, the name is taken
        s.remove("no such design")                 # 10: refused
        SetupHost.length_unit_code(s.lengthUnits())  # 13: made, read, dropped
        s.GetLoadTime()                            # 14
        s.decisionCenter()                         # 15
        s.createExternalVolumeForActiveScenario(0.1, 0.1, 0.1, 0.1, 0.1, 0.1)  # 16
        d = s.design(name)                         # 17
        d.name()                                   # 18
        d.getName()                                # 19
        d.name_w()                                 # 20
        d.setName(name)                            # 21
        d.scenario(scenario_name)                  # 22
        d.scenario(scenario_name.upper(), False)   # 23
        d.scenario("no such scenario")             # 24
        d.scenarios(scenarios)                     # 25
        d.update(scenario_name)                    # 26
        d.remove("no such scenario")               # 27: refused
        d.add(scenario_name)                       # 28: refused, the name is taken
        d.clone(name)                              # 29: refused, the name is taken
        box = d.boundingBox()                      # 30
        box.getMin()                               # 32: made and dropped
        box.getMax()                               # 34
        box.center()                               # 36
        box.extent()                               # 38
        box.isValid()                              # 39
        box.largestExtent()                        # 40
        box.largestExtentAxis()                    # 41
        box.radius()                               # 42
        Setup.BoundingBox().isValid()              # 45
        del box                                    # 46
    return step, 46


def scenario_setup():
    quiet_host()
    s = Setup.DesignStudy.Create()
    s.open(STUDY)
    SetupHost.set_journal_enabled(False)
    scenario = s.getActiveScenario()
    name = scenario.name()
    parts, materials, bcs, ics = Setup.PartList(), Setup.MaterialList(), Setup.BCList(), Setup.ICList()
    ids = Setup.EntityIdList([105])
    copper = scenario.getMaterial("Silicon")

    def step():
        scenario.name()                                        # 1
        scenario.getName()                                     # 2
        scenario.name_w()                                      # 3
        scenario.path_w()                                      # 4
        scenario.setName(name)                                 # 5
        scenario.parts(parts)                                  # 6
        scenario.partByNameAndId("CPU")                        # 7
        scenario.entity("CPU", 105)                            # 8
        scenario.materialOfType("no such type")                # 9
        scenario.materials(materials)                          # 10
        scenario.bcs(bcs)                                      # 11
        scenario.ics(ics)                                      # 12
        scenario.materialEnv()                                 # 14: made and dropped
        scenario.gravityVector()                               # 16: made and dropped
        scenario.setGravityVector(0.0, -9.81, 0.0)             # 17
        scenario.applyMaterial("Silicon", ids, Setup.Entity_Volume)  # 18: the same again
        scenario.applyMaterial(copper, ids, 3)                 # 19
        scenario.applyMaterial("no such material", ids, 3)     # 20: refused
        scenario.select("CPU")                                 # 21
        scenario.applyMeshSize(0.5)                            # 22
        scenario.deselectAll()                                 # 23
        scenario.addFlag("Pass", "1")                          # 24
        scenario.flagValue("Pass")                             # 25
        scenario.removeFlag("Pass")                            # 26
        scenario.setResultsSaveInterval(10)                    # 27
        scenario.wait()                                        # 28: refused, nothing started
        scenario.run()                                         # 29: the results replaced
        scenario.results()                                     # 30
        scenario.mesh()                                        # 31
    return step, 31


def parts_groups_entities():
    quiet_host()
    s = Setup.DesignStudy.Create()
    s.open(STUDY)
    SetupHost.set_journal_enabled(False)
    scenario = s.getActiveScenario()
    scenario.run()
    cpu, group = scenario.partByNameAndId("CPU"), scenario.group("Components")
    silicon, ok = scenario.getMaterial("Silicon"), SetupHost.new_boolp()
    ctm, tec, ids = Setup.CTMResults(), Setup.TECResults(), Setup.EntityIdList()

    def step():
        cpu.name()                                             # 1
        cpu.volume(ok)                                         # 2
        cpu.maxTemp()                                          # 3
        cpu.ctmResults(ctm)                                    # 4: refused, no cooler
        cpu.tecResults(tec)                                    # 5: refused
        cpu.applyMaterial(silicon)                             # 6
        cpu.boundingBox()                                      # 7: made and dropped
        group.add("CPU")                                       # 8
        group.remove(106)                                      # 9
        group.getEntities(ids)                                 # 10
        group.setType("Thermal")                               # 11
        group.type()                                           # 12
        entity = scenario.entity("CPU", 105)                   # 13
        entity.name_w()                                        # 14
        entity.type()                                          # 15
        Setup.Entity().tagName()                               # 16, 17: made and dropped
    return step, 17


def properties_variations():
    quiet_host()
    s = Setup.DesignStudy.Create()
    s.open(STUDY)
    SetupHost.set_journal_enabled(False)
    material = s.getActiveScenario().getMaterial("Aluminium 6063")
    conductivity = SetupHost.material_property(material, "Conductivity")
    variation, ok, listed = conductivity.variation("Constant"), SetupHost.new_boolp(), Setup.VariationList()

    def step():
        variation.setValue(205.0, "W/m-K")                     # 1
        variation.setValue("at 100C", "196 W/m-K")             # 2: the same named value again
        variation.value("at 100C", ok)                         # 3
        variation.units()                                      # 4
        variation.type_w()                                     # 5
        variation.addPoint(25.0, 201.0)                        # 6
        variation.addVelocity(1.0, 2.0)                        # 7
        variation.setXUnits("C")                               # 8
        variation.setControlValue(1.0, "rpm")                  # 9
        variation.clear()                                      # 10: what 6, 7 added goes
        variation.setValue(float("nan"))                       # 11: refused
        conductivity.variation()                               # 12
        conductivity.variations(listed)                        # 13
        conductivity.apply(variation)                          # 14
        conductivity.type_w()                                  # 15
    return step, 15


def materials():
    quiet_host()
    scenario = SetupHost.new_scenario("Airflow")
    SetupHost.add_part(scenario, "Chip", 1)
    SetupHost.add_entity(scenario, "Chip", 11, Setup.Entity.Volume)
    SetupHost.add_entity(scenario, "Chip", 12, Setup.Entity.Surface)
    SetupHost.add_material(scenario, "Copper", "Solid", "Metal")
    SetupHost.set_journal_enabled(False)
    copper, face, chip = scenario.getMaterial("Copper"), scenario.entity("Chip", 12), scenario.partByNameAndId("Chip")
    SetupHost.add_material_property(copper, "Conductivity")
    faces, volume = Setup.EntityIdList([12]), Setup.EntityIdList([11])
    parts, entities, properties = Setup.PartList(), Setup.EntityList(), Setup.PropertyList()

    def step():
        made = Setup.Material("Gold", scenario, "Solid")       # 1
        made.setShellThickness(2.0, "mm")                      # 2
        made.setDirectionNormalTo(face)                        # 3
        made.reverseDirection()                                # 4
        made.setInletFaces(faces)                              # 5
        made.setDirection(0.0, 0.0, 0.0)                       # 6: refused
        scenario.applyMaterial(made, volume, 3)                # 7: the database's copy, replaced
        made.entities(entities)                                # 8: its copy's, as owned entities
        made.materialEnv()                                     # 9, 10: an owned copy, made and dropped
        del made                                               # 11
        Setup.Material.Create(scenario, "Solid", "Metal")      # 12: found, not made
        copper.setReferenceTemperature(20.0, "C")              # 13
        copper.setDirections("X", "Y", "Z")                    # 14
        copper.property("Conductivity")                        # 15
        copper.properties(properties)                          # 16
        copper.parts(parts)                                    # 17
        chip.applyMaterial(copper)                             # 18
        copper.setName("Copper")                               # 19: the same name again
    return step, 19


def solar_units():
    quiet_host()
    s = Setup.DesignStudy.Create()
    s.open(STUDY)
    SetupHost.set_journal_enabled(False)
    scenario = s.getActiveScenario()
    solar, scale, offset = Setup.SolarHeating(scenario), SetupHost.new_doublep(), SetupHost.new_doublep()

    def step():
        made = Setup.SolarHeating(scenario)                    # 1, 2: made and dropped
        made.enable()                                          # 3
        solar.setCompassDirection("East", 1.0, 0.0, 0.0)       # 4
        solar.setCelestialOrientation("Zenith", 0.0, 1.0, 0.0)  # 5
        solar.setLatitude(52, 30, "N")                         # 6
        solar.setLongitude(13, 24, "E")                        # 7
        solar.setLatitude(91, 0, "N")                          # 8: refused
        Setup.SolarHeating(None).disable()                     # 9, 10, 11: refused, no scenario
        Setup.Units.Convert(300.0, Setup.Units_QZTU_TEMP, 0, 3)                 # 12
        Setup.Units.Convert(1.0, Setup.Units_QZTU_PRESSURE, 4)                  # 13
        Setup.Units.ConvertFromSystemUnits(1.0, 99, 0)                          # 14: refused
        Setup.Units.GetConversionFactors(Setup.Units_QZTU_FILMCOEF, scale, offset, 0, 3)  # 15
        Setup.Units()                                          # 16, 17: made and dropped
        made.disable()                                         # 18
    return step, 18


def conditions_curves():
    quiet_host()
    scenario = SetupHost.new_scenario("Airflow")
    SetupHost.add_part(scenario, "Chip", 1, "component")
    SetupHost.add_entity(scenario, "Chip", 11, Setup.Entity.Volume)
    SetupHost.set_journal_enabled(False)
    fan, curve, start = Setup.BoundaryCondition("Fan"), Setup.TimeCurve("Ramp"), Setup.InitialCondition("Start")
    SetupHost.give_fan_curve(fan)
    SetupHost.give_info_string(fan, "Fan A\0row 2")
    fan.fanCurve().addPoint(0.0, 20.0)
    chip, listed, found = Setup.EntityIdList([11]), Setup.BCList(), Setup.EntityList()
    scenario.applyBoundaryCondition(fan, chip, 3)

    def step():
        made = Setup.BoundaryCondition("Heat")                 # 1
        made.setValue(5.0, "W")                                # 2
        made.setAxisDirection(0.0, 0.0, 1.0)                   # 3
        made.setTimeCurve(curve)                               # 4: a copy, replaced
        made.setValue(1.0, "furlong")                          # 5: refused
        scenario.applyBoundaryCondition(made, chip, 3)         # 6: the same name, replaced
        del made                                               # 7
        ramp = Setup.TimeCurve("Step")                         # 8
        ramp.addPoint(1.0, 2.0)                                # 9
        _Setup.delete_TimeCurve(ramp)                          # 10
        curve.setValue("Period", 60.0)                         # 11: the same name again
        scenario.bcs(listed)                                   # 12: copies with their fan curves
        listed[0].entities(found)                              # 13, 14
        listed[0].fanCurve().addPoint(0.01, 5.0)               # 15, 16, 17: a copy's, which goes with the copy
        fan.infoString_w()                                     # 18
        start.setValue(300.0, "K")                             # 19
        scenario.applyInitialCondition(start)                  # 20
    return step, 20


def motions():
    quiet_host()
    scenario = SetupHost.new_scenario("Airflow")
    SetupHost.add_part(scenario, "Fan", 1, "fan")
    SetupHost.add_entity(scenario, "Fan", 11, Setup.Entity.Surface)
    scenario.select("Fan")
    SetupHost.set_journal_enabled(False)
    blade, curve, held = scenario.entity("Fan", 11), Setup.TimeCurve("Ramp"), SetupHost.new_motion("Held")
    curve.addPoint(0.0, 0.0), curve.addPoint(10.0, 1.0)
    SetupHost.add_motion_component(held, "Arm")

    def step():
        made = Setup.Motion("Spin")                            # 1
        made.setAxisOfRotationNormalTo(blade)                  # 2
        made.reverseAxisOfRotation()                           # 3
        made.setCenterOfRotation(1.0, 2.0, 3.0)                # 4
        made.setGravity()                                      # 5
        made.setForceDirection(0.0, 0.0, 0.0)                  # 6: refused
        made.gravity()                                         # 7, 8: an owned copy, made and dropped
        made.setTimeCurve(curve)                               # 9: a copy of the curve's data
        scenario.applyMotion(made)                             # 10: the same name, replaced
        del made                                               # 11
        held.motionComponent("Arm").setTiltAxis(0.0, 1.0, 0.0)  # 12, 13
        held.forceLocation()                                   # 14, 15
        held.property("none")                                  # 16
    return step, 16


def mesh_settings_regions():
    quiet_host()
    mesh = SetupHost.new_scenario("Airflow").mesh()
    corner, far = Setup.Vector(0.0, 0.0, 0.0), Setup.Vector(1.0, 2.0, 3.0)

    def step():
        mesh.meshEnahancement().setProperty("Enhancement layers", 3)    # 1, 2
        mesh.advancedControls().property("Curvature angle")             # 3, 4
        mesh.adaptation()                                               # 5
        mesh.diagnostics().restoreMinimumLengthScale()                  # 6, 7
        mesh.refine()                                                   # 8: refused once refined enough
        box = Setup.MeshBoxRegion(corner, far, None)                    # 9
        box.setLocalMeshSize(0.5)                                       # 10
        box.spreadChanges()                                             # 11
        box.uniform()                                                   # 12
        Setup.MeshCylindricalRegion(corner, 1.0, 2.0).setUniform(True)  # 13-15: made, set, dropped
        sphere = Setup.MeshSphericalRegion(None, 0.5)                   # 16
        sphere.setLocalMeshSize(float("nan"))                           # 17: refused
        _Setup.delete_MeshRegion(sphere)                                # 18
        del box                                                         # 19
    return step, 19


def texts():
    scenario = SetupHost.new_scenario("Airflow")
    design = SetupHost.new_design("Baseline")
    wide = SetupHost.new_wcharp("Kühlung \U0001F300")
    narrow = SetupHost.new_charp("Δ bytes")
    a, b, c, d = TEXTS
    encoded = d.encode()
    # A new text each step too, so that whatever is kept per distinct text shows.
    numbers = iter(range(10 ** 9))

    def step():
        scenario.setName(b)                 # 1: QString from each width of str
        scenario.setName(c)                 # 2
        scenario.setName(d)                 # 3
        scenario.setName(encoded)           # 4: from UTF-8 bytes
        scenario.setName(None)              # 5: the null string
        scenario.setName(wide)              # 6: from a wchar_t pointer
        scenario.setName("cut\0here")       # 7
        scenario.name()                     # 8
        design.setName(c)                   # 9
        design.name()                       # 10
        design.getName()                    # 11: std::string result
        design.name_w()                     # 12: std::wstring result
        scenario.hasProperty(c)             # 13: char const * from str
        scenario.hasProperty(encoded)       # 14: from bytes
        scenario.hasProperty(narrow)        # 15: from a char pointer
        scenario.hasProperty(None)          # 16
        SetupHost.charp_value(c)            # 17
        SetupHost.charp_value(narrow)       # 18
        SetupHost.wstring_value(d)          # 19: std::wstring argument and result
        SetupHost.wstring_value(b)          # 20
        SetupHost.describe(scenario)        # 21
        Setup.Variant(d).toString()         # 24: made, read, dropped
        Setup.Variant(c).typeName()         # 27
        fresh = f"Δ{next(numbers)}\U0001F300"
        design.setName(fresh)               # 28
        design.name()                       # 29
        scenario.hasProperty(fresh)         # 30
        SetupHost.wstring_value(fresh)      # 31
        Setup.Variant(fresh).toString()     # 34
        scenario.setName(a)                 # 35
    return step, 35


def failures():
    scenario = SetupHost.new_scenario("Airflow")
    vector = Setup.Vector(1.0, 2.0, 3.0)
    ids = Setup.EntityIdList([1, 2])
    other_ids = Setup.EntityIdList([1])
    tec = Setup.TECResults()
    x_get = _Setup.Vector_x_get
    s = Setup.DesignStudy.Create()
    gone = Setup.Vector()
    _Setup.delete_Vector(gone)
    vectors = Setup.VectorList([Setup.Vector()])
    stale = vectors[0]
    vectors.append(Setup.Vector())
    Overload = Setup.OverloadError

    def step():
        try:
            x_get(scenario)                          # 1: another class
        except TypeError:
            pass
        try:
            x_get(None)                              # 2
        except TypeError:
            pass
        try:
            Setup.ThermalComfortParams(None)         # 3: null reference
        except ValueError:
            pass
        try:
            Setup.Vector("x")                        # 4
        except Overload:
            pass
        try:
            scenario.setProperty("Solver", object())  # 5
        except Overload:
            pass
        try:
            Setup.Variant().toInt(5)                 # 8: made, refused, dropped
        except Overload:
            pass
        try:
            scenario.setName(42)                     # 9
        except RuntimeError:
            pass
        try:
            scenario.setName([b"a"])                 # 10
        except RuntimeError:
            pass
        try:
            scenario.hasProperty(3.5)                # 11
        except TypeError:
            pass
        try:
            tec.numCouples = 2 ** 40                 # 12: past 32 bits
        except TypeError:
            pass
        try:
            vector.x = "x"                           # 13
        except TypeError:
            pass
        try:
            s.designs([])                            # 14: a plain list
        except TypeError:
            pass
        try:
            s.designs(None)                          # 15
        except ValueError:
            pass
        try:
            ids[5]                                   # 16
        except IndexError:
            pass
        try:
            Setup.EntityIdList().pop()               # 19
        except IndexError:
            pass
        try:
            Setup.EntityIdList(["x"])                # 20
        except Overload:
            pass
        try:
            gone.x                                   # 21: deleted
        except TypeError:
            pass
        try:
            x_get(vector, 1)                         # 22
        except TypeError:
            pass
        try:
            Setup.Vector(x=1.0)                      # 23
        except TypeError:
            pass
        try:
            ids.begin() == other_ids.begin()         # 27: two iterators made, compared, dropped
        except ValueError:
            pass
        try:
            ids.insert(other_ids.begin(), 3)         # 30
        except ValueError:
            pass
        try:
            stale.x                                  # 31: its list has moved since
        except ValueError:
            pass
    return step, 31


def pointer_helpers():
    flag, number = SetupHost.new_boolp(True), SetupHost.new_doublep(2.5)
    narrow, wide = SetupHost.new_charp("Kühlung"), SetupHost.new_wstringp("Δ \U0001F300")
    texts = SetupHost.new_stringlistp(["a", "Kühlung"])
    qvalue = SetupHost.new_qvariant_double(1.25)
    s = Setup.DesignStudy.Create()
    unit = s.lengthUnits()
    value = Setup.Variant("Kühlung")
    scenario = SetupHost.new_scenario("Airflow")

    def step():
        SetupHost.boolp_assign(flag, False)                          # 1
        SetupHost.boolp_value(flag)                                  # 2
        SetupHost.doublep_assign(number, 3.5)                        # 3
        SetupHost.doublep_value(number)                              # 4
        SetupHost.charp_value(narrow)                                # 5
        SetupHost.wstring_value(wide)                                # 6
        SetupHost.stringlist_value(texts)                            # 7
        SetupHost.variant_value(value)                               # 8
        SetupHost.variant_value(Setup.Variant(qvalue))               # 11
        SetupHost.length_unit_code(unit)                             # 12
        SetupHost.describe(scenario)                                 # 13
        SetupHost.journal_enabled()                                  # 14
        SetupHost.live_objects("Vector")                             # 15
        e = SetupHost.new_entity("face")                             # 16: values the script owns
        SetupHost.new_boundary_condition("inlet")                    # 18
        SetupHost.new_initial_condition("still air")                 # 20
        SetupHost.new_property_definition("Power", Setup.Variant_Double)  # 22
        SetupHost.describe(e)                                        # 23
        del e                                                        # 24
    return step, 24


def _python_manners_values():
    record = Setup.CTMResults()
    record.boardTemp = 41.5
    return [Setup.Vector(1.0, 2.0, 3.0), Setup.Variant("Kühlung"), Setup.Variant(5), Setup.Variant(True),
            Setup.Variant(SetupHost.new_stringlistp(["a", "Δ"])), Setup.Variant(),
            SetupHost.new_property_definition("Gravity", Setup.Variant_Bool), record, Setup.TECResults(),
            Setup.VectorList([Setup.Vector(1, 2, 3)]), Setup.EntityIdList([3, 1])]


# Each repr, copy and pickle reaches the binding several times inside (a repr
# reads every field) but counts once, so these families make more crossings
# than their count says, never fewer.

def reprs_and_copies():
    values = _python_manners_values()
    parts = Setup.PartList([SetupHost.new_part("Board"), None])
    scenario = SetupHost.new_scenario("Natural convection")
    comfort = Setup.ThermalComfortParams(scenario)

    def step():
        for value in values:                  # 11 values, 5 each: 55
            repr(value)
            copy.copy(value)                  # made and dropped
            copy.deepcopy(value)
        repr(scenario)                        # 56
        copy.copy(scenario)                   # 57: a handle, not a value
        copy.deepcopy(parts)                  # 59
        repr(parts)                           # 60
        try:
            copy.copy(comfort)                # 61: made only from a scenario
        except TypeError:
            pass
    return step, 61


def pickles():
    values = _python_manners_values()
    scenario = SetupHost.new_scenario("Natural convection")

    def step():
        for value in values:                  # 11 values, 3 each: 33
            pickle.loads(pickle.dumps(value))  # made and dropped
        try:
            pickle.dumps(scenario)            # 34: belongs to the application
        except TypeError:
            pass
    return step, 34


FAMILIES = [
    ("Vector", vector),
    ("result records", records),
    ("Variant", variant),
    ("PropertyDefinition", property_definition),
] + [(name, _list_family(name, make)) for name, make in LIST_ELEMENTS.items()] + [
    ("lists refilled by the host", lists_filled_by_host),
    ("Object/Container", objects),
    ("DesignStudy/Design/BoundingBox", study),
    ("Scenario set-up and run", scenario_setup),
    ("Part/Group/Entity", parts_groups_entities),
    ("Property/Variation", properties_variations),
    ("Material/MaterialEnv", materials),
    ("Motion", motions),
    ("conditions and curves", conditions_curves),
    ("Mesh/MeshRegion", mesh_settings_regions),
    ("SolarHeating/Units", solar_units),
    ("texts", texts),
    ("failures", failures),
    ("SetupHost pointer helpers", pointer_helpers),
    ("reprs and copies", reprs_and_copies),
    ("pickles", pickles),
]


# --- Kept by design ---------------------------------------------------------------
# Each returns (step, what one step is); the host keeps what a step makes until
# the process ends, so that a proxy a script holds never reaches freed memory.

def kept_open():
    quiet_host()
    s = Setup.DesignStudy.Create()

    def step():
        s.open(STUDY)
    return step, "DesignStudy.open(enclosure.study.json)"


def kept_add_remove():
    quiet_host()
    s = Setup.DesignStudy.Create()
    s.open(STUDY)
    SetupHost.set_journal_enabled(False)

    def step():
        s.add("Forced air", "Fan on", False)
        s.remove("Forced air")
    return step, "DesignStudy.add(name, scenario) + remove(name)"


def kept_new_scenario():
    def step():
        SetupHost.new_scenario("Airflow")
    return step, "SetupHost.new_scenario(name)"


def kept_new_doublep():
    def step():
        SetupHost.new_doublep(1.0)
    return step, "SetupHost.new_doublep(value)"


KEPT = [(kept_open, 2000), (kept_add_remove, 20000), (kept_new_scenario, 20000), (kept_new_doublep, 100000)]


# --- Measuring ------------------------------------------------------------------------

def repeat(step, times):
    for _ in range(times):
        step()


def measure(step, steps, warmup_steps):
    repeat(step, warmup_steps)
    settle()
    rss, heap, blocks = resident(), heap_in_use and heap_in_use(), sys.getallocatedblocks()
    start = time.perf_counter()
    repeat(step, steps)
    seconds = time.perf_counter() - start
    settle()
    return (resident() - rss, heap_in_use and heap_in_use() - heap, sys.getallocatedblocks() - blocks, seconds)


def kb(amount):
    return "-" if amount is None else f"{amount / 1024:.1f}"


def deliberate_leak(calls, budget):
    """Loses twice the budget over the measured calls, in one block every 16
    calls (for a million calls, 32 bytes: 2 bytes a call)."""
    malloc = LIBC.malloc
    malloc.restype = ctypes.c_void_p
    # malloc's blocks are multiples of 16 bytes, 8 of them its own.
    size = max(24, int(2 * budget * 16 / calls) // 16 * 16 - 8)

    def make():
        def step():
            malloc(size)
        return step, 16
    return make


def run_families(families, options, budget):
    header = f"{'family':<32}{'calls':>11}{'growth KB':>11}{'heap KB':>10}{'py blocks':>11}{'s':>7}  verdict"
    print(header)
    print("-" * len(header))
    failed = []
    for name, make in families:
        SetupHost.set_journal_enabled(False)
        step, per_step = make()
        steps = max(1, round(options.calls / per_step))
        growth, heap, blocks, seconds = measure(step, steps, max(1, round(options.warmup / per_step)))
        del step
        quiet_host()
        over = [what for what, amount in (("resident", growth), ("heap", heap)) if amount is not None and amount >= budget]
        if over:
            failed.append(name)
        verdict = "LEAKS (" + ", ".join(over) + ")" if over else "ok"
        print(f"{name:<32}{steps * per_step:>11,}{kb(growth):>11}{kb(heap):>10}{blocks:>11,}{seconds:>7.1f}  {verdict}",
              flush=True)
    return failed


def report_kept():
    print()
    print("Kept by design (the host keeps what these make until the process ends):")
    header = f"{'operation':<50}{'times':>9}{'KB each':>10}{'heap KB each':>14}"
    print(header)
    print("-" * len(header))
    for make, times in KEPT:
        step, label = make()
        # The first few settle the study and the allocator; the rest are measured.
        growth, heap, _, _ = measure(step, times, 20)
        print(f"{label:<50}{times:>9,}{growth / times / 1024:>10.2f}"
              f"{'-' if heap is None else f'{heap / times / 1024:.2f}':>14}", flush=True)
        del step
        quiet_host()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--calls", type=int, default=1_000_000, help="calls measured per family (1,000,000)")
    parser.add_argument("--warmup", type=int, default=100_000, help="calls made before measuring (100,000)")
    parser.add_argument("--only", nargs="*", help="families whose name contains one of these")
    parser.add_argument("--no-kept", action="store_true", help="skip the kept-by-design costs")
    parser.add_argument("--self-test", action="store_true", help="check that a leak of twice the budget is caught")
    options = parser.parse_args()

    if hasattr(LIBC, "__asan_init"):
        print("AddressSanitizer is loaded: its quarantine grows resident memory whatever the binding does; "
              "run this against a build without sanitizers.", file=sys.stderr)
        return 2

    # The whole budget for a run of fewer calls: resident memory moves by whole
    # pages and allocator chunks, so a smaller one would only measure noise.
    budget = BUDGET_KB_PER_MILLION * 1024 * max(1.0, options.calls / 1e6)
    quiet_host()
    print(f"Journal off; {options.warmup:,} calls of warm-up, then {options.calls:,} measured per family; "
          f"budget {budget / 1024:.0f} KB per family.")
    total = time.perf_counter()

    if options.self_test:
        caught = run_families([("deliberate leak (self-test)", deliberate_leak(options.calls, budget))], options, budget)
        print("\nThe deliberate leak was " + ("caught." if caught else "NOT caught."))
        return 0 if caught else 1

    families = [(name, make) for name, make in FAMILIES
                if not options.only or any(part.lower() in name.lower() for part in options.only)]
    failed = run_families(families, options, budget)
    if not options.no_kept and not options.only:
        report_kept()
    print(f"\n{time.perf_counter() - total:.0f} s in all; "
          + ("every family within its budget." if not failed else "over budget: " + ", ".join(failed)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
