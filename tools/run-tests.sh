#!/usr/bin/env bash
# Builds and installs the binding, then runs the whole test suite; with
# --sanitize, runs it again against a build with AddressSanitizer and
# UndefinedBehaviorSanitizer, in a virtual environment of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/prepare.sh
python3 -m pip install -q ".[test]"
python3 -m pytest -q tests

if [ "${1:-}" = "--sanitize" ]; then
  venv=build/venv-sanitize
  python3 -m venv --system-site-packages "$venv"
  SETUP_SANITIZE=ON "$venv/bin/python" -m pip install -q -Cbuild-dir=build/sanitize --force-reinstall --no-deps .
  asan=$(g++ -print-file-name=libasan.so)
  ubsan=$(g++ -print-file-name=libubsan.so)
  # The interpreter itself is not instrumented and keeps memory until exit,
  # so leak reports would be its own; every other finding stops the run.
  LD_PRELOAD="$asan:$ubsan" \
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$venv/bin/python" -m pytest -q -p no:cacheprovider tests
fi
