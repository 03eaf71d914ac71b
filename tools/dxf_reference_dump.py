#!/usr/bin/python3
"""What an independent reader (ezdxf) makes of drawings, entity by entity, in the form the drawing-file audit
compares with curvix's own reading.

    dxf_reference_dump.py LIST   LIST holds one drawing path a line

Prints, for every entity of every block (model and paper space included) that has a handle, lines of
    path TAB handle TAB key TAB value
with the keys type, layer, color (index; true colours as "rgb RRGGBB"), linetype, geom (numbers separated
by spaces) and text. A drawing the reader cannot open is printed as  path TAB - TAB unreadable TAB why.
"""
import math
import sys

import ezdxf
from ezdxf import recover


def num(*values):
    return " ".join(repr(float(v)) for v in values)


def hatch_area(h):
    from ezdxf import path as ezpath
    total = 0.0
    for p in ezpath.from_hatch(h):
        pts = list(p.flattening(1e-4))
        a = 0.0
        for i in range(len(pts)):
            x0, y0 = pts[i].x, pts[i].y
            x1, y1 = pts[(i + 1) % len(pts)].x, pts[(i + 1) % len(pts)].y
            a += x0 * y1 - x1 * y0
        total = max(total, abs(a) / 2)
    return total


def geometry(e):
    t = e.dxftype()
    d = e.dxf
    if t == "LINE":
        return num(*d.start, *d.end)
    if t in ("CIRCLE", "ARC"):
        return num(*e.ocs().to_wcs(d.center), d.radius)
    if t == "POINT":
        return num(*d.location)
    if t == "ELLIPSE":
        return num(*d.center, *d.major_axis, d.ratio)
    if t == "LWPOLYLINE":
        pts = list(e.get_points("xy"))
        return num(len(pts), *pts[0], *pts[-1]) if pts else num(0)
    if t == "SPLINE":
        ct = e.construction_tool()
        start, end = ct.point(0), ct.point(ct.max_t)
        return num(*start, *end)
    if t in ("TEXT", "ATTRIB", "ATTDEF"):
        return num(*e.ocs().to_wcs(d.insert), d.height)
    if t == "MTEXT":
        return num(*d.insert)
    if t == "INSERT":
        return num(*e.ocs().to_wcs(d.insert))
    if t == "HATCH":
        return num(len(e.paths), hatch_area(e))
    return None


def text(e):
    t = e.dxftype()
    if t in ("TEXT", "ATTRIB", "ATTDEF"):
        return e.dxf.text
    if t == "MTEXT":
        # This reader's plain text leaves the no-break space code as it is; it reads as a space.
        return e.plain_text(split=False).replace("\\~", " ").replace("\n", "\\n")
    if t == "INSERT":
        return e.dxf.name
    return None


def color(e):
    if e.dxf.hasattr("true_color"):
        return "rgb %06X" % (e.dxf.true_color & 0xFFFFFF)
    return str(e.dxf.color)


def dump(path, out):
    try:
        doc, _ = recover.readfile(path)
    except Exception as ex:  # the reader's own failure: nothing to compare against
        out.write(f"{path}\t-\tunreadable\t{type(ex).__name__}\n")
        return
    for block in doc.blocks:
        for e in block:
            h = e.dxf.handle
            if not h:
                continue
            rows = [("type", e.dxftype()), ("layer", e.dxf.layer), ("color", color(e)),
                    ("linetype", e.dxf.linetype.upper())]
            try:
                g = geometry(e)
            except Exception:  # geometry the reader cannot evaluate is not compared
                g = None
            if g is not None:
                rows.append(("geom", g))
            s = text(e)
            if s is not None:
                rows.append(("text", s.replace("\t", " ")))
            for k, v in rows:
                out.write(f"{path}\t{h}\t{k}\t{v}\n")


if __name__ == "__main__":
    for line in open(sys.argv[1], encoding="utf-8").read().splitlines():
        if line:
            dump(line, sys.stdout)
