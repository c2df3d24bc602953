#!/usr/bin/env bash
# Builds and installs the binding with its stand-in host, then runs the example script.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/prepare.sh
python3 -m pip install -q .
python3 examples/enclosure_study.py
