"""Runs cases in batches, each batch in a child interpreter, and turns what goes
wrong there into findings: a crash, a hang, an exception the README does not
document, an exception left unraisable in a destructor, or output on standard
output. A finding is narrowed to the one case that shows it in a fresh child
(or the cases before it, if it needs them) and to as few of its steps as still
show it, and reported as a replay snippet."""

import json
import os
import random
import re
import signal
import subprocess
import sys
import tempfile
import threading
import time
from collections import deque
from concurrent.futures import ThreadPoolExecutor

from .child import EXAMPLE, PRELUDE, case_steps, render_case, under_asan
from .strategies import CaseMaker

CHILD = os.path.join(os.path.dirname(os.path.abspath(__file__)), "child.py")
# The children run with this environment, sanitizer settings included, with
# two changes. UndefinedBehaviorSanitizer ends a child by abort rather than
# exit, so that the child's fault handler names the step that was running. And
# LeakSanitizer is off: cases leak on purpose (disown() gives an object up),
# and a leak found at exit belongs to no case; bench/leak_check.py checks leaks.
ENV = dict(os.environ)
if "UBSAN_OPTIONS" in ENV:
    ENV["UBSAN_OPTIONS"] += ":abort_on_error=1"
if "ASAN_OPTIONS" in ENV:
    ENV["ASAN_OPTIONS"] += ":detect_leaks=0"

# Faults that are known and reported, so that they do not stop the bounded run
# meanwhile: what it is, and a pattern that the finding's head line ("crash
# (signal SIGSEGV) at _Setup.*_x_get") or the steps of its narrowed cases match.
# Remove an entry when its fix lands.
KNOWN = []


class Finding:
    def __init__(self, signature, detail, seed, batch, case):
        self.signature, self.detail = signature, detail
        self.seed, self.batch, self.case = seed, batch, case
        self.count, self.snippet, self.known, self.note = 1, None, None, ""

    def head(self):
        kind, what, where = self.signature
        return f"{'KNOWN ' if self.known else ''}FINDING: {kind} ({what}) at {where}"

    def report(self):
        lines = [self.head(), f"  seed {self.seed}, batch {self.batch}, case {self.case}; "
                              f"seen {self.count} time(s){self.note}"]
        if self.known:
            lines.append(f"  known: {self.known}")
        # Of a sanitizer's report and the fault handler's dump, the lines that say what and where.
        detail = self.detail.strip().splitlines()
        said = [line for line in detail if re.search(r"ERROR:|runtime error|SUMMARY:|Fatal Python|Timeout \(|File ", line)]
        lines += ["  " + line for line in (said[:30] + detail[-1:] if said else detail[-20:])]
        lines += ["  replay this with the same Python:", "", self.snippet or "(not narrowed)", ""]
        return "\n".join(lines)


def snippet(units, header):
    """Plain Python that runs the cases as the child does."""
    if len(units) == 1:
        tail = [units[0], "enter()", "case()", "leave()"]
    else:
        tail = [unit.replace("def case():", f"def case_{i}():") for i, unit in enumerate(units)]
        tail += [f"for case in ({', '.join(f'case_{i}' for i in range(len(units)))}):",
                 "    enter()", "    case()", "    leave()"]
    return "\n".join([f"# {header}", f"EXAMPLE = {EXAMPLE!r}", PRELUDE, "ROOT = tempfile.mkdtemp()", ""] + tail)


def run_child(units, timeout):
    """Runs the cases in one child. Gives the problem (or None) of each case
    that it reached: all of them, or up to the one during which it crashed or
    hung."""
    with tempfile.TemporaryDirectory(prefix="setup-fuzz-") as folder:
        cases, results, out, err = (os.path.join(folder, name) for name in
                                    ("cases.json", "results.jsonl", "stdout.txt", "stderr.txt"))
        with open(cases, "w") as f:
            json.dump(units, f)
        with open(out, "wb") as stdout, open(err, "wb") as stderr:
            child = subprocess.Popen([sys.executable, CHILD, "run", cases, results, out, str(timeout)],
                                     cwd=folder, stdin=subprocess.DEVNULL, stdout=stdout, stderr=stderr, env=ENV)
            try:
                # The child times each case itself; this only catches a child
                # too stuck even for that.
                code = child.wait(timeout=timeout * (len(units) + 1) + 60)
            except subprocess.TimeoutExpired:
                child.kill()
                child.wait()
                code = None
        with open(results) if os.path.exists(results) else open(os.devnull) as f:
            problems = [json.loads(line)["problem"] for line in f]
        with open(err, errors="replace") as f:
            errors = f.read()
    if code != 0 or len(problems) < len(units):
        ending = _ending(code, errors)
        if len(problems) < len(units):
            problems.append(ending)
        elif not problems[-1]:  # at exit, after the last case
            problems[-1] = dict(ending, line=None)
    return problems


