"""How the stand-in's study scales with its parts. Writes studies of one design
and one scenario, ten entities a part, with groups, materials and conditions
that refer to the entities, in the study-file layout (docs/study-files.md);
then measures, in one run and best of a few repetitions:

- opening and saving a study of 20,000 parts beside Python's own json.load
  and json.dump(indent=2) of the same data;
- open, save, filling a part list and cloning the design on 10,000 and on
  20,000 parts: doubling the parts may double the time, and 20 % more;
- the scenario's lookups by name and id on 20,000 parts beside 100 parts,
  each part in turn in a shuffled order, so that the large study's lookups
  meet the cache misses that a script's loop over its parts meets.

Prints a table of ratios with their goals; with --check, exits with status 1
when a goal is missed. Absolute times are printed for orientation only: the
machine is shared, and only the ratios, measured side by side, count."""
import argparse
import gc
import json
import os
import random
import sys
import tempfile
import time

import Setup
import SetupHost

ENTITIES_PER_PART = 10
PARTS_PER_GROUP = 100
PARTS_PER_MATERIAL = 1000
KINDS = ["point", "edge", "surface", "volume", "unknown"]

DESIGN, SCENARIO = "Baseline", "Natural convection"
LARGE, HALF, SMALL = 20_000, 10_000, 100
LOOKUPS = LARGE  # calls in a timing run of a lookup: each part of the large study once


def entity_id(part, k):
    return part * 100 + k + 1


def props(i):
    return [{"name": "Power", "type": "double", "value": 0.25 * i + 0.1},
            {"name": "Layer", "type": "int", "value": i % 7},
            {"name": "Note", "type": "text", "value": f"Bauteil {i} \u00e9\u00e8 \"q\""}]


