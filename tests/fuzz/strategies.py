"""What the fuzzer draws: argument values, and cases made of steps.

A case is a list of Python statements, the body of its replay snippet. Objects
enter the case's pool by recipes, statements such as

    o3 = step(Setup.VectorList, [o1, o2])
    o4 = step(lambda: o3[0])                  # a view, taken before the list changes
    step(_Setup.VectorList_clear, o3)

whose text is all there is to a case, so that it runs the same in any fresh
process. Anything a recipe makes may come out as an exception instead (an
earlier step may have deleted what it needs); every later step takes that as it
would take any other wrong argument.
"""

import re

# Ints at and past the edges of the integer (32-bit) and size (32-bit
# unsigned) rules, of the index type, and of any fixed width.
INTS = [0, 1, -1, 2, 3, 7, 2**31 - 1, -2**31, 2**31, -2**31 - 1, 2**32 - 1, 2**32, 2**63 - 1, 2**63,
        -2**63, -2**63 - 1, 2**64, 10**30, -10**30]
FLOATS = ["0.0", "-0.0", "1.5", "-2.5", "35.0", "math.nan", "math.inf", "-math.inf", "1e308", "-1e308",
          "5e-324", "2.2250738585072014e-308", "1e-300"]
# Texts that are names the host knows, that meet each branch of the string
# rules (empty, NUL inside, lone surrogates, each width of str, long enough for
# the library search), and the host's operation names for steering.
TEXTS = ["", "x", "Baseline", "Natural convection", "Ambient temperature", "Power", "Gravity", "Notes",
         "Everything", "ActiveScenario", "enclosure.study.json", "a\x00b", "\x00", "\udc80", "\ud800x",
         "é", "Kühler Lüfter", "温度", "😀 fan", "ÿ" * 70, " ", ".", "..x", "\\", '"\n', "Forced air",
         "design", "scenario", "add", "hasProperty", "setProperty", "getActiveScenario", "clone", "radius",
         "Vector", "Variant", "Design", "Analysis", "Part"]
BYTES = [b"", b"abc", b"\xff", b"\xc3\x28", b"a\x00b", "é".encode(), b"\xed\xb2\x80", b"Baseline",
         b"Ambient temperature", b"Everything", b"enclosure.study.json"]
# Every other kind the conversion rules name or refuse.
OTHERS = ["None", "True", "False", "[]", "[1, 2]", "['a', 'b']", "['a', 1]", "('Fan',)", "(1.0, 2.0, 3.0)",
          "{1, 2}", "{'a': 1}", "{}", "(i for i in range(3))", "iter([1, 2])", "range(3)", "slice(None)",
          "slice(1, None, -1)", "slice(None, None, 0)", "slice(-2**63, 2**63, 2)", "slice('a', None)",
          "bytearray(b'x')", "object()", "1j", "pathlib.PurePosixPath('saved.study.json')",
          "pathlib.Path('enclosure.study.json')", "os.path.abspath('saved.study.json')",
          "'x' * (1 << 20)", "'é' * 70 + '\\x00' + 'tail'"]

# Where a case saves its study: inside its own folder, absolute or not.
SAVE_TARGETS = ["'saved.study.json'", "'x'", "''", "os.path.abspath('saved.study.json')"]

# Under AddressSanitizer a count cannot be capped by the address space (see
# child.py), so these functions, which allocate by a count, get small ones.
ALLOCATES_BY_COUNT = re.compile(r"_resize$|_reserve$|_assign$|_insert$|^new_\w+List$")
SMALL_COUNTS = [0, 1, 2, 3, 7, 1000, 10**6, -1, -2**31, 2**64]

# The list types and the class of their elements (None: ints).
LISTS = {"VectorList": "Vector", "DesignList": "Design", "ScenarioList": "Scenario",
         "PropertyDefinitionList": "PropertyDefinition", "VariantList": "Variant", "PartList": "Part",
         "EntityIdList": None, "MaterialList": "Material", "PropertyList": "Property",
         "VariationList": "Variation", "BCList": "BoundaryCondition", "ICList": "InitialCondition",
         "EntityList": "Entity"}
HOST_MADE = {"Design": "design", "Scenario": "scenario", "Part": "part", "Group": "group",
             "MeshBoxRegion": "mesh_box_region", "Material": "material", "Property": "property",
             "Variation": "variation", "Entity": "entity", "BoundaryCondition": "boundary_condition",
             "InitialCondition": "initial_condition"}
