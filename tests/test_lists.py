"""The list types and their iterator, through the module as a script uses them."""

import gc

import pytest

from conftest import Setup, SetupHost, _Setup, raises_text
from lists_kinds import KINDS, POINTER_KINDS, VALUE_KINDS, Pool

SPEC_FUNCTIONS = """iterator __nonzero__ __bool__ __len__ size empty capacity pop __getslice__
__setslice__ __delslice__ __getitem__ __setitem__ __delitem__ append push_back pop_back clear
swap get_allocator begin end rbegin rend erase front back assign resize insert reserve""".split()
ITERATOR_FUNCTIONS = """value incr decr advance distance equal __eq__ __ne__ copy next __next__
previous __iadd__ __isub__ __add__ __sub__""".split()


@pytest.mark.parametrize("name", KINDS)
def test_every_list_has_its_functions(name):
    for fn in SPEC_FUNCTIONS:
        assert callable(getattr(_Setup, f"{name}_{fn}")), fn
    for fn in (f"new_{name}", f"delete_{name}", f"{name}_swigregister"):
        assert callable(getattr(_Setup, fn))
    for fn in ITERATOR_FUNCTIONS:
        assert callable(getattr(_Setup, f"SwigPyIterator_{fn}"))


@pytest.mark.parametrize("name", KINDS)
def test_sequence_behaviour(name):
    pool = Pool(name)
    lst = pool.new(3)
    assert len(lst) == lst.size() == 3 and lst and not lst.empty()
    assert pool.keys(lst) == pool.keys(lst.iterator()) == pool.expected(3)
    assert pool.key(lst[-1]) == pool.key(lst.back()) == pool.expected(3)[2]
    assert raises_text(IndexError, lambda: lst[3]) == "index out of range"
    lst.append(pool.elements[5])
    lst.insert(lst.begin() + 1, pool.elements[6])
    del lst[0]
    assert pool.keys(lst) == pool.keys(pool.elements[i] for i in (6, 1, 2, 5))
    assert pool.key(lst.pop()) == pool.expected(6)[5]
    assert repr(pool.cls()) == f"{name}([])"
    assert pool.keys(pool.cls(iter(pool.elements[:2]))) == pool.expected(2)
    empty = pool.cls()
    for action in (empty.front, empty.back, empty.pop_back, empty.pop):
        with pytest.raises(IndexError):
            action()


def test_a_count_is_never_a_list_and_other_iterables_are_elements():
    assert list(Setup.EntityIdList(3)) == [0, 0, 0]
    assert list(Setup.EntityIdList([3])) == [3]
    assert list(Setup.EntityIdList({4, 5})) == [4, 5]
    assert list(Setup.EntityIdList(i for i in range(3))) == [0, 1, 2]
    assert repr(Setup.EntityIdList([1, 2, 3])) == "EntityIdList([1, 2, 3])"
    assert 2 in Setup.EntityIdList([1, 2]) and 7 not in Setup.EntityIdList([1, 2])


@pytest.mark.parametrize("name", ["EntityIdList", "VectorList", "VariantList", "PropertyDefinitionList", "PartList"])
def test_lists_of_equal_elements_are_equal(name):
    pool = Pool(name)
    assert pool.new(2) == pool.cls(iter(pool.elements[:2])) != pool.new(1)
    assert pool.new(2) != pool.cls(pool.elements[1:3]) and pool.new(0) != []
    assert pool.elements[1] in pool.new(2) and pool.elements[4] not in pool.new(2)


def test_value_elements_are_views_when_read_and_copies_when_popped():
    lst = Setup.VectorList([Setup.Vector(1, 2, 3), Setup.Vector(4, 5, 6)])
    lst[0].x = 10.0
    assert lst[0].x == 10.0 and not lst[0].thisown
    last = lst.pop()
    assert last.thisown
    last.x = 99.0
    assert [v.x for v in lst] == [10.0]
    copy = next(iter(lst))
    copy.x = 7.0
    assert lst[0].x == 10.0


def test_mutators_accept_elements_of_their_own_list():
    lst = Setup.VectorList([Setup.Vector(1, 0, 0)])
    for _ in range(6):
        lst.append(lst[0])  # the list grows past its capacity while reading its own element
    lst.insert(lst.begin(), lst[-1])
    lst.assign(3, lst[1])
    lst.resize(6, lst[0])
    lst[2] = lst[0]
    assert [v.x for v in lst] == [1.0] * 6
    other = Setup.VectorList(2)
    lst.swap(other)
    lst.reserve(100)
    assert (len(lst), len(other), lst.capacity() >= 100) == (2, 6, True)


def test_variant_list_pops_a_value_but_reads_variants():
    lst = Setup.VariantList([Setup.Variant(2.5)])
    assert isinstance(lst[0], Setup.Variant) and isinstance(next(iter(lst)), Setup.Variant)
    assert isinstance(lst.iterator().value(), Setup.Variant)
    assert lst.pop() == 2.5


@pytest.mark.parametrize("name", POINTER_KINDS)
def test_pointer_lists_hold_none_and_never_own(name):
    pool = Pool(name)
    lst = pool.cls()
    lst.append(None)
    lst.append(pool.elements[0])
    assert lst[0] is None and not lst[1].thisown and lst[1] == pool.elements[0]
    assert pool.elements[0] in lst
    del lst
    gc.collect()
    assert SetupHost.describe(pool.elements[0])  # the host object is still there


