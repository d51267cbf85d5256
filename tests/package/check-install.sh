#!/usr/bin/env bash
# Installs the built tree into a scratch prefix and builds a small consumer
# against it twice: through the CMake package and through pkg-config.
# Usage: check-install.sh <build-dir> <consumer-source-dir> <scratch-dir>
set -euo pipefail
build=$1 source=$2 scratch=$3
rm -rf "$scratch" && mkdir -p "$scratch"
prefix=$scratch/prefix

cmake --install "$build" --prefix "$prefix" > "$scratch/install.log"
for f in lib/cmake/Quorvel/QuorvelConfig.cmake lib/cmake/Quorvel/QuorvelConfigVersion.cmake \
         lib/cmake/Quorvel/QuorvelTargets.cmake lib/pkgconfig/quorvel.pc \
         include/quorvel/Quorvel.h include/quorvel/QuorvelExport.h include/brantel/geometry/Vector3.h; do
  [[ -f "$prefix/$f" ]] || { echo "missing in the installed tree: $f"; exit 1; }
done
ls "$prefix"/lib/libQuorvel-1.9.so* > /dev/null

echo "== CMake package"
cmake -S "$source" -B "$scratch/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" > "$scratch/cmake.log"
cmake --build "$scratch/cmake-build" > "$scratch/cmake-build.log"
"$scratch/cmake-build/consumer"

echo "== pkg-config"
export PKG_CONFIG_PATH=$prefix/lib/pkgconfig
[[ $(pkg-config --modversion quorvel) == 1.9.0 ]]
# shellcheck disable=SC2046
c++ -std=c++17 "$source/main.cpp" -o "$scratch/pc-consumer" $(pkg-config --cflags --libs quorvel) \
    -Wl,-rpath,"$prefix/lib"
"$scratch/pc-consumer"
