"""The long run:  python3 -m tests.fuzz --calls 1000000 [--seed N] [--jobs N]

Run from the repository's root with the Python that has the binding installed.
Prints a progress line every 30 seconds, each finding with its replay snippet
as it is found, and a summary line; exits with 1 if there were new findings."""

import argparse
import random
import sys

from .runner import Fuzzer

parser = argparse.ArgumentParser(prog="python3 -m tests.fuzz", description=__doc__.splitlines()[0])
parser.add_argument("--calls", type=int, default=1_000_000, help="fuzzed calls to make (default 1000000)")
parser.add_argument("--seed", type=int, default=None, help="the run's seed (default: a random one)")
parser.add_argument("--jobs", type=int, default=None, help="children at a time (default: one per core)")
parser.add_argument("--timeout", type=float, default=None, help="seconds a case may take before it is a hang")
options = parser.parse_args()

seed = options.seed if options.seed is not None else random.SystemRandom().randrange(2**32)
print(f"fuzz: seed {seed}, {options.calls} calls", flush=True)
fuzzer = Fuzzer(seed, timeout=options.timeout, jobs=options.jobs, log=lambda text: print(text, flush=True))
findings = fuzzer.run(options.calls)
for finding in findings:
    print(f"{finding.head()} (seed {seed}, batch {finding.batch}, case {finding.case}, seen {finding.count})")
print(fuzzer.summary(), flush=True)
sys.exit(1 if any(not f.known for f in findings) else 0)
