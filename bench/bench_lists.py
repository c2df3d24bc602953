"""Building an EntityIdList of a million ints from a Python list, and list() of
it, beside array.array('i') doing the same, in one run. Prints the time of
each and the ratio; exits non-zero when a ratio passes its target."""

import array
import random
import sys
import time

import Setup

COUNT = 1_000_000
TARGET = 3.0
ROUNDS = 7


def best(action):
    times = []
    for _ in range(ROUNDS):
        start = time.perf_counter()
        action()
        times.append(time.perf_counter() - start)
    return min(times)


def main():
    rng = random.Random(7)
    data = [rng.randrange(-2**31, 2**31) for _ in range(COUNT)]
    ids = Setup.EntityIdList(data)
    ints = array.array("i", data)
    assert list(ids) == list(ints) == data

    rows = []
    for label, ours, reference in [
        ("EntityIdList(list)", lambda: Setup.EntityIdList(data), lambda: array.array("i", data)),
        ("list(EntityIdList)", lambda: list(ids), lambda: list(ints)),
    ]:
        # interleaved, so that both meet the same load
        ours_time = reference_time = float("inf")
        for _ in range(3):
            ours_time = min(ours_time, best(ours))
            reference_time = min(reference_time, best(reference))
        rows.append((label, ours_time, reference_time, ours_time / reference_time))

    print(f"{COUNT:,} ints, best of {ROUNDS * 3}; target: at most {TARGET}x array.array('i')")
    print(f"{'operation':<22}{'Setup ms':>10}{'array ms':>10}{'ratio':>8}")
    for label, ours_time, reference_time, ratio in rows:
        print(f"{label:<22}{ours_time * 1e3:>10.2f}{reference_time * 1e3:>10.2f}{ratio:>8.2f}")
    return 0 if all(row[3] <= TARGET for row in rows) else 1


if __name__ == "__main__":
    sys.exit(main())
