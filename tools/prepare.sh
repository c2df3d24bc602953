#!/usr/bin/env bash
# Installs what building the binding needs on a fresh Debian machine: QtCore's
# development files from Debian, and pip (SWIG and the build backend come from
# PyPI during the build, pinned in pyproject.toml).
set -euo pipefail
if ! dpkg -s qt6-base-dev >/dev/null 2>&1; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq qt6-base-dev >/dev/null
fi
python3 -m pip --version >/dev/null
