"""Answers a user may give that the commands once handled badly: each row runs one script and checks the message
printed and how many entities of each kind the drawing holds afterwards (read back with ezdxf)."""
import collections
import unittest

import ezdxf

from curvix_run import CurvixRun

CROSSING_LINES = "LINE 0,0 10,10\n\nLINE 0,10 10,0\n\n"
LONG_LIST = ",".join(["1"] * 600)  # more text than the prompt's buffer holds

# (what is tried, script, text that must be printed, entity counts afterwards or None)
CASES = [
    ("PLJD: a block name too long for any block", CROSSING_LINES + "PLJD ALL\n\n4 " + "X" * 300 + "\n\n",
     "Block name error！", {"LINE": 2}),
    ("INOFFSET: a distance list longer than the prompt reads", f"CIRCLE 0,0 10\nINOFFSET ALL\n\n3\nM\n{LONG_LIST}\n",
     "Offset times[1]:", {"CIRCLE": 1, "LWPOLYLINE": 3}),
    # each round offsets the last round's offsets; the third took minutes (no count: which cusped offsets the
    # host gives is not the point)
    ("PLOFFSET: offsets of offsets of a spline", "SPLINE 90,0 95,10 100,0 105,10\n\n\n\n" +
     "PLOFFSET ALL\n\nD\n2\n1\n" * 3, "Offset distance[Multiple(M)]:1", None),
]


class BadInput(CurvixRun):
    def test_each_answer_gets_a_message_and_a_sound_drawing(self):
        for what, script, message, counts in CASES:
            with self.subTest(what):
                out = self.path("out.dxf")
                printed = self.output(script, "-o", out)
                self.assertIn(message, printed)
                if counts is not None:
                    kinds = collections.Counter(e.dxftype() for e in ezdxf.readfile(out).modelspace())
                    self.assertEqual(dict(kinds), counts, printed[-2000:])


if __name__ == "__main__":
    unittest.main()
