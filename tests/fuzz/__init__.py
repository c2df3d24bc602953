"""A property-based fuzzer of the modules `_Setup` and `_SetupHost`.

It finds every function of both modules by itself and calls each with
argument tuples drawn from every kind the conversion rules name, and from a
pool of live, deleted, foreign and stale objects, in child interpreters. Every
call must return or raise one of the exceptions the README documents; nothing
may crash, hang, or print. See runner.py for how findings are narrowed and
reported, strategies.py for what is drawn, child.py for how a case runs.
"""

from .runner import Fuzzer

__all__ = ["Fuzzer"]
