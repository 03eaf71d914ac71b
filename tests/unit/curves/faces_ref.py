"""Second-opinion areas for the planar-face tests, computed with shapely.

usage: faces_ref.py INPUT.json
input: {"circles": [[cx, cy, r], ...], "picks": [[x, y], ...]}
   or  {"lines": [[x0, y0, x1, y1], ...], "picks": [[x, y], ...]}
prints per pick: the area inside the outer ring of the face of the arrangement that holds the pick (0 when that
face is unbounded) and the number of holes of that face. Circles are overlaid as disks; lines are noded and
polygonized.
"""
import json
import sys

from shapely.geometry import LineString, Point, Polygon, box
from shapely.ops import polygonize, unary_union


def line_faces(data):
    noded = unary_union([LineString([(a, b), (c, d)]) for a, b, c, d in data["lines"]])
    faces = list(polygonize(noded))
    for x, y in data["picks"]:
        face = next((f for f in faces if f.contains(Point(x, y))), None)
        print(*((repr(Polygon(face.exterior).area), len(face.interiors)) if face else (0.0, 0)))


def main():
    data = json.load(open(sys.argv[1]))
    if "lines" in data:
        line_faces(data)
        return
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
