"""Slices of every list type read, write and delete exactly as Python's own
list slices do, exceptions included."""

import itertools

import pytest

from lists_kinds import KINDS, Pool

BOUNDS = range(-8, 9)
SIZES = range(0, 7)


def cuts(size, every):
    """Every slice of the grid; or, with `every` false, one of each set of
    slices that Python itself resolves to the same start, stop and step."""
    seen = set()
    for start, stop, step in itertools.product(BOUNDS, BOUNDS, BOUNDS):
        cut = slice(start, stop, step)
        resolved = cut.indices(size) if step else None
        if every or resolved not in seen:
            seen.add(resolved)
            yield cut


def outcome(action):
    try:
        return ("ok", action())
    except (IndexError, ValueError, TypeError) as e:
        return (type(e), str(e))


@pytest.mark.parametrize("name", KINDS)
def test_slice_objects_match_python(name):
    pool = Pool(name)
    for size in SIZES:
        base = pool.new(size)
        model = pool.expected(size)
        # The index arithmetic is shared by every list type: the int list
        # meets the whole grid, the others one slice of each resolution.
        for cut in cuts(size, every=name == "EntityIdList"):
            step = cut.step
            where = (size, cut)
            assert outcome(lambda: pool.keys(base[cut])) == outcome(lambda: model[cut]), where

            width = 2 if step == 1 else len(range(*cut.indices(size))) if step else 1
            for count in {width, width + 1}:
                got, want = base[:], list(model)
                items = pool.elements[7:7 + count] if count <= 2 else pool.elements[:count]
                keys = pool.keys(items)

                def write_got():
                    got[cut] = items
                    return pool.keys(got)

                def write_want():
                    want[cut] = keys
                    return want

                assert outcome(write_got) == outcome(write_want), where + (count,)

            got, want = base[:], list(model)

            def delete_got():
                del got[cut]
                return pool.keys(got)

            def delete_want():
                del want[cut]
                return want

            assert outcome(delete_got) == outcome(delete_want), where
        assert pool.keys(base) == model  # the source of every copy is untouched


@pytest.mark.parametrize("name", KINDS)
def test_flat_slice_functions_match_python(name):
    pool = Pool(name)
    cls = pool.cls
    for size, start, stop in itertools.product(SIZES, BOUNDS, BOUNDS):
        base, model = pool.new(size), pool.expected(size)
        assert pool.keys(base.__getslice__(start, stop)) == model[start:stop]
        got, want = base[:], list(model)
        got.__setslice__(start, stop, pool.elements[7:9])
        want[start:stop] = pool.keys(pool.elements[7:9])
        assert pool.keys(got) == want, (size, start, stop)
        got, want = base[:], list(model)
        got.__delslice__(start, stop)
        del want[start:stop]
        assert pool.keys(got) == want, (size, start, stop)
    assert cls.__name__ == name


def test_a_slice_beyond_the_end_is_empty_not_everything():
    pool = Pool("EntityIdList")
    assert list(pool.new(5)[10:20]) == [] and list(pool.new(5).__getslice__(10, 20)) == []


def test_assigning_a_list_to_a_slice_of_itself():
    lst = Pool("EntityIdList").new(4)
    lst[1:2] = lst
    assert list(lst) == [0, 0, 10, 20, 30, 20, 30]
    lst[::-1] = lst
    assert list(lst) == [30, 20, 30, 20, 10, 0, 0]
