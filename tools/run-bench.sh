#!/usr/bin/env bash
# Builds and installs the binding, builds the benchmark's peers (the same host
# calls bound by hand, by nanobind and by pybind11) against the stand-in library
# that the binding installed, and prints nanoseconds per call, journal off and
# on; then the int list beside array.array, how the study scales with its
# parts, and what walking its parts and entities costs. Extra arguments go to bench/bench.py (--rounds N, --check).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/prepare.sh
python3 -m pip install -q ".[bench]"
standin=$(python3 -c "import _Setup, os; print(os.path.join(os.path.dirname(_Setup.__file__), 'libsetup_standin.so'))")
cmake -S bench -B build/bench -G Ninja -DPython_EXECUTABLE="$(command -v python3)" \
  -DSETUP_STANDIN_LIBRARY="$standin" >/dev/null
cmake --build build/bench >/dev/null
PYTHONPATH=build/bench python3 bench/bench.py "$@"
# The int list against array.array, on the same build.
python3 bench/bench_lists.py
# Studies of 10,000 and 20,000 parts: opening and saving beside Python's json
# module, and how open, save, listing, cloning and lookups scale.
python3 bench/bench_scale.py
# Walking every part and entity of a 20,000-part study from Python, beside the
# same walk over plain Python objects.
python3 bench/bench_walk.py
