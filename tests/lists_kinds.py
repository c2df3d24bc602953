"""The thirteen list types, with a way to make distinct elements of each and
to tell elements apart, shared by the list tests."""

import Setup
import SetupHost


def _object_key(element):
    return None if element is None else SetupHost.describe(element)


# name: (make the i-th distinct element, key of an element read back)
KINDS = {
    "VectorList": (lambda i: Setup.Vector(i, 0, 0), lambda e: e.x),
    "DesignList": (lambda i: SetupHost.new_design(f"d{i}"), _object_key),
    "ScenarioList": (lambda i: SetupHost.new_scenario(f"s{i}"), _object_key),
    "PropertyDefinitionList": (lambda i: SetupHost.new_property_definition(f"p{i}", 2), lambda e: e.name()),
    # pop gives a variant's value, every other read a Variant
    "VariantList": (lambda i: Setup.Variant(i), lambda e: e if isinstance(e, int) else e.toInt()),
    "PartList": (lambda i: SetupHost.new_part(f"part{i}"), _object_key),
    "EntityIdList": (lambda i: i * 10, lambda e: e),
    "MaterialList": (lambda i: SetupHost.new_material(f"m{i}"), _object_key),
    "PropertyList": (lambda i: SetupHost.new_property(f"pr{i}"), _object_key),
    "VariationList": (lambda i: SetupHost.new_variation(f"v{i}"), _object_key),
    "BCList": (lambda i: SetupHost.new_boundary_condition(f"bc{i}"), _object_key),
    "ICList": (lambda i: SetupHost.new_initial_condition(f"ic{i}"), _object_key),
    "EntityList": (lambda i: SetupHost.new_entity(f"e{i}"), _object_key),
}

VALUE_KINDS = ["VectorList", "PropertyDefinitionList", "VariantList", "BCList", "ICList", "EntityList"]
POINTER_KINDS = ["DesignList", "ScenarioList", "PartList", "MaterialList", "PropertyList", "VariationList"]


class Pool:
    """Distinct elements of one list type, and the keys that tell them apart."""

    def __init__(self, name, count=9):
        make, self.key = KINDS[name]
        self.cls = getattr(Setup, name)
        self.elements = [make(i) for i in range(count)]

    def new(self, size):
        return self.cls(self.elements[:size])

    def keys(self, lst):
        return [self.key(e) for e in lst]

    def expected(self, size):
        return [self.key(e) for e in self.elements[:size]]