def _ending(code, errors):
    at = re.search(r'File "<case \d+>", line (\d+)', errors)
    if code is None or (code == 1 and "Timeout (" in errors):
        kind, what = "hang", "no answer within the time limit"
    else:
        kind = "crash"
        what = f"signal {signal.Signals(-code).name}" if code < 0 else f"exit {code}"
        sanitizer = re.search(r"ERROR: \w+Sanitizer: ([\w-]+)|runtime error: ([^\n]{0,80})", errors)
        if sanitizer:
            what += ", " + re.sub(r"\d+", "N", sanitizer.group(1) or sanitizer.group(2))
    return {"kind": kind, "type": what, "line": int(at.group(1)) if at else None, "message": errors[-6000:]}


def signature(unit, problem):
    """What tells findings apart: their kind, what went wrong, and the step."""
    where = "teardown"
    if problem.get("line"):
        line = unit.splitlines()[problem["line"] - 1].split("  # ")[0]
        call = re.search(r"step\(((?:lambda:[^,]*)|[\w.]+)", line)
        # One function of many classes is one template: VectorList_resize, BCList_resize.
        where = re.sub(r"\b[or]\d+\b", "o", call.group(1) if call else line.strip())
        where = re.sub(r"^_Setup\.(new_|delete_)\w+$", r"_Setup.\1*", where)
        where = re.sub(r"^_Setup\.[A-Z]\w*?_(?=[a-z_])", "_Setup.*_", where)
    what = problem["type"]
    if problem["kind"] == "output":
        what = re.sub(r"'[^'\n]*'", "'...'", problem["message"].splitlines()[0])[:100]
    return problem["kind"], what, where


