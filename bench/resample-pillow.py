#!/usr/bin/python3
"""Side-by-side resampling speed: Pillow's Image.resize against bench_render's
BM_Resample on the same pictures, decoding excluded on both sides.

    /usr/bin/python3 bench/resample-pillow.py build/bin/bench_render

Uses Debian's python3-pil; run it with /usr/bin/python3, since another python3 may come
first on the PATH. Prints the median wall-clock and CPU time per call of each side and
their ratios (ours / Pillow's); the target is at most 1.0 on every case, the goal 0.7.
"""
import json
import os
import statistics
import subprocess
import sys
import tempfile
import time

from PIL import Image

CASES = [  # filter, source size, target size
    ("LANCZOS", 5, (488, 680), (181, 144)),
    ("LANCZOS", 5, (1200, 1700), (181, 144)),
    ("LANCZOS", 5, (488, 680), (87, 80)),
    ("LANCZOS", 5, (488, 680), (1022, 1068)),
    ("LANCZOS", 5, (2400, 3400), (1022, 1068)),
    ("BOX", 0, (210, 300), (52, 67)),
]


def picture(width, height):
    """Smooth gradients with fine noise, the same pattern bench_render draws itself."""
    data = bytearray(width * height * 3)
    state = 12345
    i = 0
    for y in range(height):
        for x in range(width):
            state = (state * 1664525 + 1013904223) & 0xFFFFFFFF
            noise = state >> 28
            data[i] = (x * 255 // width + noise) & 255
            data[i + 1] = (y * 255 // height + noise) & 255
            data[i + 2] = ((200 if (x + y) & 64 else 40) + noise) & 255
            i += 3
    return Image.frombytes("RGB", (width, height), bytes(data))


def time_pillow(image, size, method, seconds=1.5):
    image.resize(size, method)  # warm up
    walls, cpus = [], []
    for _ in range(5):
        n = 0
        wall0, cpu0 = time.perf_counter(), time.process_time()
        while time.perf_counter() - wall0 < seconds / 5:
            image.resize(size, method)
            n += 1
        walls.append((time.perf_counter() - wall0) / n)
        cpus.append((time.process_time() - cpu0) / n)
    return statistics.median(walls), statistics.median(cpus)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    bench = sys.argv[1]
    with tempfile.TemporaryDirectory() as folder:
        pillow = {}
        for name, index, source, target in CASES:
            image = picture(*source)
            path = os.path.join(folder, "%dx%d.ppm" % source)
            if not os.path.exists(path):
                image.save(path)
            image.load()
            pillow[(index, source, target)] = time_pillow(image, target, getattr(Image, name))
        env = dict(os.environ, ZANDOR_BENCH_IMAGES=folder)
        out = os.path.join(folder, "ours.json")
        subprocess.run(
            [bench, "--benchmark_filter=BM_Resample", "--benchmark_out_format=json",
             "--benchmark_out=" + out, "--benchmark_repetitions=5",
             "--benchmark_report_aggregates_only=true"],
            env=env, check=True, capture_output=True, text=True)
        with open(out) as f:
            report = json.load(f)
    ours = {}
    for run in report["benchmarks"]:
        if run.get("aggregate_name") != "median":
            continue
        parts = dict(p.split(":") for p in run["run_name"].split("/")[1:])
        key = (int(parts["filter"]), (int(parts["sw"]), int(parts["sh"])),
               (int(parts["w"]), int(parts["h"])))
        scale = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9}[run["time_unit"]]
        ours[key] = (run["real_time"] * scale, run["cpu_time"] * scale)

    print("%-34s %10s %10s %10s %10s %7s %7s" % ("case", "Pillow ms", "ours ms", "Pillow cpu",
                                                "ours cpu", "wall", "cpu"))
    worst = 0.0
    for name, index, source, target in CASES:
        key = (index, source, target)
        if key not in ours:
            continue
        (pw, pc), (ow, oc) = pillow[key], ours[key]
        label = "%s %dx%d -> %dx%d" % (name.lower(), *source, *target)
        print("%-34s %10.3f %10.3f %10.3f %10.3f %7.2f %7.2f" % (
            label, pw * 1e3, ow * 1e3, pc * 1e3, oc * 1e3, ow / pw, oc / pc))
        worst = max(worst, oc / pc)
    print("worst CPU-time ratio %.2f (target 1.0, goal 0.7)" % worst)


main()
