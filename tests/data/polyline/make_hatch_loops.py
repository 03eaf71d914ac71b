"""Writes hatch_loops.dxf: hatches whose boundaries use every loop and edge kind, written by an independent
DXF writer (ezdxf). Run with /usr/bin/python3 from this folder; the drawing is kept beside it as test data.

Each hatch sits in its own column so tests can tell them apart by x:
  x   0..  polyline loop with bulges (a rounded slot) and an island polyline loop
  x 100..  edge loop: lines and circular arcs, one counter-clockwise, one clockwise
  x 200..  edge loop: one full circle
  x 300..  edge loop: lines and elliptical arcs, one counter-clockwise, one clockwise
  x 400..  edge loop: a NURBS spline edge (control points and knots) closed by a line
  x 500..  edge loop: a spline edge with fit points and end tangents, closed by a line
"""
import ezdxf

doc = ezdxf.new("R2010")
msp = doc.modelspace()

h = msp.add_hatch(color=3)
h.paths.add_polyline_path([(0, 0, 0), (40, 0, 1), (40, 20, 0), (0, 20, 1)], is_closed=True)
h.paths.add_polyline_path([(15, 5), (25, 5), (25, 15), (15, 15)], is_closed=True)

h = msp.add_hatch(color=3)
p = h.paths.add_edge_path()
p.add_line((100, 0), (140, 0))
p.add_arc((140, 10), 10, -90, 90, ccw=True)        # bulges out to the right, counter-clockwise
p.add_line((140, 20), (120, 20))
p.add_arc((110, 20), 10, 0, 180, ccw=False)        # clockwise edge over the top between x 100 and 120
p.add_line((100, 20), (100, 0))

h = msp.add_hatch(color=3)
p = h.paths.add_edge_path()
p.add_arc((220, 10), 10, 0, 360, ccw=True)

h = msp.add_hatch(color=3)
p = h.paths.add_edge_path()
p.add_ellipse((320, 0), major_axis=(20, 0), ratio=0.5, start_angle=0, end_angle=180, ccw=True)
p.add_line((300, 0), (300, -10))
p.add_ellipse((310, -10), major_axis=(10, 0), ratio=0.5, start_angle=180, end_angle=0, ccw=False)
p.add_line((320, -10), (340, 0))

h = msp.add_hatch(color=3)
p = h.paths.add_edge_path()
p.add_spline(control_points=[(400, 0), (410, 20), (430, 20), (440, 0)],
             knot_values=[0, 0, 0, 0, 1, 1, 1, 1], degree=3)
p.add_line((440, 0), (400, 0))

h = msp.add_hatch(color=3)
p = h.paths.add_edge_path()
p.add_spline(fit_points=[(500, 0), (510, 10), (525, 5), (540, 0)], degree=3,
             start_tangent=(1, 1), end_tangent=(1, -1))
p.add_line((540, 0), (500, 0))

doc.saveas("hatch_loops.dxf")