def make_study(parts):
    """The study, as the json module would hold it."""
    part_list = []
    for i in range(parts):
        x, y = float(i % 200), float(i // 200)
        part_list.append({
            "id": i + 1, "name": f"Part {i}", "tag": "component" if i % 3 else "board", "properties": props(i),
            "boundingBox": {"min": [x, y, 0.0], "max": [x + 0.75, y + 0.5, 1.6 + i * 1e-4]},
            "entities": [{"id": entity_id(i, k), "kind": KINDS[k % 5], "name": f"Face {k}"}
                         for k in range(ENTITIES_PER_PART)]})

    def over(step, name, pick):
        return [{"name": f"{name} {j}", "properties": props(j),
                 "entities": [entity_id(i, k) for i in range(j * step, min(parts, (j + 1) * step))
                              for k in range(ENTITIES_PER_PART) if pick(k)]}
                for j in range((parts + step - 1) // step)]

    scenario = {
        "name": SCENARIO, "properties": props(0), "flags": ["Transient off"],
        "resultQuantities": ["Temperature", "Velocity"], "results": {},
        "parts": part_list,
        "groups": over(PARTS_PER_GROUP, "Group", lambda k: True),
        "materials": over(PARTS_PER_MATERIAL, "Material", lambda k: k % 5 == 3),
        "boundaryConditions": over(PARTS_PER_GROUP, "Heat", lambda k: k % 5 == 2),
        "initialConditions": over(PARTS_PER_MATERIAL * 10, "Start", lambda k: k == 0),
        "mesh": {"properties": props(1), "regions": [
            {"name": f"Region {j}", "shape": ["box", "cylinder", "sphere"][j % 3], "properties": []}
            for j in range(10)]},
    }
    return {"format": "Setup study", "version": 1, "name": f"Scale {parts}", "lengthUnit": "millimeter",
            "properties": props(2),
            "designs": [{"name": DESIGN, "properties": [], "scenarios": [scenario]}],
            "activeScenario": {"design": DESIGN, "scenario": SCENARIO}}


def timed(action, runs=1):
    """Seconds that a run of the action takes, the best of some."""
    best = float("inf")
    for _ in range(runs):
        gc.collect()
        start = time.perf_counter()
        action()
        best = min(best, time.perf_counter() - start)
    return best


def refused():
    failed = [e for e in SetupHost.journal() if " failed:" in e]
    SetupHost.clear_journal()
    if failed:
        raise SystemExit("the host refused: " + failed[0])


class Sized:
    """One study size: its file and its data."""

    def __init__(self, folder, parts):
        self.parts = parts
        self.data = make_study(parts)
        self.path = os.path.join(folder, f"study-{parts}.json")
        self.saved = os.path.join(folder, f"saved-{parts}.json")
        self.dumped = os.path.join(folder, f"dumped-{parts}.json")
        with open(self.path, "w", encoding="utf-8") as f:
            json.dump(self.data, f, indent=2)
        self.clones = 0

    def json_load(self):
        with open(self.path, encoding="utf-8") as f:
            json.load(f)

    def json_dump(self):
        with open(self.dumped, "w", encoding="utf-8") as f:
            json.dump(self.data, f, indent=2)

    def open(self):
        Setup.DesignStudy.Create().open(self.path)

    def save(self):
        Setup.DesignStudy.Create().save()

    def fill_parts(self):
        parts = Setup.PartList()
        Setup.DesignStudy.Create().getActiveScenario().parts(parts)
        assert len(parts) == self.parts

    def clone(self):
        self.clones += 1
        Setup.DesignStudy.Create().design(DESIGN).clone(f"Copy {self.clones}")


def lookups(study, parts):
    """Each lookup of the scenario with the calls of a timing run, or None for one that the module lacks."""
    scenario = study.getActiveScenario()
    keys = {
        "partByNameAndId": [(f"Part {i}", i + 1) for i in range(parts)],
        "entity": [(f"Part {i}", entity_id(i, i % ENTITIES_PER_PART)) for i in range(parts)],
        "group": [(f"Group {j}",) for j in range((parts + PARTS_PER_GROUP - 1) // PARTS_PER_GROUP)],
        "getMaterial": [(f"Material {j}",) for j in range((parts + PARTS_PER_MATERIAL - 1) // PARTS_PER_MATERIAL)],
    }
    out = {}
    for method, args in keys.items():
        call = getattr(scenario, method, None)
        if call is None:
            out[method] = None
            continue
        # Every key in turn, shuffled. Each call has keys of its own on either
        # study, so that only the host's side of the lookup differs.
        random.Random(7).shuffle(args)
        out[method] = (call, [tuple(copied(key) for key in args[i % len(args)]) for i in range(LOOKUPS)])
    return out


def copied(key):
    """An equal key that is an object of its own."""
    return "".join(key) if isinstance(key, str) else int(str(key))


def time_lookup(call, cycle):
    """Seconds per call, once the scenario has been searched: the first
    lookup after an open makes the scenario's lookups."""
    def run():
        for args in cycle:
            call(*args)
    run()
    return timed(run, 2) / len(cycle)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=5, help="timing runs of each operation (default 5)")
    parser.add_argument("--check", action="store_true", help="exit with status 1 if a goal is missed")
    args = parser.parse_args()
    SetupHost.reset()

    with tempfile.TemporaryDirectory(prefix="bench-scale-") as folder:
        sizes = {parts: Sized(folder, parts) for parts in (SMALL, HALF, LARGE)}
        size_mb = os.path.getsize(sizes[LARGE].path) / 1e6
        t = {}

        def keep(key, value):
            if value is None:  # a method that the module lacks
                t[key] = None
            else:
                t[key] = min(t.get(key, float("inf")), value)

        # Each run times every operation on either size in turn, so that both
        # meet the same load and the same host: the host keeps what it made
        # until the process ends, and grows from run to run.
        for _ in range(args.runs):
            keep("json.load", timed(sizes[LARGE].json_load))
            for parts in (LARGE, HALF):
                s = sizes[parts]
                keep(("open", parts), timed(s.open))
                refused()
                Setup.DesignStudy.Create().setPath(s.saved)
                keep(("save", parts), timed(s.save))
                keep(("parts", parts), timed(s.fill_parts, 3))
                keep(("clone", parts), timed(s.clone, 3))
                refused()
            keep("json.dump", timed(sizes[LARGE].json_dump))
            for parts in (SMALL, LARGE):
                SetupHost.reset()
                Setup.DesignStudy.Create().open(sizes[parts].path)
                refused()
                SetupHost.set_journal_enabled(False)  # lookups are timed by the thousand
                for method, found in lookups(Setup.DesignStudy.Create(), parts).items():
                    keep((method, parts), None if found is None else time_lookup(*found))
            SetupHost.reset()

    rows = [
        (f"open {LARGE:,} parts, beside json.load", t[("open", LARGE)], t["json.load"], 2.0),
        (f"save {LARGE:,} parts, beside json.dump(indent=2)", t[("save", LARGE)], t["json.dump"], 1.0),
    ]
    for label, key in [("open", "open"), ("save", "save"), ("scenario.parts(PartList())", "parts"),
                       ("design.clone(name)", "clone")]:
        rows.append((f"{label}: {LARGE:,} parts beside {HALF:,}", t[(key, LARGE)], t[(key, HALF)], 2.4))
    for label, key in [("scenario.partByNameAndId(name, id)", "partByNameAndId"),
                       ("scenario.entity(part_name, id)", "entity"),
                       ("scenario.group(name)", "group"), ("scenario.getMaterial(name)", "getMaterial")]:
        rows.append((f"{label}: {LARGE:,} parts beside {SMALL}", t[(key, LARGE)], t[(key, SMALL)], 2.0))

    print(f"Studies of one design and scenario, {ENTITIES_PER_PART} entities a part; the {LARGE:,}-part file "
          f"is {size_mb:.0f} MB. Best of {args.runs} runs.\n")
    print("| operation | measured | reference | ratio | goal | |")
    print("|---|---|---|---|---|---|")
    missed = []
    for label, ours, reference, goal in rows:
        if ours is None or reference is None:  # a method that the module does not have yet
            print(f"| {label} | n/a | n/a | n/a | at most {goal:.1f}x | n/a |")
            continue
        ratio = ours / reference
        ok = ratio <= goal
        if not ok:
            missed.append(label)
        print(f"| {label} | {fmt(ours)} | {fmt(reference)} | {ratio:.2f}x | at most {goal:.1f}x | "
              f"{'meets' if ok else 'MISSES'} |")
    if missed:
        print("\nGoals missed: " + "; ".join(missed))
    return 1 if args.check and missed else 0


def fmt(seconds):
    if seconds >= 0.1:
        return f"{seconds:.2f} s"
    if seconds >= 1e-4:
        return f"{seconds * 1e3:.2f} ms"
    return f"{seconds * 1e9:.0f} ns"


if __name__ == "__main__":
    sys.exit(main())
