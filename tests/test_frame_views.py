"""Views into a list: an element read in place keeps its list alive, and is
refused once the list has moved its elements, never reading freed storage."""

import gc

import pytest

from conftest import Setup, SetupHost, _Setup, raises_text
from lists_kinds import VALUE_KINDS, Pool

STALE = "list element no longer exists"

# How a view is read back, by list type.
READ = {
    "VectorList": lambda e: e.x,
    "PropertyDefinitionList": lambda e: e.name(),
    "VariantList": lambda e: e.toInt(),
    "BCList": SetupHost.describe,
    "ICList": SetupHost.describe,
    "EntityList": SetupHost.describe,
}

# Every operation that may move a list's elements, given the list and a pool
# of elements of its type.
MOVES = {
    "append": lambda lst, pool: lst.append(pool.elements[5]),
    "push_back": lambda lst, pool: lst.push_back(pool.elements[5]),
    "insert": lambda lst, pool: lst.insert(lst.begin(), pool.elements[5]),
    "insert count": lambda lst, pool: lst.insert(lst.begin(), 2, pool.elements[5]),
    "erase": lambda lst, pool: lst.erase(lst.begin()),
    "erase range": lambda lst, pool: lst.erase(lst.begin(), lst.end()),
    "assign": lambda lst, pool: lst.assign(3, pool.elements[5]),
    "resize": lambda lst, pool: lst.resize(100000),
    "resize with element": lambda lst, pool: lst.resize(1, pool.elements[5]),
    "reserve": lambda lst, pool: lst.reserve(100000),
    "pop": lambda lst, pool: lst.pop(),
    "pop_back": lambda lst, pool: lst.pop_back(),
    "clear": lambda lst, pool: lst.clear(),
    "del item": lambda lst, pool: lst.__delitem__(-1),
    "del slice": lambda lst, pool: lst.__delitem__(slice(0, 1)),
    "delslice": lambda lst, pool: lst.__delslice__(0, 1),
    "set slice": lambda lst, pool: lst.__setitem__(slice(0, 1), [pool.elements[5]] * 2),
    "setslice": lambda lst, pool: lst.__setslice__(0, 1, [pool.elements[5]]),
    "swap": lambda lst, pool: lst.swap(pool.new(1)),
    "swapped into": lambda lst, pool: pool.new(1).swap(lst),
    "deleted": lambda lst, pool: getattr(_Setup, "delete_" + type(lst).__name__)(lst),
}

READS = {
    "index": lambda lst: lst[0],
    "negative index": lambda lst: lst[-3],
    "front": lambda lst: lst.front(),
    "back": lambda lst: lst.back(),
}


@pytest.mark.parametrize("read", READS)
@pytest.mark.parametrize("name", VALUE_KINDS)
def test_a_view_keeps_its_list_alive_and_writes_through(name, read):
    pool = Pool(name)
    lst = pool.new(3)
    view = READS[read](lst)
    expected = READ[name](view)
    del lst
    gc.collect()
    # Storage freed by the list would be taken by these.
    junk = [pool.new(3) for _ in range(50)]
    assert READ[name](view) == expected
    assert view.thisown is False
    del junk


@pytest.mark.parametrize("move", MOVES)
@pytest.mark.parametrize("name", VALUE_KINDS)
def test_a_move_of_the_elements_ends_every_earlier_view(name, move):
    pool = Pool(name)
    lst = pool.new(3)
    views = [lst[0], lst.front(), lst.back(), lst[1:3][0]]
    MOVES[move](lst, pool)
    for view in views[:3]:
        assert raises_text(ValueError, READ[name], view) == STALE
    # A slice is a list of its own, which the move did not touch.
    READ[name](views[3])


def test_assigning_an_item_keeps_the_views_and_later_views_are_good():
    lst = Setup.VectorList([Setup.Vector(1, 2, 3), Setup.Vector(4, 5, 6)])
    first = lst[0]
    lst[0] = Setup.Vector(7, 8, 9)
    lst[1] = first                     # an element of the same list
    assert (first.x, lst[1].x) == (7.0, 7.0)
    first.y = 42
    assert lst[0].y == 42.0
    lst.append(Setup.Vector(0, 0, 0))
    fresh = lst[0]
    fresh.z = -1
    assert lst[0].z == -1.0


def test_a_stale_view_is_refused_by_every_road():
    lst = Setup.VectorList([Setup.Vector(1, 2, 3)])
    view = lst[0]
    lst.clear()
    roads = [
        lambda: view.x,
        lambda: setattr(view, "y", 1.0),
        lambda: _Setup.Vector_x_get(view.this),   # the pointer object itself
        lambda: Setup.Vector(view),               # overloaded: the chosen form reports it
        lambda: lst.append(view),
        lambda: Setup.VectorList([view]),         # an item of a list argument
        lambda: lst.__setitem__(slice(0, 0), [view]),
        lambda: SetupHost.describe(view),         # the other module
    ]
    for road in roads:
        assert raises_text(ValueError, road) == STALE
    # Deleting a view destroys nothing, stale or not.
    before = SetupHost.live_objects("Vector")
    _Setup.delete_Vector(view)
    assert SetupHost.live_objects("Vector") == before


def test_a_view_never_owns_its_element():
    lst = Setup.VariantList([Setup.Variant("text")])
    view = lst[0]
    with pytest.raises(ValueError):
        view.thisown = True
    with pytest.raises(ValueError):
        view.this.acquire()
    view.thisown = False
    view.this.disown()
    assert view.this.own() is False
    before = SetupHost.live_objects("Variant")
    del view
    gc.collect()
    assert SetupHost.live_objects("Variant") == before
    assert lst[0].toString() == "text"


