#!/usr/bin/env python3
"""Timed runs of the curvix program on large inputs, each beside its reference in the same run; run by hand.

  tools_bench.py CURVIX_BUILD_DIR module   open and close a drawing of a million circles, with and without the
                                           Curvix module loaded (the module's own cost per entity)
  tools_bench.py CURVIX_BUILD_DIR holenet  txwk: a 1024 x 1024 picture in 1024 rows, 1,048,576 holes drawn and
                                           saved, beside opening and saving a drawing of as many circles
  tools_bench.py CURVIX_BUILD_DIR r2v      R2V on a 1024 x 1024 picture without smoothing and with the default
                                           smoothing, beside the potrace program's whole process on the same
                                           picture (given to it as the PBM of the same pixels)
Each figure is the median of --runs runs (default 3) of the whole process, wall time."""
import math
import os
import statistics
import struct
import subprocess
import sys
import tempfile
import time
import zlib


def write_png(path, width, height, pixel):
    rows = b"".join(b"\0" + bytes(c for x in range(width) for c in pixel(x, y)) for y in range(height))
    chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def write_pbm(path, width, height, black):
    with open(path, "wb") as f:
        f.write(b"P4\n%d %d\n" % (width, height))
        for y in range(height):
            row = bytearray((width + 7) // 8)
            for x in range(width):
                if black(x, y):
                    row[x // 8] |= 0x80 >> (x % 8)
            f.write(bytes(row))


def write_circles(path, count):
    side = int(math.sqrt(count))
    with open(path, "w") as f:
        f.write("0\nSECTION\n2\nENTITIES\n")
        for i in range(count):
            f.write("0\nCIRCLE\n8\n0\n10\n%d.5\n20\n%d.25\n30\n0\n40\n0.4\n" % (i % side, i // side))
        f.write("0\nENDSEC\n0\nEOF\n")


def timed(cmd, cwd, runs):
    times = []
    for _ in range(runs):
        t = time.perf_counter()
        r = subprocess.run(cmd, cwd=cwd, capture_output=True, text=True)
        times.append(time.perf_counter() - t)
        if r.returncode != 0:
            sys.exit(f"{cmd} failed: {r.stdout[-2000:]}{r.stderr[-2000:]}")
    return statistics.median(times), r.stdout


def curvix(build, folder, script, *args, module=True):
    with open(os.path.join(folder, "run.scr"), "w") as f:
        f.write(script)
    cmd = [os.path.join(build, "curvix")] + list(args) + ["--script", "run.scr"]
    if module:
        cmd += ["--load", os.path.join(build, "Curvix_2012X64.arx")]
    return cmd


def spots(x, y):
    """A picture of 60 round spots on paper that reaches the edge: the shape tracers meet in scans."""
    i, j = x // 128, y // 128
    cx, cy = i * 128 + 64, j * 128 + 64
    if (i * 8 + j) % 64 < 60 and (x - cx) ** 2 + (y - cy) ** 2 <= (30 + (i * 7 + j * 3) % 25) ** 2:
        return True
    return False


def main():
    build, what = os.path.abspath(sys.argv[1]), sys.argv[2]
    runs = int(sys.argv[sys.argv.index("--runs") + 1]) if "--runs" in sys.argv else 3
    env_load = os.getloadavg()[0]
    with tempfile.TemporaryDirectory() as folder:
        if what == "module":
            dxf = os.path.join(folder, "circles.dxf")
            write_circles(dxf, 1_000_000)
            without, _ = timed(curvix(build, folder, "", dxf, module=False), folder, runs)
            with_module, _ = timed(curvix(build, folder, "", dxf), folder, runs)
            print(f"open + close 1,000,000 circles: without the module {without:.2f} s, with it {with_module:.2f} s")
        elif what == "holenet":
            write_png(os.path.join(folder, "net.png"), 1024, 1024,
                      lambda x, y: (x // 4, y // 4, (x + y) // 8))
            script = ('txwk\n;@file "net.png"\n;@dialog click 4004\n;@dialog text 4029 1024\n;@dialog click 4015\n'
                      ';@dialog click 4016\n0,0\n1024\n')
            net, out = timed(curvix(build, folder, script, "-o", "net.dxf"), folder, runs)
            size = os.path.getsize(os.path.join(folder, "net.dxf"))
            dxf = os.path.join(folder, "circles.dxf")
            write_circles(dxf, 1024 * 1024)
            ref, _ = timed(curvix(build, folder, "", dxf, "-o", "copy.dxf", module=False), folder, runs)
            print(f"txwk 1024 rows, 1,048,576 holes drawn and saved ({size / 1e6:.0f} MB): {net:.2f} s; "
                  f"opening and saving as many circles: {ref:.2f} s")
        elif what == "r2v":
            write_png(os.path.join(folder, "spots.png"), 1024, 1024,
                      lambda x, y: (20, 20, 20) if spots(x, y) else (250, 248, 240))
            write_pbm(os.path.join(folder, "spots.pbm"), 1024, 1024, spots)
            ref, _ = timed(["potrace", "-b", "dxf", "-o", "spots_potrace.dxf", "spots.pbm"], folder, runs)
            figures = []
            for smoothing in (0, 5):
                script = (f'R2V\n;@file "spots.png"\n;@dialog click 4004\n;@dialog slide 4013 {smoothing}\n'
                          ';@dialog click 4015\n0,0\n1024\n')
                t, out = timed(curvix(build, folder, script, "-o", "r2v.dxf"), folder, runs)
                figures.append(t)
            print(f"1024 x 1024, 60 spots: potrace {ref:.2f} s; R2V without smoothing {figures[0]:.2f} s "
                  f"({figures[0] / ref:.1f}x), with smoothing 5 {figures[1]:.2f} s ({figures[1] / ref:.1f}x)")
        else:
            sys.exit(__doc__)
    print(f"load average at the start: {env_load:.2f}")


if __name__ == "__main__":
    main()