# The pointer objects that the application's other modules hand out ({} is a text).
POINTERS = ["new_boolp, True", "new_doublep, 2.5", "new_charp, {}", "new_wcharp, {}", "new_wstringp, {}",
            "new_stringlistp, [{}, 'b']", "new_qvariant_int, 7", "new_qvariant_double, 1.5",
            "new_qvariant_text, {}"]


def safe_text(text):
    """No drawn text may name a file outside the case's folder."""
    cut = text.split("\x00" if isinstance(text, str) else b"\x00")[0]
    return ("/" if isinstance(text, str) else b"/") not in text and cut not in ("..", b"..")


assert all(safe_text(t) for t in TEXTS + BYTES)


class Entry:
    def __init__(self, name, cls, kind):
        self.name, self.cls, self.kind = name, cls, kind


class CaseMaker:
    """Draws cases for the functions that the probe found."""

    def __init__(self, rng, probe, small_counts):
        self.rng = rng
        self.functions = probe["functions"]
        self.classes = probe["classes"]
        self.small_counts = small_counts
        self.objects = {c for c, bases in self.classes.items() if "Object" in bases}
        self.deck = []
        self.makers = {"DesignStudy": self._study, "Design": self._design, "Scenario": self._scenario,
                       "Vector": self._vector, "Variant": self._variant, "PropertyDefinition": self._definition,
                       "SwigPyIterator": self._iterator, "pointer": self._pointer, "view": self._view,
                       "BoundingBox": self._bounding_box, "ThermalComfortParams": self._scenario_record,
                       "SmokeParams": self._scenario_record, "Part": self._part}
        self.makers.update((name, self._list) for name in LISTS)
        self.makers.update((name, self._host_made) for name in HOST_MADE if name not in self.makers)
        self.makers.update((name, self._default) for name in ("CTMResults", "TECResults", "Object", "Container"))
        self.makers.update((name, self._named) for name in ("TimeCurve",))
        # Made for a scenario, as the scenario's records are.
        self.makers.update((name, self._scenario_record) for name in ("SolarHeating",))
        # What an object frees with itself, so that cases use it beside its object's deletion.
        self.makers.update({"FanCurve": self._fan_curve, "Motion": self._motion})

    # --- a case ------------------------------------------------------------

    def case(self):
        """Steps and the number of fuzzed calls among them."""
        self.pool, self.steps, self.calls, self.count = [], [], 0, 0
        for _ in range(self.rng.randint(2, 6)):
            self.new_object()
        for _ in range(self.rng.randint(6, 16)):
            roll = self.rng.random()
            if roll < 0.65:
                self.fuzz_call()
            elif roll < 0.85:
                self.change()
            else:
                self.new_object()
        return self.steps, self.calls

    def fuzz_call(self):
        if not self.deck:
            self.deck = sorted(self.functions)
            self.rng.shuffle(self.deck)
        function = self.deck.pop()
        name = function.split(".")[1]
        hints = self.functions[function]
        if hints and self.rng.random() < 0.75:
            arity = self.rng.choice(hints)
        else:
            arity = self.rng.choice([0, 1, 2, 3, 4, 5, 0, 1, 2, 3, 4, 5, 6, 7, 8])
        args = [self.argument(name, position) for position in range(arity)]
        self.calls += 1
        self.add(None, "result", f"step({', '.join([function] + args)})", prefix="r")

    def argument(self, function, position):
        related = [e.name for e in self.pool if e.cls in self.related(function, position)]
        roll = self.rng.random()
        if related and roll < (0.65 if position == 0 else 0.3):
            return self.rng.choice(related)
        if self.pool and roll < 0.5:
            return self.rng.choice(self.pool).name
        return self.value(function)

    def related(self, function, position):
        """Classes of the objects that the function most likely expects there."""
        owner = re.sub(r"^(new|delete)_", "", function).split("_")[0]
        if function.endswith("_swiginit") and position == 1:
            return {"pointer"}  # Class_swiginit(instance, pointer object)
        if position == 0 and not function.startswith("new_"):
            return {c for c, bases in self.classes.items() if owner in bases} or self.objects
        if owner in LISTS:
            return {owner, LISTS[owner], "SwigPyIterator"}
        return set()

    def value(self, function=""):
        kind = self.rng.choice(["int", "int", "float", "text", "text", "bytes", "other", "other", "container"])
        if kind == "int":
            if self.small_counts and ALLOCATES_BY_COUNT.search(function):
                return repr(self.rng.choice(SMALL_COUNTS))
            return repr(self.rng.choice(INTS + [self.rng.randint(-100, 100)]))
        if kind == "float":
            return self.rng.choice(FLOATS)
        if kind == "text":
            return self.text()
        if kind == "bytes":
            return repr(self.rng.choice(BYTES))
        if kind == "container" and self.pool:
            items = [self.rng.choice(self.pool).name for _ in range(self.rng.randint(1, 3))]
            return self.rng.choice(["[{}]", "({},)", "iter([{}])"]).format(", ".join(items))
        return self.rng.choice(OTHERS)

    def text(self):
        if self.rng.random() < 0.8:
            return repr(self.rng.choice(TEXTS))
        text = "".join(self.rng.choice("aZ 0\x00é\udc80😀温.\\\"\n") for _ in range(self.rng.randint(0, 12)))
        return repr(text if safe_text(text) else "x")

    # --- the pool ---------------------------------------------------------

    def add(self, cls, kind, expression, prefix="o"):
        self.count += 1
        name = f"{prefix}{self.count}"
        self.steps.append(f"{name} = {expression}")
        self.pool.append(Entry(name, cls, kind))
        return name

    def need(self, cls):
        """An object of the class from the pool, or a new one."""
        found = [e.name for e in self.pool if e.cls == cls and e.kind != "element"]
        if found and self.rng.random() < 0.7:
            return self.rng.choice(found)
        return self.makers[cls](cls)

    def new_object(self):
        cls = self.rng.choice(sorted(self.makers) + ["view", "view", "SwigPyIterator", "pointer", "DesignStudy"]
                              + ["VectorList", "VariantList", "EntityList", "PartList"])
        self.makers[cls](cls)

    def _default(self, cls):
        return self.add(cls, "value", f"step(Setup.{cls})")

    def _named(self, cls):
        return self.add(cls, "value", f"step(Setup.{cls}, {self.text()})")

    def _fan_curve(self, cls):
        condition = self.need("BoundaryCondition")
        self.steps.append(f"step(_SetupHost.give_fan_curve, {condition})")
        return self.add(cls, "value", f"step(_Setup.BoundaryCondition_fanCurve, {condition})")

    def _motion(self, cls):
        """A script's own motion, or a component of one."""
        if self.rng.random() < 0.5:
            return self._named(cls)
        motion = self.need("Motion")
        self.steps.append(f"step(_SetupHost.add_motion_component, {motion}, 'Spin')")
        return self.add(cls, "value", f"step(_Setup.Motion_motionComponent, {motion}, 'Spin')")

    def _host_made(self, cls):
        return self.add(cls, "value", f"step(_SetupHost.new_{HOST_MADE[cls]}, {self.text()})")

    def _vector(self, cls):
        args = ", ".join(self.rng.choice(FLOATS + ["1", "2**63"]) for _ in range(self.rng.choice([0, 3, 3, 3])))
        return self.add(cls, "value", f"step(Setup.Vector{', ' if args else ''}{args})")

    def _variant(self, cls):
        value = self.rng.choice(["7", "2.5", "'text'", "True", "None", "2**40", "[]", "text", "other"])
        if value in ("text", "other"):
            value = self.text() if value == "text" else self.rng.choice(self.pool).name if self.pool else "0"
        return self.add(cls, "value", f"step(Setup.Variant, {value})")

    def _definition(self, cls):
        if self.rng.random() < 0.2:
            return self.add(cls, "value", "step(Setup.PropertyDefinition)")
        kind = self.rng.choice([0, 1, 2, 6, 10, 11, 99, -1])
        return self.add(cls, "value", f"step(_SetupHost.new_property_definition, {self.text()}, {kind})")

    def _scenario_record(self, cls):
        return self.add(cls, "value", f"step(Setup.{cls}, {self.need('Scenario')})")

    def _bounding_box(self, cls):
        if self.rng.random() < 0.5:
            return self._default(cls)
        return self.add(cls, "value", f"step(_Setup.Design_boundingBox, {self.need('Design')})")

    def _study(self, cls):
        study = self.add(cls, "study", "step(_Setup.DesignStudy_Create)")
        if self.rng.random() < 0.8:
            self.steps.append(f"step(_Setup.DesignStudy_open, {study}, 'enclosure.study.json')")
        return study

    def _design(self, cls):
        roll = self.rng.random()
        if roll < 0.3:
            return self._host_made(cls)
        study = self.need("DesignStudy")
        if roll < 0.7:
            return self.add(cls, "value", f"step(_Setup.DesignStudy_design, {study}, 'Baseline')")
        return self.add(cls, "value", f"step(_Setup.DesignStudy_add, {study}, {self.text()}, {self.text()}, True)")

    def _scenario(self, cls):
        roll = self.rng.random()
        if roll < 0.3:
            return self._host_made(cls)
        if roll < 0.7:
            return self.add(cls, "value", f"step(_Setup.DesignStudy_getActiveScenario, {self.need('DesignStudy')})")
        return self.add(cls, "value", f"step(_Setup.Design_scenario, {self.need('Design')}, 'Natural convection')")

    def _part(self, cls):
        if self.rng.random() < 0.5:
            return self._host_made(cls)
        parts = self.add("PartList", "list", "step(Setup.PartList)")
        self.steps.append(f"step(_SetupHost.scenario_parts, {self.need('Scenario')}, {parts})")
        return self.add(cls, "element", f"step(lambda: {parts}[{self.rng.choice([0, 2, -1])}])  # PartList element")

    def _list(self, cls):
        element = LISTS[cls]
        roll = self.rng.random()
        if roll < 0.2:
            return self.add(cls, "list", f"step(Setup.{cls}, {self.rng.choice([0, 1, 3])})")
        if cls == "DesignList" and roll < 0.5:
            lst = self.add(cls, "list", f"step(Setup.{cls})")
            self.steps.append(f"step(_Setup.DesignStudy_designs, {self.need('DesignStudy')}, {lst})")
            return lst
        if element is None:
            return self.add(cls, "list", f"step(Setup.{cls}, [3, 1, 2])")
        items = [self.need(element) for _ in range(self.rng.randint(1, 3))] + ["None"] * (self.rng.random() < 0.1)
        return self.add(cls, "list", f"step(Setup.{cls}, [{', '.join(items)}])")

    def _pick_list(self):
        lists = [e for e in self.pool if e.kind == "list"]
        if lists and self.rng.random() < 0.85:
            return self.rng.choice(lists)
        name = self._list(self.rng.choice(sorted(LISTS)))
        return next(e for e in self.pool if e.name == name)

    def _view(self, cls):
        lst = self._pick_list()
        how = self.rng.choice(["[0]", "[-1]", "[1]", "front", "back", "[1:][0]", "[::-1][0]"])
        if how in ("front", "back"):
            expression = f"step(_Setup.{lst.cls}_{how}, {lst.name})"
        else:
            expression = f"step(lambda: {lst.name}{how})  # {lst.cls} element"
        return self.add(LISTS.get(lst.cls) or "int", "element", expression)

    def _iterator(self, cls):
        lst = self._pick_list()
        how = self.rng.choice(["iterator", "begin", "end", "rbegin", "rend", "begin+", "copy", "__iter__"])
        if how == "begin+":
            expression = f"step(lambda: _Setup.{lst.cls}_begin({lst.name}) + {self.rng.choice([1, 2, -1])})"
        elif how == "copy":
            expression = f"step(_Setup.SwigPyIterator_copy, step(_Setup.{lst.cls}_rbegin, {lst.name}))"
        else:
            expression = f"step(_Setup.{lst.cls}_{how}, {lst.name})"
        return self.add(cls, "iter", expression)

    def _pointer(self, cls):
        roll = self.rng.random()
        proxies = [e.name for e in self.pool if e.kind in ("value", "list", "element", "study", "iter")]
        if roll < 0.35 and proxies:
            return self.add(cls, "pointer", f"getattr({self.rng.choice(proxies)}, 'this', None)")
        if roll < 0.45:
            lst = self._pick_list()
            return self.add(cls, "pointer", f"step(_Setup.{lst.cls}_get_allocator, {lst.name})")
        if roll < 0.55:
            study = self.need("DesignStudy")
            return self.add(cls, "pointer", f"step(_Setup.DesignStudy_{self.rng.choice(['lengthUnits', 'decisionCenter'])}, {study})")
        return self.add(cls, "pointer", f"step(_SetupHost.{self.rng.choice(POINTERS).format(self.text())})")

    # --- changes between calls ------------------------------------------

    def change(self):
        roll = self.rng.random()
        if roll < 0.45:
            self.change_list()
        elif roll < 0.6:
            self.delete()
        elif roll < 0.75:
            self.ownership()
        elif roll < 0.85:
            self.use()
        else:
            self.change_study()

    def change_list(self):
        lst = self._pick_list()
        name, cls = lst.name, lst.cls
        element = self.need(LISTS[cls]) if LISTS[cls] else repr(self.rng.choice([5, -1, 2**32]))
        count = self.rng.choice([0, 1, 2, 5, 1000])
        others = [e.name for e in self.pool if e.kind == "list" and e.name != name] or ["[]"]
        op = self.rng.choice([f"_Setup.{cls}_append, {name}, {element}", f"_Setup.{cls}_clear, {name}",
                              f"_Setup.{cls}_resize, {name}, {count}", f"_Setup.{cls}_pop, {name}",
                              f"_Setup.{cls}___delitem__, {name}, 0", f"_Setup.{cls}_reserve, {name}, {count}",
                              f"_Setup.{cls}_swap, {name}, {self.rng.choice(others)}",
                              f"_Setup.{cls}___setitem__, {name}, slice(None), {self.rng.choice(others)}",
                              f"_Setup.{cls}_insert, {name}, step(_Setup.{cls}_begin, {name}), {element}",
                              f"_Setup.delete_{cls}, {name}", "drop"])
        if op == "drop":
            # The list itself goes, while views and iterators of it may stay.
            self.steps.append(f"del {name}")
            self.pool.remove(lst)
        else:
            self.steps.append(f"step({op})")

    def use(self):
        """Reads an object as Python reads any: iterated, shown, copied, pickled."""
        if not self.pool:
            return
        e = self.rng.choice(self.pool)
        how = ["repr", "copy.copy", "copy.deepcopy", "pickle.dumps"] + ["next", "list"] * (e.kind in ("iter", "list"))
        how = self.rng.choice(how)
        if how == "pickle.dumps":
            self.steps.append(f"step(pickle.loads, step(pickle.dumps, {e.name}))")
        else:
            self.steps.append(f"step({how}, {e.name})")

    def delete(self):
        deletable = [e for e in self.pool if f"_Setup.delete_{e.cls}" in self.functions]
        if deletable:
            e = self.rng.choice(deletable)
            self.steps.append(f"step(_Setup.delete_{e.cls}, {e.name})")

    def ownership(self):
        if not self.pool:
            return
        e = self.rng.choice(self.pool).name
        self.steps.append(self.rng.choice([
            f"if pointer({e}): step(pointer({e}).acquire)", f"if pointer({e}): step(pointer({e}).disown)",
            f"if pointer({e}): step(pointer({e}).own, True)",
            f"if pointer({e}) and hasattr(type({e}), 'thisown'): step(setattr, {e}, 'thisown', True)"]))

    def change_study(self):
        roll = self.rng.random()
        if roll < 0.25:
            self.steps.append("step(_SetupHost.reset)")
        elif roll < 0.45:
            self.steps.append(f"step(_Setup.DesignStudy_remove, {self.need('DesignStudy')}, 'Baseline')")
        elif roll < 0.6:
            self.steps.append(f"step(_Setup.Design_remove, {self.need('Design')}, 'Natural convection')")
        elif roll < 0.75:
            study = self.need("DesignStudy")
            self.steps.append(f"step(_Setup.DesignStudy_setPath, {study}, {self.rng.choice(SAVE_TARGETS)})")
            self.steps.append(f"step(_Setup.DesignStudy_save, {study})")
        elif roll < 0.85:
            self.steps.append(f"step(_Setup.DesignStudy_open, {self.need('DesignStudy')}, 'enclosure.study.json')")
        else:
            lists = [self.need(name) for name in ("PartList", "EntityIdList", "MaterialList", "PropertyList",
                                                  "VariationList", "BCList", "ICList", "EntityList")]
            self.steps.append(f"step(_SetupHost.fill_lists, {', '.join(lists)})")