def test_a_list_the_host_fills_ends_its_views():
    design = SetupHost.new_design("Fan")
    SetupHost.give_property(design, "Power", 5)
    definitions, values = Setup.PropertyDefinitionList(), Setup.VariantList([Setup.Variant(1)])
    view = values[0]
    design.properties(definitions, values)
    assert raises_text(ValueError, view.toInt) == STALE
    bcs = Setup.BCList([SetupHost.new_boundary_condition("inlet")])
    bc = bcs[0]
    lists = [Setup.PartList(), Setup.EntityIdList(), Setup.MaterialList(), Setup.PropertyList(),
             Setup.VariationList(), bcs, Setup.ICList(), Setup.EntityList()]
    SetupHost.fill_lists(*lists)
    assert raises_text(ValueError, SetupHost.describe, bc) == STALE


def test_pointer_and_int_elements_are_no_views():
    part = SetupHost.new_part("Board")
    parts, ids = Setup.PartList([part]), Setup.EntityIdList([7])
    held, number = parts[0], ids[0]
    parts.clear()
    ids.clear()
    assert SetupHost.describe(held) == SetupHost.describe(part)
    assert number == 7


def test_a_list_that_handed_out_views_keeps_its_pointer_objects_manners():
    lst = Setup.EntityList(1)
    lst.back()
    assert hasattr(lst.this, "acquire") and lst.this.own() is True
    lst.this.note = "kept"                      # pointer objects take attributes, as before
    view = lst[0]
    lst.append(SetupHost.new_entity("e"))
    assert raises_text(ValueError, SetupHost.describe, view) == STALE
    assert lst.this.note == "kept"


# Views of a part of an object: what an object holds as its own and frees
# with itself holds that object. Each kind: the owner's class, how it is made,
# how its part is handed out, and a use of the part that reaches the host.
GONE = "the object this belongs to no longer exists"


def fan_curve(condition):
    SetupHost.give_fan_curve(condition, True)
    return condition.fanCurve()


def motion_component(motion):
    SetupHost.add_motion_component(motion, "Spin")
    return motion.motionComponent("Spin")


def motion_property(motion):
    SetupHost.add_motion_property(motion, "Speed")
    return motion.property("Speed")


def material_property(material):
    SetupHost.add_material_property(material, "Conductivity")
    return material.property("Conductivity")


PARTS = {
    "fan curve": ("BoundaryCondition", lambda: Setup.BoundaryCondition("Fan"), fan_curve,
                  lambda fan: fan.addPoint(1.0, 2.0)),
    "motion component": ("Motion", lambda: Setup.Motion("Rotor"), motion_component,
                         lambda component: component.setDirection(1.0, 0.0, 0.0)),
    "motion property": ("Motion", lambda: Setup.Motion("Rotor"), motion_property,
                        lambda prop: prop.setType("Constant")),
    "steered property": ("Motion", lambda: Setup.Motion("Rotor"),
                         lambda motion: SetupHost.add_motion_property(motion, "Speed"),
                         lambda prop: prop.setType("Constant")),
    "material property": ("Material", lambda: Setup.Material("Mine"), material_property,
                          lambda prop: prop.setType("Isotropic")),
}
# A material has no delete function of its own: only its proxy's release deletes it.
DELETABLE = [kind for kind in PARTS if PARTS[kind][0] != "Material"]


@pytest.mark.parametrize("kind", PARTS)
def test_a_part_keeps_its_object_alive_after_the_objects_proxy_goes(kind):
    owner_class, make, part_of, use = PARTS[kind]
    gc.collect()
    before = SetupHost.live_objects(owner_class)
    owner = make()
    part = part_of(owner)
    del owner
    gc.collect()
    assert SetupHost.live_objects(owner_class) >= before + 1
    use(part)
    assert " failed: " not in SetupHost.journal()[-1]
    del part
    gc.collect()
    assert SetupHost.live_objects(owner_class) == before


@pytest.mark.parametrize("kind", DELETABLE)
def test_a_part_is_refused_once_its_object_is_deleted(kind):
    owner_class, make, part_of, use = PARTS[kind]
    owner = make()
    part = part_of(owner)
    getattr(_Setup, "delete_" + owner_class)(owner)
    assert raises_text(ValueError, use, part) == GONE


@pytest.mark.parametrize("end", [
    lambda listed: listed.append(Setup.BoundaryCondition("More")),   # moves the element that owns the fan curve
    lambda listed: listed.clear(),
])
def test_a_part_of_a_list_element_ends_with_the_element(end):
    listed = Setup.BCList([Setup.BoundaryCondition("Fan")])
    fan = fan_curve(listed[0])
    end(listed)
    assert raises_text(ValueError, fan.addPoint, 1.0, 2.0) == GONE


def test_a_part_taken_away_or_replaced_stays_sound_while_its_object_lives():
    condition = Setup.BoundaryCondition("Fan")
    fan = fan_curve(condition)
    SetupHost.give_fan_curve(condition, False)
    assert condition.fanCurve() is None
    fan.addPoint(1.0, 2.0)                          # the condition keeps what it took away
    other = Setup.BoundaryCondition("Other")
    SetupHost.give_fan_curve(other, True)
    listed = Setup.BCList([condition])
    held = fan_curve(listed[0])
    listed[0] = other                               # replaced in place: the element's old fan curve stays
    held.addPoint(3.0, 4.0)
    SetupHost.reset()
    fan.addPoint(5.0, 6.0)
    assert SetupHost.journal() == ["FanCurve::addPoint(5.0, 6.0)"]