class Fuzzer:
    def __init__(self, seed, timeout=None, jobs=None, budget=60, log=print):
        self.seed = seed
        self.timeout = timeout or (60 if under_asan() else 20)
        self.jobs = jobs or os.cpu_count() or 1
        self.budget = budget
        self.log = log
        self.findings = {}
        self.lock = threading.Lock()
        self.narrowing = threading.local()  # each thread narrows one finding at a time
        self.calls = self.cases = 0

    def run(self, calls, batch_calls=200):
        started = time.monotonic()
        maker = CaseMaker(random.Random(self.seed), probe(), small_counts=under_asan())
        made, batch, pending, reported = 0, 0, deque(), started
        with ThreadPoolExecutor(self.jobs) as pool:
            while made < calls or pending:
                while made < calls and len(pending) < 2 * self.jobs:
                    cases, count = [], 0
                    while count < min(batch_calls, calls - made):
                        steps, n = maker.case()
                        cases.append(steps)
                        count += n
                    made += count
                    pending.append((count, len(cases), pool.submit(self.run_batch, batch, cases)))
                    batch += 1
                count, case_count, future = pending.popleft()
                future.result()
                self.calls += count
                self.cases += case_count
                if time.monotonic() - reported > 30 or (not pending and made >= calls):
                    reported = time.monotonic()
                    self.log(f"fuzz: {self.calls} calls, {self.cases} cases, {len(self.findings)} findings, "
                             f"{reported - started:.0f} s")
        self.elapsed = time.monotonic() - started
        return [f for f in sorted(self.findings.values(), key=lambda f: (f.batch, f.case))]

    def summary(self):
        new = sum(not f.known for f in self.findings.values())
        return (f"fuzz summary: {self.calls} calls in {self.cases} cases, {new} findings "
                f"({len(self.findings) - new} known), seed {self.seed}, {self.elapsed:.1f} s")

    def run_batch(self, batch, cases):
        units = [render_case(steps) for steps in cases]
        start = 0
        while start < len(units):  # after a crash or hang, the rest of the batch in a new child
            problems = run_child(units[start:], self.timeout)
            passing = []  # the cases before each that a replay snippet runs through
            for index, problem in enumerate(problems, start):
                if problem:
                    self.found(batch, index, passing + [units[index]], problem)
                if not problem or problem["kind"] != "exception":
                    passing.append(units[index])
            start += len(problems)

    def found(self, batch, index, units, problem):
        """A finding in the last of the units, which ran after the others."""
        key = signature(units[-1], problem)
        with self.lock:
            if key in self.findings:
                self.findings[key].count += 1
                return
            finding = self.findings[key] = Finding(key, problem.get("trace") or problem["message"],
                                                  self.seed, batch, index)
        self.log(f"fuzz: {key[0]} ({key[1]}) at {key[2]}: narrowing (seed {self.seed}, batch {batch}, case {index})")
        narrowed = self.narrow(units, key, problem.get("line"))
        finding.snippet = snippet(narrowed, f"seed {self.seed}, batch {batch}, case {index}: {key[0]} ({key[1]})")
        text = f"{key[0]} ({key[1]}) at {key[2]}\n" + "\n".join(narrowed)
        finding.known = next((what for what, pattern in KNOWN if re.search(pattern, text, re.M)), None)
        self.log(finding.report())

    def shows(self, units, key):
        """Whether the cases show this finding, and no exception before it,
        which would stop the replay snippet."""
        if self.narrowing.tries <= 0:
            return False
        self.narrowing.tries -= 1
        # A case that hung once hangs again well within a shorter wait.
        timeout = min(self.timeout, 5) if key[0] == "hang" else self.timeout
        keys = {signature(units[i], p) for i, p in enumerate(run_child(units, timeout)) if p}
        return key in keys and all(k == key or k[0] != "exception" for k in keys)

    def narrow(self, units, key, line):
        """The fewest cases, and steps of each, that still show the finding."""
        finding = self.findings[key]
        self.narrowing.tries = self.budget
        if self.shows(units[-1:], key):
            units = units[-1:]
        elif len(units) > 1 and self.shows(units, key):
            finding.note = "; needs the cases before it"
            units = self.shrink(units, lambda trial: trial and self.shows(trial + units[-1:], key), keep_last=True)
        else:
            finding.note = "; did not show again in a fresh child"
            return units
        steps = case_steps(units[-1])
        if line and self.shows(units[:-1] + [render_case(steps[:line - 1])], key):
            units = units[:-1] + [render_case(steps[:line - 1])]  # nothing after the failing step matters
        for i in reversed(range(len(units))):
            def still_shows(trial, i=i):
                return self.shows(units[:i] + [render_case(trial)] + units[i + 1:], key)
            steps = self.shrink(case_steps(units[i]), still_shows)
            steps = self.shrink(self.simplify(steps, still_shows), still_shows)
            units = units[:i] + [render_case(steps)] + units[i + 1:]
        return units

    def simplify(self, steps, still_shows):
        """Puts None for each object that a step takes, where it still shows,
        so that the steps which made the object can go."""
        for i in reversed(range(len(steps))):
            target, taken = re.fullmatch(r"([or]\d+ = )?(.*)", steps[i]).groups("")
            for name in dict.fromkeys(re.findall(r"(?<![\w.'])[or]\d+\b", taken)):
                if self.narrowing.tries <= 0:
                    return steps
                simpler = re.sub(rf"(?<![\w.']){name}\b", "None", taken)
                trial = steps[:i] + [target + simpler] + steps[i + 1:]
                if still_shows(trial):
                    steps, taken = trial, simpler
        return steps

    def shrink(self, items, still_shows, keep_last=False):
        """Drops ever smaller runs of items, from the end, while it still shows."""
        fixed, items = (items[-1:], items[:-1]) if keep_last else ([], items)
        size = max(1, len(items) // 2)
        while size and self.narrowing.tries > 0:
            at = len(items) - size
            while at >= 0 and self.narrowing.tries > 0:
                trial = items[:at] + items[at + size:]
                if (trial or keep_last) and still_shows(trial):
                    items = trial
                at -= size
            size //= 2
        return items + fixed


def probe():
    """The modules' functions (with the arities their refusals name) and classes."""
    with tempfile.TemporaryDirectory(prefix="setup-fuzz-probe-") as folder:
        result = os.path.join(folder, "probe.json")
        done = subprocess.run([sys.executable, CHILD, "probe", result], cwd=folder, capture_output=True,
                              text=True, timeout=300)
        if done.returncode != 0:
            raise RuntimeError(f"the probe ended with {done.returncode} after calling:\n{done.stderr[-3000:]}")
        with open(result) as f:
            return json.load(f)
