#!/usr/bin/env bash
# Builds and installs the binding, then runs the whole test suite.
#   --sanitize      runs it again against a build with AddressSanitizer,
#                   UndefinedBehaviorSanitizer and LeakSanitizer, in a virtual
#                   environment of its own;
#   --all-pythons   builds and runs it again under every other supported CPython
#                   that the machine has (a missing one is reported and skipped).
set -euo pipefail
cd "$(dirname "$0")/.."

sanitize=0
all_pythons=0
for option in "$@"; do
  case "$option" in
    --sanitize) sanitize=1 ;;
    --all-pythons) all_pythons=1 ;;
    *) echo "usage: $0 [--sanitize] [--all-pythons]" >&2; exit 2 ;;
  esac
done

# The maintained CPython versions; pyproject.toml declares those tested here.
MAINTAINED_PYTHONS="3.11 3.12 3.13 3.14"

bash tools/prepare.sh
python3 -m pip install -q ".[test]"
python3 -m pytest -q tests
# The examples and a typed script against the installed stubs.
python3 -m mypy --strict --cache-dir build/mypy examples tests/typed_script.py
# A million calls of each function family: memory stays within its budget.
python3 bench/leak_check.py

if [ "$sanitize" = 1 ]; then
  venv=build/venv-sanitize
  python3 -m venv --system-site-packages "$venv"
  # Not stripped, so that the sanitizers' reports name our functions.
  SETUP_SANITIZE=ON "$venv/bin/python" -m pip install -q -Cbuild-dir=build/sanitize -Cinstall.strip=false \
    --force-reinstall --no-deps .
  asan=$(g++ -print-file-name=libasan.so)
  ubsan=$(g++ -print-file-name=libubsan.so)
  # With PYTHONMALLOC=malloc every Python object is a heap block that
  # LeakSanitizer scans, so that what only Python objects point at is not
  # taken for lost while a block our code loses is reported; the interpreter
  # then leaves nothing unreachable at exit (tools/lsan.supp says what an
  # entry there may name). Every finding, a leak too, stops the run.
  LD_PRELOAD="$asan:$ubsan" \
  PYTHONMALLOC=malloc \
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  LSAN_OPTIONS="suppressions=$PWD/tools/lsan.supp:print_suppressions=0" \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$venv/bin/python" -m pytest -q -p no:cacheprovider tests
fi

# An interpreter of version $1 that works: on the PATH (a pyenv shim there
# may stand for a version that is not selected), or one that pyenv keeps.
find_python() {
  local candidate
  for candidate in $(command -v "python$1" 2>/dev/null) \
      $(ls -d "${PYENV_ROOT:-$HOME/.pyenv}"/versions/"$1".*/bin/"python$1" 2>/dev/null | sort -V -r); do
    if "$candidate" -c 'import venv' >/dev/null 2>&1; then
      echo "$candidate"
      return 0
    fi
  done
  return 0
}

if [ "$all_pythons" = 1 ]; then
  this=$(python3 -c 'import sys; print("%d.%d" % sys.version_info[:2])')
  for version in $MAINTAINED_PYTHONS; do
    [ "$version" = "$this" ] && continue
    interpreter=$(find_python "$version")
    if [ -z "$interpreter" ]; then
      echo "Python $version: not on this machine, skipped"
      continue
    fi
    echo "Python $version: $interpreter"
    venv=build/venv-py$version
    "$interpreter" -m venv "$venv"
    "$venv/bin/python" -m pip install -q -Cbuild-dir="build/py$version" ".[test]"
    "$venv/bin/python" -m pytest -q -p no:cacheprovider tests
  done
fi