@pytest.mark.parametrize("name", VALUE_KINDS)
def test_value_lists_refuse_none_and_free_their_copies(name):
    pool = Pool(name)
    lst = pool.new(2)
    text = raises_text(ValueError, lst.append, None)
    assert text.startswith(f"invalid null reference in method '{name}_append', argument 2 of type ")
    host_class = {"BCList": "BoundaryCondition", "ICList": "InitialCondition", "EntityList": "Entity"}.get(name)
    if host_class:
        before = SetupHost.live_objects(host_class)
        lst.resize(10)
        assert SetupHost.live_objects(host_class) == before + 8
        del lst
        gc.collect()
        assert SetupHost.live_objects(host_class) == before - 2


@pytest.mark.parametrize("call, text", [
    (lambda: Setup.PartList().append(SetupHost.new_group("g")),
     "in method 'PartList_append', argument 2 of type 'std::vector< script::Part * >::value_type'"),
    (lambda: Setup.EntityIdList().append(2**31),
     "in method 'EntityIdList_append', argument 2 of type 'std::vector< int >::value_type const &'"),
    (lambda: _Setup.VectorList___setslice__(Setup.VectorList(), 0, 0, [1]),
     "in method 'VectorList___setslice__', argument 4 of type "
     "'std::vector< Clt::Vector,std::allocator< Clt::Vector > > const &'"),
    (lambda: Setup.VectorList().swap([]), "in method 'VectorList_swap', argument 2 of type 'std::vector< Clt::Vector > &'"),
])
def test_argument_failures(call, text):
    assert raises_text(TypeError, call) == text


def test_overload_failure_lists_the_forms():
    text = raises_text(Setup.OverloadError, Setup.VectorList, [1])
    assert text.startswith("Wrong number of arguments for overloaded function 'new_VectorList'.\n"
                           "  Possible C/C++ prototypes are:\n    std::vector< Clt::Vector >::vector()\n")


def test_host_filled_lists_go_by_the_application_names():
    lists = [getattr(Setup, n)() for n in ("PartList", "EntityIdList", "MaterialList", "PropertyList",
                                            "VariationList", "BCList", "ICList", "EntityList")]
    lists[1].append(7)
    SetupHost.fill_lists(*lists)
    assert "standin::fillLists(0, 1, 0, 0, 0, 0, 0, 0)" in SetupHost.journal()
    assert [len(x) for x in lists] == [1, 2, 1, 1, 1, 1, 1, 1]
    assert raises_text(TypeError, SetupHost.fill_lists, *lists[:5], [], *lists[6:]) == \
        "in method 'fill_lists', argument 6 of type 'script::BCList &'"
    assert raises_text(ValueError, SetupHost.fill_lists, *lists[:1], None, *lists[2:]) == \
        "invalid null reference in method 'fill_lists', argument 2 of type 'IntList &'"


def test_iterators_move_within_their_list():
    lst = Setup.EntityIdList([1, 2, 3])
    it = lst.begin()
    assert [it.next(), it.next(), it.next()] == [1, 2, 3]
    with pytest.raises(StopIteration):
        it.next()
    assert it.previous() == 3 and lst.end() - lst.begin() == 3 and (lst.end() - 1).value() == 3
    assert [lst.rbegin().value(), (lst.rbegin() + 2).value()] == [3, 1]
    assert (lst.begin() + 1).distance(lst.end()) == 2 and lst.begin().equal(lst.end() - 3)
    assert lst.begin().__sub__("x") is NotImplemented
    with pytest.raises(StopIteration):
        lst.begin().decr()


def test_in_place_moves_hand_ownership_on():
    lst = Setup.EntityIdList([1, 2, 3])
    it = lst.begin()
    moved = it.__iadd__(1)
    assert (it.thisown, moved.thisown, moved.value()) == (False, True, 2)
    view = moved.incr()  # a view of the same iterator
    assert not view.thisown and view.__isub__(1).thisown is False


@pytest.mark.parametrize("compare", ["distance", "equal", "__eq__", "__ne__", "__sub__"])
@pytest.mark.parametrize("other", [lambda l: Setup.EntityIdList([1]).begin(), lambda l: l.rbegin(),
                                   lambda l: Setup.VectorList().begin()])
def test_iterators_of_other_lists_or_kinds_are_refused(compare, other):
    lst = Setup.EntityIdList([1])
    assert raises_text(ValueError, getattr(lst.begin(), compare), other(lst)) == "bad iterator type"


def test_erase_and_insert_take_only_current_iterators_of_their_list():
    lst = Setup.EntityIdList([1, 2, 3])
    stale = lst.begin()
    assert lst.erase(lst.begin()).value() == 2
    with pytest.raises(ValueError, match="changed size"):
        lst.erase(stale)
    with pytest.raises(ValueError, match="does not belong"):
        lst.insert(Setup.EntityIdList([1]).begin(), 5)
    with pytest.raises(ValueError):
        lst.erase(lst.end())
    lst.insert(lst.end(), 2, 9)
    lst.erase(lst.begin(), lst.begin() + 1)
    assert list(lst) == [3, 9, 9]


def test_iterators_keep_their_list_and_notice_a_deleted_one():
    lst = Setup.EntityIdList([4, 5])
    it, fast = lst.begin(), iter(lst)
    del lst
    gc.collect()
    assert it.value() == 4 and next(fast) == 4
    other = Setup.EntityIdList([6])
    it, fast = other.iterator(), iter(other)
    _Setup.delete_EntityIdList(other)
    for action in (it.value, fast.__next__):
        assert raises_text(ValueError, action) == "the iterator's list no longer exists"


def test_allocator_is_opaque_and_quiet(capfd):
    alloc = Setup.VectorList().get_allocator()
    del alloc
    gc.collect()
    assert capfd.readouterr().out == ""
