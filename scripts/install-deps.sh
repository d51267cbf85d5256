#!/usr/bin/env bash
# Installs the Debian packages a make target needs, only those that are
# missing. Usage: scripts/install-deps.sh GROUP... (build, demo, test, fuzz, docs, vtk)
set -euo pipefail

packages_for() {
  case "$1" in
    build) echo build-essential cmake pkg-config libgl-dev libglu1-mesa-dev libegl-dev \
                libegl-mesa0 libgl1-mesa-dri libgtest-dev libgmock-dev libbenchmark-dev \
                libfreetype-dev libfontconfig-dev fonts-dejavu-core libpng-dev ;;
    demo)  echo libdcmtk-dev libglfw3-dev ;;
    test)  echo xvfb dicom3tools ;;
    fuzz)  echo clang libclang-rt-14-dev libomp-dev ;;
    docs)  echo doxygen python3 ;;
    vtk)   echo python3-vtk9 ;;
    *) echo "unknown package group: $1" >&2; exit 2 ;;
  esac
}

missing=()
for group in "$@"; do
  for p in $(packages_for "$group"); do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
  done
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
