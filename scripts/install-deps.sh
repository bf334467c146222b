#!/usr/bin/env bash
# The one list of Debian packages Tandrel needs to build, run and test.
# Installs only what is missing; runs apt-get update first when something is.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  clang libclang-rt-14-dev          # fuzz targets and sanitizer runtimes
  libicu-dev                        # case folding in the engine
  libgtest-dev libgmock-dev         # unit tests
  libbenchmark-dev libpcre2-dev     # benchmarks and their peer engine
  qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools libgl-dev   # the wizard and its language packs
  xvfb xauth                        # running the wizard without a screen
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
echo "install-deps: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
