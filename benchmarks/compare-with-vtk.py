#!/usr/bin/env python3
"""Lookup-table conversion of a 2048 x 2048 CT-like 16-bit image through a
4096-entry RGBA table: VTK's vtkImageMapToColors at its default threading
against the library's UpdateBufferFromLUT into 2 x 2 tiles of 1024 on two
threads (the texture benchmark's case), timed alternately in the same run.

Usage: benchmarks/compare-with-vtk.py [BUILD_DIR] [ROUNDS]
Installs Debian's python3-vtk9 when it is missing and builds the texture
benchmark in BUILD_DIR (default: build) when it is not there yet.
"""
import json
import math
import os
import random
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SYSTEM_PYTHON = "/usr/bin/python3"  # the interpreter Debian's VTK is built for
SIZE, ENTRIES, UPDATES = 2048, 4096, 41
LIBRARY_CASE = "BM_ConversionVsLimit/size:2048/maxTile:1024/threads:2/"

try:
    import vtk
except ImportError:
    subprocess.run([os.path.join(ROOT, "scripts", "install-deps.sh"), "vtk"], check=True)
    if os.path.realpath(sys.executable) != os.path.realpath(SYSTEM_PYTHON):
        os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON] + sys.argv)
    import vtk


def bench_binary(build_dir):
    binary = os.path.join(build_dir, "benchmarks", "quorvel_texture_bench")
    if not os.path.exists(binary):
        subprocess.run([os.path.join(ROOT, "scripts", "install-deps.sh"), "build"], check=True)
        subprocess.run(["cmake", "-S", ROOT, "-B", build_dir, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                        "-DQUORVEL_WERROR=ON"], check=True)
        subprocess.run(["cmake", "--build", build_dir, "-j2", "--target", "quorvel_texture_bench"], check=True)
    return binary


def ct_like_values(size):
    """Smooth regions of 0..4095 (air, soft tissue, bone) with noise, as the
    C++ benchmarks make them."""
    rng = random.Random(42)
    values = []
    for y in range(size):
        v = (y - size / 2) / size
        for x in range(size):
            u = (x - size / 2) / size
            body = u * u / 0.16 + v * v / 0.12
            bone = (u - 0.1) ** 2 / 0.004 + v * v / 0.01
            if body > 1:
                value = 0.0
            elif bone < 1:
                value = 2600 + 600 * (1 - bone)
            else:
                value = 1040 + 60 * math.sin(12 * u) * math.cos(9 * v)
            values.append(int(min(max(value + rng.gauss(0, 12), 0), 4095)))
    return values


def vtk_pipeline(size):
    image = vtk.vtkImageData()
    image.SetDimensions(size, size, 1)
    image.AllocateScalars(vtk.VTK_UNSIGNED_SHORT, 1)
    scalars = image.GetPointData().GetScalars()
    for i, value in enumerate(ct_like_values(size)):
        scalars.SetValue(i, value)
    table = vtk.vtkLookupTable()
    table.SetNumberOfTableValues(ENTRIES)
    table.SetTableRange(0, ENTRIES - 1)
    rng = random.Random(7)
    for i in range(ENTRIES):
        table.SetTableValue(i, rng.random(), rng.random(), rng.random(), 1.0)
    mapper = vtk.vtkImageMapToColors()
    mapper.SetInputData(image)
    mapper.SetLookupTable(table)
    mapper.SetOutputFormatToRGBA()
    mapper.Update()
    return mapper


def vtk_mpix_per_s(mapper):
    seconds = []
    for _ in range(UPDATES):
        mapper.Modified()
        start = time.perf_counter()
        mapper.Update()
        seconds.append(time.perf_counter() - start)
    return SIZE * SIZE / 1e6 / statistics.median(seconds)


def library_mpix_per_s(binary):
    result = subprocess.run([binary, "--benchmark_filter=" + LIBRARY_CASE, "--benchmark_repetitions=1",
                             "--benchmark_format=json"], check=True, capture_output=True, text=True)
    return json.loads(result.stdout)["benchmarks"][0]["Mpix/s"]


def main():
    build_dir = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build"))
    rounds = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    binary = bench_binary(build_dir)
    mapper = vtk_pipeline(SIZE)
    print(f"VTK {vtk.vtkVersion.GetVTKVersion()}, vtkImageMapToColors at its default threading; "
          f"library: {UPDATES} conversions a round, median")
    print("round  VTK Mpix/s  library Mpix/s  ratio")
    ratios = []
    for r in range(rounds):
        # Alternate which goes first, so that neither always follows the other.
        if r % 2 == 0:
            library = library_mpix_per_s(binary)
            toolkit = vtk_mpix_per_s(mapper)
        else:
            toolkit = vtk_mpix_per_s(mapper)
            library = library_mpix_per_s(binary)
        ratios.append(library / toolkit)
        print(f"{r:5d}  {toolkit:10.0f}  {library:14.0f}  {library / toolkit:5.2f}")
    print(f"median ratio, library / VTK: {statistics.median(ratios):.2f}x over {rounds} rounds")


if __name__ == "__main__":
    main()
