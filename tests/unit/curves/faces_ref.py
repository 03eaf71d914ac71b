"""Second-opinion areas for the planar-face tests, computed with shapely.

usage: faces_ref.py INPUT.json
input: {"circles": [[cx, cy, r], ...], "picks": [[x, y], ...]}
prints per pick: the area inside the outer ring of the face of the circles' arrangement that holds the pick (0
when that face is unbounded) and the number of holes of that face.
"""
import json
import sys

from shapely.geometry import Point, Polygon, box


def main():
    data = json.load(open(sys.argv[1]))
    disks = [Point(cx, cy).buffer(r, resolution=512) for cx, cy, r in data["circles"]]
    far = 1e4
    for x, y in data["picks"]:
        p = Point(x, y)
        region = box(-far, -far, far, far)
        for d in disks:
            region = region.intersection(d) if d.contains(p) else region.difference(d)
        parts = list(region.geoms) if hasattr(region, "geoms") else [region]
        part = next(q for q in parts if q.contains(p))
        if part.bounds[2] >= far:
            print(0.0, 0)
        else:
            print(repr(Polygon(part.exterior).area), len(part.interiors))


main()
