"""Second-opinion geometry for the curve tests, computed with shapely.

usage: shapely_ref.py buffer|intersect INPUT.json
buffer:    {"cases": [{"poly": [[x, y], ...], "d": d, "ours": [[[x, y], ...], ...]}]}  (closed offsets)
           prints per case: the largest error of our points' distance to the polygon, our ring count,
           the ring count of shapely's round-joined buffer, our enclosed area and the buffer's area.
intersect: {"curves": [[[x, y], ...], ...]}   (each curve finely flattened)
           prints per pair i < j a line "i j x y x y ..." with the crossing points.
"""
import json
import sys

from shapely.geometry import LinearRing, LineString, Point, Polygon


def buffer_cases(data):
    # The buffer's own arcs are coarse and it goes wrong on very dense concave input, so it is given the polygon
    # simplified to 1e-4 and only checks the number of rings and the area; the distance of every one of our points
    # to the exact polygon checks the shape.
    for case in data["cases"]:
        poly = Polygon(case["poly"])
        ref = poly.simplify(1e-4).buffer(case["d"], resolution=256, join_style=1)  # 1: round joins
        rings = [LinearRing(c) for c in case["ours"] if len(c) > 3]
        dev = max((abs(poly.exterior.distance(Point(p)) - abs(case["d"])) for c in case["ours"] for p in c),
                  default=float("inf"))
        parts = list(ref.geoms) if hasattr(ref, "geoms") else ([ref] if not ref.is_empty else [])
        nref = sum(1 + len(p.interiors) for p in parts)
        ours = sum(Polygon(r).area for r in rings)
        print(repr(dev), len(rings), nref, repr(ours), repr(ref.area))


def points_of(g):
    if g.is_empty:
        return []
    if g.geom_type == "Point":
        return [(g.x, g.y)]
    if hasattr(g, "geoms"):
        return [p for part in g.geoms for p in points_of(part)]
    return [c for c in g.coords[:1]] + [c for c in g.coords[-1:]]  # an overlap: its ends


def intersect_cases(data):
    geoms = [LineString(c) for c in data["curves"]]
    for i in range(len(geoms)):
        for j in range(i + 1, len(geoms)):
            pts = points_of(geoms[i].intersection(geoms[j]))
            print(i, j, " ".join("%.17g %.17g" % p for p in pts))


if __name__ == "__main__":
    with open(sys.argv[2]) as f:
        data = json.load(f)
    {"buffer": buffer_cases, "intersect": intersect_cases}[sys.argv[1]](data)
