"""Nanoseconds per call of the binding beside three peers that bind the same
stand-in host calls: by hand with the CPython C API, by nanobind and by
pybind11. Every figure is the best of several timing runs, the bindings taking
turns within each round, so that a busy machine slows them alike; the ratios
to the hand-written binding are what counts."""
import argparse
import sys
import timeit

import Setup
import SetupHost
import _Setup

import bench_capi
import bench_nanobind
import bench_pybind11

TEXT = "Airflow"
CALLS_PER_RUN = 10e-3  # seconds that one timing run of the hand-written call should take


def binding():
    return dict(V=Setup.Vector, v=Setup.Vector(1.0, 2.0, 3.0), s=SetupHost.new_scenario(TEXT),
                x_get=_Setup.Vector_x_get, name=_Setup.Object_name, set_name=_Setup.Scenario_setName, text=TEXT)


def peer(module):
    return dict(V=module.Vector, v=module.Vector(1.0, 2.0, 3.0), s=module.new_scenario(TEXT),
                x_get=module.Vector_x_get, name=module.Object_name, set_name=module.Scenario_setName, text=TEXT)


# (what is called, statement, journal entries per call, most the binding may cost relative to the hand-written one)
ROWS = [
    ("flat function with a proxy argument `Vector_x_get(v)`", "x_get(v)", 0, 2.0),
    ("proxy attribute `v.x`", "v.x", 0, 3.0),
    ("proxy attribute set `v.x = 2.5`", "v.x = 2.5", 0, 3.0),
    ("proxy method with one argument `s.setName(text)`", "s.setName(text)", 1, 3.0),
    ("create and drop `Vector(1.0, 2.0, 3.0)`", "V(1.0, 2.0, 3.0)", 2, 2.5),
    ("QString argument `Scenario_setName(s, text)`", "set_name(s, text)", 1, 1.5),
    ("QString result `Object_name(s)`", "name(s)", 1, 1.5),
    ("None refused `Vector_x_get(None)`", "try:\n    x_get(None)\nexcept TypeError:\n    pass", 0, 5.0),
    ("wrong type refused `Vector_x_get(s)`", "try:\n    x_get(s)\nexcept TypeError:\n    pass", 0, 5.0),
]
PEERS = ["hand-written C API", "_Setup (SWIG -fastproxy)", "nanobind", "pybind11"]


def namespaces():
    return {"hand-written C API": peer(bench_capi), "_Setup (SWIG -fastproxy)": binding(),
            "nanobind": peer(bench_nanobind), "pybind11": peer(bench_pybind11)}


def measure(rounds, journal):
    """Nanoseconds per call, by row and binding."""
    SetupHost.reset()
    SetupHost.set_journal_enabled(journal)
    spaces = namespaces()
    results = {}
    for label, stmt, _, _ in ROWS:
        timers = {name: timeit.Timer(stmt, globals=spaces[name]) for name in PEERS}
        per_run = timers[PEERS[0]].timeit(1000) / 1000
        number = max(1000, min(200000, int(CALLS_PER_RUN / max(per_run, 1e-9))))
        best = {name: float("inf") for name in PEERS}
        for turn in range(rounds):
            order = PEERS[turn % len(PEERS):] + PEERS[:turn % len(PEERS)]
            for name in order:
                best[name] = min(best[name], timers[name].timeit(number) / number)
                SetupHost.clear_journal()
        results[label] = {name: best[name] * 1e9 for name in PEERS}
    SetupHost.reset()
    return results


def table(results, with_goal):
    head = "| call | " + " | ".join(PEERS) + (" | goal | |" if with_goal else " |")
    lines = [head, "|" + "---|" * (len(PEERS) + 1 + (2 if with_goal else 0))]
    missed = []
    for label, _, _, goal in ROWS:
        row = results[label]
        floor = row[PEERS[0]]
        cells = [f"{row[PEERS[0]]:.1f}"] + [f"{row[name]:.1f} ({row[name] / floor:.1f}x)" for name in PEERS[1:]]
        line = f"| {label} | " + " | ".join(cells)
        if with_goal:
            ratio = row[PEERS[1]] / floor
            ok = ratio <= goal
            if not ok:
                missed.append(label)
            line += f" | at most {goal:.1f}x | {'meets' if ok else 'MISSES'}"
        lines.append(line + " |")
    return "\n".join(lines), missed


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--rounds", type=int, default=7, help="timing runs per call and binding (default 7)")
    parser.add_argument("--check", action="store_true", help="exit with status 1 if the binding misses a goal")
    args = parser.parse_args()

    off = measure(args.rounds, journal=False)
    on = measure(args.rounds, journal=True)

    text, missed = table(off, with_goal=True)
    print("Journal off: nanoseconds per call (ratio to the hand-written binding)\n")
    print(text)
    print("\nJournal on: nanoseconds per call (ratio to the hand-written binding)\n")
    print(table(on, with_goal=False)[0])

    print("\nThe journal's cost per entry, hand-written binding, journal on less journal off:\n")
    for label, _, entries, _ in ROWS:
        if entries:
            cost = (on[label][PEERS[0]] - off[label][PEERS[0]]) / entries
            print(f"- {label}: {cost:.1f} ns per entry ({entries} per call)")
    if missed:
        print("\nGoals missed: " + "; ".join(missed))
    return 1 if args.check and missed else 0


if __name__ == "__main__":
    sys.exit(main())
