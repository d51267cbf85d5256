#!/usr/bin/env python3
"""Trilinear samples per second of the reformatter against VTK's vtkImageReslice.

Both sample the benchmark's volume (512 x 512 x 400 voxels of 0.3 mm, 16 bits):
- an oblique plane: 601 x 480 pixels of 0.25 mm on the vertical plane through
  the volume's centre at 120 degrees to the x axis, one sample a pixel
  (quorvel_reformat_bench's BM_ObliqueSlice; VTK without a slab);
- a band: 65 samples 0.25 mm apart across each pixel, averaged
  (BM_Panoramic/Mean along a 150 mm arch; VTK with a mean slab of 65 slices on
  the oblique plane).
The two alternate for a few rounds in the same run; the medians are printed.
VTK runs with its default thread count, the reformatter on 2 OpenMP threads.

Usage: benchmarks/reslice_vs_vtk.py [BENCH_BINARY] [--rounds N]
(default build/benchmarks/quorvel_reformat_bench). Installs Debian's
python3-vtk9 when it is missing (scripts/install-deps.sh vtk).
"""
import argparse
import array
import json
import math
import os
import statistics
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SYSTEM_PYTHON = "/usr/bin/python3"  # the interpreter Debian's VTK is built for
SIZE, SLICES, VOXEL = 512, 400, 0.3
COLUMNS, ROWS, PIXEL, BAND_SAMPLES = 601, 480, 0.25, 65


def ensure_vtk():
    try:
        import vtk  # noqa: F401
        return
    except ImportError:
        pass
    subprocess.run([os.path.join(ROOT, "scripts", "install-deps.sh"), "vtk"], check=True)
    if os.path.realpath(sys.executable) != os.path.realpath(SYSTEM_PYTHON):
        os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON] + sys.argv)


def make_volume(vtk):
    # A repeating ramp with a period of 4093 voxels: every voxel is written,
    # and neighbours differ.
    count = SIZE * SIZE * SLICES
    period = array.array("H", (v % 4096 for v in range(0, 4093 * 7, 7)))
    voxels = period * (count // len(period) + 1)
    del voxels[count:]
    importer = vtk.vtkImageImport()
    importer.SetDataScalarTypeToUnsignedShort()
    importer.SetNumberOfScalarComponents(1)
    importer.SetWholeExtent(0, SIZE - 1, 0, SIZE - 1, 0, SLICES - 1)
    importer.SetDataExtentToWholeExtent()
    importer.SetDataSpacing(VOXEL, VOXEL, VOXEL)
    half = (SIZE - 1) * VOXEL / 2
    importer.SetDataOrigin(-half, -half, -(SLICES - 1) * VOXEL / 2)
    importer.SetImportVoidPointer(voxels)
    importer.Update()
    return importer, voxels


def make_reslice(vtk, image, slab):
    angle = math.radians(120)
    along = (math.cos(angle), math.sin(angle), 0.0)
    up = (0.0, 0.0, 1.0)
    normal = (along[1] * up[2] - along[2] * up[1], along[2] * up[0] - along[0] * up[2],
              along[0] * up[1] - along[1] * up[0])
    reslice = vtk.vtkImageReslice()
    reslice.SetInputData(image)
    reslice.SetResliceAxesDirectionCosines(*along, *up, *normal)
    reslice.SetResliceAxesOrigin(0.0, 0.0, 0.0)
    reslice.SetInterpolationModeToLinear()
    reslice.SetOutputDimensionality(2)
    reslice.SetOutputSpacing(PIXEL, PIXEL, PIXEL)
    reslice.SetOutputOrigin(-(COLUMNS - 1) * PIXEL / 2, -(SLICES - 1) * VOXEL / 2, 0.0)  # row 0 on the bottom voxels
    reslice.SetOutputExtent(0, COLUMNS - 1, 0, ROWS - 1, 0, 0)
    if slab:
        reslice.SetSlabNumberOfSlices(BAND_SAMPLES)
        reslice.SetSlabModeToMean()
        reslice.SetSlabSliceSpacingFraction(1.0)
    return reslice


def vtk_rate(reslice, samples_per_image, repetitions=7):
    reslice.Update()
    times = []
    for _ in range(repetitions):
        reslice.Modified()
        start = time.perf_counter()
        reslice.Update()
        times.append(time.perf_counter() - start)
    return samples_per_image / statistics.median(times)


def quorvel_rates(bench):
    result = subprocess.run([bench, "--benchmark_filter=^BM_(ObliqueSlice|Panoramic/Mean)/2/",
                             "--benchmark_repetitions=5", "--benchmark_format=json",
                             "--benchmark_report_aggregates_only=true"],
                            capture_output=True, text=True, check=True)
    rates = {}
    for entry in json.loads(result.stdout)["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            key = "oblique" if "ObliqueSlice" in entry["run_name"] else "band"
            rates[key] = entry["samples_per_second"]
    return rates


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("bench", nargs="?", default="build/benchmarks/quorvel_reformat_bench")
    parser.add_argument("--rounds", type=int, default=3)
    args = parser.parse_args()
    ensure_vtk()
    import vtk
    importer, _voxels = make_volume(vtk)
    plane = make_reslice(vtk, importer.GetOutput(), slab=False)
    band = make_reslice(vtk, importer.GetOutput(), slab=True)
    print("VTK %s, %d threads; load %s" % (vtk.vtkVersion.GetVTKVersion(),
                                             vtk.vtkMultiThreader.GetGlobalDefaultNumberOfThreads(),
                                             " ".join("%.2f" % l for l in os.getloadavg())))
    rounds = {"oblique": ([], []), "band": ([], [])}
    for _ in range(args.rounds):
        ours = quorvel_rates(args.bench)
        rounds["oblique"][0].append(ours["oblique"])
        rounds["oblique"][1].append(vtk_rate(plane, COLUMNS * ROWS))
        rounds["band"][0].append(ours["band"])
        rounds["band"][1].append(vtk_rate(band, COLUMNS * ROWS * BAND_SAMPLES))
    for name, (quorvel, reference) in rounds.items():
        q, v = statistics.median(quorvel), statistics.median(reference)
        print("%-8s Quorvel %7.1f Msamples/s   VTK %7.1f Msamples/s   ratio %.2f" % (name, q / 1e6, v / 1e6, q / v))


if __name__ == "__main__":
    main()
