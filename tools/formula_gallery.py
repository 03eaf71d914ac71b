"""Writes the formula gallery: every catalogue row at its default parameters, scaled into a grid cell.

The extents come from the independent formula evaluation the tests use, so the gallery never depends on the
generator it shows. Usage: /usr/bin/python3 tools/formula_gallery.py LEFT TOP > lines.scr (examples/formula_gallery.scr
is this output at 0,0 under its header; the showcase section is the same at its own corner)."""
import pathlib
import sys
sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent / "tests" / "unit" / "formula"))
import formula_ref as F

COLS, CELL_W, CELL_H = 9, 130.0, 120.0
FIT_W, FIT_H = 104.0, 88.0
TEXT_H = 5.5

def fmt(v):
    s = f"{v:.10f}".rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s

def boxes():
    """Extents of every row's samples at its defaults, and whether the row is flat."""
    out = []
    for row in range(1, 72):
        slots = F.TABLE[row - 1][1] + [F.NONE] * (4 - len(F.TABLE[row - 1][1]))
        pts = [q for c in F.curves(row, F.arguments(row, [s[2] for s in slots]), 6) for q in c if q is not None]
        xs, ys = [q[0] for q in pts], [q[1] for q in pts]
        out.append((min(xs), min(ys), max(xs), max(ys), F.flat(pts)))
    return out

def section(left, top):
    """Script lines for the grid whose top-left corner is (left, top)."""
    bx = boxes()
    far = max(max(abs(c) for c in b[:4]) for b in bx)
    stage = -20.0 * far - 1e6
    lines = []
    for row in range(1, 72):
        label = F.TABLE[row - 1][0]
        x0, y0, x1, y1, flat = bx[row - 1]
        w, h = x1 - x0, y1 - y0
        fits = [FIT_W / w if w > 1e-9 else None, FIT_H / h if h > 1e-9 else None]
        f = min(v for v in fits if v is not None)
        r, c = divmod(row - 1, COLS)
        cx, cy = left + c * CELL_W + CELL_W / 2, top - r * CELL_H - 8 - FIT_H / 2
        ox, oy = stage - (x0 + x1) / 2, stage - (y0 + y1) / 2
        mx, my = w / 2 * 1.01 + 1, h / 2 * 1.01 + 1
        lines += [
            f"; {label}",
            "FORMULA",
            f";@dialog select 2010 {row - 1}",
            f";@dialog select 2009 {1 if flat else 0}",
            ";@dialog uncheck 4000",
            ";@dialog click 4004",
            f"{fmt(ox)},{fmt(oy)}",
            ";@dialog close",
            f"SCALE C {fmt(stage - mx)},{fmt(stage - my)} {fmt(stage + mx)},{fmt(stage + my)}",
            "",
            f"{fmt(stage)},{fmt(stage)} {fmt(f)}",
            "MOVE P",
            "",
            f"{fmt(stage)},{fmt(stage)} {fmt(cx)},{fmt(cy)}",
            f"TEXT {fmt(left + c * CELL_W + 6)},{fmt(top - r * CELL_H - CELL_H + 8)} {TEXT_H} 0 {label}",
        ]
    return lines

if __name__ == "__main__":
    left, top = float(sys.argv[1]), float(sys.argv[2])
    print("\n".join(section(left, top)))
