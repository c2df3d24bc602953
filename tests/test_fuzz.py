"""The fuzzer: a bounded run that must find nothing new, and the fuzzer's own
promises: a fault in a case is named by that case and replays as a snippet,
and what it draws stays inside the case's folder and within memory."""

import ast
import os
import random
import subprocess
import sys

import pytest

from fuzz import Fuzzer
from fuzz.child import render_case
from fuzz.runner import probe
from fuzz.strategies import ALLOCATES_BY_COUNT, CaseMaker, safe_text

# Fixed, so that a run is repeatable; SETUP_FUZZ_SEED and SETUP_FUZZ_CALLS
# change it without editing this file. The long run: python3 -m tests.fuzz.
SEED = int(os.environ.get("SETUP_FUZZ_SEED", "1"))
CALLS = int(os.environ.get("SETUP_FUZZ_CALLS", "3000"))


def test_bounded_run_finds_nothing_new():
    fuzzer = Fuzzer(SEED, log=lambda text: None)
    findings = fuzzer.run(CALLS)
    for finding in findings:
        print(finding.report())
    print(fuzzer.summary())
    assert not [f for f in findings if not f.known], fuzzer.summary()


def replays(kind, done):
    return {"crash": done.returncode < 0,
            "exception": "KeyError" in done.stderr,
            "output": done.stdout == "planted\n",
            "unraisable": "ZeroDivisionError" in done.stderr}[kind]


@pytest.mark.parametrize("kind, fault", [
    ("crash", "step(__import__('ctypes').string_at, 0)"),
    ("hang", "step(__import__('time').sleep, 3600)"),
    ("exception", "step(lambda: {}['planted'])"),
    ("output", "print('planted')"),
    ("unraisable", "step(lambda: type('Doomed', (), {'__del__': lambda self: 1 / 0})())"),
])
def test_a_fault_is_named_by_its_case_and_replays(kind, fault):
    fuzzer = Fuzzer(seed=0, timeout=1, budget=10, log=lambda text: None)
    fuzzer.run_batch(0, [["o1 = step(Setup.Vector, 1, 2, 3)"],
                         ["o1 = step(Setup.VectorList, 2)", fault, "r2 = step(_Setup.VectorList_size, o1)"],
                         ["r1 = step(_SetupHost.journal)"]])
    [finding] = fuzzer.findings.values()
    assert (finding.signature[0], finding.case) == (kind, 1)
    assert fault in finding.snippet and "VectorList" not in finding.snippet
    if kind != "hang":
        done = subprocess.run([sys.executable, "-c", finding.snippet], capture_output=True, text=True, timeout=60)
        assert replays(kind, done), done.stderr


@pytest.fixture(scope="module")
def cases():
    maker = CaseMaker(random.Random(SEED), probe(), small_counts=True)
    return [ast.parse(render_case(maker.case()[0])) for _ in range(300)]


def test_drawn_texts_never_name_a_path_outside_the_case_folder(cases):
    texts = [node.value for tree in cases for node in ast.walk(tree)
             if isinstance(node, ast.Constant) and isinstance(node.value, (str, bytes))]
    assert texts and all(safe_text(text) for text in texts)


def test_functions_that_allocate_by_count_get_small_counts_under_asan(cases):
    calls = [node for tree in cases for node in ast.walk(tree) if isinstance(node, ast.Call)
             and node.args and ALLOCATES_BY_COUNT.search(ast.unparse(node.args[0]).split(".")[-1])]
    counts = [arg.value for call in calls for arg in call.args[1:]
              if isinstance(arg, ast.Constant) and type(arg.value) is int]
    # Past 2**32 - 1 the size rule refuses a count before anything is allocated.
    assert counts and not [count for count in counts if 10**6 < count < 2**32]
