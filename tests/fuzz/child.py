"""The fuzzer's child interpreter: runs cases, or finds what the modules offer.

    python child.py run CASES.json RESULTS.jsonl STDOUT_FILE TIMEOUT
    python child.py probe RESULT.json

`run` executes each case as its replay snippet would, in a folder of its own,
and appends one JSON line per finished case to RESULTS.jsonl, so that the
parent knows how far the child got however it ends. Only this file runs in the
child; the parent imports it for the shared prelude and never imports the
binding itself.
"""

import json
import os
import re
import sys

# Each case runs in a fresh folder with its own copy of the example study, so
# that a file one case saves never changes what a later case, or the replay
# of a single case, opens.
EXAMPLE = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))),
                       "examples", "enclosure.study.json")

# Shared by the child and every replay snippet, so that a snippet runs the case
# exactly as the child did. Needs EXAMPLE and ROOT defined before it.
PRELUDE = '''\
import copy, gc, math, os, pathlib, pickle, shutil, sys, tempfile
import Setup, SetupHost, _Setup, _SetupHost

# What a call may raise, by the README's rules; any other exception is a fault.
# Refused is what strict mode (SetupHost.set_strict) raises for a refusal.
ACCEPTED = (TypeError, ValueError, IndexError, RuntimeError, StopIteration, MemoryError, OverflowError,
            Setup.OverloadError, getattr(SetupHost, "Refused", RuntimeError))


def step(f, *args):
    try:
        return f(*args)
    except BaseException as e:
        if type(e) not in ACCEPTED:
            raise
        return e.with_traceback(None)


def pointer(obj):
    """The pointer object of a proxy, or the object if it is one; else None."""
    obj = getattr(obj, "this", obj)
    return obj if hasattr(obj, "acquire") else None


def enter():
    os.chdir(tempfile.mkdtemp(dir=ROOT))
    shutil.copy(EXAMPLE, "enclosure.study.json")


# A case's objects go, and the host forgets its model, as the case ends: a
# case that broke the model meets that in its own teardown, not in a later one.
def leave():
    gc.collect()
    SetupHost.reset()
'''

# Functions left out of the fuzzing. Class_swigregister(cls) makes cls the
# proxy class of every later result of that type, for the rest of the process:
# results would then be of whatever class was drawn, and every later finding an
# artefact of that. Everything else is in, Class_swiginit and the
# SWIG_Py*Method_New helpers too: they are the frame's own code, reachable from
# any script, and must refuse what they cannot take as every function does.
EXCLUDED = re.compile(r"_swigregister$")

# A leak notice is SWIG's answer to a script that took ownership of an object
# that has no destructor; it is allowed only in cases that do that.
LEAK_NOTICE = re.compile(r"swig/python detected a memory leak of type '[^'\n]*', no destructor found\.\n")
TAKES_OWNERSHIP = re.compile(r"\.acquire\)|\.own, True\)|'thisown', True\)")


def under_asan():
    return "libasan" in os.environ.get("LD_PRELOAD", "")


def render_case(steps):
    return "def case():\n" + "".join(f"    {line}\n" for line in steps or ["pass"])


def case_steps(unit):
    return [line[4:] for line in unit.splitlines()[1:]]


def _guard_memory():
    # A count the size rule takes can ask for tens of GB (EntityIdList(2**32 - 1)
    # is 16 GB, and gets it by overcommit); capping the address space turns that
    # into the MemoryError that the lists promise. AddressSanitizer reserves
    # terabytes of address space for itself, so under it there is no cap, and
    # the parent draws no large counts for functions that allocate by count.
    import resource
    if not under_asan():
        _, hard = resource.getrlimit(resource.RLIMIT_AS)
        limit = 3 << 30
        resource.setrlimit(resource.RLIMIT_AS, (limit if hard < 0 else min(limit, hard), hard))


def _flush_c_stdout():
    import ctypes
    sys.stdout.flush()
    ctypes.CDLL(None).fflush(None)


