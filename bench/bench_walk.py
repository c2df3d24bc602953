"""Walking a large study from Python: every part of a study of 20,000 parts
(`scenario.parts(PartList)`), and each of its ten entities through
`scenario.entity(part.name(), id)`, reading each entity's `id()`, `name()` and
`type()`, beside the same walk over plain Python objects that hold the same
data and have the same methods. The study is written in the study-file layout
by bench_scale.py's writer; the entity ids are known from it.

Both walks run in one process, taking turns, best of a few runs; the journal
is off, as a script that walks a whole study would switch it. Prints a table
row with the ratio and its goal; with --check, exits with status 1 when the
goal is missed."""
import argparse
import json
import os
import sys
import tempfile

import Setup
import SetupHost

from bench_scale import ENTITIES_PER_PART, KINDS, LARGE, make_study, timed

GOAL = 3.0


class PlainEntity:
    __slots__ = ("_id", "_name", "_type")

    def __init__(self, id_, name, type_):
        self._id, self._name, self._type = id_, name, type_

    def id(self):
        return self._id

    def name(self):
        return self._name

    def type(self):
        return self._type


class PlainPart:
    __slots__ = ("_name",)

    def __init__(self, name):
        self._name = name

    def name(self):
        return self._name


class PlainScenario:
    """The scenario's parts and entities, as a script's own Python objects would hold them."""

    def __init__(self, data):
        parts = data["designs"][0]["scenarios"][0]["parts"]
        self._parts = [PlainPart(p["name"]) for p in parts]
        self._entities = {(p["name"], e["id"]): PlainEntity(e["id"], e["name"], e["kind"].capitalize())
                          for p in parts for e in p["entities"]}

    def parts(self, out):
        out[:] = self._parts

    def entity(self, part_name, id_):
        return self._entities.get((part_name, id_))


def entity_ids(data):
    """The ids of each part's entities, by part name, from the file's data."""
    return {p["name"]: [e["id"] for e in p["entities"]] for p in data["designs"][0]["scenarios"][0]["parts"]}


def walk(scenario, parts, ids):
    """Visits every entity of every part; gives how many it read."""
    scenario.parts(parts)
    count = 0
    for part in parts:
        name = part.name()
        for id_ in ids[name]:
            entity = scenario.entity(name, id_)
            entity.id(), entity.name(), entity.type()
            count += 1
    return count


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=5, help="timing runs of each walk (default 5)")
    parser.add_argument("--check", action="store_true", help="exit with status 1 if the goal is missed")
    args = parser.parse_args()
    SetupHost.reset()
    data = make_study(LARGE)
    ids = entity_ids(data)
    with tempfile.TemporaryDirectory(prefix="bench-walk-") as folder:
        path = os.path.join(folder, "walk.json")
        with open(path, "w", encoding="utf-8") as f:
            json.dump(data, f, indent=2)
        study = Setup.DesignStudy.Create()
        study.open(path)
    scenario = study.getActiveScenario()
    if scenario is None:
        raise SystemExit("the study did not open: " + SetupHost.journal()[-1])
    plain = PlainScenario(data)
    SetupHost.set_journal_enabled(False)

    expected = LARGE * ENTITIES_PER_PART
    # A first walk of each: the scenario makes its lookups when first asked.
    assert walk(scenario, Setup.PartList(), ids) == expected and walk(plain, [], ids) == expected
    first = scenario.entity("Part 7", ids["Part 7"][3])
    assert (first.id(), first.name(), first.type()) == (ids["Part 7"][3], "Face 3", KINDS[3].capitalize())
    ours = reference = float("inf")
    for _ in range(args.runs):
        ours = min(ours, timed(lambda: walk(scenario, Setup.PartList(), ids)))
        reference = min(reference, timed(lambda: walk(plain, [], ids)))
    SetupHost.set_journal_enabled(True)

    ratio = ours / reference
    meets = ratio <= GOAL
    per = 1e9 / expected
    print(f"A walk of {LARGE:,} parts and {expected:,} entities, best of {args.runs} runs, journal off.\n")
    print("| walk | binding | plain Python objects | ratio | goal | |")
    print("|---|---|---|---|---|---|")
    print(f"| `scenario.parts(PartList)`, then `scenario.entity(part.name(), id)` and its `id()`, `name()`, `type()` "
          f"| {ours:.2f} s ({ours * per:.0f} ns an entity) | {reference:.2f} s ({reference * per:.0f} ns an entity) "
          f"| {ratio:.2f}x | at most {GOAL:.1f}x | {'meets' if meets else 'MISSES'} |")
    return 1 if args.check and not meets else 0


if __name__ == "__main__":
    sys.exit(main())