def run(cases_path, results_path, stdout_path, timeout):
    import faulthandler
    import tempfile
    import traceback

    _guard_memory()
    faulthandler.enable()
    with open(cases_path) as f:
        cases = json.load(f)
    namespace = {"__name__": "fuzzcase", "EXAMPLE": EXAMPLE, "ROOT": tempfile.mkdtemp(dir=os.getcwd())}
    exec(PRELUDE, namespace)
    unraisable = []
    sys.unraisablehook = lambda info: unraisable.append(
        (type(info.exc_value).__name__, f"{info.exc_value} (in {info.object!r})"))
    with open(results_path, "a") as results, open(stdout_path, "rb") as printed:
        for index, source in enumerate(cases):
            faulthandler.dump_traceback_later(timeout, exit=True)
            problem = None
            try:
                namespace["enter"]()
                exec(compile(source, f"<case {index}>", "exec"), namespace)
                namespace.pop("case")()
            except BaseException as e:
                tb = traceback.extract_tb(e.__traceback__)
                lines = [frame.lineno for frame in tb if frame.filename == f"<case {index}>"]
                problem = {"kind": "exception", "type": type(e).__name__, "message": str(e)[:500],
                           "line": lines[-1] if lines else None, "trace": "".join(traceback.format_exception(e))[-3000:]}
                del e, tb
            # Also after an exception, which ends a snippet but not the child's
            # batch, so that the next case starts as it would alone.
            namespace["leave"]()
            _flush_c_stdout()
            text = printed.read().decode("utf-8", "replace")
            if not problem and unraisable:
                problem = {"kind": "unraisable", "type": unraisable[0][0], "message": unraisable[0][1][:500]}
            if not problem and text:
                stray = text if not TAKES_OWNERSHIP.search(source) else LEAK_NOTICE.sub("", text)
                if stray:
                    problem = {"kind": "output", "type": "output", "message": stray[:500]}
            unraisable.clear()
            faulthandler.cancel_dump_traceback_later()
            results.write(json.dumps({"case": index, "problem": problem}) + "\n")
            results.flush()


def _arities(function):
    """Arities that the function's refusal of twelve arguments names, if it does."""
    try:
        function(*[None] * 12)
    except Exception as e:  # the answer is in the message
        text = str(e)
    else:
        return []
    if "takes no arguments" in text:
        return [0]
    if "takes exactly one argument" in text:
        return [1]
    found = re.search(r"expected (at most )?(\d+) arguments", text)
    if found:
        most = int(found.group(2))
        return list(range(most + 1)) if found.group(1) else [most]
    counts = set()
    for name, params in re.findall(r"^ {4}(\S[^(]*)\((.*)\)$", text, re.M):
        depth, count = 0, 1 if params.strip() else 0
        for char in params:
            depth += {"<": 1, ">": -1}.get(char, 0)
            count += char == "," and depth == 0
        # Member prototypes leave the receiver out; constructors look the same.
        counts.update({count, count + 1} if "::" in name else {count})
    return sorted(counts)


def probe(result_path):
    import Setup
    import SetupHost  # noqa: F401  (registers nothing, but loads the host-control module as scripts do)
    import _Setup
    import _SetupHost

    functions = {}
    for module in (_Setup, _SetupHost):
        for name in sorted(dir(module)):
            if not name.startswith("__") and callable(getattr(module, name)) and not EXCLUDED.search(name):
                print(name, file=sys.stderr, flush=True)  # names the culprit, should the probe itself crash
                functions[f"{module.__name__}.{name}"] = _arities(getattr(module, name))
    classes = {name: [base.__name__ for base in cls.__mro__] for name, cls in vars(Setup).items()
               if isinstance(cls, type) and "thisown" in dir(cls)}
    with open(result_path, "w") as f:
        json.dump({"functions": functions, "classes": classes}, f)


if __name__ == "__main__":
    if sys.argv[1] == "probe":
        probe(sys.argv[2])
    else:
        run(sys.argv[2], sys.argv[3], sys.argv[4], float(sys.argv[5]))
